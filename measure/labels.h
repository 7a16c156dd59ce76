#pragma once

#include <vector>

#include <QObject>
#include <QPoint>
#include <QPointer>

#include "measure/measurementlabel.h"
#include "records/labelselection.h"
#include "records/measurementobject.h"

class Dataset;
class Dialogs;
class Pictures;
class QCheckBox;
class QLabel;
class QMouseEvent;
class QWidget;
struct MeasuringState;
struct ScaleValues;

struct LabelWidgets {
    QWidget *window = nullptr;
    QWidget *content = nullptr;  // the scroll area's content: labels live here, in picture-anchor coordinates
    QCheckBox *cbMoveLabel = nullptr;
    QCheckBox *cbCaculate = nullptr;
    QCheckBox *cbAutoFont = nullptr;
    QLabel *Panel19 = nullptr;
    QLabel *Label58 = nullptr;  // invisible; its tag keeps the drag state
};

// The result labels: creating them, dragging and restyling with their place stored, picking them for
// the measuring kinds and for the statistic, the automatic black-or-white colour, clearing them.
//
// A press on a label moves the measurement list to the label's row. The list may be closed (when
// rereading it failed) or empty: a label then stands for no row, so it picks nothing, selects
// nothing and stores nothing, and it can still be dragged. The one writer of LabelSelection.
class LabelsController : public QObject, public SelectionClearing {
    Q_OBJECT
public:
    enum DragState { Idle = 0, Armed = 1, PickedByCircleToCircle = 2 };

    LabelsController(LabelSelection &selection, const MeasuringState &measuring, const ScaleValues &scale,
                     const Pictures &pictures, Dataset &qryMeasure, Dataset &qryX, Dialogs &dialogs,
                     const LabelWidgets &widgets, QObject *parent = nullptr);

    // Creates the label of a just-stored measurement at its anchor, tagged with its rIndex, with the
    // label font sample's size and colour.
    MeasurementLabel *createLabel(const MeasurementObject &m, const QString &caption);
    // Destroys every result label (the controls named "mlbMeasure…"); nothing stored changes.
    void clearLabels();

    // The labels of the stored rows as a picture refresh gives them anew, one per row: what shows
    // afterwards is what clearing the labels and creating each row's would show. The result labels
    // already there are used again (renamed, retagged, retexted, restyled and moved) rather than
    // destroyed and made, which would cost more than the rest of a refresh; those left over are
    // destroyed when the run ends, also when the refresh fails half-way. LastLabel is forgotten.
    class StoredLabels {
    public:
        explicit StoredLabels(LabelsController &labels);
        ~StoredLabels();
        StoredLabels(const StoredLabels &) = delete;
        StoredLabels &operator=(const StoredLabels &) = delete;
        MeasurementLabel *place(const MeasurementObject &m, const QString &caption, int tag);

    private:
        LabelsController &m_labels;
        std::vector<QPointer<MeasurementLabel>> m_old;  // by tag
        std::size_t m_used = 0;
    };
    [[nodiscard]] MeasurementLabel *LastLabel() const { return m_lastLabel; }
    [[nodiscard]] int dragState() const;
    // Empties the statistic's selection; the labels that were picked take their stored colour
    // again (from the measurement list's rows, without moving it). selectionChanged() is not
    // emitted: the statistic that asks shows its own cleared captions.
    void clearSelection() override;

public Q_SLOTS:
    void labelMouseDown(MeasurementLabel *label, QMouseEvent *event);
    void labelMouseMove(MeasurementLabel *label, QMouseEvent *event);
    void labelMouseUp(MeasurementLabel *label, QMouseEvent *event);
    void autoLabelColour();
    void bbtClearLabelClick();

Q_SIGNALS:
    // A left press on a label while the kind picks labels (Circle, CircleToCircle, PointGroup,
    // TextNote); the measurement list stands on the label's row, whose measurement this is.
    void picked(const MeasurementObject &measurement, MeasurementLabel *label);
    // The statistic's selection changed (a label picked or unpicked in "計算" mode).
    void selectionChanged();

private:
    void pressed(MeasurementLabel *label, QMouseEvent *event);
    void released(MeasurementLabel *label, QMouseEvent *event);
    void pickLabelColour();
    [[nodiscard]] bool listHasRows() const;
    void setDragState(int state);
    void toggleSelection(MeasurementLabel *label);
    void storePlacement(MeasurementLabel *label);
    MeasurementLabel *makeLabel(const QString &caption, int tag, int x, int y, int pointSize, quint32 color);
    void setUpLabel(MeasurementLabel &label, const QString &caption, int tag, int x, int y, int pointSize,
                    quint32 color) const;
    [[nodiscard]] quint32 storedColour(const MeasurementObject &m, int tag) const;
    [[nodiscard]] std::vector<MeasurementLabel *> resultLabels() const;

    LabelSelection &m_selection;
    const MeasuringState &m_measuring;
    const ScaleValues &m_scale;
    const Pictures &m_pictures;
    Dataset &m_qryMeasure;
    Dataset &m_qryX;
    Dialogs &m_dialogs;
    LabelWidgets m_w;
    QPointer<MeasurementLabel> m_lastLabel;
    QPoint m_dragOrigin;
};
