#include "display/refreshcontroller.h"

#include <optional>

#include <QAbstractButton>

#include "calibration/scalevalues.h"
#include "display/displayoptions.h"
#include "display/marks.h"
#include "display/pictures.h"
#include "measure/labels.h"
#include "records/currentworkorder.h"
#include "records/dataset.h"
#include "records/measurementobject.h"
#include "records/measurementstore.h"
#include "records/sqlcatalogue.h"
#include "records/transaction.h"
#include "records/workorderquery.h"
#include "ui/dialogs.h"
#include "ui/guarded.h"
#include "ui/shape.h"

namespace {

constexpr TColor White = 0xFFFFFF;
constexpr TColor Black = 0x000000;

}  // namespace

PictureRefreshController::PictureRefreshController(Pictures &pictures, const CurrentWorkOrder &workOrder,
                                                   WorkOrderQuery &workOrderQuery, const ScaleValues &scale,
                                                   const DisplayOptions &options, LabelsController &labels,
                                                   const QSqlDatabase &db, Dataset &qryMeasure, Dataset &qryX,
                                                   Dialogs &dialogs,
                                                   const PictureRefreshWidgets &widgets, QObject *parent)
    : QObject(parent)
    , m_pictures(pictures)
    , m_workOrder(workOrder)
    , m_workOrderQuery(workOrderQuery)
    , m_scale(scale)
    , m_options(options)
    , m_labels(labels)
    , m_db(db)
    , m_qryMeasure(qryMeasure)
    , m_qryX(qryX)
    , m_dialogs(dialogs)
    , m_w(widgets)
{
    connect(m_w.bbtPictureRefresh, &QAbstractButton::clicked, this, &PictureRefreshController::bbtPictureRefreshClick);
    connect(m_w.SpeedButton7, &QAbstractButton::clicked, this, &PictureRefreshController::SpeedButton7Click);
}

void PictureRefreshController::bbtPictureRefreshClick()
{
    guarded(m_dialogs, m_w.window, [this] { RedrawPicture(); });
}

void PictureRefreshController::RedrawPicture()
{
    // The list goes back to the row it stood on, found again by its part and index.
    // A measurement without a part has an empty part number and is found again all the same.
    const bool onRow = m_qryMeasure.isOpen() && !m_qryMeasure.isEmpty();
    QVariantList key;
    if (onRow)
        key = {m_qryMeasure.field(QStringLiteral("RecID")), m_qryMeasure.field(QStringLiteral("OBJIndex"))};
    drawBackground();
    if (m_workOrder.isEmpty())
        return;
    const QVariantMap order = {{QStringLiteral("_OperNo"), m_workOrder.number()}};
    {
        // Every label is given anew: those of rows no longer stored are gone before the list is
        // read again, also when reading the rows fails.
        LabelsController::StoredLabels labels(m_labels);
        m_qryX.openWith(Sql::MeasureDraw, order);
        drawStoredRows(labels);
    }
    // The list is read once, after the renumbering, so it shows the numbers just posted.
    m_workOrderQuery.btQryOperNoClick();
    if (onRow && m_qryMeasure.isOpen())
        m_qryMeasure.locate({QStringLiteral("RecID"), QStringLiteral("OBJIndex")}, key, false);
}

void PictureRefreshController::drawBackground()
{
    // Restoring takes the crosshair off too: the picture under it is replaced.
    m_pictures.restoreClean();
    if (!m_options.photoHidden())
        return;
    m_pictures.draw([](Canvas &canvas) {
        const QSize size = canvas.size();
        const int right = size.width() - 1;
        const int bottom = size.height() - 1;
        canvas.fillRect(0, 0, size.width(), size.height(), White);
        canvas.setPen(Black);
        canvas.moveTo(0, 0);
        canvas.lineTo(right, 0);
        canvas.lineTo(right, bottom);
        canvas.lineTo(0, bottom);
        canvas.lineTo(0, 0);
    });
}

void PictureRefreshController::drawStoredRows(LabelsController::StoredLabels &labels)
{
    const LabelScale scale{m_scale.UnitFactor, m_scale.ScaleX, m_scale.ScaleY};
    const MarkOptions marks = markOptionsFor(LabelVariant::Screen, m_options.drawingColour());
    const int mode = m_options.labelDisplayMode();
    // One pass over the rows in their order; a failure stops it with the rows before drawn and the
    // numbering as it was.
    std::optional<Transaction> renumbering;
    m_pictures.draw([&](Canvas &canvas) {
        const MeasurementColumns columns(m_qryX);
        m_qryX.first();
        for (int i = 0; i < m_qryX.recordCount(); ++i, m_qryX.next()) {
            if (m_qryX.fieldAt(columns.rIndex).toInt() != i) {
                if (!renumbering)
                    renumbering.emplace(m_db);
                m_qryX.edit();
                m_qryX.setField(QStringLiteral("rIndex"), i);
                m_qryX.post();
            }
            const MeasurementObject row = measurementFromRow(m_qryX, columns);
            if (const StoredMarks drawn = drawStoredMarks(canvas, row, marks); drawn.circleFrame)
                m_w.Shape3->setGeometry(*drawn.circleFrame);
            labels.place(row, labelText(labelTexts(row, scale, LabelVariant::Screen), mode), i);
        }
    });
    if (renumbering)
        renumbering->commit();
}

void PictureRefreshController::SpeedButton7Click()
{
    guarded(m_dialogs, m_w.window, [this] {
        if (!m_qryMeasure.isOpen() || m_qryMeasure.isEmpty()) {
            m_dialogs.message(m_w.window, QStringLiteral("已經刪除全部量測記錄"));
            return;
        }
        deleteLastMeasurement();
        RedrawPicture();
    });
}

void PictureRefreshController::deleteLastMeasurement()
{
    m_qryMeasure.last();
    m_qryX.run(Sql::MeasureDelete, {{QStringLiteral("_OperNo"), m_qryMeasure.text(QStringLiteral("OperNo"))},
                                    {QStringLiteral("_RecID"), m_qryMeasure.text(QStringLiteral("RecID"))},
                                    {QStringLiteral("_OBJIndex"), m_qryMeasure.integer(QStringLiteral("OBJIndex"))}});
}
