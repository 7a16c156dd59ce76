#include "records/database.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "records/dataset.h"
#include "records/sqlbind.h"
#include "records/sqlcatalogue.h"
#include "tests/base/lockedfolder.h"
#include "tests/filebytes.h"

namespace {

QStringList columnsOf(const QSqlDatabase &db, const QString &table)
{
    QStringList names;
    const QSqlRecord record = db.record(table);
    for (int i = 0; i < record.count(); ++i)
        names.append(record.fieldName(i));
    return names;
}

QVariant scalar(const QSqlDatabase &db, const QString &statement, const QVariantMap &params = {})
{
    QSqlQuery query = runStatement(db, {statement}, params);
    return query.next() ? query.value(0) : QVariant();
}


void writeFile(const QString &path, const QByteArray &bytes)
{
    ASSERT_TRUE(writeFileBytes(path, bytes));
}

class DatabaseTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString dbPath() const { return folder.filePath(QStringLiteral("Quillmont1394.db")); }
};

TEST_F(DatabaseTest, NewFileHasEveryTableColumnIndexAndStarterRow)
{
    auto database = Database::open(folder.path());
    const QSqlDatabase db = database->db();
    EXPECT_TRUE(QFile::exists(dbPath()));

    const QStringList detail = {"OperNo", "RecID", "RecName", "MeasureName", "OBJIndex", "AttribID", "Attrib",
                                "x1", "y1", "x2", "y2", "x3", "y3", "x4", "y4", "x5", "y5", "x6", "y6",
                                "x7", "y7", "x8", "y8", "Val1", "Val2", "Val3", "Val4", "Val5", "Val6",
                                "LabelX", "LabelY", "LabelSize", "Color", "OBJNote", "rIndex"};
    EXPECT_EQ(columnsOf(db, "RecDetail"), detail);
    EXPECT_EQ(columnsOf(db, "RecTitle"),
              QStringList({"mIndex", "OperNo", "OperName", "OperatorID", "OperatorName", "PicFullName", "UnitName",
                           "ScaleName", "ScaleX", "ScaleY"}));
    EXPECT_EQ(columnsOf(db, "ProductData"), QStringList({"ProductID", "ProductName"}));
    EXPECT_EQ(columnsOf(db, "PrdOBJ"), QStringList({"ProductID", "RecID", "RecName"}));
    EXPECT_EQ(columnsOf(db, "UnitSet"), QStringList({"mIndex", "UnitCode", "UnitName", "mValue"}));
    EXPECT_EQ(columnsOf(db, "ScaleSet"),
              QStringList({"mIndex", "ScaleName", "UnitCode", "X_Length", "X_Pixel", "Y_Length", "Y_Pixel"}));

    QSqlQuery indexed = runStatement(db, {"select distinct tbl_name from sqlite_master where type = 'index'"});
    QStringList indexedTables;
    while (indexed.next())
        indexedTables.append(indexed.value(0).toString());
    indexedTables.sort();
    EXPECT_EQ(indexedTables, QStringList({"PrdOBJ", "ProductData", "RecDetail", "RecTitle", "ScaleSet", "UnitSet"}));

    QSqlQuery units = runStatement(db, Sql::UnitGrid);
    QStringList seen;
    while (units.next())
        seen.append(QStringLiteral("%1 %2 %3 %4").arg(units.value("mIndex").toInt()).arg(units.value("UnitCode").toString(),
                                                                                        units.value("UnitName").toString())
                        .arg(units.value("mValue").toDouble()));
    EXPECT_EQ(seen, QStringList({"1 mm mm 1", QString::fromUtf8("2 um µm 0.001"), "3 inch inch 25.4"}));

    QSqlQuery scale = runStatement(db, Sql::ScaleList);
    ASSERT_TRUE(scale.next());
    EXPECT_EQ(scale.value("ScaleName").toString(), "1X");
    EXPECT_DOUBLE_EQ(scale.value("X_Length").toDouble() / scale.value("X_Pixel").toDouble(), 0.01);
    EXPECT_DOUBLE_EQ(scale.value("Y_Length").toDouble() / scale.value("Y_Pixel").toDouble(), 0.01);
    EXPECT_FALSE(scale.next());

    // Text compares case-insensitively, as the existence tests rely on.
    EXPECT_EQ(scalar(db, "select count(*) from UnitSet where UnitCode = :_UnitCode", {{"_UnitCode", "MM"}}).toInt(), 1);
}

TEST_F(DatabaseTest, ReopeningKeepsDataAndAddsNoStarterRowsTwice)
{
    {
        auto database = Database::open(folder.path());
        (void)runStatement(database->db(), Sql::ProductInsert, {{"_ProductID", "P1"}, {"_ProductName", "Gear"}});
    }
    auto database = Database::open(folder.path());
    QTemporaryDir other;
    auto second = Database::open(other.path());  // a second connection beside the first
    EXPECT_NE(database->connectionName(), second->connectionName());
    EXPECT_EQ(scalar(database->db(), "select ProductName from ProductData").toString(), "Gear");
    EXPECT_EQ(scalar(database->db(), "select count(*) from UnitSet").toInt(), 3);
    EXPECT_EQ(scalar(second->db(), "select count(*) from ProductData").toInt(), 0);
}

TEST_F(DatabaseTest, FileThatIsNoDatabaseIsRefusedAndLeftAsItWas)
{
    const QByteArray garbage = QByteArray("This is a letter, not a database.\n").repeated(200);
    writeFile(dbPath(), garbage);
    try {
        auto database = Database::open(folder.path());
        FAIL() << "opened a garbage file";
    } catch (const DatabaseError &e) {
        EXPECT_TRUE(e.message().contains("file is not a database")) << e.what();
    }
    EXPECT_EQ(fileBytes(dbPath()), garbage);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList("Quillmont1394.db"));
}

TEST_F(DatabaseTest, PathThatCannotBeOpenedIsRefused)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir("Quillmont1394.db"));
    EXPECT_THROW((void)Database::open(folder.path()), DatabaseError);
    EXPECT_THROW((void)Database::open(folder.filePath("no/such/folder")), DatabaseError);
}

// SQLite takes a 0-byte file for an empty database, so it receives the tables like a missing one.
TEST_F(DatabaseTest, EmptyFileBecomesNewDatabase)
{
    writeFile(dbPath(), {});
    auto database = Database::open(folder.path());
    EXPECT_EQ(scalar(database->db(), "select count(*) from UnitSet").toInt(), 3);
}

TEST_F(DatabaseTest, DurabilitySettingsAreInForce)
{
    auto database = Database::open(folder.path());
    EXPECT_EQ(scalar(database->db(), "PRAGMA journal_mode").toString(), "wal");
    EXPECT_EQ(scalar(database->db(), "PRAGMA synchronous").toInt(), 2);  // FULL
    EXPECT_EQ(scalar(database->db(), "PRAGMA foreign_keys").toInt(), 0);
}

// Databases written by other builds: each row changes a fresh database by hand, then opens it again.
struct OtherBuild {
    const char *name;
    QStringList changes;
    const char *refusedFor;  // words the refusal names; nullptr when the database must open
};

TEST_F(DatabaseTest, DatabaseOfAnotherBuildOpensUnlessItLacksWhatTheProgramUses)
{
    const OtherBuild cases[] = {
        {"older build without an index", {"DROP INDEX ixRecDetailKey", "DROP INDEX ixScaleSetName"}, nullptr},
        {"newer build with an extra column, table and index",
         {"ALTER TABLE RecDetail ADD COLUMN Operator2 TEXT DEFAULT 'x'", "ALTER TABLE UnitSet ADD COLUMN Kind INTEGER",
          "CREATE TABLE Audit (Line TEXT)", "CREATE INDEX ixAudit ON Audit (Line)"},
         nullptr},
        {"columns in other case", {"ALTER TABLE PrdOBJ RENAME COLUMN RecName TO RECNAME"}, nullptr},
        {"older build without a column", {"ALTER TABLE RecDetail DROP COLUMN Val6"}, "RecDetail 缺少欄位 Val6"},
        {"older build without a table", {"DROP TABLE ScaleSet"}, "缺少資料表 ScaleSet"},
    };
    for (const OtherBuild &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir made;
        const QString path = QDir(made.path()).filePath(QStringLiteral("Quillmont1394.db"));
        (void)Database::open(made.path());
        {
            QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("otherbuild"));
            raw.setDatabaseName(path);
            ASSERT_TRUE(raw.open());
            for (const QString &change : c.changes)
                (void)runStatement(raw, {change});
            raw.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("otherbuild"));
        const QByteArray before = fileBytes(path);

        if (c.refusedFor) {
            try {
                auto database = Database::open(made.path());
                FAIL() << "opened a database the program cannot use";
            } catch (const DatabaseError &e) {
                EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.refusedFor))) << e.what();
            }
            EXPECT_EQ(fileBytes(path), before);  // refused untouched
            continue;
        }
        auto database = Database::open(made.path());
        const QSqlDatabase db = database->db();
        EXPECT_EQ(scalar(db, "select count(*) from sqlite_master where type = 'index' and name like 'ix%'").toInt(),
                  QString::fromLatin1(c.name).contains("extra") ? 7 : 6);
        // The program's own statements still store and read back.
        QVariantMap row;
        for (const QString &field : columnsOf(db, "RecDetail"))
            if (field != "Operator2")
                row.insert('_' + field, field.startsWith("Val") ? QVariant(1.5) : QVariant(QStringLiteral("1")));
        row["_OperNo"] = "W1";
        (void)runStatement(db, Sql::MeasureInsert, row);
        (void)runStatement(db, Sql::PartInsert, {{"_ProductID", "P"}, {"_RecID", "R"}, {"_RecName", "N"}});
        QSqlQuery back = runStatement(db, Sql::MeasureList, {{"_OperNo", "w1"}});
        ASSERT_TRUE(back.next());
        EXPECT_DOUBLE_EQ(back.value("Val6").toDouble(), 1.5);
        EXPECT_EQ(scalar(db, "select RecName from PrdOBJ").toString(), "N");
    }
}

class BindTest : public DatabaseTest {
protected:
    void SetUp() override { database = Database::open(folder.path()); }
    std::unique_ptr<Database> database;
};

TEST(BindPlaceholders, SkipQuotesAndComments)
{
    EXPECT_EQ(sqlPlaceholders("select ':_no', \":_no2\" -- :_no3\n from T where a = :_yes /* :_no4 */ and b=:_yes2\n"
                              "and c = :_yes"),
              QStringList({"_yes", "_yes2"}));
    EXPECT_EQ(sqlPlaceholders("Values (:_OperNo, :_RecID\n, :_x1)"), QStringList({"_OperNo", "_RecID", "_x1"}));
}

TEST_F(BindTest, MissingOrMisspelledParameterFailsLoudly)
{
    try {
        (void)runStatement(database->db(), Sql::ProductInsert, {{"_ProductID", "P1"}});
        FAIL() << "ran with an unbound placeholder";
    } catch (const DatabaseError &e) {
        EXPECT_TRUE(e.message().contains(":_ProductName")) << e.what();
    }
    try {
        (void)runStatement(database->db(), Sql::ProductInsert,
                           {{"_ProductID", "P1"}, {"_ProductName", "x"}, {"_ProdutName", "y"}});
        FAIL() << "ran with a misspelled parameter";
    } catch (const DatabaseError &e) {
        EXPECT_TRUE(e.message().contains("_ProdutName")) << e.what();
    }
    EXPECT_EQ(scalar(database->db(), "select count(*) from ProductData").toInt(), 0);
}

TEST_F(BindTest, RepeatedAndColonNamedParametersBind)
{
    EXPECT_EQ(scalar(database->db(), "select :_a * 10 + :_b + :_a", {{":_a", 2}, {"_b", 5}}).toInt(), 27);
}

// Qt's own placeholder scanner knows no comments; the refusal must point at the cause, not at a count.
TEST_F(BindTest, QuoteInCommentThatConfusesQtIsRefusedWithItsCause)
{
    try {
        (void)runStatement(database->db(), {"select :_a, -- it's\n :_b"}, {{"_a", 1}, {"_b", 2}});
        FAIL();
    } catch (const DatabaseError &e) {
        EXPECT_TRUE(e.message().contains("comment")) << e.what();
    }
}

TEST_F(BindTest, EngineErrorCarriesDriverText)
{
    try {
        (void)runStatement(database->db(), {"select * from NoSuchTable"});
        FAIL();
    } catch (const DatabaseError &e) {
        EXPECT_TRUE(e.message().contains("no such table")) << e.what();
    }
}

TEST_F(BindTest, QuotesInEveryTextFieldAreStoredUnchanged)
{
    const QStringList texts = {"OperNo", "RecID", "RecName", "Attrib", "OBJNote", "MeasureName"};
    const QStringList integers = {"OBJIndex", "AttribID", "LabelX", "LabelY", "LabelSize", "Color", "rIndex"};
    QStringList floats;
    for (int i = 1; i <= 8; ++i)
        floats << QStringLiteral("x%1").arg(i) << QStringLiteral("y%1").arg(i);
    for (int i = 1; i <= 6; ++i)
        floats << QStringLiteral("Val%1").arg(i);

    QVariantMap params;
    for (qsizetype i = 0; i < texts.size(); ++i)
        params.insert('_' + texts[i], QStringLiteral("O'Br\"ien's %1 '';--").arg(i));
    for (qsizetype i = 0; i < integers.size(); ++i)
        params.insert('_' + integers[i], int(i) + 1);
    for (qsizetype i = 0; i < floats.size(); ++i)
        params.insert('_' + floats[i], double(i) + 0.25);
    ASSERT_EQ(params.size(), database->db().record("RecDetail").count());  // every column
    (void)runStatement(database->db(), Sql::MeasureInsert, params);

    QSqlQuery back = runStatement(database->db(), Sql::MeasureList, {{"_OperNo", params["_OperNo"]}});
    ASSERT_TRUE(back.next());
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        EXPECT_EQ(back.value(it.key().mid(1)), it.value()) << it.key().toStdString();
    EXPECT_FALSE(back.next());
}

}  // namespace

// A database file that refuses writing (copied from a write-protected medium, locked by the file
// system) is refused at open, naming it, rather than at the first stored row; it stays as it was.
TEST_F(DatabaseTest, FileThatRefusesWritingIsRefusedAtOpen)
{
    (void)Database::open(folder.path());
    const QByteArray stored = fileBytes(dbPath());
    {
        LockedFolder lock(dbPath());
        if (!lock.locked())
            GTEST_SKIP() << "this file system cannot lock a file";
        try {
            auto database = Database::open(folder.path());
            FAIL() << "opened a database that cannot be written";
        } catch (const DatabaseError &e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("無法開啟資料庫 %1：").arg(dbPath()))) << e.what();
        }
        EXPECT_EQ(fileBytes(dbPath()), stored);
    }
    EXPECT_NO_THROW((void)Database::open(folder.path()));
}
