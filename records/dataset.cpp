#include "records/dataset.h"

#include <algorithm>

#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

#include "records/database.h"
#include "records/sqlbind.h"

namespace {

const QString hiddenRowId = QStringLiteral("qm_rowid");

// The table of a "Select * from Table [alias] [where|order …]" statement, the only kind whose rows
// can be written back; empty for joins, unions and computed columns.
QString singleTable(const QString &text)
{
    static const QRegularExpression head(
        QStringLiteral(R"(^\s*select\s+\*\s+from\s+([A-Za-z_]\w*)(.*)$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression clause(QStringLiteral(R"(\b(where|order|group|having|limit|union|join)\b)"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression alias(QStringLiteral(R"(^\s*((as\s+)?[A-Za-z_]\w*)?\s*$)"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = head.match(text);
    if (!match.hasMatch())
        return {};
    const QString rest = match.captured(2);
    static const QRegularExpression joining(QStringLiteral(R"(\b(join|union)\b)"),
                                            QRegularExpression::CaseInsensitiveOption);
    if (rest.contains(joining))
        return {};
    const QRegularExpressionMatch firstClause = clause.match(rest);
    const QString tail = firstClause.hasMatch() ? rest.left(firstClause.capturedStart()) : rest;
    return alias.match(tail).hasMatch() ? match.captured(1) : QString();
}

// "Select * …" becomes "Select <rowid> AS qm_rowid, * …".
QString withRowId(const QString &text, const QString &rowIdExpression)
{
    static const QRegularExpression star(QStringLiteral(R"(^(\s*select\s+)\*)"),
                                         QRegularExpression::CaseInsensitiveOption);
    QString rewritten = text;
    const QRegularExpressionMatch match = star.match(text);
    rewritten.replace(match.capturedStart(), match.capturedLength(),
                      match.captured(1) + rowIdExpression + QStringLiteral(" AS ") + hiddenRowId + QStringLiteral(", *"));
    return rewritten;
}

// The table qualifiers of the select list in order ("Select S.*, U.* …" gives S, U).
QStringList selectQualifiers(const QString &text)
{
    static const QRegularExpression list(QStringLiteral(R"(^\s*select\s+(.*?)\s+from\s)"),
                                         QRegularExpression::CaseInsensitiveOption |
                                             QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression qualifier(QStringLiteral(R"(^\s*([A-Za-z_]\w*)\s*\.)"));
    QStringList qualifiers;
    const QRegularExpressionMatch match = list.match(text);
    if (!match.hasMatch())
        return qualifiers;
    const QString items = match.captured(1);
    int depth = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= items.size(); ++i) {
        const QChar ch = i < items.size() ? items.at(i) : QChar(u',');
        if (ch == u'(')
            ++depth;
        else if (ch == u')')
            --depth;
        else if (ch == u',' && depth == 0) {
            const QRegularExpressionMatch item = qualifier.match(items.mid(start, i - start));
            if (item.hasMatch() && !qualifiers.contains(item.captured(1), Qt::CaseInsensitive))
                qualifiers.append(item.captured(1));
            start = i + 1;
        }
    }
    return qualifiers;
}

// A column name the result holds more than once is named by its table's qualifier, the n-th
// occurrence by the n-th qualifier of the select list ("S.mIndex", "U.mIndex").
QStringList qualifiedNames(const QStringList &names, const QString &text)
{
    const auto occurrencesBefore = [&names](qsizetype end, const QString &name) {
        qsizetype count = 0;
        for (qsizetype j = 0; j < end; ++j)
            count += names.at(j).compare(name, Qt::CaseInsensitive) == 0 ? 1 : 0;
        return count;
    };
    QStringList result = names;
    QStringList qualifiers;
    bool qualifiersRead = false;
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (occurrencesBefore(names.size(), names.at(i)) < 2)
            continue;
        if (!qualifiersRead) {
            qualifiers = selectQualifiers(text);
            qualifiersRead = true;
        }
        const qsizetype occurrence = occurrencesBefore(i, names.at(i));
        result[i] = occurrence < qualifiers.size() ? qualifiers.at(occurrence) + u'.' + names.at(i)
                                                   : names.at(i) + u'_' + QString::number(occurrence + 1);
    }
    return result;
}

bool isNumber(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        return true;
    default:
        return false;
    }
}

bool matches(const QVariant &stored, const QVariant &key, bool partialKey)
{
    if (stored.isNull() || key.isNull())
        return stored.isNull() && key.isNull();
    if (isNumber(stored) && isNumber(key))
        return stored.toDouble() == key.toDouble();
    const QString text = stored.toString();
    const QString wanted = key.toString();
    return partialKey ? text.startsWith(wanted, Qt::CaseInsensitive)
                      : text.compare(wanted, Qt::CaseInsensitive) == 0;
}

// SQLite's order of values: NULL, then numbers, then texts (NOCASE: ASCII letters folded to lower
// case, then the UTF-8 bytes), then anything else. Negative, zero or positive.
int compareInOrder(const QVariant &a, const QVariant &b)
{
    const auto rank = [](const QVariant &v) {
        if (v.isNull())
            return 0;
        if (isNumber(v))
            return 1;
        return v.metaType().id() == QMetaType::QString ? 2 : 3;
    };
    const int ra = rank(a);
    const int rb = rank(b);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    if (ra == 1) {
        const double x = a.toDouble();
        const double y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (ra != 2)
        return 0;
    const QByteArray x = a.toString().toUtf8();
    const QByteArray y = b.toString().toUtf8();
    const auto fold = [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u >= 'A' && u <= 'Z' ? u + ('a' - 'A') : u;
    };
    const qsizetype n = std::min(x.size(), y.size());
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned fx = fold(x[i]);
        const unsigned fy = fold(y[i]);
        if (fx != fy)
            return fx < fy ? -1 : 1;
    }
    return x.size() < y.size() ? -1 : (x.size() > y.size() ? 1 : 0);
}

QString paramName(const QString &name)
{
    return name.startsWith(u':') ? name.mid(1) : name;
}

}  // namespace

DatabaseError DatabaseError::fromEngine(const QSqlError &error)
{
    // The engine's primary result codes SQLITE_FULL and SQLITE_READONLY.
    const QString code = error.nativeErrorCode();
    if (code == QLatin1String("13"))
        return DatabaseError(QStringLiteral("磁碟已滿，資料沒有寫入資料庫。（%1）").arg(error.text()));
    if (code == QLatin1String("8"))
        return DatabaseError(QStringLiteral("資料庫無法寫入，資料沒有寫入。（%1）").arg(error.text()));
    return DatabaseError(error.text());
}

Dataset::Dataset(const QString &name, const QSqlDatabase &db, QObject *parent)
    : QObject(parent)
    , m_connectionName(db.connectionName())
{
    setObjectName(name);
}

QSqlDatabase Dataset::database() const
{
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (!db.isOpen())
        throw DatabaseError(QStringLiteral("%1: the database connection is closed").arg(objectName()));
    return db;
}

void Dataset::setSql(const QStringList &lines)
{
    close();
    m_lines = lines;
    m_params.clear();
}

QString Dataset::sql() const
{
    return m_lines.join(u'\n');
}

void Dataset::setParam(const QString &name, const QVariant &value)
{
    m_params.insert(paramName(name), value);
}

void Dataset::clearParams()
{
    m_params.clear();
}

QVariant Dataset::param(const QString &name) const
{
    return m_params.value(paramName(name));
}

void Dataset::openWith(const QStringList &lines, const QVariantMap &params)
{
    setSql(lines);
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        setParam(it.key(), it.value());
    open();
}

int Dataset::run(const QStringList &lines, const QVariantMap &params)
{
    setSql(lines);
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        setParam(it.key(), it.value());
    return execSql();
}

QSqlQuery Dataset::select(const QStringList &lines, const QVariantMap &params, bool withHiddenId) const
{
    const QSqlDatabase db = database();
    const QString text = lines.join(u'\n');
    QSqlQuery query(db);
    query.setForwardOnly(true);
    prepareStatement(query,
                     withHiddenId ? QStringList{withRowId(text, Dialect::forDriver(db.driverName()).rowIdExpression)}
                                  : lines,
                     params);
    execStatement(query);
    if (!query.isSelect())
        throw DatabaseError(QStringLiteral("The statement of %1 returns no rows: %2").arg(objectName(), text));
    return query;
}

bool Dataset::fetchRow(QSqlQuery &query, bool withHiddenId, QVariantList &row, QVariant &id) const
{
    if (!query.next())
        return false;
    const int first = withHiddenId ? 1 : 0;
    const int count = query.record().count();
    row.clear();
    row.reserve(count - first);
    for (int i = first; i < count; ++i)
        row.append(query.value(i));
    for (const auto &[column, adjustment] : m_adjustedColumns) {
        QVariant &value = row[column];
        if (!value.isNull())
            value = m_adjustments[adjustment].second(value);
    }
    if (withHiddenId)
        id = query.value(0);
    return true;
}

void Dataset::fetchAll(QSqlQuery &query, bool withHiddenId, std::vector<QVariantList> &rows,
                       std::vector<QVariant> &ids) const
{
    QVariantList row;
    QVariant id;
    while (fetchRow(query, withHiddenId, row, id)) {
        rows.push_back(std::move(row));
        if (withHiddenId)
            ids.push_back(id);
    }
    if (query.lastError().isValid())
        throw DatabaseError::fromEngine(query.lastError());
}

void Dataset::open()
{
    close();
    const QString text = sql();
    const QString table = singleTable(text);
    const bool hidden = !table.isEmpty();
    QSqlQuery query = select(m_lines, m_params, hidden);

    const QSqlRecord record = query.record();
    const int first = hidden ? 1 : 0;
    QStringList names;
    std::vector<QMetaType> types;
    for (int i = first; i < record.count(); ++i) {
        names.append(record.fieldName(i));
        types.push_back(record.field(i).metaType());
    }
    const QStringList qualified = qualifiedNames(names, text);
    m_adjustedColumns.clear();
    for (std::size_t k = 0; k < m_adjustments.size(); ++k) {
        for (qsizetype i = 0; i < qualified.size(); ++i) {
            if (qualified.at(i).compare(m_adjustments[k].first, Qt::CaseInsensitive) == 0)
                m_adjustedColumns.emplace_back(int(i), k);
        }
    }
    std::vector<QVariantList> rows;
    std::vector<QVariant> ids;
    fetchAll(query, hidden, rows, ids);

    m_fieldNames = qualified;
    m_fieldTypes = std::move(types);
    for (const auto &calculated : m_calculated)
        m_fieldNames.append(calculated.first);
    m_rows = std::move(rows);
    m_rowIds = std::move(ids);
    m_postTable = table;
    m_open = true;
    m_current = m_rows.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.empty();
    Q_EMIT rowsReplaced();
    Q_EMIT afterOpen();
    Q_EMIT afterScroll();
}

int Dataset::insertRows(const QStringList &lines, const QVariantMap &params, const QStringList &orderFields)
{
    if (!m_open)
        throw DatabaseError(QStringLiteral("%1 is closed: no rows can be put in").arg(objectName()));
    const QString text = lines.join(u'\n');
    const QString table = singleTable(text);
    if (table.compare(m_postTable, Qt::CaseInsensitive) != 0 || table.isEmpty())
        throw DatabaseError(QStringLiteral("%1 reads other rows than: %2").arg(objectName(), text));
    std::vector<int> order;
    for (const QString &name : orderFields)
        order.push_back(requireField(name));

    QVariantMap bound;
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        bound.insert(paramName(it.key()), it.value());
    QSqlQuery query = select(lines, bound, true);
    const QSqlRecord record = query.record();
    if (record.count() - 1 != realFieldCount())
        throw DatabaseError(QStringLiteral("%1 has other columns than: %2").arg(objectName(), text));
    for (int i = 1; i < record.count(); ++i) {
        if (m_fieldNames.at(i - 1).compare(record.fieldName(i), Qt::CaseInsensitive) != 0)
            throw DatabaseError(QStringLiteral("%1 has other columns than: %2").arg(objectName(), text));
    }
    std::vector<QVariantList> fetched;
    std::vector<QVariant> ids;
    fetchAll(query, true, fetched, ids);

    post();
    const bool wasEmpty = m_rows.empty();
    const auto sortsAfter = [&order](const QVariantList &a, const QVariantList &b) {
        for (int column : order) {
            const int c = compareInOrder(a.at(column), b.at(column));
            if (c != 0)
                return c > 0;
        }
        return false;
    };
    for (std::size_t k = 0; k < fetched.size(); ++k) {
        // After the last row that does not sort after the new one.
        const auto place = std::upper_bound(m_rows.begin(), m_rows.end(), fetched[k],
                                            [&](const QVariantList &newRow, const QVariantList &old) {
                                                return sortsAfter(old, newRow);
                                            });
        const int at = int(place - m_rows.begin());
        Q_EMIT rowsAboutToBeInserted(at, at);
        m_rows.insert(m_rows.begin() + at, std::move(fetched[k]));
        m_rowIds.insert(m_rowIds.begin() + at, ids[k]);
        if (m_current >= at)
            ++m_current;
        else if (m_current < 0)
            m_current = 0;
        m_eof = m_bof = false;
        Q_EMIT rowsInserted(at, at);
    }
    // An empty dataset had no current row; now it stands on its first, as an open would.
    if (wasEmpty && !m_rows.empty())
        Q_EMIT afterScroll();
    return int(fetched.size());
}

void Dataset::close()
{
    if (!m_open)
        return;
    Q_EMIT beforeClose();
    m_editing = false;
    m_editBuffer.clear();
    m_modified.clear();
    m_rows.clear();
    m_rowIds.clear();
    m_fieldNames.clear();
    m_fieldTypes.clear();
    for (const auto &calculated : m_calculated)
        m_fieldNames.append(calculated.first);
    m_postTable.clear();
    m_current = -1;
    m_bof = m_eof = true;
    m_open = false;
    Q_EMIT rowsReplaced();
}

int Dataset::execSql()
{
    QSqlQuery query = runStatement(database(), m_lines, m_params);
    return query.numRowsAffected();
}

void Dataset::setCurrent(int row)
{
    if (row == m_current)
        return;
    post();
    m_current = row;
    Q_EMIT afterScroll();
}

void Dataset::first()
{
    moveTo(0);
    m_bof = true;
}

void Dataset::last()
{
    moveTo(recordCount() - 1);
    m_eof = true;
}

void Dataset::next()
{
    if (m_current >= recordCount() - 1) {
        m_eof = true;
        return;
    }
    moveTo(m_current + 1);
}

void Dataset::prior()
{
    if (m_current <= 0) {
        m_bof = true;
        return;
    }
    moveTo(m_current - 1);
}

void Dataset::moveTo(int row)
{
    if (m_rows.empty())
        return;
    setCurrent(std::clamp(row, 0, recordCount() - 1));
    m_bof = m_eof = false;
}

int Dataset::fieldIndex(const QString &name) const
{
    for (qsizetype i = 0; i < m_fieldNames.size(); ++i) {
        if (m_fieldNames.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    // A plain name of a column the join holds twice means its first occurrence.
    if (!name.contains(u'.')) {
        for (int i = 0; i < realFieldCount(); ++i) {
            const QString &qualified = m_fieldNames.at(i);
            const qsizetype dot = qualified.indexOf(u'.');
            if (dot >= 0 && QStringView(qualified).mid(dot + 1).compare(name, Qt::CaseInsensitive) == 0)
                return i;
        }
    }
    return -1;
}

QMetaType Dataset::fieldType(const QString &name) const
{
    const int index = fieldIndex(name);
    return index >= 0 && index < int(m_fieldTypes.size()) ? m_fieldTypes[std::size_t(index)] : QMetaType();
}

int Dataset::requireField(const QString &name) const
{
    const int index = fieldIndex(name);
    if (index < 0)
        throw DatabaseError(QStringLiteral("Field '%1' not found").arg(name));
    return index;
}

QVariant Dataset::valueAt(int row, int column) const
{
    if (column >= realFieldCount())
        return m_calculated.at(std::size_t(column - realFieldCount())).second(*this, row);
    if (m_editing && row == m_current)
        return m_editBuffer.at(column);
    return m_rows.at(std::size_t(row)).at(column);
}

QVariant Dataset::field(const QString &name) const
{
    const int column = requireField(name);
    return m_current < 0 ? QVariant() : valueAt(m_current, column);
}

QVariant Dataset::value(int row, const QString &name) const
{
    const int column = requireField(name);
    return row < 0 || row >= recordCount() ? QVariant() : valueAt(row, column);
}

QVariant Dataset::fieldAt(int column) const
{
    if (column < 0 || column >= m_fieldNames.size())
        throw DatabaseError(QStringLiteral("Field index %1 out of range").arg(column));
    return m_current < 0 ? QVariant() : valueAt(m_current, column);
}

bool Dataset::isCalculatedField(const QString &name) const
{
    return fieldIndex(name) >= realFieldCount();
}

bool Dataset::locate(const QStringList &fields, const QVariantList &values, bool partialKey)
{
    if (fields.size() != values.size())
        throw DatabaseError(QStringLiteral("Locate on %1 fields with %2 values").arg(fields.size()).arg(values.size()));
    std::vector<int> columns;
    for (const QString &name : fields)
        columns.push_back(requireField(name));
    for (int row = 0; row < recordCount(); ++row) {
        bool all = true;
        for (std::size_t k = 0; k < columns.size() && all; ++k)
            all = matches(valueAt(row, columns[k]), values.at(qsizetype(k)), partialKey);
        if (all) {
            setCurrent(row);
            m_bof = m_eof = false;
            return true;
        }
    }
    return false;
}

void Dataset::edit()
{
    if (m_editing)
        return;
    if (m_current < 0)
        throw DatabaseError(QStringLiteral("%1 has no current row to edit").arg(objectName()));
    m_editBuffer = m_rows.at(std::size_t(m_current));
    m_modified.assign(std::size_t(realFieldCount()), false);
    m_editing = true;
}

void Dataset::setField(const QString &name, const QVariant &value)
{
    if (!m_editing)
        throw DatabaseError(QStringLiteral("%1 is not in edit mode").arg(objectName()));
    const int column = requireField(name);
    if (column >= realFieldCount())
        throw DatabaseError(QStringLiteral("Field '%1' is calculated and cannot be modified").arg(name));
    m_editBuffer[column] = value;
    m_modified[std::size_t(column)] = true;
    Q_EMIT rowChanged(m_current);
}

void Dataset::post()
{
    if (!m_editing)
        return;
    if (m_postTable.isEmpty())
        throw DatabaseError(
            QStringLiteral("%1 cannot post: its statement does not read a single table").arg(objectName()));

    const QSqlDatabase db = database();
    const QSqlDriver *driver = db.driver();
    QStringList assignments;
    QVariantMap params;
    for (int column = 0; column < realFieldCount(); ++column) {
        if (!m_modified[std::size_t(column)])
            continue;
        const QString param = QStringLiteral("_qm_v%1").arg(column);
        assignments.append(driver->escapeIdentifier(m_fieldNames.at(column), QSqlDriver::FieldName) +
                           QStringLiteral(" = :") + param);
        params.insert(param, m_editBuffer.at(column));
    }
    if (!assignments.isEmpty()) {
        params.insert(QStringLiteral("_qm_rowid"), m_rowIds.at(std::size_t(m_current)));
        const QStringList update = {
            QStringLiteral("UPDATE %1 SET %2")
                .arg(driver->escapeIdentifier(m_postTable, QSqlDriver::TableName), assignments.join(QStringLiteral(", "))),
            QStringLiteral("WHERE %1 = :_qm_rowid").arg(Dialect::forDriver(db.driverName()).rowIdExpression)};
        const QSqlQuery query = runStatement(db, update, params);
        if (query.numRowsAffected() != 1)
            throw DatabaseError(QStringLiteral("The row of %1 to update is no longer in %2")
                                    .arg(objectName(), m_postTable));
    }
    m_rows[std::size_t(m_current)] = m_editBuffer;
    m_editing = false;
    m_editBuffer.clear();
    m_modified.clear();
    Q_EMIT rowChanged(m_current);
    Q_EMIT afterPost();
}

void Dataset::cancel()
{
    if (!m_editing)
        return;
    m_editing = false;
    m_editBuffer.clear();
    m_modified.clear();
    Q_EMIT rowChanged(m_current);
}

void Dataset::addCalculatedField(const QString &name, Calculation calculation)
{
    m_calculated.emplace_back(name, std::move(calculation));
    m_fieldNames.append(name);
}

void Dataset::addFetchAdjustment(const QString &name, Adjustment adjust)
{
    // The open rows were fetched without it, so it counts from the next open on.
    m_adjustments.emplace_back(name, std::move(adjust));
}
