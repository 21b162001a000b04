#include "records/templates/DocumentPort.h"

#include "records/editor/EwdFormat.h"
#include "records/editor/FontChoice.h"

#include <QTextCursor>

namespace qh::records {

QByteArray RecordDocumentPort::content() const { return encodeEwd(doc_); }

bool RecordDocumentPort::setContent(const QByteArray& bytes) {
    RecordDocument incoming;
    if (!decodeEwd(bytes, incoming, nullptr)) return false;
    doc_.swap(incoming);
    return true;
}

bool RecordDocumentPort::setHeaderContent(const QByteArray& bytes) {
    RecordDocument incoming;
    if (!decodeEwd(bytes, incoming, nullptr)) return false;
    doc_.swapBodyIntoHeader(incoming);
    return true;
}

bool RecordDocumentPort::insertAtCaret(const QString& text, const QString& fontFamily) {
    const int end = doc_.body()->characterCount() - 1;
    if (!doc_.userMayEdit(end, end)) return false;
    QTextCursor cursor(doc_.body());
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat format = cursor.charFormat();
    if (!fontFamily.isEmpty()) format.setFontFamilies(fontFamiliesFor(fontFamily));
    cursor.insertText(text, format);
    return true;
}

}  // namespace qh::records
