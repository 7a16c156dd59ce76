#include "records/measurementlist.h"

#include <cmath>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "base/numberformat.h"
#include "base/numberparse.h"
#include "calibration/scalevalues.h"
#include "display/displayoptions.h"
#include "display/picturerefresh.h"
#include "output/exportfields.h"
#include "records/dataset.h"
#include "records/datasets.h"
#include "records/measurementrows.h"
#include "records/measurementstore.h"
#include "records/workorderquery.h"
#include "records/workorderscale.h"
#include "ui/dialogs.h"
#include "ui/grids.h"
#include "ui/guarded.h"
#include "ui/recordnavigator.h"
#include "ui/shape.h"

namespace {

QString readOut(double value)
{
    return formatFloat(QStringLiteral("0.000"), value);
}

DatasetColumn column(const char *field, const QString &title = QString())
{
    const QString name = QString::fromLatin1(field);
    return {name, title.isEmpty() ? name : title, QString(), {}};
}

// The fields of the measurement list, calculated when read: the kind's name and the three results
// with four decimals.
void addListColumns(Dataset &list)
{
    list.addCalculatedField(QStringLiteral("xAttribID"), [](const Dataset &d, int row) {
        const QVariant id = d.value(row, QStringLiteral("AttribID"));
        return QVariant(listKindName(id.isNull() ? std::nullopt : std::optional<qint32>(id.toInt())));
    });
    for (int i = 1; i <= 3; ++i) {
        const QString value = QStringLiteral("Val%1").arg(i + 3);
        list.addCalculatedField(QStringLiteral("xVal%1").arg(i), [value](const Dataset &d, int row) {
            return QVariant(listValueText(d.value(row, value).toDouble()));
        });
    }
    for (int i = 5; i <= 8; ++i) {
        for (QChar axis : {u'x', u'y'})
            list.addFetchAdjustment(axis + QString::number(i),
                                    [](const QVariant &v) { return QVariant(listRounded(v.toDouble())); });
    }
}

}  // namespace

MeasurementListController::MeasurementListController(WorkOrderQuery &workOrderQuery, WorkOrderScale &scale,
                                                     const ScaleValues &scaleValues, PictureRefresh &pictureRefresh,
                                                     LabelDisplayChoice &labelDisplay, const Datasets &datasets,
                                                     Dialogs &dialogs, const MeasurementListWidgets &widgets,
                                                     QObject *parent)
    : QObject(parent)
    , m_workOrderQuery(workOrderQuery)
    , m_scale(scale)
    , m_scaleValues(scaleValues)
    , m_pictureRefresh(pictureRefresh)
    , m_labelDisplay(labelDisplay)
    , m_d(datasets)
    , m_dialogs(dialogs)
    , m_w(widgets)
{
    Dataset &list = *m_d.qryMeasure;
    addListColumns(list);
    showDataset(m_w.dbgMeasure, list,
                {column("OBJIndex", QStringLiteral("序號")), column("MeasureName", QStringLiteral("名稱")),
                 column("xAttribID", QStringLiteral("屬性")), column("xVal1", QStringLiteral("量測值")),
                 column("RecID", QStringLiteral("零件編號")), column("OBJNote", QStringLiteral("說明"))},
                GridEditing::ReadOnly, m_dialogs, this);
    showDataset(m_w.dbgRecDetail, list,
                {column("OperNo", QStringLiteral("工單號碼")), column("OBJIndex", QStringLiteral("量測序號")),
                 column("xAttribID", QStringLiteral("量測名稱代號")), column("MeasureName", QStringLiteral("量測名稱")),
                 column("xVal1", QStringLiteral("距離/半徑")), column("xVal2", QStringLiteral("圓心X")),
                 column("xVal3", QStringLiteral("圓心Y")), column("x5"), column("y5"), column("x6"), column("y6"),
                 column("x7"), column("y7"), column("x8"), column("y8"), column("RecID", QStringLiteral("零件代號")),
                 column("RecName", QStringLiteral("零件名稱")), column("LabelX", QStringLiteral("X座標")),
                 column("LabelY", QStringLiteral("Y座標")), column("LabelSize", QStringLiteral("字型大小")),
                 column("Color", QStringLiteral("顏色")), column("rIndex", QStringLiteral("量測順序")),
                 column("AttribID", QStringLiteral("量測代號")), column("OBJNote", QStringLiteral("說明")),
                 column("x1"), column("y1"), column("x2"), column("y2"), column("x3"), column("y3"), column("x4"),
                 column("y4")},
                GridEditing::InPlace, m_dialogs, this);
    m_w.DBNavigator2->setDataset(list, m_dialogs);

    connect(&list, &Dataset::afterOpen, this, &MeasurementListController::qryMeasureAfterOpen);
    connect(&list, &Dataset::rowsInserted, this, &MeasurementListController::showCount);
    connect(&list, &Dataset::afterScroll, this, &MeasurementListController::qryMeasureAfterScroll);
    for (QPushButton *button : {m_w.btDelItem, m_w.BitBtn21})
        connect(button, &QPushButton::clicked, this, &MeasurementListController::btDelItemClick);
    for (QPushButton *button : {m_w.BitBtn24, m_w.bbtClearAll})
        connect(button, &QPushButton::clicked, this, &MeasurementListController::bbtClearAllClick);
    for (QPushButton *button : {m_w.bbtUpdate, m_w.BitBtn23})
        connect(button, &QPushButton::clicked, this, &MeasurementListController::bbtUpdateClick);
    connect(m_w.edNewOBJNote, &QLineEdit::returnPressed, this, &MeasurementListController::edNewOBJNoteKeyPress);
    connect(m_w.btUpdRec, &QPushButton::clicked, this, &MeasurementListController::btUpdRecClick);
}

void MeasurementListController::btDelItemClick()
{
    guarded(m_dialogs, m_w.window, [this] { deleteCurrent(); });
}

void MeasurementListController::bbtClearAllClick()
{
    guarded(m_dialogs, m_w.window, [this] { deleteAll(); });
}

void MeasurementListController::bbtUpdateClick()
{
    guarded(m_dialogs, m_w.window, [this] { storeNote(); });
}

void MeasurementListController::edNewOBJNoteKeyPress()
{
    guarded(m_dialogs, m_w.window, [this] {
        storeNote();
        m_labelDisplay.setLabelDisplayMode(5);
        m_pictureRefresh.RedrawPicture();
    });
}

void MeasurementListController::btUpdRecClick()
{
    guarded(m_dialogs, m_w.window, [this] { updateRecord(); });
}

bool MeasurementListController::hasCurrentRow() const
{
    const Dataset &list = *m_d.qryMeasure;
    return list.isOpen() && list.recNo() >= 0;
}

void MeasurementListController::deleteCurrent()
{
    // Without a row there is nothing to name: empty keys could match a stray row of an unnamed order.
    if (hasCurrentRow()) {
        const Dataset &list = *m_d.qryMeasure;
        deleteMeasurement(*m_d.qryX, list.text(QStringLiteral("OperNo")), list.text(QStringLiteral("RecID")),
                          list.integer(QStringLiteral("OBJIndex")));
    }
    m_workOrderQuery.btQryOperNoClick();
    m_pictureRefresh.RedrawPicture();
}

bool MeasurementListController::deleteAll()
{
    if (!m_dialogs.confirm(m_w.window, QStringLiteral("確定要刪除這張工單所有資料嗎？!!"), QStringLiteral("確認"),
                           Dialogs::Icon::Error))
        return false;
    if (hasCurrentRow())
        deleteMeasurements(*m_d.qryX, m_d.qryMeasure->text(QStringLiteral("OperNo")));
    m_workOrderQuery.btQryOperNoClick();
    return true;
}

void MeasurementListController::storeNote()
{
    Dataset &list = *m_d.qryMeasure;
    if (!hasCurrentRow())
        return;
    const QVariant recId = list.field(QStringLiteral("RecID"));
    const QVariant objIndex = list.field(QStringLiteral("OBJIndex"));
    storeListNote(*m_d.qryX, list.text(QStringLiteral("OperNo")), recId.toString(), objIndex.toInt(),
                  m_w.edNewOBJNote->text());
    m_workOrderQuery.btQryOperNoClick();
    if (list.isOpen())
        list.locate({QStringLiteral("RecID"), QStringLiteral("OBJIndex")}, {recId, objIndex}, true);
}

void MeasurementListController::updateRecord()
{
    if (!hasCurrentRow())
        return;
    const Dataset &list = *m_d.qryMeasure;
    // The keys and the name are the row's own; the pixel values are those it showed.
    MeasurementObject m = measurementFromRow(list);
    for (std::size_t i = 0; i < 4; ++i) {
        m.x[i] = m_shown.x[i];
        m.y[i] = m_shown.y[i];
    }
    for (std::size_t i = 0; i < 3; ++i)
        m.Val[i] = m_shown.Val[i];

    // Everything is read before anything is written: one field that is not a number writes nothing.
    const auto read = [](QLineEdit *field) {
        if (field->text().isEmpty())
            field->setText(QStringLiteral("0"));
        const ParsedNumber<double> parsed = parseFloat(field->text());
        if (!parsed.ok())
            throw ProgramError(parsed.error);
        return parsed.value;
    };
    const double factor = m_scaleValues.UnitFactor;
    for (std::size_t i = 0; i < 4; ++i) {
        m.x[4 + i] = read(m_w.points[2 * i]) / factor;
        m.y[4 + i] = read(m_w.points[2 * i + 1]) / factor;
    }
    const bool degrees = resultCaptions(m.AttribID).degrees;
    for (std::size_t i = 0; i < 3; ++i)
        m.Val[3 + i] = read(m_w.results[i]) / (i == 0 && degrees ? 1.0 : factor);
    m.OBJNote = m_w.edOBJNote->text();
    updateMeasurement(*m_d.qryX, m);
    m_workOrderQuery.btQryOperNoClick();
}

void MeasurementListController::qryMeasureAfterOpen()
{
    showCount();
}

void MeasurementListController::showCount()
{
    m_w.lbRecCount->setText(QStringLiteral("共(%1)筆").arg(m_d.qryMeasure->recordCount()));
}

void MeasurementListController::qryMeasureAfterScroll()
{
    if (!hasCurrentRow())
        return;
    const Dataset &titles = *m_d.qryTitle;
    // Only the scale the list's own work order recorded; another order's would mismeasure it.
    if (titles.isOpen() && !titles.isEmpty()
        && titles.text(QStringLiteral("OperNo")) == m_d.qryMeasure->text(QStringLiteral("OperNo")))
        m_scale.useWorkOrderScale(titles.number(QStringLiteral("ScaleX")), titles.number(QStringLiteral("ScaleY")));

    m_shown = measurementFromRow(*m_d.qryMeasure);
    const MeasurementObject &m = m_shown;
    if (const std::optional<QPointF> at = referencePoint(m.AttribID, m)) {
        Shape *dot = m_w.spRedPoint;
        dot->move(int(std::trunc(at->x() - dot->width() / 2.0)), int(std::trunc(at->y() - dot->height() / 2.0)));
    }

    const double factor = m_scaleValues.UnitFactor;
    for (std::size_t i = 0; i < 4; ++i) {
        m_w.points[2 * i]->setText(readOut(m.x[4 + i] * factor));
        m_w.points[2 * i + 1]->setText(readOut(m.y[4 + i] * factor));
    }
    const ResultCaptions captions = resultCaptions(m.AttribID);
    // An angle is in degrees: the display unit does not apply to it.
    m_w.results[0]->setText(readOut(m.Val[3] * (captions.degrees ? 1.0 : factor)));
    m_w.results[1]->setText(readOut(m.Val[4] * factor));
    m_w.results[2]->setText(readOut(m.Val[5] * factor));

    const QString unit = m_scale.displayUnitName();
    for (QLabel *caption : m_w.pointUnits)
        caption->setText(unit);
    m_w.resultUnits[0]->setText(captions.degrees ? QStringLiteral("°") : unit);
    m_w.resultUnits[1]->setText(unit);
    m_w.resultUnits[2]->setText(unit);
    m_w.resultCaptions[0]->setText(captions.first);
    if (captions.second)
        m_w.resultCaptions[1]->setText(*captions.second);
    if (captions.third)
        m_w.resultCaptions[2]->setText(*captions.third);

    m_w.edOBJNote->setText(m.OBJNote);
    m_w.edNewOBJNote->setText(m.OBJNote);
}
