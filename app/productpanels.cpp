// The product and part controls of the measuring page and of the table maintenance page.
#include "app/productpanels.h"

#include <initializer_list>
#include <tuple>
#include <utility>

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

using Field = std::pair<QLineEdit **, std::pair<const char *, QString>>;

// One grid of the maintenance page: its count and refresh button above it, its fields and buttons
// below, added to the host's layout.
struct GridPanel {
    const char *panel;
    const char *grid;
    QTableView **view;
    const char *count;
    QLabel **countLabel;
    const char *refresh;
    QPushButton **refreshButton;
};

void addGridPanel(QWidget *host, QBoxLayout *hostLayout, const GridPanel &g, std::initializer_list<Field> fields,
                  std::initializer_list<Button> buttons)
{
    auto *panel = named<QWidget>(host, g.panel);
    auto *layout = new QVBoxLayout(panel);
    auto *top = new QHBoxLayout;
    *g.countLabel = named<QLabel>(panel, g.count, QStringLiteral("共(0)筆"));
    top->addWidget(*g.countLabel, 1);
    *g.refreshButton = named<QPushButton>(panel, g.refresh, QStringLiteral("資料重整"));
    top->addWidget(*g.refreshButton);
    layout->addLayout(top);
    *g.view = named<QTableView>(panel, g.grid);
    layout->addWidget(*g.view, 1);
    auto *form = new QFormLayout;
    for (const auto &[edit, nameAndCaption] : fields) {
        *edit = named<QLineEdit>(panel, nameAndCaption.first);
        form->addRow(nameAndCaption.second, *edit);
    }
    form->addRow(buttonRow(panel, buttons));
    layout->addLayout(form);
    hostLayout->addWidget(panel, 1);
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
    addGridPanel(host, layout,
                 {"plProductData", "DBGrid3", &w.DBGrid3, "lbProductDataCount", &w.lbProductDataCount, "BitBtn17",
                  &w.BitBtn17},
                 {{&w.edProductID, {"edProductID", QStringLiteral("產品編號：")}},
                  {&w.edProductName, {"edProductName", QStringLiteral("產品名稱：")}}},
                 {{&w.btAddPackage, "btAddPackage", QStringLiteral("新增產品")},
                  {&w.btUpdPackage, "btUpdPackage", QStringLiteral("更新產品")},
                  {&w.btDelPackage, "btDelPackage", QStringLiteral("刪除產品")}});
    addGridPanel(host, layout,
                 {"plPrdOBJ", "DBGrid4", &w.DBGrid4, "lbPrdOBJCount", &w.lbPrdOBJCount, "BitBtn1", &w.BitBtn1},
                 {{&w.edRecID, {"edRecID", QStringLiteral("零件編號：")}},
                  {&w.edRecName, {"edRecName", QStringLiteral("零件名稱：")}}},
                 {{&w.BitBtn3, "BitBtn3", QStringLiteral("新增零件")},
                  {&w.BitBtn5, "BitBtn5", QStringLiteral("更新物件")},
                  {&w.BitBtn4, "BitBtn4", QStringLiteral("刪除物件")}});
    pageLayout->addWidget(host, 1);
    return w;
}
