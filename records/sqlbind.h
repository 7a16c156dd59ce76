#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// Statements are sent as lines joined with "\n", their parameters named ":_Name". Qt SQL binds NULL for
// a placeholder nobody bound and ignores a value whose name matches nothing, so every statement goes
// through these helpers, which refuse both. Parameter maps are keyed "_Name" (":_Name" is accepted too).

// The distinct placeholder names of the text ("_OperNo", without the colon), in order of first
// appearance; placeholders inside quotes and comments do not count.
[[nodiscard]] QStringList sqlPlaceholders(const QString &text);

// Prepares lines on query and binds params by name; a text value is bound as text, also when it is
// an empty QString that was never assigned (Qt would make that NULL). Throws DatabaseError naming the placeholder that
// has no value or the parameter that has no placeholder, or with the driver's text when preparing fails.
void prepareStatement(QSqlQuery &query, const QStringList &lines, const QVariantMap &params);

// Executes a prepared statement; throws DatabaseError with the driver's text.
void execStatement(QSqlQuery &query);

// Prepares, binds and executes on db; the returned query is positioned before its first row.
[[nodiscard]] QSqlQuery runStatement(const QSqlDatabase &db, const QStringList &lines,
                                     const QVariantMap &params = {}, bool forwardOnly = true);
