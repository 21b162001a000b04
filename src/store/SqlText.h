#pragma once
#include <QString>

namespace qh::store {

// The one way a text value enters a statement: it is spliced between the statement's
// own single quotes ("where 姓名='" + sqlText(name) + "'"), with ' doubled so that a
// value can neither end the literal nor alter the statement.
QString sqlText(const QString& value);

// The same for a LIKE pattern: the typed text's own %, _ and \ are taken literally (each
// escaped with \), so "where 名称 like '%" + sqlLikeText(t) + "%'" + kLikeEscape finds the
// text as typed. The statement must end each such pattern with kLikeEscape.
QString sqlLikeText(const QString& value);
inline const QString kLikeEscape = QStringLiteral(" escape '\\'");

// A table, column or trigger name as a quoted identifier ("名称", " doubled), for names
// that come from a file's own catalogue rather than from the program's statements.
QString sqlIdentifier(const QString& name);

// A LIKE pattern that finds the value anywhere in a text: "%" + value + "%", with \, %
// and _ of the value escaped by \. Bound to a marker written "like ? escape '\'", so
// that a typed "%" or "_" is only a character.
QString sqlLikeContains(const QString& value);

}  // namespace qh::store
