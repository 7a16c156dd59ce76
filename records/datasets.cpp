#include "records/datasets.h"

#include "records/dataset.h"
#include "records/sqlcatalogue.h"

Datasets createDatasets(const QSqlDatabase &db, QObject *parent)
{
    Datasets d;
    d.qryUnitSet = new Dataset(QStringLiteral("qryUnitSet"), db, parent);
    d.qryUnitSet->setSql(Sql::UnitGrid);
    d.qryScaleSet = new Dataset(QStringLiteral("qryScaleSet"), db, parent);
    d.qryScaleSet->setSql(Sql::ScaleList);
    d.qryTitle = new Dataset(QStringLiteral("qryTitle"), db, parent);
    d.qryTitle->setSql(Sql::TitleList);
    d.qryMeasure = new Dataset(QStringLiteral("qryMeasure"), db, parent);
    d.qryMeasure->setSql(Sql::MeasureAll);
    d.qryProductData = new Dataset(QStringLiteral("qryProductData"), db, parent);
    d.qryProductData->setSql(Sql::ProductList);
    d.qryPrdOBJ = new Dataset(QStringLiteral("qryPrdOBJ"), db, parent);
    d.qryPrdOBJ->setSql(Sql::PartGrid);
    d.qryX = new Dataset(QStringLiteral("qryX"), db, parent);
    d.qryY = new Dataset(QStringLiteral("qryY"), db, parent);
    return d;
}
