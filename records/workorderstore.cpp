#include "records/workorderstore.h"

#include "records/dataset.h"
#include "records/sqlcatalogue.h"

void deleteWorkOrder(Dataset &scratch, const QString &operNo)
{
    const QVariantMap number = {{QStringLiteral("_OperNo"), operNo}};
    scratch.run(Sql::MeasureDeleteOrder, number);
    scratch.run(Sql::TitleDelete, number);
}

void insertTitle(Dataset &scratch, const WorkOrderTitle &t)
{
    scratch.run(Sql::TitleInsert, {{QStringLiteral("_mIndex"), t.mIndex},
                                   {QStringLiteral("_OperNo"), t.OperNo},
                                   {QStringLiteral("_OperName"), t.OperName},
                                   {QStringLiteral("_OperatorID"), t.OperatorID},
                                   {QStringLiteral("_OperatorName"), t.OperatorName},
                                   {QStringLiteral("_PicFullName"), t.PicFullName},
                                   {QStringLiteral("_UnitName"), t.UnitName},
                                   {QStringLiteral("_ScaleName"), t.ScaleName},
                                   {QStringLiteral("_ScaleX"), t.ScaleX},
                                   {QStringLiteral("_ScaleY"), t.ScaleY}});
}

bool titleExists(Dataset &scratch, const QString &operNo)
{
    scratch.openWith(Sql::TitleExists, {{QStringLiteral("_OperNo"), operNo}});
    const bool exists = scratch.recordCount() >= 1;
    scratch.close();
    return exists;
}

void renameWorkOrder(Dataset &scratch, const QString &oldNumber, const WorkOrderTitle &t)
{
    scratch.run(Sql::MeasureRename, {{QStringLiteral("_NewOperNo"), t.OperNo}, {QStringLiteral("_OldOperNo"), oldNumber}});
    scratch.run(Sql::TitleRename, {{QStringLiteral("_NewOperNo"), t.OperNo},
                                   {QStringLiteral("_OperName"), t.OperName},
                                   {QStringLiteral("_OperatorID"), t.OperatorID},
                                   {QStringLiteral("_OperatorName"), t.OperatorName},
                                   {QStringLiteral("_PicFullName"), t.PicFullName},
                                   {QStringLiteral("_OldOperNo"), oldNumber}});
}

int nextTitleIndex(Dataset &scratch)
{
    scratch.openWith(Sql::TitleByIndex);
    int next = 1;
    if (!scratch.isEmpty()) {
        scratch.last();
        next = scratch.integer(QStringLiteral("mIndex")) + 1;
    }
    scratch.close();
    return next;
}
