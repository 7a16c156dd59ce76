#include "records/products.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "records/catalogue.h"
#include "records/currentpart.h"
#include "records/dataset.h"
#include "records/datasets.h"
#include "records/sqlcatalogue.h"
#include "ui/dialogs.h"
#include "ui/grids.h"
#include "ui/guarded.h"

namespace {

const QString ProductID = QStringLiteral("ProductID");
const QString RecID = QStringLiteral("RecID");

// The current row's text, empty when the dataset is closed or has no rows.
QString currentText(const Dataset &dataset, const QString &field)
{
    return dataset.isOpen() && !dataset.isEmpty() ? dataset.text(field) : QString();
}

void fillPair(QComboBox *ids, QComboBox *names, const std::vector<CatalogueEntry> &entries)
{
    QStringList idTexts, nameTexts;
    for (const CatalogueEntry &e : entries) {
        idTexts << e.id;
        nameTexts << e.name;
    }
    for (auto [list, texts] : {std::pair{ids, &idTexts}, {names, &nameTexts}}) {
        const QSignalBlocker quiet(list);
        list->clear();
        list->addItems(*texts);
    }
}

bool yes(Dialogs &dialogs, QWidget *host, const QString &question)
{
    return dialogs.confirm(host, question, QStringLiteral("確認"), Dialogs::Icon::Error);
}

}  // namespace

ProductsController::ProductsController(CurrentPart &part, const Datasets &datasets, Dialogs &dialogs,
                                       const ProductPanelWidgets &panel, const ProductGridWidgets &grids,
                                       QObject *parent)
    : QObject(parent)
    , m_part(part)
    , m_d(datasets)
    , m_dialogs(dialogs)
    , m_p(panel)
    , m_g(grids)
    , m_host(grids.DBGrid3->window())
{
    showDataset(m_g.DBGrid3, *m_d.qryProductData,
                {{ProductID, QStringLiteral("產品編號"), QString(), {}},
                 {QStringLiteral("ProductName"), QStringLiteral("產品名稱"), QString(), {}}},
                GridEditing::ReadOnly, m_dialogs, this);
    showDataset(m_g.DBGrid4, *m_d.qryPrdOBJ,
                {{RecID, QStringLiteral("零件編號"), QString(), {}},
                 {QStringLiteral("RecName"), QStringLiteral("零件名稱"), QString(), {}}},
                GridEditing::ReadOnly, m_dialogs, this);

    connect(m_p.cbProductID, &QComboBox::activated, this, &ProductsController::cbProductIDChange);
    connect(m_p.cbProductName, &QComboBox::activated, this, &ProductsController::cbProductNameChange);
    connect(m_p.cbOBJID, &QComboBox::activated, this, &ProductsController::cbOBJIDChange);
    connect(m_p.cbOBJName, &QComboBox::activated, this, &ProductsController::cbOBJNameChange);
    // The part is what the lists show, chosen or typed.
    connect(m_p.cbOBJID, &QComboBox::currentTextChanged, this, [this](const QString &id) { m_part.RecID = id; });
    connect(m_p.cbOBJName, &QComboBox::currentTextChanged, this, [this](const QString &name) { m_part.RecName = name; });

    for (auto [button, slot] : {std::pair{m_p.BitBtn15, &ProductsController::BitBtn15Click},
                                {m_p.BitBtn25, &ProductsController::BitBtn25Click},
                                {m_g.btAddPackage, &ProductsController::btAddPackageClick},
                                {m_g.btUpdPackage, &ProductsController::btUpdPackageClick},
                                {m_g.btDelPackage, &ProductsController::btDelPackageClick},
                                {m_g.BitBtn3, &ProductsController::BitBtn3Click},
                                {m_g.BitBtn5, &ProductsController::BitBtn5Click},
                                {m_g.BitBtn4, &ProductsController::BitBtn4Click},
                                {m_g.BitBtn17, &ProductsController::BitBtn17Click},
                                {m_g.BitBtn1, &ProductsController::BitBtn1Click}})
        connect(button, &QPushButton::clicked, this, slot);

    Dataset *products = m_d.qryProductData.get();
    Dataset *parts = m_d.qryPrdOBJ.get();
    connect(products, &Dataset::afterOpen, this, &ProductsController::qryProductDataAfterOpen);
    connect(products, &Dataset::afterScroll, this, &ProductsController::qryProductDataAfterScroll);
    connect(parts, &Dataset::afterOpen, this, &ProductsController::qryPrdOBJAfterOpen);
    connect(parts, &Dataset::afterScroll, this, &ProductsController::qryPrdOBJAfterScroll);
}

void ProductsController::fillProductLists()
{
    const std::vector<CatalogueEntry> products = allProducts(*m_d.qryY);
    fillPair(m_p.cbProductID, m_p.cbProductName, products);
    m_p.lbProductCount->setText(QStringLiteral("產品共(%1)筆").arg(products.size()));
    selectPair(m_p.cbProductID, m_p.cbProductName, products.empty() ? -1 : 0);
    productChosen();
}

void ProductsController::openProductGrid()
{
    m_d.qryProductData->close();
    m_d.qryProductData->open();
}

void ProductsController::selectPair(QComboBox *a, QComboBox *b, int index)
{
    a->setCurrentIndex(index);
    b->setCurrentIndex(index);
}

void ProductsController::cbProductIDChange()
{
    guarded(m_dialogs, m_host, [this] {
        m_p.cbProductName->setCurrentIndex(m_p.cbProductID->currentIndex());
        productChosen();
    });
}

void ProductsController::cbProductNameChange()
{
    guarded(m_dialogs, m_host, [this] {
        m_p.cbProductID->setCurrentIndex(m_p.cbProductName->currentIndex());
        productChosen();
    });
}

void ProductsController::productChosen()
{
    const std::vector<CatalogueEntry> parts = partsOfProduct(*m_d.qryY, m_p.cbProductID->currentText());
    fillPair(m_p.cbOBJID, m_p.cbOBJName, parts);
    m_p.lbOBJCount->setText(QStringLiteral("物件共(%1)筆").arg(parts.size()));
    selectPair(m_p.cbOBJID, m_p.cbOBJName, parts.empty() ? -1 : 0);
    // Refilled quietly, the lists announce their texts here, so the part follows them.
    m_part.RecID = m_p.cbOBJID->currentText();
    m_part.RecName = m_p.cbOBJName->currentText();
}

void ProductsController::cbOBJIDChange()
{
    guarded(m_dialogs, m_host, [this] { partChosen(m_p.cbOBJID->currentIndex()); });
}

void ProductsController::cbOBJNameChange()
{
    guarded(m_dialogs, m_host, [this] { partChosen(m_p.cbOBJName->currentIndex()); });
}

void ProductsController::partChosen(int index)
{
    selectPair(m_p.cbOBJID, m_p.cbOBJName, index);
    m_p.edOBJID->setText(m_p.cbOBJID->currentText());
    m_p.edOBJName->setText(m_p.cbOBJName->currentText());
}

bool ProductsController::refused(bool refuse, const QString &message, QLineEdit *field)
{
    if (!refuse)
        return false;
    m_dialogs.message(m_host, message.arg(field->text()));
    field->setFocus();
    return true;
}

void ProductsController::BitBtn15Click()
{
    guarded(m_dialogs, m_host, [this] { addPartFromMeasuringPage(); });
}

void ProductsController::BitBtn25Click()
{
    guarded(m_dialogs, m_host, [this] { deletePartFromMeasuringPage(); });
}

void ProductsController::btAddPackageClick()
{
    guarded(m_dialogs, m_host, [this] { addProduct(); });
}

void ProductsController::btUpdPackageClick()
{
    guarded(m_dialogs, m_host, [this] { updateProduct(); });
}

void ProductsController::btDelPackageClick()
{
    guarded(m_dialogs, m_host, [this] { deleteProduct(); });
}

void ProductsController::BitBtn3Click()
{
    guarded(m_dialogs, m_host, [this] { addPart(); });
}

void ProductsController::BitBtn5Click()
{
    guarded(m_dialogs, m_host, [this] { updatePart(); });
}

void ProductsController::BitBtn4Click()
{
    guarded(m_dialogs, m_host, [this] { deletePart(); });
}

void ProductsController::BitBtn17Click()
{
    guarded(m_dialogs, m_host, [this] { refreshProductGrid(); });
}

void ProductsController::BitBtn1Click()
{
    guarded(m_dialogs, m_host, [this] { refreshPartGrid(); });
}

void ProductsController::addPartFromMeasuringPage()
{
    const QString product = m_p.cbProductID->currentText();
    if (refused(partExists(*m_d.qryX, product, m_p.edOBJID->text()), QStringLiteral("零件(%1)已存在!!"), m_p.edOBJID))
        return;
    insertPart(*m_d.qryX, product, m_p.edOBJID->text(), m_p.edOBJName->text());
    refreshPartGrid();
}

void ProductsController::deletePartFromMeasuringPage()
{
    const QString part = m_p.edOBJID->text();
    if (!yes(m_dialogs, m_host, QStringLiteral("確定要刪除物件資料(%1)嗎？!!").arg(part)))
        return;
    ::deletePart(*m_d.qryX, m_p.cbProductID->currentText(), part, CataloguePage::Measuring);
    refreshPartGrid();
}

void ProductsController::addProduct()
{
    if (refused(productExists(*m_d.qryX, m_g.edProductID->text()), QStringLiteral("產品(%1)已存在!!"), m_g.edProductID))
        return;
    insertProduct(*m_d.qryX, m_g.edProductID->text(), m_g.edProductName->text());
    refreshProductGrid();
}

void ProductsController::updateProduct()
{
    if (refused(!productExists(*m_d.qryX, m_g.edProductID->text()), QStringLiteral("產品(%1)不存在!!"), m_g.edProductID))
        return;
    ::updateProduct(*m_d.qryX, m_g.edProductID->text(), m_g.edProductName->text());
    refreshProductGrid();
}

void ProductsController::deleteProduct()
{
    if (m_d.qryProductData->recNo() < 0)
        return;
    const QString product = gridProduct();
    if (!yes(m_dialogs, m_host, QStringLiteral("確定要刪除產品資料(%1)嗎？!!").arg(product)))
        return;
    ::deleteProduct(*m_d.qryX, product);
    refreshProductGrid();
}

void ProductsController::addPart()
{
    const QString product = gridProduct();
    if (refused(partExists(*m_d.qryX, product, m_g.edRecID->text()), QStringLiteral("零件(%1)已存在!!"), m_g.edRecID))
        return;
    insertPart(*m_d.qryX, product, m_g.edRecID->text(), m_g.edRecName->text());
    refreshPartGrid();
}

void ProductsController::updatePart()
{
    const QString product = gridProduct();
    if (refused(!partExists(*m_d.qryX, product, m_g.edRecID->text()), QStringLiteral("物件(%1)不存在!!"), m_g.edRecID))
        return;
    ::updatePart(*m_d.qryX, product, m_g.edRecID->text(), m_g.edRecName->text());
    refreshPartGrid();
}

void ProductsController::deletePart()
{
    // The part deleted is the one the question names: the part grid's current row, whatever the
    // number field holds by now.
    if (m_d.qryPrdOBJ->recNo() < 0)
        return;
    const QString part = currentText(*m_d.qryPrdOBJ, RecID);
    if (!yes(m_dialogs, m_host, QStringLiteral("確定要刪除物件資料(%1)嗎？!!").arg(part)))
        return;
    ::deletePart(*m_d.qryX, gridProduct(), part, CataloguePage::Maintenance);
    refreshPartGrid();
}

QString ProductsController::gridProduct() const
{
    return currentText(*m_d.qryProductData, ProductID);
}

void ProductsController::refreshProductGrid()
{
    const QString product = gridProduct();
    m_d.qryProductData->close();
    m_d.qryProductData->open();
    m_d.qryProductData->locate(ProductID, product);
}

void ProductsController::refreshPartGrid()
{
    m_d.qryPrdOBJ->openWith(Sql::PartGrid, {{QStringLiteral("_ProductID"), gridProduct()}});
}

void ProductsController::qryProductDataAfterOpen()
{
    m_g.lbProductDataCount->setText(QStringLiteral("共(%1)筆").arg(m_d.qryProductData->recordCount()));
    productChosen();
}

void ProductsController::qryProductDataAfterScroll()
{
    m_g.edProductID->setText(gridProduct());
    m_g.edProductName->setText(currentText(*m_d.qryProductData, QStringLiteral("ProductName")));
    refreshPartGrid();
}

void ProductsController::qryPrdOBJAfterOpen()
{
    m_g.lbPrdOBJCount->setText(QStringLiteral("共(%1)筆").arg(m_d.qryPrdOBJ->recordCount()));
    productChosen();
}

void ProductsController::qryPrdOBJAfterScroll()
{
    m_g.edRecID->setText(currentText(*m_d.qryPrdOBJ, RecID));
    m_g.edRecName->setText(currentText(*m_d.qryPrdOBJ, QStringLiteral("RecName")));
}
