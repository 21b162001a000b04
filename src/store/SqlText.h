#pragma once
#include <QString>

namespace qh::store {

// The one way a text value enters a statement: it is spliced between the statement's
// own single quotes ("where 姓名='" + sqlText(name) + "'"), with ' doubled so that a
// value can neither end the literal nor alter the statement.
QString sqlText(const QString& value);

}  // namespace qh::store
