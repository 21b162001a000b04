#pragma once
// A QTextDocument as a JSON tree and back: paragraphs with their runs, tables with merged
// cells, frames, every formatting property by name, and the images embedded as PNG.
// The tree is the body of the .ewd format (docs/ewd-format.md).
#include <QJsonObject>
#include <QString>

class QTextDocument;

namespace qh::records {

QJsonObject encodeTextDocument(const QTextDocument* doc);
// Fills an empty document from the tree; false with a reason when the tree is malformed
// (the document is then in an unspecified state and should be thrown away).
bool decodeTextDocument(const QJsonObject& tree, QTextDocument* doc, QString* error);

}  // namespace qh::records
