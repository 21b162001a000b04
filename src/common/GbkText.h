#pragma once
// Texts are measured, padded and cut in bytes of the GBK code page: an ASCII character
// counts 1, a Chinese character 2. Files exchanged with other workstations are GBK.
#include <QByteArray>
#include <QString>

namespace qh::text {

int gbkLength(const QString& s);
// Pads with blanks on the right up to n bytes; a text of n bytes or more is unchanged.
QString padToBytes(const QString& s, int n);
// The longest prefix of at most n bytes that does not split a character.
QString cutToBytes(const QString& s, int n);
QByteArray toGbk(const QString& s);
QString fromGbk(const QByteArray& bytes);

}  // namespace qh::text
