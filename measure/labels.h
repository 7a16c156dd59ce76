#pragma once

#include <functional>

#include <QLabel>
#include <QObject>
#include <QPointer>

class Dialogs;
class Dataset;
class PictureView;
class QCheckBox;
class QMouseEvent;
class QScrollArea;
struct MainState;
struct MeasurementObject;

// A result label over the picture: transparent text whose tag is its measurement's rIndex.
class MeasurementLabel : public QLabel {
    Q_OBJECT
public:
    explicit MeasurementLabel(QWidget *parent);
    [[nodiscard]] int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

Q_SIGNALS:
    void mouseDown(MeasurementLabel *label, QMouseEvent *event);
    void mouseMove(MeasurementLabel *label, QMouseEvent *event);
    void mouseUp(MeasurementLabel *label, QMouseEvent *event);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int m_tag = 0;
};

struct LabelWidgets {
    QWidget *window = nullptr;
    QScrollArea *ScrollBox1 = nullptr;
    QWidget *content = nullptr;  // the scroll area's content: labels live here, in picture-anchor coordinates
    PictureView *imgTemp = nullptr;
    QCheckBox *cbMoveLabel = nullptr;
    QCheckBox *cbCaculate = nullptr;
    QCheckBox *cbAutoFont = nullptr;
    QLabel *Panel19 = nullptr;
    QLabel *Label58 = nullptr;  // invisible; its tag keeps the drag state
};

// The result labels: creating them, dragging and restyling with their place stored, picking them for
// the measuring kinds and for the statistic, the automatic black-or-white colour, clearing them.
class LabelsController : public QObject {
    Q_OBJECT
public:
    enum DragState { Idle = 0, Armed = 1, PickedByCircleToCircle = 2 };

    LabelsController(MainState &state, Dialogs &dialogs, const LabelWidgets &widgets, Dataset &qryMeasure,
                     Dataset &qryX, QObject *parent = nullptr);

    // Creates the label of a measurement at its anchor with the label font sample's size and colour.
    MeasurementLabel *createLabel(const MeasurementObject &m, const QString &caption);
    // The label for a stored row, as the picture refresh rebuilds them.
    MeasurementLabel *createStoredLabel(const MeasurementObject &m, const QString &caption, int tag);
    [[nodiscard]] MeasurementLabel *LastLabel() const { return m_lastLabel; }
    [[nodiscard]] int dragState() const;

    // A press on a label while the kind picks labels (Circle, CircleToCircle, PointGroup, TextNote);
    // the measurement list stands on the label's row.
    std::function<void(const MeasurementObject &, MeasurementLabel *)> onPick;

public Q_SLOTS:
    void labelMouseDown(MeasurementLabel *label, QMouseEvent *event);
    void labelMouseMove(MeasurementLabel *label, QMouseEvent *event);
    void labelMouseUp(MeasurementLabel *label, QMouseEvent *event);
    void autoLabelColour();
    void bbtClearLabelClick();

Q_SIGNALS:
    // The statistic's selection changed (a label picked or unpicked in "計算" mode).
    void selectionChanged();

private:
    void setDragState(int state);
    void toggleSelection(MeasurementLabel *label);
    void storePlacement(MeasurementLabel *label);
    MeasurementLabel *makeLabel(const QString &caption, int tag, int x, int y, int pointSize, quint32 color);

    MainState &m_state;
    Dialogs &m_dialogs;
    LabelWidgets m_w;
    Dataset &m_qryMeasure;
    Dataset &m_qryX;
    QPointer<MeasurementLabel> m_lastLabel;
    QPoint m_dragOrigin;
};

// The label's font colour as a stored colour value, and back.
[[nodiscard]] quint32 labelColor(const QLabel &label);
void setLabelColor(QLabel &label, quint32 color);
