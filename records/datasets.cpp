#include "records/datasets.h"

#include "records/sqlcatalogue.h"

namespace {

std::unique_ptr<Dataset> dataset(const char *name, const QSqlDatabase &db, const QStringList &sql = {})
{
    auto d = std::make_unique<Dataset>(QString::fromLatin1(name), db);
    if (!sql.isEmpty())
        d->setSql(sql);
    return d;
}

}  // namespace

Datasets::Datasets(const QSqlDatabase &db)
    : qryUnitSet(dataset("qryUnitSet", db, Sql::UnitGrid))
    , qryScaleSet(dataset("qryScaleSet", db, Sql::ScaleList))
    , qryTitle(dataset("qryTitle", db, Sql::TitleList))
    , qryMeasure(dataset("qryMeasure", db, Sql::MeasureAll))
    , qryProductData(dataset("qryProductData", db, Sql::ProductList))
    , qryPrdOBJ(dataset("qryPrdOBJ", db, Sql::PartGrid))
    , qryX(dataset("qryX", db))
    , qryY(dataset("qryY", db))
{
}
