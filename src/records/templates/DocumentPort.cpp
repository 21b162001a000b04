#include "records/templates/DocumentPort.h"

#include "records/editor/EwdFormat.h"

namespace qh::records {

QByteArray RecordDocumentPort::GetContent() const { return encodeEwd(doc_); }

bool RecordDocumentPort::SetContent(const QByteArray& bytes) {
    RecordDocument incoming;
    if (!decodeEwd(bytes, incoming, nullptr)) return false;
    doc_.swap(incoming);
    return true;
}

bool RecordDocumentPort::SetHeaderContent(const QByteArray& bytes) {
    RecordDocument incoming;
    if (!decodeEwd(bytes, incoming, nullptr)) return false;
    doc_.swapBodyIntoHeader(incoming);
    return true;
}

}  // namespace qh::records
