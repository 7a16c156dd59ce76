// The product and part catalogue on the real main window: the maintenance page's grids and buttons,
// the measuring page's paired lists, and the part new measurements are stored with.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "app/main.h"
#include "records/database.h"
#include "records/sqlbind.h"
#include "records/sqlcatalogue.h"
#include "tests/app/testkit.h"

namespace {

struct CatalogueWindow : TestWindow {
    QString text(const char *name) const
    {
        if (auto *label = control<QLabel>(name))
            return label->text();
        return control<QLineEdit>(name)->text();
    }
    void type(const char *name, const QString &value) { control<QLineEdit>(name)->setText(value); }
    // Controls are clicked where the operator sees them: on the page shown, the side panel open.
    // The start-up timer keeps out of the way.
    void showPage(const char *page)
    {
        control<QTimer>("Timer1")->stop();
        window->show();
        control<QTabWidget>("PageControl1")->setCurrentWidget(control(page));
        if (page == QLatin1String("TabSheet1") && control("Panel3")->maximumWidth() < 100)
            QTest::mouseClick(control("Panel85"), Qt::LeftButton);
    }
    void click(const char *name)
    {
        auto *button = control<QPushButton>(name);
        QVERIFY2(button->isVisible() && button->width() > 0, name);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void clickGridRow(const char *grid, int row)
    {
        showPage("TabSheet8");
        auto *view = control<QTableView>(grid);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                          view->visualRect(view->model()->index(row, 0)).center());
    }
    // The operator picks the entry at index from the list's popup.
    void choose(const char *list, int index)
    {
        auto *box = control<QComboBox>(list);
        QVERIFY(index < box->count());
        box->setCurrentIndex(index);
        Q_EMIT box->activated(index);
    }
    QStringList entries(const char *list) const
    {
        auto *box = control<QComboBox>(list);
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out << box->itemText(i);
        return out;
    }
    // "id|name" of every row of a catalogue statement.
    QStringList rows(const QString &sql) const
    {
        QSqlQuery q(window->database().db());
        q.exec(sql);
        QStringList out;
        while (q.next())
            out << q.value(0).toString() + u'|' + q.value(1).toString();
        return out;
    }
    QStringList products() const { return rows(QStringLiteral("select ProductID, ProductName from ProductData order by ProductID")); }
    QStringList parts() const
    {
        return rows(QStringLiteral("select ProductID || '/' || RecID, RecName from PrdOBJ order by ProductID, RecID"));
    }
    // Products and parts in the database, then a new start so the measuring page lists them.
    void seed(const QList<std::pair<QString, QString>> &productRows, const QList<QStringList> &partRows)
    {
        {
            const QSqlDatabase db = window->database().db();
            for (const auto &[id, name] : productRows)
                (void)runStatement(db, Sql::ProductInsert,
                                   {{QStringLiteral("_ProductID"), id}, {QStringLiteral("_ProductName"), name}});
            for (const QStringList &p : partRows)
                (void)runStatement(db, Sql::PartInsert,
                                   {{QStringLiteral("_ProductID"), p[0]}, {QStringLiteral("_RecID"), p[1]},
                                    {QStringLiteral("_RecName"), p[2]}});
        }
        restart();
    }
};

}  // namespace

class TestProducts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void maintenancePageKeepsTheCatalogue();
    void pairedListsChooseByIndexAndMeasurementsCarryThePart();
    void partsAddedAndDeletedFromTheMeasuringPage();
    void deletingAPartDeletesTheOneTheQuestionNamed();
};

void TestProducts::maintenancePageKeepsTheCatalogue()
{
    CatalogueWindow t;
    t.showPage("TabSheet8");
    QCOMPARE(t.text("lbProductCount"), QStringLiteral("產品共(0)筆"));
    QCOMPARE(t.control<QComboBox>("cbProductID")->currentIndex(), -1);
    QCOMPARE(t.text("lbProductDataCount"), QStringLiteral("共(0)筆"));

    for (auto [id, name] : {std::pair{"B2", "Beta"}, {"A1", "Alpha"}}) {
        t.type("edProductID", QString::fromLatin1(id));
        t.type("edProductName", QString::fromLatin1(name));
        t.click("btAddPackage");
    }
    QCOMPARE(t.products(), (QStringList{QStringLiteral("A1|Alpha"), QStringLiteral("B2|Beta")}));
    QCOMPARE(t.text("lbProductDataCount"), QStringLiteral("共(2)筆"));
    // The reread grid stands on the product that was current.
    QCOMPARE(t.text("edProductID"), QStringLiteral("B2"));

    // Refusals: a duplicate on adding, a missing product on updating; nothing is written.
    t.type("edProductName", QStringLiteral("Other"));
    t.click("btAddPackage");
    t.type("edProductID", QStringLiteral("C3"));
    t.click("btUpdPackage");
    QCOMPARE(t.log->messages, (QStringList{QStringLiteral("產品(B2)已存在!!"), QStringLiteral("產品(C3)不存在!!")}));
    QCOMPARE(t.products(), (QStringList{QStringLiteral("A1|Alpha"), QStringLiteral("B2|Beta")}));
    t.type("edProductID", QStringLiteral("b2"));
    t.type("edProductName", QStringLiteral("Beta'2"));
    t.click("btUpdPackage");
    QCOMPARE(t.products(), (QStringList{QStringLiteral("A1|Alpha"), QStringLiteral("B2|Beta'2")}));

    // Parts belong to the product of the grid's current row; the same number may stand under two.
    t.log->messages.clear();
    t.clickGridRow("DBGrid3", 0);
    for (auto [id, name] : {std::pair{"P2", "Two"}, {"P1", "One"}, {"P1", "Again"}}) {
        t.type("edRecID", QString::fromLatin1(id));
        t.type("edRecName", QString::fromLatin1(name));
        t.click("BitBtn3");
    }
    t.type("edRecID", QStringLiteral("P9"));
    t.click("BitBtn5");
    t.type("edRecID", QStringLiteral("P2"));
    t.type("edRecName", QStringLiteral("Second"));
    t.click("BitBtn5");
    t.clickGridRow("DBGrid3", 1);
    QCOMPARE(t.text("edProductID"), QStringLiteral("B2"));
    QCOMPARE(t.text("lbPrdOBJCount"), QStringLiteral("共(0)筆"));
    t.type("edRecID", QStringLiteral("P1"));
    t.type("edRecName", QStringLiteral("Beta one"));
    t.click("BitBtn3");
    QCOMPARE(t.log->messages, (QStringList{QStringLiteral("零件(P1)已存在!!"), QStringLiteral("物件(P9)不存在!!")}));
    QCOMPARE(t.parts(), (QStringList{QStringLiteral("A1/P1|One"), QStringLiteral("A1/P2|Second"),
                                     QStringLiteral("B2/P1|Beta one")}));
    t.clickGridRow("DBGrid3", 0);
    QCOMPARE(t.text("lbPrdOBJCount"), QStringLiteral("共(2)筆"));
    t.clickGridRow("DBGrid4", 1);
    QCOMPARE(t.text("edRecID"), QStringLiteral("P2"));
    QCOMPARE(t.text("edRecName"), QStringLiteral("Second"));

    // The measuring page learns of new products at the next start.
    QCOMPARE(t.control<QComboBox>("cbProductID")->count(), 0);

    // Deleting a product asks first, then takes its parts in a second statement.
    t.clickGridRow("DBGrid3", 0);
    t.click("btDelPackage");
    QCOMPARE(t.products().size(), 2);
    t.dialogs->confirmAnswers = {true};
    t.click("btDelPackage");
    QCOMPARE(t.log->confirms, (QStringList(2, QStringLiteral("確認|確定要刪除產品資料(A1)嗎？!!"))));
    QCOMPARE(t.products(), QStringList{QStringLiteral("B2|Beta'2")});
    QCOMPARE(t.parts(), QStringList{QStringLiteral("B2/P1|Beta one")});
    QCOMPARE(t.text("edProductID"), QStringLiteral("B2"));

    t.restart();
    QCOMPARE(t.text("lbProductCount"), QStringLiteral("產品共(1)筆"));
    QCOMPARE(t.entries("cbProductName"), QStringList{QStringLiteral("Beta'2")});
    QCOMPARE(t.entries("cbOBJID"), QStringList{QStringLiteral("P1")});
}

void TestProducts::pairedListsChooseByIndexAndMeasurementsCarryThePart()
{
    CatalogueWindow t;
    t.seed({{QStringLiteral("A1"), QStringLiteral("Alpha")}, {QStringLiteral("B2"), QStringLiteral("Beta")},
            {QStringLiteral("C3"), QStringLiteral("Gamma")}},
           {{QStringLiteral("A1"), QStringLiteral("P3"), QStringLiteral("Three")},
            {QStringLiteral("A1"), QStringLiteral("P1"), QStringLiteral("One")},
            {QStringLiteral("A1"), QStringLiteral("P2"), QStringLiteral("Two")},
            {QStringLiteral("B2"), QStringLiteral("Q1"), QStringLiteral("Queue")}});
    QCOMPARE(t.text("lbProductCount"), QStringLiteral("產品共(3)筆"));
    QCOMPARE(t.entries("cbProductID"), (QStringList{QStringLiteral("A1"), QStringLiteral("B2"), QStringLiteral("C3")}));
    QCOMPARE(t.entries("cbProductName"), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("Gamma")}));
    QCOMPARE(t.text("lbOBJCount"), QStringLiteral("物件共(3)筆"));
    QCOMPARE(t.entries("cbOBJName"), (QStringList{QStringLiteral("One"), QStringLiteral("Two"), QStringLiteral("Three")}));
    QCOMPARE(t.window->part().RecID, QStringLiteral("P1"));
    QCOMPARE(t.window->part().RecName, QStringLiteral("One"));

    struct Choice {
        const char *list;
        int index;
        const char *id;
        const char *name;
    };
    for (const Choice &c : {Choice{"cbOBJName", 2, "P3", "Three"}, Choice{"cbOBJID", 1, "P2", "Two"}}) {
        t.choose(c.list, c.index);
        for (const char *list : {"cbOBJID", "cbOBJName"})
            QCOMPARE(t.control<QComboBox>(list)->currentIndex(), c.index);
        QCOMPARE(t.text("edOBJID"), QString::fromLatin1(c.id));
        QCOMPARE(t.text("edOBJName"), QString::fromLatin1(c.name));
        QCOMPARE(t.window->part().RecID, QString::fromLatin1(c.id));
        QCOMPARE(t.window->part().RecName, QString::fromLatin1(c.name));
    }

    // A product without parts leaves the part empty.
    t.choose("cbProductID", 2);
    QCOMPARE(t.control<QComboBox>("cbProductName")->currentText(), QStringLiteral("Gamma"));
    QCOMPARE(t.text("lbOBJCount"), QStringLiteral("物件共(0)筆"));
    QCOMPARE(t.control<QComboBox>("cbOBJID")->count(), 0);
    QCOMPARE(t.window->part().RecID, QString());

    t.choose("cbProductName", 1);
    QCOMPARE(t.control<QComboBox>("cbProductID")->currentText(), QStringLiteral("B2"));
    QCOMPARE(t.entries("cbOBJID"), QStringList{QStringLiteral("Q1")});

    // New measurements store the part the lists show.
    t.showPlainPicture(300, 200, QColor(200, 200, 200));
    t.control<QLineEdit>("edWorkSheetID")->setText(QStringLiteral("WO1"));
    t.selectKind(2);
    t.clickPicture(10, 10);
    t.clickPicture(60, 50);
    QSqlQuery q(t.window->database().db());
    QVERIFY(q.exec(QStringLiteral("select RecID, RecName from RecDetail where OperNo = 'WO1'")));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("Q1"));
    QCOMPARE(q.value(1).toString(), QStringLiteral("Queue"));
}

void TestProducts::partsAddedAndDeletedFromTheMeasuringPage()
{
    CatalogueWindow t;
    t.seed({{QStringLiteral("A1"), QStringLiteral("Alpha")}, {QStringLiteral("B2"), QStringLiteral("Beta")}},
           {{QStringLiteral("B2"), QStringLiteral("Q1"), QStringLiteral("Queue")}});
    t.showPage("TabSheet1");
    t.choose("cbProductID", 1);
    t.type("edOBJID", QStringLiteral("Q2"));
    t.type("edOBJName", QStringLiteral("Queue two"));
    t.click("BitBtn15");
    t.click("BitBtn15");
    QCOMPARE(t.log->messages, QStringList{QStringLiteral("零件(Q2)已存在!!")});
    QCOMPARE(t.parts(), (QStringList{QStringLiteral("B2/Q1|Queue"), QStringLiteral("B2/Q2|Queue two")}));
    // Rereading the part grid refilled the lists of the product chosen on this page.
    QCOMPARE(t.text("lbOBJCount"), QStringLiteral("物件共(2)筆"));
    QCOMPARE(t.entries("cbOBJName"), (QStringList{QStringLiteral("Queue"), QStringLiteral("Queue two")}));

    t.type("edOBJID", QStringLiteral("Q1"));
    t.click("BitBtn25");
    QCOMPARE(t.parts().size(), 2);
    t.dialogs->confirmAnswers = {true};
    t.click("BitBtn25");
    QCOMPARE(t.log->confirms, (QStringList(2, QStringLiteral("確認|確定要刪除物件資料(Q1)嗎？!!"))));
    QCOMPARE(t.parts(), QStringList{QStringLiteral("B2/Q2|Queue two")});
    QCOMPARE(t.entries("cbOBJID"), QStringList{QStringLiteral("Q2")});
    QCOMPARE(t.window->part().RecID, QStringLiteral("Q2"));
}

void TestProducts::deletingAPartDeletesTheOneTheQuestionNamed()
{
    CatalogueWindow t;
    t.seed({{QStringLiteral("A1"), QStringLiteral("Alpha")}},
           {{QStringLiteral("A1"), QStringLiteral("P1"), QStringLiteral("One")},
            {QStringLiteral("A1"), QStringLiteral("P2"), QStringLiteral("Two")}});
    // The grid stands on P1 while the number field has been typed over with P2.
    QCOMPARE(t.text("edRecID"), QStringLiteral("P1"));
    t.showPage("TabSheet8");
    t.type("edRecID", QStringLiteral("P2"));
    t.dialogs->confirmAnswers = {true};
    t.click("BitBtn4");
    QCOMPARE(t.log->confirms, QStringList{QStringLiteral("確認|確定要刪除物件資料(P1)嗎？!!")});
    QCOMPARE(t.parts(), QStringList{QStringLiteral("A1/P2|Two")});
}

QUILLMONT_TEST_MAIN(TestProducts)
#include "tst_products.moc"
