#pragma once

#include <array>
#include <span>

#include <QObject>
#include <QPointF>

#include "measure/clicks.h"
#include "records/measurementobject.h"

struct CurrentPart;
class CurrentWorkOrder;
class Dialogs;
class MeasurementLabel;
class MeasurementSink;
class PictureView;
class Pictures;
class QAbstractButton;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMouseEvent;
class QWidget;
class Shape;
struct MeasuringState;
struct ScaleValues;

// The controls the measuring reactions read and write.
struct MeasuringWidgets {
    QWidget *window = nullptr;  // owns the note window while it is open
    QWidget *Panel2 = nullptr;  // the picture panel, for placing the note window
    PictureView *imgView = nullptr;
    Shape *Shape1 = nullptr;  // the frame around the chosen kind's button
    Shape *Shape2 = nullptr;  // the drawing-colour swatch
    Shape *Shape3 = nullptr;  // the search frame a circle places
    QCheckBox *cbMoveLabel = nullptr;
    std::array<QAbstractButton *, KindCount> MeasureButtons{};
    QLineEdit *edVideoLineW = nullptr;
    QLineEdit *edVideoLineH = nullptr;
    QLineEdit *Edit7 = nullptr;
    QLineEdit *Edit8 = nullptr;
    QLineEdit *edVideoLineR = nullptr;
    QLabel *lbDisplayPosX = nullptr;
    QLabel *lbDisplayPosY = nullptr;
    QLineEdit *edNewOBJNote = nullptr;
    QLineEdit *edText = nullptr;  // hidden: carries a note's text back from the note window
    QLabel *Panel19 = nullptr;    // the label font sample: size and colour of new labels
    std::array<QLabel *, 3> statusPanels{};
};

// The measuring reactions: tool selection, clicks on the picture, the completion of a kind, text
// notes, picks of stored measurements' labels, and the cursor read-out and crosshair.
//
// It is the one writer of MeasuringState. It reads the active scale, the current work order and
// part when a kind completes, draws through the picture pair and hands every completed measurement
// to the sink, which stores and labels it. A failure of the sink (the database) ends the click.
class MeasuringController : public QObject {
    Q_OBJECT
public:
    MeasuringController(MeasuringState &state, const ScaleValues &scale, const CurrentWorkOrder &workOrder,
                        const CurrentPart &part, Pictures &pictures, MeasurementSink &sink, Dialogs &dialogs,
                        const MeasuringWidgets &widgets, QObject *parent = nullptr);

    // Circle detection owns the picture's clicks and moves while it is on.
    void setCircleDetection(bool on) { m_circleDetection = on; }
    // Selects a kind as its tool button does.
    void selectKind(int kind);
    // Measures a kind from picture points as the operator would: the kind chosen with its button,
    // then each point clicked with the left button, circle detection left aside. Marks, row and
    // label are those of the clicks; a failure of the sink ends it as it ends a click.
    void measurePoints(int kind, std::span<const QPointF> points);

public Q_SLOTS:
    void bbtMeasure0Click();
    void tbWidthClick(int kind);
    void imgViewMouseDown(QMouseEvent *event);
    void imgViewMouseMove(QMouseEvent *event);
    void imgViewMouseUp(QMouseEvent *event);
    // A stored measurement's label pressed while the kind picks labels: a circle shows its centre and
    // radius, circle-to-circle and point groups take its point or line, a note's label edits the note.
    void labelPicked(const MeasurementObject &picked, MeasurementLabel *label);

Q_SIGNALS:
    // The circle-detection click counter goes back to 0 (right button).
    void circleDetectionReset();
    // After every picture click that reached the prompt step: the automatic label colour.
    void labelColourRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void click(QMouseEvent *event);
    void clickAt(ClickButton button, bool shiftOrCtrl, QPointF at);
    void pick(const MeasurementObject &picked, MeasurementLabel *label);
    void placeSelectionFrame(int kind);
    void runCompletion(const Completion &completion);
    bool askNoteText(QPointF at, const QString &initial = QString());
    void editNote(const MeasurementObject &picked, QLabel *label);
    void writeSideOutputs(const Completion &completion);
    void setStatus(int panel, const QString &text);
    [[nodiscard]] ClickSettings clickSettings() const;

    MeasuringState &m_state;
    const ScaleValues &m_scale;
    const CurrentWorkOrder &m_workOrder;
    const CurrentPart &m_part;
    Pictures &m_pictures;
    MeasurementSink &m_sink;
    Dialogs &m_dialogs;
    MeasuringWidgets m_w;
    bool m_circleDetection = false;
};
