// The product and part controls of the measuring page and of the table maintenance page.
#include "app/productpanels.h"

#include <initializer_list>
#include <tuple>

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "ui/widgets.h"

namespace {

using Button = std::tuple<QPushButton **, const char *, QString>;

QHBoxLayout *buttonRow(QWidget *parent, std::initializer_list<Button> buttons)
{
    auto *row = new QHBoxLayout;
    for (const auto &[button, name, caption] : buttons) {
        *button = named<QPushButton>(parent, name, caption);
        row->addWidget(*button);
    }
    return row;
}

QHBoxLayout *pairRow(QWidget *a, QWidget *b)
{
    auto *row = new QHBoxLayout;
    row->addWidget(a, 1);
    row->addWidget(b, 2);
    return row;
}

QComboBox *list(QWidget *parent, const char *name, bool editable)
{
    auto *box = named<QComboBox>(parent, name);
    box->setEditable(editable);
    box->setMinimumContentsLength(4);
    return box;
}

// One grid of the maintenance page: the count and the refresh button above, the grid, the fields.
struct GridColumn {
    QWidget *panel;
    QFormLayout *form;
};

GridColumn gridColumn(QWidget *host, const char *panelName, const char *gridName, QTableView *&grid,
                      const char *countName, QLabel *&count, const char *refreshName, QPushButton *&refresh)
{
    auto *panel = named<QWidget>(host, panelName);
    auto *layout = new QVBoxLayout(panel);
    auto *top = new QHBoxLayout;
    count = named<QLabel>(panel, countName, QStringLiteral("共(0)筆"));
    top->addWidget(count, 1);
    refresh = named<QPushButton>(panel, refreshName, QStringLiteral("資料重整"));
    top->addWidget(refresh);
    layout->addLayout(top);
    grid = named<QTableView>(panel, gridName);
    layout->addWidget(grid, 1);
    auto *form = new QFormLayout;
    layout->addLayout(form);
    return {panel, form};
}

QLineEdit *field(QWidget *panel, QFormLayout *form, const char *name, const QString &caption)
{
    auto *edit = named<QLineEdit>(panel, name);
    form->addRow(caption, edit);
    return edit;
}

}  // namespace

ProductPanelWidgets buildProductPanel(QWidget *panel, QFormLayout *form)
{
    ProductPanelWidgets w;
    w.lbProductCount = named<QLabel>(panel, "lbProductCount", QStringLiteral("產品共(0)筆"));
    form->addRow(w.lbProductCount);
    w.cbProductID = list(panel, "cbProductID", false);
    w.cbProductName = list(panel, "cbProductName", false);
    form->addRow(pairRow(w.cbProductID, w.cbProductName));
    w.lbOBJCount = named<QLabel>(panel, "lbOBJCount", QStringLiteral("物件共(0)筆"));
    form->addRow(w.lbOBJCount);
    // The part lists take typed texts too: what they show is the part new measurements store.
    w.cbOBJID = list(panel, "cbOBJID", true);
    w.cbOBJName = list(panel, "cbOBJName", true);
    form->addRow(pairRow(w.cbOBJID, w.cbOBJName));
    auto *fields = new QHBoxLayout;
    w.edOBJID = named<QLineEdit>(panel, "edOBJID");
    w.edOBJName = named<QLineEdit>(panel, "edOBJName");
    fields->addWidget(new QLabel(QStringLiteral("代號："), panel));
    fields->addWidget(w.edOBJID, 1);
    fields->addWidget(new QLabel(QStringLiteral("名稱："), panel));
    fields->addWidget(w.edOBJName, 2);
    form->addRow(fields);
    form->addRow(buttonRow(panel, {{&w.BitBtn15, "BitBtn15", QStringLiteral("新增零件")},
                                   {&w.BitBtn25, "BitBtn25", QStringLiteral("刪除零件")}}));
    return w;
}

ProductGridWidgets buildProductGrids(QWidget *page, QBoxLayout *pageLayout)
{
    ProductGridWidgets w;
    auto *host = named<QWidget>(page, "plProducts");
    auto *layout = new QHBoxLayout(host);
    layout->setContentsMargins(0, 0, 0, 0);

    const GridColumn products = gridColumn(host, "plProductData", "DBGrid3", w.DBGrid3, "lbProductDataCount",
                                           w.lbProductDataCount, "BitBtn17", w.BitBtn17);
    w.edProductID = field(products.panel, products.form, "edProductID", QStringLiteral("產品編號："));
    w.edProductName = field(products.panel, products.form, "edProductName", QStringLiteral("產品名稱："));
    products.form->addRow(buttonRow(products.panel, {{&w.btAddPackage, "btAddPackage", QStringLiteral("新增產品")},
                                                     {&w.btUpdPackage, "btUpdPackage", QStringLiteral("更新產品")},
                                                     {&w.btDelPackage, "btDelPackage", QStringLiteral("刪除產品")}}));
    layout->addWidget(products.panel, 1);

    const GridColumn parts = gridColumn(host, "plPrdOBJ", "DBGrid4", w.DBGrid4, "lbPrdOBJCount", w.lbPrdOBJCount,
                                        "BitBtn1", w.BitBtn1);
    w.edRecID = field(parts.panel, parts.form, "edRecID", QStringLiteral("零件編號："));
    w.edRecName = field(parts.panel, parts.form, "edRecName", QStringLiteral("零件名稱："));
    parts.form->addRow(buttonRow(parts.panel, {{&w.BitBtn3, "BitBtn3", QStringLiteral("新增零件")},
                                               {&w.BitBtn5, "BitBtn5", QStringLiteral("更新物件")},
                                               {&w.BitBtn4, "BitBtn4", QStringLiteral("刪除物件")}}));
    layout->addWidget(parts.panel, 1);
    pageLayout->addWidget(host, 1);
    return w;
}
