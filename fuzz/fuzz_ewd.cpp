// Any bytes as a stored record document: decoded, and when accepted laid out, paginated and
// written again, as opening and printing a record does. Must never crash, hang or read files.
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
    qh::records::RecordDocument doc;
    QString error;
    if (!qh::records::decodeEwd(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), doc, &error)) return 0;
    doc.body()->documentLayout()->documentSize();
    doc.header()->documentLayout()->documentSize();
    qh::records::pageCount(doc);
    qh::records::encodeEwd(doc);
    return 0;
}
