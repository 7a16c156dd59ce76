#include "records/sqlbind.h"

#include <QSqlError>

#include "records/dataset.h"

namespace {

bool isNameChar(QChar ch)
{
    const char16_t u = ch.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_';
}

// Every placeholder occurrence, with its name, as the engine sees the text: quoted text, quoted
// identifiers and comments are skipped.
QStringList placeholderOccurrences(const QString &text)
{
    QStringList found;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar ch = text.at(i);
        if (ch == u'\'' || ch == u'"' || ch == u'`' || ch == u'[') {
            const QChar closing = ch == u'[' ? QChar(u']') : ch;
            i = text.indexOf(closing, i + 1);
            if (i < 0)
                break;
            ++i;
        } else if (ch == u'-' && i + 1 < n && text.at(i + 1) == u'-') {
            i = text.indexOf(u'\n', i + 2);
            if (i < 0)
                break;
        } else if (ch == u'/' && i + 1 < n && text.at(i + 1) == u'*') {
            i = text.indexOf(QStringLiteral("*/"), i + 2);
            if (i < 0)
                break;
            i += 2;
        } else if (ch == u':' && (i == 0 || text.at(i - 1) != u':') && i + 1 < n && isNameChar(text.at(i + 1))) {
            qsizetype end = i + 1;
            while (end < n && isNameChar(text.at(end)))
                ++end;
            found.append(text.mid(i + 1, end - i - 1));
            i = end;
        } else {
            ++i;
        }
    }
    return found;
}

QString withoutColon(const QString &name)
{
    return name.startsWith(u':') ? name.mid(1) : name;
}

}  // namespace

QStringList sqlPlaceholders(const QString &text)
{
    QStringList names = placeholderOccurrences(text);
    names.removeDuplicates();
    return names;
}

void prepareStatement(QSqlQuery &query, const QStringList &lines, const QVariantMap &params)
{
    const QString text = lines.join(u'\n');
    const QStringList occurrences = placeholderOccurrences(text);
    QStringList names = occurrences;
    names.removeDuplicates();

    QVariantMap values;
    for (auto it = params.cbegin(); it != params.cend(); ++it) {
        const QString name = withoutColon(it.key());
        if (!names.contains(name))
            throw DatabaseError(QStringLiteral("Parameter '%1' has no placeholder ':%1' in: %2").arg(name, text));
        values.insert(name, it.value());
    }
    for (const QString &name : std::as_const(names)) {
        if (!values.contains(name))
            throw DatabaseError(QStringLiteral("Parameter ':%1' is not bound in: %2").arg(name, text));
    }

    if (!query.prepare(text))
        throw DatabaseError::fromEngine(query.lastError());
    // Qt finds placeholders with its own scanner, which knows no comments; where it disagrees with the
    // engine's view some value would silently go to the wrong place.
    if (query.boundValues().size() != occurrences.size())
        throw DatabaseError(QStringLiteral("Qt SQL sees %1 placeholders where the statement has %2 (a quote "
                                           "inside a comment?): %3")
                                .arg(query.boundValues().size())
                                .arg(occurrences.size())
                                .arg(text));
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        // A text is text even when empty: Qt binds an empty QString that was never assigned as NULL,
        // which "= :_RecID" never matches, so a measurement without a part could not be found again.
        const QVariant &value = it.value();
        const bool nullText = value.metaType().id() == QMetaType::QString && value.toString().isNull();
        query.bindValue(u':' + it.key(), nullText ? QVariant(QStringLiteral("")) : value);
    }
}

void execStatement(QSqlQuery &query)
{
    if (!query.exec())
        throw DatabaseError::fromEngine(query.lastError());
}

QSqlQuery runStatement(const QSqlDatabase &db, const QStringList &lines, const QVariantMap &params, bool forwardOnly)
{
    QSqlQuery query(db);
    query.setForwardOnly(forwardOnly);
    prepareStatement(query, lines, params);
    execStatement(query);
    return query;
}
