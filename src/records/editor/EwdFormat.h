#pragma once
// The .ewd file format: the editor's serialisation of a whole record document, which is
// also what content/setContent exchange with the database. See docs/ewd-format.md.
#include <QByteArray>
#include <QString>

namespace qh::records {

class RecordDocument;

inline constexpr int kEwdVersion = 1;

QByteArray encodeEwd(const RecordDocument& doc);
// Loads bytes into `doc`. Empty bytes give an empty document. Bytes that are not a
// document, or are damaged, give false and a reason, and leave `doc` as it was.
bool decodeEwd(const QByteArray& bytes, RecordDocument& doc, QString* error);
// The container around a JSON payload (magic, version, length, CRC, compression).
QByteArray wrapEwdPayload(const QByteArray& json);
// Whether the bytes begin like an .ewd file (used to tell formats apart on opening).
bool looksLikeEwd(const QByteArray& bytes);

}  // namespace qh::records
