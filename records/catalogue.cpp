#include "records/catalogue.h"

#include "records/dataset.h"
#include "records/sqlcatalogue.h"

namespace {

const QString ProductID = QStringLiteral("_ProductID");
const QString ProductName = QStringLiteral("_ProductName");
const QString RecID = QStringLiteral("_RecID");
const QString RecName = QStringLiteral("_RecName");

std::vector<CatalogueEntry> entries(const Dataset &rows, const QString &id, const QString &name)
{
    std::vector<CatalogueEntry> out;
    out.reserve(std::size_t(rows.recordCount()));
    for (int row = 0; row < rows.recordCount(); ++row)
        out.push_back({rows.value(row, id).toString(), rows.value(row, name).toString()});
    return out;
}

}  // namespace

std::vector<CatalogueEntry> allProducts(Dataset &scratch)
{
    scratch.openWith(Sql::ProductAll);
    return entries(scratch, QStringLiteral("ProductID"), QStringLiteral("ProductName"));
}

std::vector<CatalogueEntry> partsOfProduct(Dataset &scratch, const QString &productId)
{
    scratch.openWith(Sql::PartsOfProduct, {{ProductID, productId}});
    return entries(scratch, QStringLiteral("RecID"), QStringLiteral("RecName"));
}

bool productExists(Dataset &scratch, const QString &productId)
{
    scratch.openWith(Sql::ProductExists, {{ProductID, productId}});
    return scratch.recordCount() >= 1;
}

void insertProduct(Dataset &scratch, const QString &productId, const QString &productName)
{
    scratch.run(Sql::ProductInsert, {{ProductID, productId}, {ProductName, productName}});
}

void updateProduct(Dataset &scratch, const QString &productId, const QString &productName)
{
    scratch.run(Sql::ProductUpdate, {{ProductID, productId}, {ProductName, productName}});
}

void deleteProduct(Dataset &scratch, const QString &productId)
{
    scratch.run(Sql::ProductDelete, {{ProductID, productId}});
    scratch.run(Sql::ProductPartsDelete, {{ProductID, productId}});
}

bool partExists(Dataset &scratch, const QString &productId, const QString &recId)
{
    scratch.openWith(Sql::PartExists, {{ProductID, productId}, {RecID, recId}});
    return scratch.recordCount() >= 1;
}

void insertPart(Dataset &scratch, const QString &productId, const QString &recId, const QString &recName)
{
    scratch.run(Sql::PartInsert, {{ProductID, productId}, {RecID, recId}, {RecName, recName}});
}

void updatePart(Dataset &scratch, const QString &productId, const QString &recId, const QString &recName)
{
    scratch.run(Sql::PartUpdate, {{ProductID, productId}, {RecID, recId}, {RecName, recName}});
}

void deletePart(Dataset &scratch, const QString &productId, const QString &recId, CataloguePage from)
{
    scratch.run(from == CataloguePage::Measuring ? Sql::PartDeleteOnMeasurePage : Sql::PartDelete,
                {{ProductID, productId}, {RecID, recId}});
}
