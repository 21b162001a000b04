// The .ewd format: everything the editor holds survives content/setContent, and
// damaged bytes are refused with a reason and without touching the open document.
#include "records/editor/EwdFormat.h"

#include <QRandomGenerator>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <gtest/gtest.h>

#include "editor_samples.h"

using namespace qh::records;
using qh::test::fillRichDocument;

namespace {

// Structure and formats compared element by element; the object bookkeeping excluded.
QString describe(const QTextDocument* doc) {
    QString out;
    QTextCursor c(const_cast<QTextDocument*>(doc));
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        QTextCursor at(const_cast<QTextDocument*>(doc));
        at.setPosition(b.position());
        if (QTextTable* t = at.currentTable()) {
            QTextTableCell cell = t->cellAt(b.position());
            out += QString("[cell %1,%2 span %3x%4 alias=%5 bg=%6]")
                       .arg(cell.row()).arg(cell.column()).arg(cell.rowSpan()).arg(cell.columnSpan())
                       .arg(cell.format().property(AliasProperty).toString())
                       .arg(cell.format().background().color().name());
            out += QString("[table %1x%2 border=%3 widths=%4]")
                       .arg(t->rows()).arg(t->columns()).arg(t->format().border())
                       .arg(t->format().columnWidthConstraints().size());
        }
        out += QString("{align=%1 tabs=%4 top=%2 bottom=%3}").arg(int(b.blockFormat().alignment()))
                   .arg(b.blockFormat().topMargin()).arg(b.blockFormat().bottomMargin())
                   .arg(b.blockFormat().tabPositions().size());
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            QTextCharFormat f = it.fragment().charFormat();
            f.clearProperty(QTextFormat::ObjectIndex);
            QStringList props;
            const auto map = f.properties();
            for (auto p = map.begin(); p != map.end(); ++p) props << QString("%1=%2").arg(p.key()).arg(p.value().toString());
            out += "(" + it.fragment().text() + "|" + props.join(",") + "|" +
                   f.foreground().color().name() + f.background().color().name() + ")";
        }
        out += "\n";
    }
    return out;
}

}  // namespace

TEST(EditorFormat, RichDocumentSurvivesRoundTripUnchanged) {
    RecordDocument doc;
    fillRichDocument(doc);
    const QByteArray bytes = encodeEwd(doc);

    RecordDocument loaded;
    QString error;
    ASSERT_TRUE(decodeEwd(bytes, loaded, &error)) << error.toStdString();
    EXPECT_EQ(describe(doc.body()).toStdString(), describe(loaded.body()).toStdString());
    EXPECT_EQ(describe(doc.header()).toStdString(), describe(loaded.header()).toStdString());
    EXPECT_EQ(loaded.body()->characterCount(), doc.body()->characterCount());
    EXPECT_EQ(loaded.paper(), (PaperSize{1820, 2570}));
    EXPECT_EQ(loaded.printMark(), doc.printMark());
    EXPECT_TRUE(loaded.trackChanges());
    EXPECT_FALSE(loaded.isModified());
    // The image travels inside the bytes, not as a link.
    QImage image = loaded.body()->resource(QTextDocument::ImageResource, QUrl("qh-image-1")).value<QImage>();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixelColor(8, 8), QColor(Qt::red));
    // Revisions keep author and time.
    EXPECT_EQ(revisionCount(loaded.body()), 2);
    // Encoding is stable: the reloaded document writes the same bytes.
    EXPECT_EQ(encodeEwd(loaded), bytes);
}

TEST(EditorFormat, EmptyBytesClearAndForeignOrNewerBytesAreRefusedKeepingTheDocument) {
    RecordDocument doc;
    fillRichDocument(doc);
    const QString before = describe(doc.body());
    QByteArray newer = encodeEwd(RecordDocument());
    newer[9] = char(kEwdVersion + 1);
    for (const QByteArray& junk : {QByteArray("hello, not a record"), QByteArray("QHEWD\r\n\x1a", 8),
                                   QByteArray("<html><body>x</body></html>"), newer}) {
        QString error;
        EXPECT_FALSE(decodeEwd(junk, doc, &error));
        EXPECT_FALSE(error.isEmpty());
        if (junk == newer) EXPECT_TRUE(error.contains("版本"));
    }
    EXPECT_EQ(describe(doc.body()), before);

    QString error;
    ASSERT_TRUE(decodeEwd(QByteArray(), doc, &error));
    EXPECT_TRUE(doc.body()->isEmpty());
    EXPECT_TRUE(doc.header()->isEmpty());
    EXPECT_EQ(doc.paper(), PaperSize{});
    EXPECT_EQ(doc.printMark().position, -1);
    EXPECT_FALSE(doc.isModified());
}

// The CRC covers the uncompressed payload, so damage gets through only where zlib ignores
// bits (the compression-level hint in its header, the padding after the last block, a few
// others): such bytes still give exactly the original document. Of all single-byte changes
// to the rich document about 1 in 15,000 is of that kind; in the container's own fields
// (magic, version, lengths, CRC) none is.
TEST(EditorFormat, DamagedBytesAreRefusedWithAReasonUnlessTheDamageChangesNothing) {
    RecordDocument source;
    fillRichDocument(source);
    const QByteArray good = encodeEwd(source);
    // Whether the bytes were refused; a refusal must explain and keep the open document,
    // and bytes that load must be the original document.
    auto refused = [&good](const QByteArray& bad) {
        RecordDocument target;
        target.body()->setPlainText("仍在编辑的病历");
        QString error;
        if (decodeEwd(bad, target, &error)) {
            EXPECT_EQ(encodeEwd(target), good) << "damaged bytes loaded as another document";
            return false;
        }
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(target.body()->toPlainText(), QString("仍在编辑的病历"));
        return true;
    };

    // Every bit of magic, version, length, CRC and the length qCompress repeats.
    constexpr int kCheckedBytes = 8 + 2 + 4 + 4 + 4;
    int headerRefusals = 0;
    for (int i = 0; i < kCheckedBytes; ++i)
        for (int bit = 0; bit < 8; ++bit) {
            QByteArray bad = good;
            bad[i] = char(bad[i] ^ (1 << bit));
            headerRefusals += refused(bad);
        }
    EXPECT_EQ(headerRefusals, kCheckedBytes * 8);

    QRandomGenerator random(20160305);
    int damaged = 0, refusals = 0;
    for (int round = 0; round < 400; ++round) {
        QByteArray bad = good;
        switch (round % 4) {
        case 0: bad.truncate(random.bounded(1, good.size())); break;  // no bytes at all are the empty document
        case 1: bad[random.bounded(good.size())] = char(random.bounded(256)); break;
        case 2:
            for (int i = 0; i < 8; ++i) bad[random.bounded(good.size())] = char(random.bounded(256));
            break;
        case 3: bad.insert(random.bounded(good.size()), QByteArray(random.bounded(1, 20), 'x')); break;
        }
        if (bad == good) continue;
        ++damaged;
        refusals += refused(bad);
    }
    EXPECT_GT(damaged, 390);
    // Here every one is refused; the 1 % allows for a zlib that lays the stream out otherwise.
    EXPECT_GE(refusals * 100, damaged * 99) << refusals << " of " << damaged << " refused";
}

namespace {

QByteArray craft(const QString& content, const QString& extra = {}) {
    return wrapEwdPayload(QStringLiteral(R"({"format":"qinghe-ewd","version":1,%2"body":{"content":[%1]}})")
                              .arg(content, extra)
                              .toUtf8());
}

}  // namespace

TEST(EditorFormat, CraftedContentIsRefusedOrLoadedSafely) {
    const QString p = R"({"block":{},"runs":[{"text":"x","format":{}}]})";
    struct Case {
        QString content;
        bool loads;
    } cases[] = {
        {p, true},
        {p + R"(,{"table":{},"rows":100000,"columns":100000,"cells":[]},)" + p, false},
        {p + R"(,{"table":{},"rows":2,"columns":2,"cells":[{"row":1,"column":1,"rowSpan":3,"columnSpan":1}]},)" + p, false},
        {p + R"(,{"table":{},"rows":2,"columns":2,"cells":[{"row":0,"column":0,"rowSpan":2,"columnSpan":2},)"
                 R"({"row":1,"column":1,"rowSpan":1,"columnSpan":1,"content":[)" + p + "]}]}," + p, true},
        {R"({"block":{"FontPointSize":{"nonsense":1}},"runs":[]})", false},
        {R"({"block":{"NoSuchPropertyYet":5},"runs":[{"text":"y","format":{"qhFuture":true}}]})", true},
        {R"({"block":{},"runs":[{"text":"a b﷐c
d","format":{}}]})", true},
        {R"("just text")", false},
        {R"({"mystery":1})", false},
        // Values that crash or hang the layout, or read files, are refused when read.
        {p + R"(,{"table":{"TableHeaderRowCount":2,"TableBorderCollapse":true},"rows":1,"columns":1,"cells":[]},)" + p, false},
        {R"({"block":{"BlockTopMargin":{"real":1e6}},"runs":[{"text":"x","format":{}}]})", false},
        {R"({"block":{"BlockLeftMargin":{"real":-1e6}},"runs":[{"text":"x","format":{}}]})", false},
        {R"({"block":{"BlockIndent":1e300},"runs":[]})", false},
        {R"({"block":{},"runs":[{"text":"x","format":{"FontPointSize":{"real":1e308}}}]})", false},
        {R"({"block":{},"runs":[{"text":"\ufffc","format":{"ObjectType":1,"ImageName":"/dev/zero"}}]})", false},
        {p + R"(,{"table":{},"rows":316,"columns":316,"cells":[]},)" + p, false},
        {p + R"(,{"table":{"TableHeaderRowCount":1},"rows":3,"columns":2,"cells":[]},)" + p, true},
    };
    for (const Case& c : cases) {
        RecordDocument doc;
        QString error;
        const bool loaded = decodeEwd(craft(c.content), doc, &error);
        EXPECT_EQ(loaded, c.loads) << c.content.toStdString() << " " << error.toStdString();
        if (!loaded) EXPECT_FALSE(error.isEmpty());
        if (loaded) {
            doc.body()->documentLayout()->documentSize();  // and laid out
            encodeEwd(doc);                                // and written again
        }
    }
    RecordDocument padded;
    QString why;
    const QByteArray paddedBytes = wrapEwdPayload(
        QStringLiteral(R"({"format":"qinghe-ewd","version":1,"body":{"rootFrame":{"FramePadding":{"real":-1e9}},"content":[%1]}})")
            .arg(p)
            .toUtf8());
    EXPECT_FALSE(decodeEwd(paddedBytes, padded, &why));
    EXPECT_TRUE(why.contains("FramePadding")) << why.toStdString();
    // Paragraph and frame markers smuggled into a run do not create structure.
    RecordDocument doc;
    ASSERT_TRUE(decodeEwd(craft(R"({"block":{},"runs":[{"text":"a\u2029b\ufdd0c","format":{}}]})"), doc, nullptr));
    EXPECT_EQ(doc.body()->blockCount(), 1);
    EXPECT_EQ(doc.body()->toPlainText().size(), 5);

    // Tables nested deeper than any record are refused rather than recursed into.
    QString nested = p;
    for (int i = 0; i < 40; ++i)
        nested = p + R"(,{"table":{},"rows":1,"columns":1,"cells":[{"row":0,"column":0,"content":[)" + nested + "]}]}," + p;
    QString error;
    EXPECT_FALSE(decodeEwd(craft(nested), doc, &error));
    EXPECT_TRUE(error.contains("嵌套"));
    // An impossible paper or protection is refused.
    EXPECT_FALSE(decodeEwd(craft(p, R"("paper":{"width":-5,"height":10},)"), doc, &error));
    EXPECT_FALSE(decodeEwd(craft(p, R"("protection":7,)"), doc, &error));
}
