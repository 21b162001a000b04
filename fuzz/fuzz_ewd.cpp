// Any bytes as a stored record document: decoded, and when accepted laid out, paginated and
// written again, as opening and printing a record does. Must never crash, hang or read files.
//
// Bytes that begin with the .ewd magic are taken as a whole file (the container: lengths,
// checksum, compression). Any other bytes are taken as the JSON payload and wrapped in a
// sound container first: a checksum and a compressed stream would otherwise turn nearly
// every mutation away before the content decoder is reached. The corpus holds both kinds
// (tools/dev.sh fuzz puts the starter templates and their payloads, via ewd_payload, in it).
#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

#include "records/editor/EwdFormat.h"
#include "records/editor/PagePrinter.h"
#include "records/editor/RecordDocument.h"

#include <QAbstractTextDocumentLayout>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);  // fonts for the layout
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (!qh::records::looksLikeEwd(bytes)) bytes = qh::records::wrapEwdPayload(bytes);
    qh::records::RecordDocument doc;
    QString error;
    if (!qh::records::decodeEwd(bytes, doc, &error)) return 0;
    doc.body()->documentLayout()->documentSize();
    doc.header()->documentLayout()->documentSize();
    qh::records::pageCount(doc);
    qh::records::encodeEwd(doc);
    return 0;
}
