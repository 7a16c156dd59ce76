#include "records/measurementstore.h"

#include "records/dataset.h"
#include "records/measurementobject.h"
#include "records/sqlcatalogue.h"

namespace {

QString coordinateName(char axis, int i)
{
    return QStringLiteral("_%1%2").arg(QLatin1Char(axis)).arg(i + 1);
}

void addGeometry(QVariantMap &params, const MeasurementObject &m)
{
    for (int i = 0; i < 8; ++i) {
        params.insert(coordinateName('x', i), m.x[i]);
        params.insert(coordinateName('y', i), m.y[i]);
    }
    for (int i = 0; i < 6; ++i)
        params.insert(QStringLiteral("_Val%1").arg(i + 1), m.Val[i]);
}

QVariantMap key(const QString &operNo, const QString &recId, int objIndex)
{
    return {{QStringLiteral("_OperNo"), operNo}, {QStringLiteral("_RecID"), recId},
            {QStringLiteral("_OBJIndex"), objIndex}};
}

}  // namespace

int nextMeasurementIndex(Dataset &scratch, const QString &operNo, const QString &recId)
{
    scratch.openWith(Sql::MeasureMaxIndex, {{QStringLiteral("_OperNo"), operNo}, {QStringLiteral("_RecID"), recId}});
    const QVariant max = scratch.isEmpty() ? QVariant() : scratch.fieldAt(0);
    scratch.close();
    return max.toInt() + 1;
}

void insertMeasurement(Dataset &scratch, const MeasurementObject &m)
{
    QVariantMap params = {{QStringLiteral("_OperNo"), m.OperNo},
                          {QStringLiteral("_RecID"), m.RecID},
                          {QStringLiteral("_RecName"), m.RecName},
                          {QStringLiteral("_OBJIndex"), m.OBJIndex},
                          {QStringLiteral("_AttribID"), m.AttribID},
                          {QStringLiteral("_Attrib"), m.Attrib},
                          {QStringLiteral("_LabelX"), m.LabelX},
                          {QStringLiteral("_LabelY"), m.LabelY},
                          {QStringLiteral("_LabelSize"), m.LabelSize},
                          {QStringLiteral("_Color"), qint64(m.Color)},
                          {QStringLiteral("_OBJNote"), m.OBJNote},
                          {QStringLiteral("_rIndex"), m.rIndex},
                          {QStringLiteral("_MeasureName"), m.MeasureName}};
    addGeometry(params, m);
    scratch.run(Sql::MeasureInsert, params);
}

void updateMeasurement(Dataset &scratch, const MeasurementObject &m)
{
    QVariantMap params = key(m.OperNo, m.RecID, m.OBJIndex);
    addGeometry(params, m);
    params.insert(QStringLiteral("_OBJNote"), m.OBJNote);
    params.insert(QStringLiteral("_MeasureName"), m.MeasureName);
    scratch.run(Sql::MeasureUpdate, params);
}

void storeLabelPlacement(Dataset &scratch, const QString &operNo, const QString &recId, int objIndex, int labelX,
                         int labelY, int labelSize, quint32 color)
{
    QVariantMap params = key(operNo, recId, objIndex);
    params.insert(QStringLiteral("_LabelX"), labelX);
    params.insert(QStringLiteral("_LabelY"), labelY);
    params.insert(QStringLiteral("_LabelSize"), labelSize);
    params.insert(QStringLiteral("_Color"), qint64(color));
    scratch.run(Sql::MeasureLabel, params);
}

void storeLabelNote(Dataset &scratch, const QString &operNo, const QString &recId, int objIndex,
                    const QString &note)
{
    QVariantMap params = key(operNo, recId, objIndex);
    params.insert(QStringLiteral("_OBJNote"), note);
    scratch.run(Sql::MeasureNoteFromLabel, params);
}

void storeListNote(Dataset &scratch, const QString &operNo, const QString &recId, int objIndex, const QString &note)
{
    QVariantMap params = key(operNo, recId, objIndex);
    params.insert(QStringLiteral("_OBJNote"), note);
    scratch.run(Sql::MeasureNoteFromList, params);
}

void deleteMeasurement(Dataset &scratch, const QString &operNo, const QString &recId, int objIndex)
{
    scratch.run(Sql::MeasureDelete, key(operNo, recId, objIndex));
}

void deleteMeasurements(Dataset &scratch, const QString &operNo)
{
    scratch.run(Sql::MeasureDeleteOrder, {{QStringLiteral("_OperNo"), operNo}});
}

MeasurementColumns::MeasurementColumns(const Dataset &rows)
{
    const auto column = [&rows](const QString &name) {
        const int index = rows.fieldIndex(name);
        if (index < 0)
            throw DatabaseError(QStringLiteral("Field '%1' not found").arg(name));
        return index;
    };
    OperNo = column(QStringLiteral("OperNo"));
    RecID = column(QStringLiteral("RecID"));
    RecName = column(QStringLiteral("RecName"));
    OBJIndex = column(QStringLiteral("OBJIndex"));
    AttribID = column(QStringLiteral("AttribID"));
    Attrib = column(QStringLiteral("Attrib"));
    for (int i = 0; i < 8; ++i) {
        x[i] = column(QStringLiteral("x%1").arg(i + 1));
        y[i] = column(QStringLiteral("y%1").arg(i + 1));
    }
    for (int i = 0; i < 6; ++i)
        Val[i] = column(QStringLiteral("Val%1").arg(i + 1));
    LabelX = column(QStringLiteral("LabelX"));
    LabelY = column(QStringLiteral("LabelY"));
    LabelSize = column(QStringLiteral("LabelSize"));
    Color = column(QStringLiteral("Color"));
    OBJNote = column(QStringLiteral("OBJNote"));
    MeasureName = column(QStringLiteral("MeasureName"));
    rIndex = column(QStringLiteral("rIndex"));
}

MeasurementObject measurementFromRow(const Dataset &rows)
{
    return measurementFromRow(rows, MeasurementColumns(rows));
}

MeasurementObject measurementFromRow(const Dataset &rows, const MeasurementColumns &c)
{
    const auto at = [&rows](int column) { return rows.fieldAt(column); };
    MeasurementObject m;
    m.OperNo = at(c.OperNo).toString();
    m.RecID = at(c.RecID).toString();
    m.RecName = at(c.RecName).toString();
    m.OBJIndex = at(c.OBJIndex).toInt();
    m.AttribID = at(c.AttribID).toInt();
    m.Attrib = at(c.Attrib).toString();
    for (int i = 0; i < 8; ++i) {
        m.x[std::size_t(i)] = at(c.x[i]).toDouble();
        m.y[std::size_t(i)] = at(c.y[i]).toDouble();
    }
    for (int i = 0; i < 6; ++i)
        m.Val[std::size_t(i)] = at(c.Val[i]).toDouble();
    m.LabelX = at(c.LabelX).toInt();
    m.LabelY = at(c.LabelY).toInt();
    m.LabelSize = at(c.LabelSize).toInt();
    m.Color = quint32(at(c.Color).toLongLong());
    m.OBJNote = at(c.OBJNote).toString();
    m.MeasureName = at(c.MeasureName).toString();
    m.rIndex = at(c.rIndex).toInt();
    return m;
}
