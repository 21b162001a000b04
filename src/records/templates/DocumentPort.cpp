#include "records/templates/DocumentPort.h"

#include "records/editor/EwdFormat.h"

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

}  // namespace qh::records
