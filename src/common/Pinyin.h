#pragma once
#include <QString>

namespace qh::text {

// Initials by the byte rule (姓名检索, the library tables' JSM): the GBK bytes taken two at a
// time; a pair that is a GB2312 Chinese character adds the upper-case first letter of its
// reading, any other pair adds nothing ("张a" -> "Z", "a张" -> "").
QString pinyinInitials(const QString& name);

// Initials by the character rule (code tables and catalogue): a Chinese character gives its
// initial, ASCII letters and digits are kept upper-cased, anything else adds nothing.
QString searchInitials(const QString& name);

// The initial of one GB2312 character, or 0 when it is not one.
char initialOf(QChar c);

}  // namespace qh::text
