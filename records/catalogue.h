#pragma once

#include <vector>

#include <QString>

class Dataset;

// The product and part catalogue (ProductData, PrdOBJ), on the scratch datasets the window lends.
// A product is identified by its ProductID, a part by its product and its RecID. Every function
// throws DatabaseError with the engine's words when a statement fails.

// One entry of a catalogue list: a product (ProductID, ProductName) or a part (RecID, RecName).
struct CatalogueEntry {
    QString id;
    QString name;
    friend bool operator==(const CatalogueEntry &, const CatalogueEntry &) = default;
};

// Every product, in ProductID order.
[[nodiscard]] std::vector<CatalogueEntry> allProducts(Dataset &scratch);
// The parts of a product, in RecID order.
[[nodiscard]] std::vector<CatalogueEntry> partsOfProduct(Dataset &scratch, const QString &productId);

[[nodiscard]] bool productExists(Dataset &scratch, const QString &productId);
void insertProduct(Dataset &scratch, const QString &productId, const QString &productName);
void updateProduct(Dataset &scratch, const QString &productId, const QString &productName);
// Deletes the product, then its parts in a second statement. Measurements naming them stay.
void deleteProduct(Dataset &scratch, const QString &productId);

[[nodiscard]] bool partExists(Dataset &scratch, const QString &productId, const QString &recId);
void insertPart(Dataset &scratch, const QString &productId, const QString &recId, const QString &recName);
void updatePart(Dataset &scratch, const QString &productId, const QString &recId, const QString &recName);

// The two pages send the part delete each in its own words.
enum class CataloguePage { Measuring, Maintenance };
void deletePart(Dataset &scratch, const QString &productId, const QString &recId, CataloguePage from);
