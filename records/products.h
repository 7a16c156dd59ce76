#pragma once

#include <QObject>

class Dataset;
class Dialogs;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QWidget;
struct CurrentPart;
struct Datasets;

// The product panel of the measuring page: the paired product lists, the paired part lists whose
// texts are the current part, and adding or deleting a part of the chosen product.
struct ProductPanelWidgets {
    QLabel *lbProductCount = nullptr;  // "產品共(%d)筆"
    QComboBox *cbProductID = nullptr;
    QComboBox *cbProductName = nullptr;
    QLabel *lbOBJCount = nullptr;  // "物件共(%d)筆"
    QComboBox *cbOBJID = nullptr;
    QComboBox *cbOBJName = nullptr;
    QLineEdit *edOBJID = nullptr;    // "代號："
    QLineEdit *edOBJName = nullptr;  // "名稱："
    QPushButton *BitBtn15 = nullptr;  // "新增零件"
    QPushButton *BitBtn25 = nullptr;  // "刪除零件"
};

// The product and part grids of the table maintenance page with their fields and buttons.
struct ProductGridWidgets {
    QTableView *DBGrid3 = nullptr;  // products (qryProductData)
    QLabel *lbProductDataCount = nullptr;  // "共(%d)筆"
    QPushButton *BitBtn17 = nullptr;       // "資料重整"
    QLineEdit *edProductID = nullptr;      // "產品編號："
    QLineEdit *edProductName = nullptr;    // "產品名稱："
    QPushButton *btAddPackage = nullptr;   // "新增產品"
    QPushButton *btUpdPackage = nullptr;   // "更新產品"
    QPushButton *btDelPackage = nullptr;   // "刪除產品"

    QTableView *DBGrid4 = nullptr;  // parts of the grid's product (qryPrdOBJ)
    QLabel *lbPrdOBJCount = nullptr;  // "共(%d)筆"
    QPushButton *BitBtn1 = nullptr;   // "資料重整"
    QLineEdit *edRecID = nullptr;     // "零件編號："
    QLineEdit *edRecName = nullptr;   // "零件名稱："
    QPushButton *BitBtn3 = nullptr;   // "新增零件"
    QPushButton *BitBtn5 = nullptr;   // "更新物件"
    QPushButton *BitBtn4 = nullptr;   // "刪除物件"
};

// The product and part catalogue on both pages, and the one writer of the current part.
//
// The measuring page's product lists are filled once at start-up; its part lists follow the
// product chosen there and are refilled whenever either maintenance grid is reread. Each pair of
// lists stands at the same index: choosing an entry in one list chooses the same position in the
// other. The part lists' texts, typed or chosen, are the current part that new measurements store.
// A duplicate on adding and a missing row on updating are refused with a message, the focus back
// in the number field, and nothing is written; a database error ends the operation at its statement.
class ProductsController : public QObject {
    Q_OBJECT
public:
    ProductsController(CurrentPart &part, const Datasets &datasets, Dialogs &dialogs, const ProductPanelWidgets &panel,
                       const ProductGridWidgets &grids, QObject *parent = nullptr);

    // Start-up: fills the product lists with every product, shows their count and chooses the
    // first product (none without products), which fills its part lists.
    void fillProductLists();
    // Start-up: opens the product grid; its reactions fill the part grid and the part lists.
    void openProductGrid();

public Q_SLOTS:
    void cbProductIDChange();
    void cbProductNameChange();
    void cbOBJIDChange();
    void cbOBJNameChange();
    void BitBtn15Click();
    void BitBtn25Click();
    void btAddPackageClick();
    void btUpdPackageClick();
    void btDelPackageClick();
    void BitBtn3Click();
    void BitBtn5Click();
    void BitBtn4Click();
    void BitBtn17Click();
    void BitBtn1Click();

public:
    // The reactions to the grids' datasets. They run inside the operation that opened or moved
    // the dataset and throw to its error boundary.
    void qryProductDataAfterOpen();
    void qryProductDataAfterScroll();
    void qryPrdOBJAfterOpen();
    void qryPrdOBJAfterScroll();

private:
    // Both lists of the pair at index (none for -1).
    static void selectPair(QComboBox *a, QComboBox *b, int index);
    // The product of the measuring page's number list: its parts fill the part lists.
    void productChosen();
    void partChosen(int index);
    void addPartFromMeasuringPage();
    void deletePartFromMeasuringPage();
    void addProduct();
    void updateProduct();
    void deleteProduct();
    void addPart();
    void updatePart();
    void deletePart();
    void refreshProductGrid();
    void refreshPartGrid();
    // The product grid's current product; empty without one.
    [[nodiscard]] QString gridProduct() const;
    // Shows message with the field's text, focuses the field and returns true when refused.
    bool refused(bool refuse, const QString &message, QLineEdit *field);

    CurrentPart &m_part;
    const Datasets &m_d;
    Dialogs &m_dialogs;
    ProductPanelWidgets m_p;
    ProductGridWidgets m_g;
    QWidget *m_host;
};
