#include "reference/Decipher.h"

#include <QStringDecoder>

#include "common/GbkText.h"

namespace qh::reference {

QString decipherBytes(const QByteArray& bytes) {
    // A hospital's own cipher goes here: turn `bytes` back into the plain bytes it enciphered,
    // then let them be decoded below. This base ships no cipher and invents none; a value
    // written with a cipher this program does not know reads as empty.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    const QString gbk = text::fromGbk(bytes);
    return gbk.contains(QChar(QChar::ReplacementCharacter)) ? QString() : gbk;
}

QString decipherText(const store::Value& stored) {
    if (stored.type() == store::ValueType::Binary) return decipherBytes(stored.toBytes());
    return stored.toText();
}

}  // namespace qh::reference
