#include "records/measurementstore.h"

#include "measure/measurementobject.h"
#include "records/dataset.h"
#include "records/sqlcatalogue.h"

namespace {

QString coordinateName(char axis, int i)
{
    return QStringLiteral("_%1%2").arg(QLatin1Char(axis)).arg(i + 1);
}

void bindGeometry(Dataset &scratch, const MeasurementObject &m)
{
    for (int i = 0; i < 8; ++i) {
        scratch.setParam(coordinateName('x', i), m.x[i]);
        scratch.setParam(coordinateName('y', i), m.y[i]);
    }
    for (int i = 0; i < 6; ++i)
        scratch.setParam(QStringLiteral("_Val%1").arg(i + 1), m.Val[i]);
}

void bindKey(Dataset &scratch, const QString &operNo, const QString &recId, int objIndex)
{
    scratch.setParam(QStringLiteral("_OperNo"), operNo);
    scratch.setParam(QStringLiteral("_RecID"), recId);
    scratch.setParam(QStringLiteral("_OBJIndex"), objIndex);
}

}  // namespace

int nextMeasurementIndex(Dataset &scratch, const QString &operNo, const QString &recId)
{
    scratch.close();
    scratch.clearParams();
    scratch.setSql(Sql::MeasureMaxIndex);
    scratch.setParam(QStringLiteral("_OperNo"), operNo);
    scratch.setParam(QStringLiteral("_RecID"), recId);
    scratch.open();
    const QVariant max = scratch.isEmpty() ? QVariant() : scratch.value(0, scratch.fieldNames().value(0));
    scratch.close();
    return max.toInt() + 1;
}

int insertMeasurement(Dataset &scratch, MeasurementObject &m)
{
    m.OBJIndex = nextMeasurementIndex(scratch, m.OperNo, m.RecID);
    scratch.clearParams();
    scratch.setSql(Sql::MeasureInsert);
    scratch.setParam(QStringLiteral("_OperNo"), m.OperNo);
    scratch.setParam(QStringLiteral("_RecID"), m.RecID);
    scratch.setParam(QStringLiteral("_RecName"), m.RecName);
    scratch.setParam(QStringLiteral("_OBJIndex"), m.OBJIndex);
    scratch.setParam(QStringLiteral("_AttribID"), m.AttribID);
    scratch.setParam(QStringLiteral("_Attrib"), m.Attrib);
    bindGeometry(scratch, m);
    scratch.setParam(QStringLiteral("_LabelX"), m.LabelX);
    scratch.setParam(QStringLiteral("_LabelY"), m.LabelY);
    scratch.setParam(QStringLiteral("_LabelSize"), m.LabelSize);
    scratch.setParam(QStringLiteral("_Color"), qint64(m.Color));
    scratch.setParam(QStringLiteral("_OBJNote"), m.OBJNote);
    scratch.setParam(QStringLiteral("_rIndex"), m.rIndex);
    scratch.setParam(QStringLiteral("_MeasureName"), m.MeasureName);
    scratch.execSql();
    return m.OBJIndex;
}

void updateMeasurement(Dataset &scratch, const MeasurementObject &m)
{
    scratch.close();
    scratch.clearParams();
    scratch.setSql(Sql::MeasureUpdate);
    bindGeometry(scratch, m);
    scratch.setParam(QStringLiteral("_OBJNote"), m.OBJNote);
    scratch.setParam(QStringLiteral("_MeasureName"), m.MeasureName);
    bindKey(scratch, m.OperNo, m.RecID, m.OBJIndex);
    scratch.execSql();
}

void storeLabelPlacement(Dataset &scratch, const QString &operNo, const QString &recId, int objIndex, int labelX,
                         int labelY, int labelSize, quint32 color)
{
    scratch.close();
    scratch.clearParams();
    scratch.setSql(Sql::MeasureLabel);
    scratch.setParam(QStringLiteral("_LabelX"), labelX);
    scratch.setParam(QStringLiteral("_LabelY"), labelY);
    scratch.setParam(QStringLiteral("_LabelSize"), labelSize);
    scratch.setParam(QStringLiteral("_Color"), qint64(color));
    bindKey(scratch, operNo, recId, objIndex);
    scratch.execSql();
}

void storeLabelNote(Dataset &scratch, const QString &operNo, const QString &recId, int objIndex,
                    const QString &note)
{
    scratch.close();
    scratch.clearParams();
    scratch.setSql(Sql::MeasureNoteFromLabel);
    scratch.setParam(QStringLiteral("_OBJNote"), note);
    bindKey(scratch, operNo, recId, objIndex);
    scratch.execSql();
}

MeasurementObject measurementFromRow(const Dataset &rows)
{
    MeasurementObject m;
    m.OperNo = rows.text(QStringLiteral("OperNo"));
    m.RecID = rows.text(QStringLiteral("RecID"));
    m.RecName = rows.text(QStringLiteral("RecName"));
    m.OBJIndex = rows.integer(QStringLiteral("OBJIndex"));
    m.AttribID = rows.integer(QStringLiteral("AttribID"));
    m.Attrib = rows.text(QStringLiteral("Attrib"));
    for (int i = 0; i < 8; ++i) {
        m.x[i] = rows.number(QStringLiteral("x%1").arg(i + 1));
        m.y[i] = rows.number(QStringLiteral("y%1").arg(i + 1));
    }
    for (int i = 0; i < 6; ++i)
        m.Val[i] = rows.number(QStringLiteral("Val%1").arg(i + 1));
    m.LabelX = rows.integer(QStringLiteral("LabelX"));
    m.LabelY = rows.integer(QStringLiteral("LabelY"));
    m.LabelSize = rows.integer(QStringLiteral("LabelSize"));
    m.Color = quint32(rows.field(QStringLiteral("Color")).toLongLong());
    m.OBJNote = rows.text(QStringLiteral("OBJNote"));
    m.MeasureName = rows.text(QStringLiteral("MeasureName"));
    m.rIndex = rows.integer(QStringLiteral("rIndex"));
    return m;
}
