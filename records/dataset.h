#pragma once

#include <functional>
#include <vector>

#include <QMetaType>
#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

#include "base/programerror.h"

class QSqlError;
class QSqlQuery;

// A database failure with the engine's own words, shown as it is in the error box.
class DatabaseError : public ProgramError {
public:
    using ProgramError::ProgramError;
    // The engine's failure; a full disk and a file that refuses writing are said in the operator's
    // words first, since nothing of the statement was written.
    [[nodiscard]] static DatabaseError fromEngine(const QSqlError &error);
};

// A named query on the one connection, with the behaviour the program's screens rely on: opening
// fetches every row (exact counts), there is a current row that moves and announces it, fields are
// read by name case-insensitively (in a join the shared columns are "S.mIndex", "U.mIndex", …), locate
// positions on the first matching row, and the current row can be edited and posted back by its hidden
// row id. Statements are given as lines, as the program sends them; every value is a bound parameter.
class Dataset : public QObject {
    Q_OBJECT
public:
    Dataset(const QString &name, const QSqlDatabase &db, QObject *parent = nullptr);

    // Replacing the statement closes the dataset and forgets the parameters, as the next statement
    // names its own.
    void setSql(const QStringList &lines);
    void setSql(const QString &text) { setSql(QStringList{text}); }
    [[nodiscard]] QString sql() const;
    // Binds ":_Name" (pass "_Name"). Every placeholder of the statement must be bound before it runs.
    void setParam(const QString &name, const QVariant &value);
    void clearParams();
    // The value bound to ":_Name" (pass "_Name"); null when nothing is bound to it.
    [[nodiscard]] QVariant param(const QString &name) const;

    // A fresh statement with its parameters ("_Name" keys), nothing of the previous use kept:
    // openWith runs one that returns rows, run one that does not (returning the rows affected).
    // Both throw DatabaseError as open() and execSql() do.
    void openWith(const QStringList &lines, const QVariantMap &params = {});
    int run(const QStringList &lines, const QVariantMap &params = {});

    // Runs a statement that returns rows; throws DatabaseError. An open dataset is closed first. Emits
    // rowsReplaced, afterOpen, then afterScroll (also when no row came back).
    void open();
    void close();
    // Runs a statement that returns no rows; throws DatabaseError. Returns the number of rows affected.
    int execSql();

    // Reads the rows of `lines` (a "Select * from" the same table, so the same columns) and puts each
    // among the open rows where the dataset's order places it, without rereading the others: after
    // the last row that does not sort after it by `orderFields`. The open rows must be in that order.
    // Numbers compare as numbers, texts as the schema's NOCASE columns do (ASCII letters folded, then
    // byte by byte), NULLs first. The current row stays on its record. Emits rowsAboutToBeInserted and
    // rowsInserted per row; returns the number of rows put in. Throws DatabaseError, also for a
    // statement with other columns or a closed dataset.
    int insertRows(const QStringList &lines, const QVariantMap &params, const QStringList &orderFields);
    [[nodiscard]] bool isOpen() const { return m_open; }

    [[nodiscard]] int recordCount() const { return int(m_rows.size()); }
    // The current row, 0-based; -1 when there are no rows.
    [[nodiscard]] int recNo() const { return m_current; }
    [[nodiscard]] bool isEmpty() const { return m_rows.empty(); }
    void first();
    void last();
    void next();
    void prior();
    // Moves to the row (clamped); emits afterScroll when the row changes, as do the four above. Moving
    // away from a row being edited posts it first.
    void moveTo(int row);
    // As in a "while not eof: …; next" walk: eof is set when next() finds no further row (or by last()),
    // bof when prior() finds none (or by open and first()); both hold on an empty dataset.
    [[nodiscard]] bool eof() const { return m_eof; }
    [[nodiscard]] bool bof() const { return m_bof; }

    [[nodiscard]] QStringList fieldNames() const { return m_fieldNames; }
    [[nodiscard]] int fieldIndex(const QString &name) const;  // -1 when unknown
    // The column's type as the engine declares it (Int, Double, QString, …); unknown for a calculated
    // field and for a column the engine gives no type.
    [[nodiscard]] QMetaType fieldType(const QString &name) const;
    // The current row's value; throws DatabaseError for an unknown field. Empty dataset: null.
    [[nodiscard]] QVariant field(const QString &name) const;
    [[nodiscard]] QVariant value(int row, const QString &name) const;
    // The current row's value of the column at that position (a look-up like "Select max(…)").
    [[nodiscard]] QVariant fieldAt(int column) const;
    [[nodiscard]] bool isCalculatedField(const QString &name) const;
    [[nodiscard]] QString text(const QString &name) const { return field(name).toString(); }
    [[nodiscard]] double number(const QString &name) const { return field(name).toDouble(); }
    [[nodiscard]] int integer(const QString &name) const { return field(name).toInt(); }

    // Positions on the first row whose fields equal the values, case-insensitively for text; with
    // partialKey a text value matches a field that starts with it. Stays put and returns false when no
    // row matches. Numbers compare numerically. afterScroll only when the row changes.
    bool locate(const QStringList &fields, const QVariantList &values, bool partialKey = false);
    bool locate(const QString &field, const QVariant &value, bool partialKey = false)
    {
        return locate(QStringList{field}, QVariantList{value}, partialKey);
    }

    // Edit and post of the current row: setField changes the buffer, post writes the changed fields
    // to the table the statement reads ("Select * from Table …") by the row's hidden id, then emits
    // afterPost and rowChanged. Only datasets over one table can post; post throws otherwise and stays in
    // edit mode. post outside edit mode does nothing; setField outside it throws.
    void edit();
    void setField(const QString &name, const QVariant &value);
    void post();
    void cancel();
    [[nodiscard]] bool isEditing() const { return m_editing; }

    // A calculated field: computed for a row whenever it is read (grids, reports).
    using Calculation = std::function<QVariant(const Dataset &, int row)>;
    void addCalculatedField(const QString &name, Calculation calculation);
    // A real field whose fetched value is replaced by adjust(value) in every row as it is read from the
    // database (open, insertRows) from the next open on; a null value stays null. A posted row writes
    // only the fields set since, so an adjusted value is not written back unless it was set.
    using Adjustment = std::function<QVariant(const QVariant &)>;
    void addFetchAdjustment(const QString &name, Adjustment adjust);

Q_SIGNALS:
    void afterOpen();
    void afterScroll();
    void afterPost();
    void beforeClose();
    // The rows changed (open, close): models reset.
    void rowsReplaced();
    // One row's values changed (setField, post, cancel).
    void rowChanged(int row);
    // Rows first … last (inclusive) are about to be put in, and were put in (insertRows).
    void rowsAboutToBeInserted(int first, int last);
    void rowsInserted(int first, int last);

private:
    [[nodiscard]] int realFieldCount() const { return int(m_fieldNames.size() - m_calculated.size()); }
    [[nodiscard]] int requireField(const QString &name) const;
    [[nodiscard]] QVariant valueAt(int row, int column) const;
    void setCurrent(int row);
    [[nodiscard]] QSqlDatabase database() const;
    // Runs the statement on a fresh query, with the hidden row id in front when the rows can be posted.
    [[nodiscard]] QSqlQuery select(const QStringList &lines, const QVariantMap &params, bool withHiddenId) const;
    // The next row of a query run by select(), adjusted; false after the last one.
    bool fetchRow(QSqlQuery &query, bool withHiddenId, QVariantList &row, QVariant &id) const;
    // Every remaining row of the query; throws DatabaseError when the engine stops on an error.
    void fetchAll(QSqlQuery &query, bool withHiddenId, std::vector<QVariantList> &rows,
                  std::vector<QVariant> &ids) const;

    // The connection is looked up by name for each statement, so a dataset outliving its Database
    // holds no handle that would keep the connection in use.
    QString m_connectionName;
    QStringList m_lines;
    QVariantMap m_params;
    QStringList m_fieldNames;
    std::vector<QMetaType> m_fieldTypes;  // of the real fields
    std::vector<QVariantList> m_rows;
    std::vector<QVariant> m_rowIds;
    int m_current = -1;
    bool m_bof = true;
    bool m_eof = true;
    bool m_open = false;
    bool m_editing = false;
    QVariantList m_editBuffer;
    std::vector<bool> m_modified;
    QString m_postTable;  // the one table a "Select * from Table" reads; empty when rows cannot be posted
    std::vector<std::pair<QString, Calculation>> m_calculated;
    std::vector<std::pair<QString, Adjustment>> m_adjustments;
    std::vector<std::pair<int, std::size_t>> m_adjustedColumns;  // column of the open statement, adjustment
};
