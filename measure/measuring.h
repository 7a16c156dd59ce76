#pragma once

#include <array>

#include <QObject>
#include <QPointer>

#include "measure/clicks.h"

class Dialogs;
class PictureView;
class Shape;
class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMouseEvent;
class QWidget;
struct MainState;

// Where completed measurements go: the database side. Until one is attached, measurements are
// computed, drawn and shown but neither numbered nor stored.
class MeasurementSink {
public:
    virtual ~MeasurementSink() = default;
    // The next OBJIndex of the part in the work order.
    virtual int nextIndex(const QString &operNo, const QString &recId) = 0;
    // The number of rows in the measurement list.
    virtual int listRowCount() = 0;
    // Label, store, list refresh: everything after CurrentMeasurement is filled.
    virtual void measurementCompleted(MeasurementObject &measurement, const QString &caption) = 0;
    // A note edited from its label: store the new text.
    virtual void noteEdited(const MeasurementObject &measurement, const QString &text) = 0;
};

// The controls the measuring reactions read and write.
struct MeasuringWidgets {
    QWidget *window = nullptr;
    QWidget *TabSheet1 = nullptr;
    QWidget *Panel2 = nullptr;
    PictureView *imgView = nullptr;
    Shape *Shape1 = nullptr;
    Shape *Shape2 = nullptr;
    Shape *Shape3 = nullptr;
    QCheckBox *cbMoveLabel = nullptr;
    std::array<QAbstractButton *, KindCount> MeasureButtons{};
    QLineEdit *edVideoLineW = nullptr;
    QLineEdit *edVideoLineH = nullptr;
    QLineEdit *Edit7 = nullptr;
    QLineEdit *Edit8 = nullptr;
    QLineEdit *edVideoLineR = nullptr;
    QLabel *lbDisplayPosX = nullptr;
    QLabel *lbDisplayPosY = nullptr;
    QLineEdit *edWorkSheetID = nullptr;
    QComboBox *cbOBJID = nullptr;
    QComboBox *cbOBJName = nullptr;
    QLineEdit *edNewOBJNote = nullptr;
    QLineEdit *edText = nullptr;
    QLabel *Panel19 = nullptr;
    std::array<QLabel *, 3> statusPanels{};
};

// The measuring reactions of the main window: tool selection, clicks on the picture, completion,
// text notes, the cursor read-out and crosshair.
class MeasuringController : public QObject {
    Q_OBJECT
public:
    MeasuringController(MainState &state, Dialogs &dialogs, const MeasuringWidgets &widgets,
                        QObject *parent = nullptr);

    void setSink(MeasurementSink *sink) { m_sink = sink; }
    // Circle detection owns the picture's clicks and moves while it is on.
    void setCircleDetection(bool on) { m_circleDetection = on; }

    // Selects a kind as its tool button does.
    void selectKind(int kind);
    // Erases the XOR crosshair at the remembered place; used before the picture is replaced.
    void eraseCrosshair();
    // A stored measurement's label pressed while the kind picks labels: a circle shows its centre and
    // radius, circle-to-circle and point groups take its point or line, a note is edited.
    void labelPicked(const MeasurementObject &picked, QLabel *label);

public Q_SLOTS:
    void bbtMeasure0Click();
    void tbWidthClick(int kind);
    void imgViewMouseDown(QMouseEvent *event);
    void imgViewMouseMove(QMouseEvent *event);
    void imgViewMouseUp(QMouseEvent *event);

Q_SIGNALS:
    // The circle-detection click counter goes back to 0 (right button).
    void circleDetectionReset();
    // After every picture click that reached the prompt step: the automatic label colour.
    void labelColourRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void placeSelectionFrame(int kind);
    void drawCrosshair(QPoint at);
    void xorCrosshair(QPoint at);
    void runCompletion(const Completion &completion);
    bool askNoteText(QPointF at, const QString &initial = QString());
    void editNote(const MeasurementObject &picked, QLabel *label);
    void writeSideOutputs(const Completion &completion);
    void setStatus(int panel, const QString &text);
    [[nodiscard]] ClickSettings clickSettings() const;

    MainState &m_state;
    Dialogs &m_dialogs;
    MeasuringWidgets m_w;
    MeasurementSink *m_sink = nullptr;
    bool m_circleDetection = false;
};
