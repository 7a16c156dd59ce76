#pragma once

#include <memory>

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// Everything that differs between database engines: the connection's driver and file, the column
// types of the schema, the expression that names a row's hidden id, and the statements run on opening.
// Only SQLite exists today; another engine adds a factory here and nowhere else.
struct Dialect {
    QString driver;          // Qt SQL driver name
    QString fileName;        // database file inside the program folder
    QString textType;        // declared type of text columns (compares case-insensitively)
    QString integerType;     // 32-bit integer columns
    QString floatType;       // 64-bit float columns
    QString rowIdExpression; // selects a row's hidden id, usable in "WHERE <expr> = :id"
    // A read that touches the file's header: fails on a file that is not a database, and returns the
    // number of schema objects (0 for a new, empty database).
    QString schemaCheck;
    QStringList pragmas;     // connection settings, run after the check succeeded
    // Takes the write lock and lets it go, writing nothing: fails where a write would (a folder that
    // takes no journal file, a lock that is not given up).
    QStringList writeCheck;

    [[nodiscard]] static Dialect sqlite();
    // The dialect of a Qt SQL driver name; throws DatabaseError for an engine without one.
    [[nodiscard]] static Dialect forDriver(const QString &driverName);
};

// The program's one connection to its database file, named uniquely so tests can hold several.
// Opening an empty or missing file creates the six tables, their indexes and the starter rows (units mm,
// µm and inch; scale set "1X" at 0.01 mm per pixel) in one transaction. A file that exists but is not a
// database is left untouched. An existing database may hold more tables and columns than the program
// knows and may lack indexes (they are made again); one that lacks a table or column the program uses
// is refused, untouched, with a message naming it.
class Database {
public:
    // Opens <programFolder>/<dialect file>; throws DatabaseError naming the file, with the engine's words.
    [[nodiscard]] static std::unique_ptr<Database> open(const QString &programFolder,
                                                        const Dialect &dialect = Dialect::sqlite());
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    [[nodiscard]] QSqlDatabase db() const { return m_db; }
    [[nodiscard]] const Dialect &dialect() const { return m_dialect; }
    [[nodiscard]] QString filePath() const { return m_filePath; }
    [[nodiscard]] QString connectionName() const { return m_connectionName; }

    // The CREATE statements of the six tables and their indexes in this dialect.
    [[nodiscard]] static QStringList schemaStatements(const Dialect &dialect);

private:
    Database(const Dialect &dialect, const QString &filePath);
    void connect();
    void createSchema();
    // Throws DatabaseError naming the first table or column the program needs that the file lacks.
    void checkSchema() const;

    Dialect m_dialect;
    QString m_filePath;
    QString m_connectionName;
    QSqlDatabase m_db;
};
