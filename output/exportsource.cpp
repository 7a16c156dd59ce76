#include "output/exportsource.h"

#include <utility>

#include "records/dataset.h"
#include "records/measurementobject.h"
#include "records/measurementstore.h"
#include "records/sqlcatalogue.h"

namespace {

QVariantMap orderParams(const QString &operNo)
{
    return {{QStringLiteral("_OperNo"), operNo}};
}

ExportRow exportRow(const MeasurementObject &m, bool attribIdNull)
{
    ExportRow r;
    r.OperNo = m.OperNo;
    r.RecID = m.RecID;
    r.RecName = m.RecName;
    r.MeasureName = m.MeasureName;
    r.OBJIndex = m.OBJIndex;
    if (!attribIdNull)
        r.AttribID = m.AttribID;
    r.Attrib = m.Attrib;
    r.x = m.x;
    r.y = m.y;
    r.Val = m.Val;
    r.LabelX = m.LabelX;
    r.LabelY = m.LabelY;
    r.LabelSize = m.LabelSize;
    r.Color = m.Color;
    r.OBJNote = m.OBJNote;
    r.rIndex = m.rIndex;
    return r;
}

// Every measurement row of the work order the statement selects, each made into what the caller keeps.
template <class Make>
auto readOrderRows(Dataset &scratch, const QStringList &statement, const QString &operNo, Make make)
{
    scratch.openWith(statement, orderParams(operNo));
    QList<decltype(make(std::declval<const MeasurementColumns &>()))> rows;
    rows.reserve(scratch.recordCount());
    const MeasurementColumns columns(scratch);
    scratch.first();
    for (int i = 0; i < scratch.recordCount(); ++i, scratch.next())
        rows << make(columns);
    return rows;
}

}  // namespace

ExportTitle readExportTitle(Dataset &scratch, const QString &operNo)
{
    ExportTitle t;
    t.OperNo = operNo;
    scratch.openWith(Sql::TitleExists, orderParams(operNo));
    if (scratch.isEmpty())
        return t;
    t.mIndex = scratch.integer(QStringLiteral("mIndex"));
    t.OperNo = scratch.text(QStringLiteral("OperNo"));
    t.OperName = scratch.text(QStringLiteral("OperName"));
    t.OperatorID = scratch.text(QStringLiteral("OperatorID"));
    t.OperatorName = scratch.text(QStringLiteral("OperatorName"));
    t.PicFullName = scratch.text(QStringLiteral("PicFullName"));
    t.UnitName = scratch.text(QStringLiteral("UnitName"));
    t.ScaleName = scratch.text(QStringLiteral("ScaleName"));
    t.ScaleX = scratch.number(QStringLiteral("ScaleX"));
    t.ScaleY = scratch.number(QStringLiteral("ScaleY"));
    return t;
}

QList<ExportRow> readExportRows(Dataset &scratch, const QString &operNo)
{
    return readOrderRows(scratch, Sql::MeasureList, operNo, [&](const MeasurementColumns &columns) {
        return exportRow(measurementFromRow(scratch, columns), scratch.fieldAt(columns.AttribID).isNull());
    });
}

QList<MeasurementObject> readDrawnMeasurements(Dataset &scratch, const QString &operNo)
{
    return readOrderRows(scratch, Sql::MeasureDraw, operNo,
                         [&](const MeasurementColumns &columns) { return measurementFromRow(scratch, columns); });
}

void storePictureName(Dataset &qryTitle, Dataset &scratch, const QString &operNo, const QString &pictureName)
{
    if (qryTitle.isOpen() && !qryTitle.isEmpty()
        && qryTitle.text(QStringLiteral("OperNo")).compare(operNo, Qt::CaseInsensitive) == 0) {
        qryTitle.edit();
        qryTitle.setField(QStringLiteral("PicFullName"), pictureName);
        qryTitle.post();
        return;
    }
    scratch.run(Sql::TitlePicture, {{QStringLiteral("_OperNo"), operNo}, {QStringLiteral("_PicFullName"), pictureName}});
}
