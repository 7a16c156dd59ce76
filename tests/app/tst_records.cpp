// Measurements stored as rows and shown as labels, on the real main window and a real database file.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

#include "acquire/picturefile.h"
#include "acquire/picturefiles.h"
#include "app/main.h"
#include "measure/labels.h"
#include "records/database.h"
#include "records/dataset.h"
#include "records/datasets.h"
#include "tests/app/testkit.h"
#include "ui/pictureview.h"

namespace {

struct Row {
    QSqlRecord record;
    QVariant operator[](const char *name) const { return record.value(QString::fromLatin1(name)); }
};

// Every stored row of a work order, in the order they were measured.
QList<Row> storedRows(TfmMain &w, const QString &operNo)
{
    QSqlQuery q(w.database().db());
    q.prepare(QStringLiteral("select * from RecDetail where OperNo = ? order by rowid"));
    q.addBindValue(operNo);
    q.exec();
    QList<Row> rows;
    while (q.next())
        rows.append(Row{q.record()});
    return rows;
}

struct RecordsWindow : TestWindow {
    RecordsWindow()
    {
        showPlainPicture(400, 300, QColor(200, 200, 200));
        control<QLineEdit>("edWorkSheetID")->setText(QStringLiteral("WO1"));
        control<QComboBox>("cbOBJID")->setEditText(QStringLiteral("P1"));
        control<QComboBox>("cbOBJName")->setEditText(QStringLiteral("Part'1"));
    }
    void clicks(std::initializer_list<QPoint> points)
    {
        for (QPoint p : points)
            clickPicture(p.x(), p.y());
    }
    MeasurementLabel *label(int tag) const
    {
        return window->findChild<MeasurementLabel *>(QStringLiteral("mlbMeasure%1").arg(tag, 4, 10, QLatin1Char('0')));
    }
};

}  // namespace

class TestRecords : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void freshStartCreatesTheDatabase();
    void garbageDatabaseStopsTheStart();
    void everyKindIsStoredAndLabelled();
    void indexesCountPerPartAndNoteOption();
    void aDatabaseFailureEndsTheClickAndLeavesLabelsUsable();
    void pointGroupAndCircleToCirclePickLabels();
    void draggingStoresTheAnchorOnlyWhenAllowed();
    void rightClickRestylesAndStores();
    void notesAreEditedFromTheirLabels();
    void statisticSelectionTogglesAndClearKeepsOtherControls();
};

void TestRecords::freshStartCreatesTheDatabase()
{
    RecordsWindow t;
    QVERIFY(QFile::exists(t.path(QStringLiteral("Quillmont1394.db"))));
    // A new user measures in real units at once: the starter scale set in millimetres is active.
    QCOMPARE(t.control<QComboBox>("cbScaleSet")->currentText(), QStringLiteral("1X"));
    QCOMPARE(t.window->state().scale.ScaleX, 0.01);
    QCOMPARE(t.window->state().scale.UnitFactor, 1.0);
    t.selectKind(2);
    t.clicks({{10, 10}, {250, 190}});
    const QList<Row> rows = storedRows(*t.window, QStringLiteral("WO1"));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0]["Val4"].toDouble(), 3.0);
    QCOMPARE(t.label(0)->text(), QStringLiteral("d001=3.000"));
    t.moveOverPicture(100, 50);
    QCOMPARE(t.control<QLabel>("lbDisplayPosX")->text(), QStringLiteral("1.000"));
    QCOMPARE(t.control<QLabel>("lbDisplayUnitX")->text(), QStringLiteral("mm"));
}

void TestRecords::garbageDatabaseStopsTheStart()
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("Quillmont1394.db"));
    const QByteArray garbage(4096, 'g');
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(garbage);
    out.close();
    bool thrown = false;
    try {
        TfmMain window(folder.path());
    } catch (const DatabaseError &e) {
        thrown = true;
        QVERIFY(!e.message().isEmpty());
    }
    QVERIFY(thrown);
    QFile in(file);
    QVERIFY(in.open(QIODevice::ReadOnly));
    QCOMPARE(in.readAll(), garbage);
}

void TestRecords::everyKindIsStoredAndLabelled()
{
    RecordsWindow t;
    t.window->state().scale.ScaleX = 0.01;
    t.window->state().scale.ScaleY = 0.02;
    t.window->state().scale.UnitFactor = 1;
    t.dialogs->onExec = [](QDialog &dialog) {
        dialog.findChild<QLineEdit *>(QStringLiteral("edText"))->setText(QStringLiteral("it's a note"));
        dialog.findChild<QPushButton *>(QStringLiteral("BitBtn1"))->click();
        return int(dialog.result());
    };
    const QList<std::pair<int, std::vector<QPoint>>> script = {
        {0, {{10, 20}, {110, 30}}},
        {1, {{10, 20}, {20, 120}}},
        {2, {{10, 10}, {40, 50}}},
        {3, {{50, 80}, {10, 10}, {210, 10}}},
        {4, {{50, 80}, {10, 10}, {10, 210}}},
        {5, {{100, 50}, {150, 100}, {100, 150}}},
        {6, {{20, 200}, {120, 200}, {70, 250}, {70, 150}}},
        {7, {{250, 100}, {200, 50}, {150, 100}}},
        {8, {{30, 30}, {60, 70}}},
        {10, {{300, 250}}},
    };
    for (const auto &[kind, points] : script) {
        t.selectKind(kind);
        for (QPoint p : points)
            t.clickPicture(p.x(), p.y());
    }
    const QList<Row> rows = storedRows(*t.window, QStringLiteral("WO1"));
    QCOMPARE(rows.size(), 10);
    const char *names[] = {"w001", "h002", "d003", "l004", "p005", "r006", "g007", "a008", "c009", "t010"};
    const int kinds[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 10};
    for (int i = 0; i < rows.size(); ++i) {
        const Row &r = rows[i];
        QCOMPARE(r["AttribID"].toInt(), kinds[i] + 1);
        QCOMPARE(r["OBJIndex"].toInt(), i + 1);
        QCOMPARE(r["MeasureName"].toString(), QString::fromLatin1(names[i]));
        QCOMPARE(r["rIndex"].toInt(), i);
        QCOMPARE(r["RecID"].toString(), QStringLiteral("P1"));
        QCOMPARE(r["RecName"].toString(), QStringLiteral("Part'1"));
        MeasurementLabel *label = t.label(i);
        QVERIFY2(label, names[i]);
        QCOMPARE(label->tag(), i);
        QVERIFY(label->text().startsWith(QString::fromLatin1(names[i])));
        QCOMPARE(label->pos(), QPoint(r["LabelX"].toInt(), r["LabelY"].toInt()));
    }
    // Field by field for a few kinds.
    const Row &width = rows[0];
    QCOMPARE(width["Attrib"].toString(), QStringLiteral("寬度"));
    QCOMPARE(width["x1"].toDouble(), 10.0);
    QCOMPARE(width["y2"].toDouble(), 30.0);
    QCOMPARE(width["x6"].toDouble(), 1.1);
    QCOMPARE(width["Val1"].toDouble(), 100.0);
    QCOMPARE(width["Val4"].toDouble(), 1.0);
    QCOMPARE(width["LabelX"].toInt(), 60);
    QCOMPARE(width["LabelY"].toInt(), 25);
    QCOMPARE(width["x3"].toDouble(), 0.0);
    QCOMPARE(t.label(0)->text(), QStringLiteral("w001=1.000"));

    const Row &circle = rows[5];
    QCOMPARE(circle["Val2"].toDouble(), 100.0);
    QCOMPARE(circle["Val3"].toDouble(), 100.0);
    QCOMPARE(circle["Val1"].toDouble(), 50.0);
    QCOMPARE(t.label(5)->text(), QStringLiteral("r006=1.000\nCx:1.000\nCy:2.000\nArea:3.142"));

    const Row &angle = rows[6];
    QVERIFY(qAbs(angle["Val1"].toDouble() - 90.0) < 1e-9);
    QCOMPARE(t.label(6)->text(), QStringLiteral("g007=90.000°\n90.000°"));

    const Row &note = rows[9];
    QCOMPARE(note["OBJNote"].toString(), QStringLiteral("it's a note"));
    QCOMPARE(note["Val4"].toDouble(), 0.0);
    QCOMPARE(t.label(9)->text(), QStringLiteral("t010=it's a note"));
    QCOMPARE(t.label(9)->pos(), QPoint(300, 250));

    // The list stands on the new row.
    QCOMPARE(t.window->datasets().qryMeasure->recNo(), 9);
}

void TestRecords::indexesCountPerPartAndNoteOption()
{
    RecordsWindow t;
    // Typed with blanks around it, the number is stored as the list reads it.
    t.control<QLineEdit>("edWorkSheetID")->setText(QStringLiteral(" WO1 "));
    t.selectKind(2);
    t.clicks({{10, 10}, {20, 20}});
    t.control<QComboBox>("cbOBJID")->setEditText(QStringLiteral("P2"));
    t.clicks({{10, 10}, {20, 20}});
    t.control<QCheckBox>("cbNote")->setChecked(true);
    t.selectKind(0);
    t.clicks({{10, 10}, {130, 20}});
    const QList<Row> rows = storedRows(*t.window, QStringLiteral("WO1"));
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[0]["OBJIndex"].toInt(), 1);
    QCOMPARE(rows[1]["OBJIndex"].toInt(), 1);
    QCOMPARE(rows[2]["OBJIndex"].toInt(), 2);
    QCOMPARE(rows[2]["MeasureName"].toString(), QStringLiteral("w002"));
    // "說明：" puts the caption into the note field and the row.
    QCOMPARE(rows[2]["OBJNote"].toString(), QStringLiteral("w002=1.200"));
    QCOMPARE(t.control<QLineEdit>("edNewOBJNote")->text(), QStringLiteral("w002=1.200"));
    QCOMPARE(t.window->datasets().qryMeasure->recordCount(), 3);
    for (int tag = 0; tag < 3; ++tag)
        QCOMPARE(t.window->findChildren<MeasurementLabel *>(QStringLiteral("mlbMeasure%1").arg(tag, 4, 10, QLatin1Char('0'))).size(), 1);
}

void TestRecords::aDatabaseFailureEndsTheClickAndLeavesLabelsUsable()
{
    RecordsWindow t;
    t.selectKind(2);
    t.clicks({{10, 10}, {50, 50}});
    QSqlQuery other(t.window->database().db());
    // Another program takes the table away: the look-up of the next index fails.
    QVERIFY(other.exec(QStringLiteral("ALTER TABLE RecDetail RENAME TO Elsewhere")));
    t.clicks({{60, 60}, {90, 90}});
    QCOMPARE(t.log->errors.size(), 1);
    QVERIFY(t.log->errors[0].contains(QStringLiteral("RecDetail")));
    QCOMPARE(t.window->findChildren<MeasurementLabel *>().size(), 1);
    QCOMPARE(t.window->state().measuring.clicks.PointCount, 0);

    // With the list closed, as a failed reread leaves it, a label stands for no row: presses and
    // drags in every mode change nothing stored and raise nothing.
    t.window->datasets().qryMeasure->close();
    MeasurementLabel *label = t.label(0);
    for (int kind : {5, 8, 9, 10, 0}) {
        t.selectKind(kind);
        QTest::mouseClick(label, Qt::LeftButton);
    }
    t.control<QCheckBox>("cbMoveLabel")->setChecked(true);
    QTest::mousePress(label, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    t.control<QCheckBox>("cbCaculate")->setChecked(true);
    QTest::mouseClick(label, Qt::LeftButton);
    QCOMPARE(t.window->state().selection.SelectedCount, 0);
    QCOMPARE(t.log->errors.size(), 1);
    QVERIFY(t.log->execs.isEmpty());
    QVERIFY(other.exec(QStringLiteral("ALTER TABLE Elsewhere RENAME TO RecDetail")));
    QCOMPARE(storedRows(*t.window, QStringLiteral("WO1")).size(), 1);
}

void TestRecords::pointGroupAndCircleToCirclePickLabels()
{
    RecordsWindow t;
    t.selectKind(0);
    t.clicks({{10, 100}, {300, 100}});  // a horizontal line at y 100
    t.selectKind(5);
    t.clicks({{200, 150}, {250, 200}, {200, 250}});  // centre (200, 200)

    t.selectKind(9);
    QTest::mouseClick(t.label(0), Qt::LeftButton);
    QCOMPARE(t.window->state().measuring.clicks.PointCount, 5);
    t.clicks({{50, 40}, {60, 160}});
    t.selectKind(8);
    t.clickPicture(20, 200);
    QTest::mouseClick(t.label(1), Qt::LeftButton);

    const QList<Row> rows = storedRows(*t.window, QStringLiteral("WO1"));
    QCOMPARE(rows.size(), 5);
    QCOMPARE(rows[2]["AttribID"].toInt(), 10);
    QCOMPARE(rows[2]["Val1"].toDouble(), 60.0);
    QCOMPARE(rows[3]["Val1"].toDouble(), 60.0);
    QCOMPARE(rows[3]["Val2"].toDouble(), 60.0);
    QCOMPARE(rows[3]["Val3"].toDouble(), 100.0);
    QCOMPARE(rows[4]["AttribID"].toInt(), 9);
    QCOMPARE(rows[4]["Val1"].toDouble(), 180.0);
    QCOMPARE(rows[4]["x2"].toDouble(), 200.0);
    // A picked label does not move.
    QCOMPARE(t.label(1)->pos(), QPoint(rows[1]["LabelX"].toInt(), rows[1]["LabelY"].toInt()));
}

void TestRecords::draggingStoresTheAnchorOnlyWhenAllowed()
{
    RecordsWindow t;
    t.selectKind(2);
    t.clicks({{10, 10}, {50, 50}});
    MeasurementLabel *label = t.label(0);
    const QPoint start = label->pos();
    auto drag = [&](QPoint by) {
        QTest::mousePress(label, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
        QMouseEvent move(QEvent::MouseMove, QPointF(3 + by.x(), 3 + by.y()), label->mapToGlobal(QPointF(3 + by.x(), 3 + by.y())),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(label, &move);
        QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, QPoint(3 + by.x(), 3 + by.y()));
    };
    drag({40, 25});
    QCOMPARE(label->pos(), start);
    QCOMPARE(storedRows(*t.window, QStringLiteral("WO1"))[0]["LabelX"].toInt(), start.x());

    t.control<QCheckBox>("cbMoveLabel")->setChecked(true);
    drag({40, 25});
    QCOMPARE(label->pos(), start + QPoint(40, 25));
    const Row row = storedRows(*t.window, QStringLiteral("WO1"))[0];
    QCOMPARE(QPoint(row["LabelX"].toInt(), row["LabelY"].toInt()), start + QPoint(40, 25));
}

void TestRecords::rightClickRestylesAndStores()
{
    RecordsWindow t;
    t.selectKind(2);
    t.clicks({{10, 10}, {50, 50}});
    QFont bigger = t.label(0)->font();
    bigger.setPointSize(20);
    t.dialogs->fontAnswers = {bigger};
    QTest::mouseClick(t.label(0), Qt::RightButton);
    QCOMPARE(storedRows(*t.window, QStringLiteral("WO1"))[0]["LabelSize"].toInt(), 20);
    // A cancelled font dialog stores nothing.
    QTest::mouseClick(t.label(0), Qt::RightButton);
    QCOMPARE(storedRows(*t.window, QStringLiteral("WO1"))[0]["LabelSize"].toInt(), 20);
}

void TestRecords::notesAreEditedFromTheirLabels()
{
    RecordsWindow t;
    QString answer = QStringLiteral("first");
    bool ok = true;
    t.dialogs->onExec = [&](QDialog &dialog) {
        auto *edit = dialog.findChild<QLineEdit *>(QStringLiteral("edText"));
        edit->setText(answer);
        if (ok) {
            dialog.findChild<QPushButton *>(QStringLiteral("BitBtn1"))->click();
            return int(QDialog::Accepted);
        }
        dialog.reject();
        return int(QDialog::Rejected);
    };
    t.selectKind(10);
    t.clicks({{100, 100}});
    t.clicks({{200, 200}});
    t.selectKind(0);
    t.clicks({{10, 250}, {110, 250}});
    QCOMPARE(storedRows(*t.window, QStringLiteral("WO1")).size(), 3);
    t.log->execs.clear();

    // In the note kind only a note's label edits a note: a width's label is left as it is.
    t.selectKind(10);
    QTest::mouseClick(t.label(2), Qt::LeftButton);
    QVERIFY(t.log->execs.isEmpty());
    QCOMPARE(t.label(2)->text(), QStringLiteral("w003=1.000"));

    answer = QStringLiteral("second");
    QTest::mouseClick(t.label(0), Qt::LeftButton);
    QCOMPARE(storedRows(*t.window, QStringLiteral("WO1"))[0]["OBJNote"].toString(), QStringLiteral("second"));
    QCOMPARE(t.label(0)->text(), QStringLiteral("t001:second"));

    // Closing the window without OK changes no note, not even with another note's text at hand.
    ok = false;
    answer = QStringLiteral("discarded");
    QTest::mouseClick(t.label(1), Qt::LeftButton);
    const QList<Row> rows = storedRows(*t.window, QStringLiteral("WO1"));
    QCOMPARE(rows[1]["OBJNote"].toString(), QStringLiteral("first"));
    QCOMPARE(rows[0]["OBJNote"].toString(), QStringLiteral("second"));
}

void TestRecords::statisticSelectionTogglesAndClearKeepsOtherControls()
{
    RecordsWindow t;
    t.selectKind(0);
    t.clicks({{10, 10}, {110, 10}});
    t.control<QCheckBox>("cbCaculate")->setChecked(true);
    QTest::mouseClick(t.label(0), Qt::LeftButton);
    const LabelSelection &s = t.window->state().selection;
    QCOMPARE(s.SelectedCount, 1);
    QCOMPARE(s.LabelSelected[0], 1);
    QCOMPARE(s.LabelSelectedValue[0], 1.0);
    QCOMPARE(t.label(0)->palette().color(QPalette::WindowText), QColor(Qt::red));
    QTest::mouseClick(t.label(0), Qt::LeftButton);
    QCOMPARE(s.SelectedCount, 0);
    QCOMPARE(s.LabelSelected[0], 0);

    // A label beyond the selection table is left alone.
    t.label(0)->setTag(1200);
    QTest::mouseClick(t.label(0), Qt::LeftButton);
    QCOMPARE(s.SelectedCount, 0);

    t.window->labels().bbtClearLabelClick();
    QVERIFY(t.window->findChildren<MeasurementLabel *>().isEmpty());
    QVERIFY(t.control<QWidget>("imgView"));
    QVERIFY(t.control<QWidget>("Shape3"));
}

QUILLMONT_TEST_MAIN(TestRecords)
#include "tst_records.moc"
