#include "output/exportsource.h"

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
    scratch.openWith(Sql::MeasureList, orderParams(operNo));
    QList<ExportRow> rows;
    rows.reserve(scratch.recordCount());
    const MeasurementColumns columns(scratch);
    scratch.first();
    for (int i = 0; i < scratch.recordCount(); ++i, scratch.next())
        rows << exportRow(measurementFromRow(scratch, columns), scratch.fieldAt(columns.AttribID).isNull());
    return rows;
}

QList<MeasurementObject> readDrawnMeasurements(Dataset &scratch, const QString &operNo)
{
    scratch.openWith(Sql::MeasureDraw, orderParams(operNo));
    QList<MeasurementObject> rows;
    rows.reserve(scratch.recordCount());
    const MeasurementColumns columns(scratch);
    scratch.first();
    for (int i = 0; i < scratch.recordCount(); ++i, scratch.next())
        rows << measurementFromRow(scratch, columns);
    return rows;
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
