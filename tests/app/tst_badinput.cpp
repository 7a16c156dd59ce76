// Every number field of the real window given what an operator may type by mistake: nothing, letters,
// a huge or negative number, "nan", "inf" and a decimal comma. Each time the window says what is wrong
// (a message, or the read-out's own no-value text), writes nothing to the database or beside the
// picture, and goes on working. A program folder that takes no new file is refused at start.
#include <cmath>
#include <functional>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

#include "acquire/picturefile.h"
#include "app/main.h"
#include "acquire/picturefiles.h"
#include "base/numberparse.h"
#include "measure/measurementlabel.h"
#include "records/database.h"
#include "records/dataset.h"
#include "tests/app/testkit.h"
#include "tests/base/lockedfolder.h"
#include "tests/filebytes.h"
#include "ui/guarded.h"

namespace {

// Every row of every table, in storage order.
QStringList databaseRows(TfmMain &w)
{
    QStringList rows;
    for (const char *table : {"RecTitle", "RecDetail", "ProductData", "PrdOBJ", "UnitSet", "ScaleSet"}) {
        QSqlQuery q(w.database().db());
        if (!q.exec(QStringLiteral("select * from %1 order by rowid").arg(QLatin1String(table))))
            return {q.lastError().text()};
        while (q.next()) {
            QStringList values{QLatin1String(table)};
            for (int i = 0; i < q.record().count(); ++i)
                values << q.value(i).toString();
            rows << values.join(u'|');
        }
    }
    return rows;
}

QStringList folderFiles(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

enum class Kind { Integer, Float };

// A field, how the operator makes the window use it, and where its refusal shows when it is no
// dialog: a read-out that then holds text that is no number.
struct FieldUse {
    const char *field;
    Kind kind;
    std::function<void(TestWindow &)> use;
    const char *readOut = nullptr;
    bool negativeAllowed = false;  // a sequence number only orders the rows; they are renumbered after
    bool clamps = false;           // a scroll bar's mirror: a number beyond the bar shows the bar's end
};

void press(TestWindow &t, const char *button)
{
    QTest::mouseClick(t.control<QPushButton>(button), Qt::LeftButton);
}

std::vector<FieldUse> fieldUses()
{
    const auto addUnit = [](TestWindow &t) {
        t.control<QLineEdit>("edUnitCode")->setText(QStringLiteral("new"));
        press(t, "BitBtn11");
    };
    const auto updateUnit = [](TestWindow &t) { press(t, "BitBtn12"); };
    const auto addScaleSet = [](TestWindow &t) {
        t.control<QLineEdit>("edScaleName")->setText(QStringLiteral("new"));
        press(t, "BitBtn2");
    };
    const auto updateScaleSet = [](TestWindow &t) { press(t, "BitBtn10"); };
    const auto keepAsJpeg = [](TestWindow &t) {
        // The temporary picture kept under a name of the operator's, as JPEG at the typed quality.
        t.window->pictureFiles().setSaveDialogFileName(t.path(QStringLiteral("_Temp.bmp")));
        t.dialogs->saveNames = {t.path(QStringLiteral("kept.jpg"))};
        (void)guarded(t.window->dialogs(), t.window.get(),
                      [&] { t.window->pictureFiles().KeepTemporaryPicture(false); });
    };
    const auto brinell = [](TestWindow &t) { press(t, "bbtCalBrinell"); };
    const auto average = [](TestWindow &t) { press(t, "bbtAvgRadus"); };
    const auto detect = [](TestWindow &t) { press(t, "BitBtn22"); };
    const auto detectCentred = [](TestWindow &t) {
        t.control<QCheckBox>("cbAutoCenter")->setChecked(true);
        press(t, "BitBtn22");
    };
    const auto enter = [](const char *field) {
        return [field](TestWindow &t) { QTest::keyClick(t.control<QLineEdit>(field), Qt::Key_Return); };
    };
    return {
        {"edUnitIndex", Kind::Integer, addUnit, nullptr, true},
        {"edUnitValue", Kind::Float, addUnit},
        {"edUnitValue", Kind::Float, updateUnit},
        {"edScaleIndex", Kind::Integer, addScaleSet, nullptr, true},
        {"edXLength", Kind::Float, addScaleSet},
        {"edXPixel", Kind::Float, addScaleSet},
        {"edYLength", Kind::Float, updateScaleSet},
        {"edYPixel", Kind::Float, updateScaleSet},
        {"edJPEGQuality", Kind::Integer, keepAsJpeg},
        {"edP", Kind::Float, brinell, "edHb"},
        {"edD", Kind::Float, brinell, "edHb"},
        {"eddd", Kind::Float, brinell, "edHb"},
        {"edVideoLineW", Kind::Float, average, "edVideoLineR"},
        {"edVideoLineH", Kind::Float, average, "edVideoLineR"},
        {"edVideoLineR", Kind::Float, detect, "lbDetection"},
        {"edTimes", Kind::Float, detect, "lbDetection"},
        {"Edit7", Kind::Float, detectCentred, "lbDetection"},
        {"Edit8", Kind::Float, detectCentred, "lbDetection"},
        {"Edit5", Kind::Float, enter("Edit5"), nullptr, false, true},
        {"Edit6", Kind::Float, enter("Edit6"), nullptr, false, true},
        {"Edit12", Kind::Float, enter("Edit12"), nullptr, false, true},
    };
}

// Huge is beyond what the field's type holds: 1e999 for a float, 99999999999 for an integer.
const char *const BadTexts[] = {"", "  ", "abc", "12abc", "1,5", "nan", "inf", "-inf", "1e999", "99999999999",
                                "-5", "0x10"};

bool isNumber(const QString &text)
{
    return parseFloat(text).ok();
}

}  // namespace

class TestBadInput : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyNumberFieldRefusesBadText_data();
    void everyNumberFieldRefusesBadText();
    void aLockedProgramFolderIsRefusedAtStartWithNothingLost();
    void aFullDiskRefusesTheMeasurementAndKeepsTheEarlierOnes();
};

// The disk of the program folder fills up while measuring: the measurement that cannot be stored
// gives one message and leaves no label, the earlier ones stay, and with room again measuring goes on.
void TestBadInput::aFullDiskRefusesTheMeasurementAndKeepsTheEarlierOnes()
{
    TestWindow t;
    t.window.reset();
    FullDisk disk(t.folder.path(), 4 * 1024 * 1024);
    if (!disk.mounted())
        QSKIP(qPrintable(disk.reason()));
    t.restart();
    t.showPlainPicture(200, 160, QColor(90, 90, 90));
    t.selectKind(2);
    const auto measure = [&](int y) {
        t.clickPicture(10, y);
        t.clickPicture(150, y + 20);
    };
    measure(10);
    const QStringList rows = databaseRows(*t.window);
    QCOMPARE(rows.filter(QStringLiteral("RecDetail|")).size(), 1);
    QCOMPARE(t.window->findChildren<MeasurementLabel *>().size(), 1);

    disk.fill();
    measure(60);
    QCOMPARE(t.log->messages.size() + t.log->errors.size(), 1);
    QVERIFY2((t.log->messages + t.log->errors).first().startsWith(QStringLiteral("磁碟已滿，資料沒有寫入資料庫。")),
             qPrintable((t.log->messages + t.log->errors).join(u'/')));
    QCOMPARE(databaseRows(*t.window), rows);
    QCOMPARE(t.window->findChildren<MeasurementLabel *>().size(), 1);

    QVERIFY(QFile::remove(t.path(QStringLiteral(".filler"))));
    measure(110);
    QCOMPARE(databaseRows(*t.window).filter(QStringLiteral("RecDetail|")).size(), 2);
    QCOMPARE(t.window->findChildren<MeasurementLabel *>().size(), 2);
    t.window.reset();
}

// A program folder that takes no new file (a write-protected install, a locked share): the window
// is refused at start with a message naming the database and the folder, and nothing in the
// folder changes; unlocked, the next start has every earlier measurement.
void TestBadInput::aLockedProgramFolderIsRefusedAtStartWithNothingLost()
{
    TestWindow t;
    t.showPlainPicture(200, 160, QColor(90, 90, 90));
    t.selectKind(2);
    t.clickPicture(10, 10);
    t.clickPicture(50, 40);
    const QStringList rows = databaseRows(*t.window);
    QVERIFY(rows.filter(QStringLiteral("RecDetail|")).size() == 1);
    t.window.reset();
    const QString database = t.path(QStringLiteral("Quillmont1394.db"));
    const QByteArray stored = fileBytes(database);
    const QStringList files = folderFiles(t.folder.path());
    {
        LockedFolder lock(t.folder.path());
        if (!lock.locked())
            QSKIP("this file system cannot lock a folder");
        try {
            t.restart();
            QFAIL("the window started in a folder where its database cannot be written");
        } catch (const DatabaseError &e) {
            QVERIFY2(e.message().startsWith(QStringLiteral("無法開啟資料庫 %1：資料夾 %2 無法寫入")
                                                .arg(database, t.folder.path())),
                     qPrintable(e.message()));
        }
        QCOMPARE(fileBytes(database), stored);
        QCOMPARE(folderFiles(t.folder.path()), files);
    }
    t.restart();
    QCOMPARE(databaseRows(*t.window), rows);
}

void TestBadInput::everyNumberFieldRefusesBadText_data()
{
    QTest::addColumn<int>("use");
    QTest::addColumn<QString>("text");
    const std::vector<FieldUse> uses = fieldUses();
    for (std::size_t i = 0; i < uses.size(); ++i) {
        for (const char *text : BadTexts) {
            const QString typed = QString::fromLatin1(text);
            // Texts that are whole numbers in range are fine for a sequence number.
            if (uses[i].negativeAllowed && typed == QLatin1String("-5"))
                continue;
            // 99999999999 is beyond an integer, not beyond a float.
            if (uses[i].kind == Kind::Float && typed == QLatin1String("99999999999"))
                continue;
            QTest::addRow("%s %zu '%s'", uses[i].field, i, text) << int(i) << typed;
        }
    }
}

void TestBadInput::everyNumberFieldRefusesBadText()
{
    QFETCH(int, use);
    QFETCH(QString, text);
    const FieldUse u = fieldUses().at(std::size_t(use));

    TestWindow t;
    t.showPlainPicture(200, 160, QColor(90, 90, 90));
    QVERIFY(writeBitmapFile(samplePicture(40, 30), t.path(QStringLiteral("_Temp.bmp"))).ok());
    t.control<QAction>("mmHardness")->trigger();
    const QStringList rowsBefore = databaseRows(*t.window);
    const QStringList filesBefore = folderFiles(t.folder.path());
    QLineEdit *field = t.control<QLineEdit>(u.field);
    QVERIFY(field);
    const QString readOutBefore = u.readOut ? t.control<QLineEdit>(u.readOut)
                                                  ? t.control<QLineEdit>(u.readOut)->text()
                                                  : t.control<QLabel>(u.readOut)->text()
                                            : QString();

    field->setText(text);
    u.use(t);

    const QStringList shown = t.log->messages + t.log->errors;
    QString readOut;
    if (u.readOut)
        readOut = t.control<QLineEdit>(u.readOut) ? t.control<QLineEdit>(u.readOut)->text()
                                                  : t.control<QLabel>(u.readOut)->text();
    const bool refusedInReadOut = u.readOut && !isNumber(readOut) && !readOut.trimmed().isEmpty();
    const bool clamped = u.clamps && field->text() != text && isNumber(field->text());
    QVERIFY2(shown.size() == 1 || refusedInReadOut || clamped,
             qPrintable(QStringLiteral("shown: [%1], read-out '%2' (was '%3'), field '%4'")
                            .arg(shown.join(QStringLiteral(" / ")), readOut, readOutBefore, field->text())));
    QCOMPARE(databaseRows(*t.window), rowsBefore);
    QCOMPARE(folderFiles(t.folder.path()), filesBefore);

    // The window still works: a sound value goes through.
    t.log->messages.clear();
    t.log->errors.clear();
    field->setText(u.kind == Kind::Integer ? QStringLiteral("3") : QStringLiteral("4"));
    u.use(t);
}

QUILLMONT_TEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
