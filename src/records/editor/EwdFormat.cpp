#include "records/editor/EwdFormat.h"

#include "records/editor/RecordDocument.h"
#include "records/editor/TextDocumentCodec.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtEndian>

#include <array>

namespace qh::records {
namespace {

// Eight bytes, PNG-style: a text-mode transfer or a truncated copy spoils them visibly.
constexpr char kMagic[8] = {'Q', 'H', 'E', 'W', 'D', '\r', '\n', '\x1a'};
constexpr int kHeaderSize = 8 + 2 + 4 + 4;
constexpr quint32 kMaxPayload = 64u * 1024u * 1024u;  // photographs included, far above any record

quint32 crc32(const QByteArray& data) {
    static const auto table = [] {
        std::array<quint32, 256> t{};
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    quint32 crc = 0xFFFFFFFFu;
    for (char ch : data) crc = table[(crc ^ quint8(ch)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

QJsonObject encodePaper(const PaperSize& p) { return {{"width", p.width}, {"height", p.height}}; }

}  // namespace

bool looksLikeEwd(const QByteArray& bytes) {
    return bytes.size() >= int(sizeof kMagic) && memcmp(bytes.constData(), kMagic, sizeof kMagic) == 0;
}

QByteArray encodeEwd(const RecordDocument& doc) {
    QJsonObject tree;
    tree["format"] = "qinghe-ewd";
    tree["version"] = kEwdVersion;
    tree["paper"] = encodePaper(doc.paper());
    tree["protection"] = int(doc.protection());
    tree["trackChanges"] = doc.trackChanges();
    const PrintMark mark = doc.printMark();
    if (mark.position >= 0)
        tree["printed"] = QJsonObject{{"position", mark.position}, {"digest", QString::fromLatin1(mark.digest.toHex())}};
    tree["body"] = encodeTextDocument(doc.body());
    if (!doc.header()->isEmpty()) tree["header"] = encodeTextDocument(doc.header());
    return wrapEwdPayload(QJsonDocument(tree).toJson(QJsonDocument::Compact));
}

QByteArray wrapEwdPayload(const QByteArray& payload) {
    QByteArray out(kHeaderSize, '\0');
    memcpy(out.data(), kMagic, sizeof kMagic);
    qToBigEndian<quint16>(kEwdVersion, out.data() + 8);
    qToBigEndian<quint32>(quint32(payload.size()), out.data() + 10);
    qToBigEndian<quint32>(crc32(payload), out.data() + 14);
    out += qCompress(payload, 6);
    return out;
}

bool decodeEwd(const QByteArray& bytes, RecordDocument& doc, QString* error) {
    QString dummy;
    if (!error) error = &dummy;
    RecordDocument loaded;  // swap() leaves the revision author with `doc`
    if (bytes.isEmpty()) {
        loaded.setModified(false);
        doc.swap(loaded);
        return true;
    }
    if (!looksLikeEwd(bytes) || bytes.size() < kHeaderSize + 4) {
        *error = QStringLiteral("不是病历文档（.ewd）格式的数据");
        return false;
    }
    const int version = qFromBigEndian<quint16>(bytes.constData() + 8);
    if (version < 1 || version > kEwdVersion) {
        *error = QStringLiteral("病历文档格式版本 %1 无法识别，请使用更新的程序打开").arg(version);
        return false;
    }
    const quint32 size = qFromBigEndian<quint32>(bytes.constData() + 10);
    const quint32 crc = qFromBigEndian<quint32>(bytes.constData() + 14);
    // qCompress keeps the expected size in its first four bytes; check it before trusting it.
    const quint32 claimed = qFromBigEndian<quint32>(bytes.constData() + kHeaderSize);
    if (size > kMaxPayload || claimed != size) {
        *error = QStringLiteral("病历文档已损坏（长度不符）");
        return false;
    }
    const QByteArray payload = qUncompress(reinterpret_cast<const uchar*>(bytes.constData() + kHeaderSize),
                                           bytes.size() - kHeaderSize);
    if (quint32(payload.size()) != size || crc32(payload) != crc) {
        *error = QStringLiteral("病历文档已损坏（校验失败）");
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(payload, &parseError);
    const QJsonObject tree = json.object();
    if (parseError.error != QJsonParseError::NoError || tree.value("format").toString() != "qinghe-ewd" ||
        !tree.value("body").isObject()) {
        *error = QStringLiteral("病历文档已损坏（内容无法解析）");
        return false;
    }
    const QJsonObject paper = tree.value("paper").toObject();
    if (!paper.isEmpty() && !loaded.setPaper(paper.value("width").toInt(), paper.value("height").toInt())) {
        *error = QStringLiteral("病历文档的纸张大小无效");
        return false;
    }
    const int protection = tree.value("protection").toInt();
    if (protection < 0 || protection > 2) {
        *error = QStringLiteral("病历文档的保护方式无效");
        return false;
    }
    loaded.setProtection(Protection(protection));
    loaded.setTrackChanges(tree.value("trackChanges").toBool());
    if (tree.value("printed").isObject()) {
        const QJsonObject printed = tree.value("printed").toObject();
        loaded.setPrintMark({printed.value("position").toInt(-1),
                             QByteArray::fromHex(printed.value("digest").toString().toLatin1())});
    }
    QString why;
    if (!decodeTextDocument(tree.value("body").toObject(), loaded.body(), &why) ||
        (tree.value("header").isObject() && !decodeTextDocument(tree.value("header").toObject(), loaded.header(), &why))) {
        *error = QStringLiteral("病历文档已损坏：") + why;
        return false;
    }
    loaded.body()->clearUndoRedoStacks();
    loaded.header()->clearUndoRedoStacks();
    loaded.setModified(false);
    doc.swap(loaded);
    return true;
}

}  // namespace qh::records
