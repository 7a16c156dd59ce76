#include "records/database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryFile>
#include <QUuid>

#include "records/dataset.h"
#include "records/sqlbind.h"
#include "records/sqlcatalogue.h"

namespace {

enum class ColumnType { Text, Integer, Float };

struct Column {
    const char *name;
    ColumnType type;
};

struct Table {
    const char *name;
    std::vector<Column> columns;
};

const std::vector<Table> &tables()
{
    using T = ColumnType;
    static const std::vector<Table> all = {
        {"RecTitle",
         {{"mIndex", T::Integer},
          {"OperNo", T::Text},
          {"OperName", T::Text},
          {"OperatorID", T::Text},
          {"OperatorName", T::Text},
          {"PicFullName", T::Text},
          {"UnitName", T::Text},
          {"ScaleName", T::Text},
          {"ScaleX", T::Float},
          {"ScaleY", T::Float}}},
        {"RecDetail",
         {{"OperNo", T::Text},     {"RecID", T::Text},       {"RecName", T::Text},  {"MeasureName", T::Text},
          {"OBJIndex", T::Integer}, {"AttribID", T::Integer}, {"Attrib", T::Text},   {"x1", T::Float},
          {"y1", T::Float},        {"x2", T::Float},         {"y2", T::Float},      {"x3", T::Float},
          {"y3", T::Float},        {"x4", T::Float},         {"y4", T::Float},      {"x5", T::Float},
          {"y5", T::Float},        {"x6", T::Float},         {"y6", T::Float},      {"x7", T::Float},
          {"y7", T::Float},        {"x8", T::Float},         {"y8", T::Float},      {"Val1", T::Float},
          {"Val2", T::Float},      {"Val3", T::Float},       {"Val4", T::Float},    {"Val5", T::Float},
          {"Val6", T::Float},      {"LabelX", T::Integer},   {"LabelY", T::Integer}, {"LabelSize", T::Integer},
          {"Color", T::Integer},   {"OBJNote", T::Text},     {"rIndex", T::Integer}}},
        {"ProductData", {{"ProductID", T::Text}, {"ProductName", T::Text}}},
        {"PrdOBJ", {{"ProductID", T::Text}, {"RecID", T::Text}, {"RecName", T::Text}}},
        {"UnitSet", {{"mIndex", T::Integer}, {"UnitCode", T::Text}, {"UnitName", T::Text}, {"mValue", T::Float}}},
        {"ScaleSet",
         {{"mIndex", T::Integer},
          {"ScaleName", T::Text},
          {"UnitCode", T::Text},
          {"X_Length", T::Float},
          {"X_Pixel", T::Float},
          {"Y_Length", T::Float},
          {"Y_Pixel", T::Float}}},
    };
    return all;
}

struct Index {
    const char *name;
    const char *table;
    const char *columns;
};

// The keys the catalogue's statements filter by.
const Index indexes[] = {
    {"ixRecDetailKey", "RecDetail", "OperNo, RecID, OBJIndex"},
    {"ixRecTitleOperNo", "RecTitle", "OperNo"},
    {"ixPrdOBJKey", "PrdOBJ", "ProductID, RecID"},
    {"ixProductDataID", "ProductData", "ProductID"},
    {"ixUnitSetCode", "UnitSet", "UnitCode"},
    {"ixScaleSetName", "ScaleSet", "ScaleName"},
};

QString indexStatement(const Index &index)
{
    // IF NOT EXISTS lets opening put back an index that a database from another build lacks.
    return QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
        .arg(QLatin1String(index.name), QLatin1String(index.table), QLatin1String(index.columns));
}

QString typeName(const Dialect &dialect, ColumnType type)
{
    switch (type) {
    case ColumnType::Text:
        return dialect.textType;
    case ColumnType::Integer:
        return dialect.integerType;
    case ColumnType::Float:
        return dialect.floatType;
    }
    return {};
}

void exec(const QSqlDatabase &db, const QString &statement)
{
    QSqlQuery query(db);
    if (!query.exec(statement))
        throw DatabaseError::fromEngine(query.lastError());
}

}  // namespace

Dialect Dialect::sqlite()
{
    Dialect d;
    d.driver = QStringLiteral("QSQLITE");
    d.fileName = QStringLiteral("Quillmont1394.db");
    d.textType = QStringLiteral("TEXT COLLATE NOCASE");
    d.integerType = QStringLiteral("INTEGER");
    d.floatType = QStringLiteral("REAL");
    d.rowIdExpression = QStringLiteral("rowid");
    d.schemaCheck = QStringLiteral("select count(*) from sqlite_master");
    // WAL survives in the file; the other two are per connection. Jet enforced no references either.
    d.pragmas = {QStringLiteral("PRAGMA journal_mode=WAL"), QStringLiteral("PRAGMA synchronous=FULL"),
                 QStringLiteral("PRAGMA foreign_keys=OFF")};
    d.writeCheck = {QStringLiteral("BEGIN IMMEDIATE"), QStringLiteral("ROLLBACK")};
    return d;
}

Dialect Dialect::forDriver(const QString &driverName)
{
    if (driverName == QLatin1String("QSQLITE"))
        return sqlite();
    throw DatabaseError(QStringLiteral("No SQL dialect for the driver '%1'").arg(driverName));
}

QStringList Database::schemaStatements(const Dialect &dialect)
{
    QStringList statements;
    for (const Table &table : tables()) {
        QStringList columns;
        for (const Column &column : table.columns)
            columns.append(QLatin1String(column.name) + u' ' + typeName(dialect, column.type));
        statements.append(QStringLiteral("CREATE TABLE %1 (%2)")
                              .arg(QLatin1String(table.name), columns.join(QStringLiteral(", "))));
    }
    for (const Index &index : indexes)
        statements.append(indexStatement(index));
    return statements;
}

std::unique_ptr<Database> Database::open(const QString &programFolder, const Dialect &dialect)
{
    const QString path = QDir(programFolder).filePath(dialect.fileName);
    std::unique_ptr<Database> database(new Database(dialect, path));
    database->connect();
    return database;
}

Database::Database(const Dialect &dialect, const QString &filePath)
    : m_dialect(dialect)
    , m_filePath(filePath)
    , m_connectionName(QStringLiteral("quillmont-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
}

Database::~Database()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

namespace {

// The refusal to open, naming the file, the engine's reason and a folder that takes no new file:
// the usual cause, which the engine does not tell.
DatabaseError openingFailed(const QString &filePath, const QString &reason)
{
    const QString file = QDir::toNativeSeparators(filePath);
    const QString folder = QFileInfo(filePath).absolutePath();
    QTemporaryFile probe(folder + QStringLiteral("/.quillmont-XXXXXX"));
    if (QFileInfo(folder).isDir() && !probe.open())
        return DatabaseError(QStringLiteral("無法開啟資料庫 %1：資料夾 %2 無法寫入（%3）。")
                                 .arg(file, QDir::toNativeSeparators(folder), reason));
    return DatabaseError(QStringLiteral("無法開啟資料庫 %1：%2").arg(file, reason));
}

}  // namespace

void Database::connect()
{
    const bool existed = QFileInfo::exists(m_filePath);
    // The engine opens a file it may not write for reading alone, and in WAL mode even takes the
    // write lock; only the first stored row would fail.
    if (QFile file(m_filePath); existed && QFileInfo(m_filePath).isFile() && !file.open(QIODevice::ReadWrite))
        throw openingFailed(m_filePath, file.errorString());
    m_db = QSqlDatabase::addDatabase(m_dialect.driver, m_connectionName);
    m_db.setDatabaseName(m_filePath);
    if (!m_db.open())
        throw openingFailed(m_filePath, m_db.lastError().text());

    // SQLite opens any file; a file that is not a database only shows on the first read, which must
    // come before anything that writes (the journal mode) so such a file stays as it was.
    int schemaObjects = 0;
    {
        QSqlQuery check(m_db);
        if (!check.exec(m_dialect.schemaCheck) || !check.next())
            throw openingFailed(m_filePath, check.lastError().text());
        schemaObjects = check.value(0).toInt();
    }
    // A database the program cannot use is refused before anything is written to it.
    if (schemaObjects != 0)
        checkSchema();
    // A file or folder that refuses writing is refused here, not at the first stored measurement.
    for (const QString &statement : std::as_const(m_dialect.pragmas) + m_dialect.writeCheck) {
        QSqlQuery query(m_db);
        if (!query.exec(statement))
            throw openingFailed(m_filePath, query.lastError().text());
    }

    if (schemaObjects == 0) {
        try {
            createSchema();
        } catch (const DatabaseError &) {
            // Never leave a half-made file behind that the next start would take for a database.
            if (!existed) {
                m_db.close();
                QFile::remove(m_filePath);
                QFile::remove(m_filePath + QStringLiteral("-wal"));
                QFile::remove(m_filePath + QStringLiteral("-shm"));
            }
            throw;
        }
    } else {
        for (const Index &index : indexes)
            exec(m_db, indexStatement(index));
    }
}

void Database::checkSchema() const
{
    // Another build may have added columns or tables, or dropped an index; only a table or column
    // this program reads or writes has to be there. Names compare as the engine does, ignoring case.
    for (const Table &table : tables()) {
        const QString tableName = QLatin1String(table.name);
        const QSqlRecord record = m_db.record(tableName);
        if (record.isEmpty())
            throw DatabaseError(QStringLiteral("資料庫 %1 缺少資料表 %2，無法使用。")
                                    .arg(QDir::toNativeSeparators(m_filePath), tableName));
        for (const Column &column : table.columns) {
            if (!record.contains(QLatin1String(column.name)))
                throw DatabaseError(QStringLiteral("資料庫 %1 的資料表 %2 缺少欄位 %3，無法使用。")
                                        .arg(QDir::toNativeSeparators(m_filePath), tableName,
                                             QLatin1String(column.name)));
        }
    }
}

void Database::createSchema()
{
    if (!m_db.transaction())
        throw DatabaseError::fromEngine(m_db.lastError());
    try {
        for (const QString &statement : schemaStatements(m_dialect))
            exec(m_db, statement);
        struct Unit {
            int index;
            const char *code;
            QString name;
            double millimetres;
        };
        const Unit units[] = {{1, "mm", QStringLiteral("mm"), 1.0},
                              {2, "um", QStringLiteral("µm"), 0.001},
                              {3, "inch", QStringLiteral("inch"), 25.4}};
        for (const Unit &unit : units) {
            (void)runStatement(m_db, Sql::UnitInsert,
                               {{QStringLiteral("_mIndex"), unit.index},
                                {QStringLiteral("_UnitCode"), QString::fromLatin1(unit.code)},
                                {QStringLiteral("_UnitName"), unit.name},
                                {QStringLiteral("_mValue"), unit.millimetres}});
        }
        (void)runStatement(m_db, Sql::ScaleInsert,
                           {{QStringLiteral("_mIndex"), 1},
                            {QStringLiteral("_ScaleName"), QStringLiteral("1X")},
                            {QStringLiteral("_UnitCode"), QStringLiteral("mm")},
                            {QStringLiteral("_X_Length"), 1.0},
                            {QStringLiteral("_X_Pixel"), 100.0},
                            {QStringLiteral("_Y_Length"), 1.0},
                            {QStringLiteral("_Y_Pixel"), 100.0}});
    } catch (const DatabaseError &) {
        m_db.rollback();
        throw;
    }
    if (!m_db.commit())
        throw DatabaseError::fromEngine(m_db.lastError());
}
