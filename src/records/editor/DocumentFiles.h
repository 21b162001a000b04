#pragma once
// Opening and saving document files: .ewd (the editor's own), plain text in GBK or UTF-8,
// HTML, and word-processor documents converted by LibreOffice when it is installed.
#include <QByteArray>
#include <QString>

namespace qh::records {

class RecordDocument;

// UTF-8 when the bytes are valid UTF-8 (with or without a byte-order mark), else GBK, the
// code page of files from the ward's other workstations.
QString decodePlainText(const QByteArray& bytes);

// Loads the file into `doc`; on failure `doc` is unchanged and `error` says why.
bool openDocumentFile(const QString& path, RecordDocument& doc, QString* error);
// Writes the document as .ewd, replacing the file only once it is completely written.
bool saveDocumentFile(const QString& path, const RecordDocument& doc, QString* error);

// The word-processor converter: LibreOffice when installed, or the program named by the
// environment variable QINGHE_CONVERTER (taking LibreOffice's arguments); empty when none.
QString converterProgram();
// Writes the body as a word-processor document: ".odt" directly, ".docx" and ".doc" through
// the converter. The file is replaced only once it is completely written.
bool saveWordProcessorFile(const QString& path, const RecordDocument& doc, QString* error);

// Loads HTML into the body; images it refers to are copied into the document.
void loadHtml(const QString& html, const QString& baseDirectory, RecordDocument& doc);

}  // namespace qh::records
