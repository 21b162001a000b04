#include "store/CsvReader.h"

#include <QFile>

#include "common/GbkText.h"

namespace qh::store {

namespace {

struct Utf8Scan {
    qsizetype firstInvalid = -1;  // byte offset of the first broken sequence
    int invalid = 0;              // broken sequences
    int multiByte = 0;            // well-formed sequences of two bytes or more
};

Utf8Scan scanUtf8(const QByteArray& b) {
    Utf8Scan scan;
    const auto* p = reinterpret_cast<const unsigned char*>(b.constData());
    const qsizetype n = b.size();
    auto continuation = [&](qsizetype i) { return i < n && (p[i] & 0xC0) == 0x80; };
    for (qsizetype i = 0; i < n;) {
        const unsigned char c = p[i];
        int length = c < 0x80 ? 1 : c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
        bool good = length > 0;
        for (int k = 1; good && k < length; ++k) good = continuation(i + k);
        if (!good) {
            if (scan.firstInvalid < 0) scan.firstInvalid = i;
            ++scan.invalid;
            ++i;
            continue;
        }
        if (length > 1) ++scan.multiByte;
        i += length;
    }
    return scan;
}

int lineOf(const QByteArray& bytes, qsizetype offset) { return int(bytes.left(offset).count('\n')) + 1; }

}  // namespace

DecodedText decodeCsvBytes(const QByteArray& bytes) {
    DecodedText out;
    const bool marked = bytes.startsWith("\xEF\xBB\xBF");
    const QByteArray body = marked ? bytes.mid(3) : bytes;
    const Utf8Scan scan = scanUtf8(body);
    if (scan.invalid == 0) {
        out.text = QString::fromUtf8(body);
        out.ok = true;
        return out;
    }
    // Chinese in UTF-8 is mostly well-formed three-byte sequences, GBK mostly broken ones:
    // more good sequences than broken ones is a UTF-8 file with damage, not a GBK file.
    if (marked || scan.multiByte > scan.invalid) {
        out.error = QStringLiteral("第%1行不是有效的 UTF-8 文字，文件未导入").arg(lineOf(body, scan.firstInvalid));
        return out;
    }
    const QString text = qh::text::fromGbk(body);
    const qsizetype bad = text.indexOf(QChar(0xFFFD));
    if (bad >= 0) {
        out.error = QStringLiteral("第%1行既不是有效的 UTF-8 也不是有效的 GBK 文字，文件未导入")
                        .arg(int(text.left(bad).count(u'\n')) + 1);
        return out;
    }
    out.text = text;
    out.ok = true;
    return out;
}

CsvContent parseCsv(const QString& text) {
    CsvContent out;
    CsvRecord record;
    QString field;
    bool quoted = false;      // inside a quoted field
    bool fieldStarted = false;
    int line = 1;
    record.line = 1;
    auto endField = [&] {
        record.fields << field;
        field.clear();
        fieldStarted = false;
    };
    auto endRecord = [&] {
        endField();
        // A blank line is no record.
        if (!(record.fields.size() == 1 && record.fields.first().isEmpty())) out.records << record;
        record = CsvRecord{};
        record.line = line;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < text.size() && text.at(i + 1) == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == u'\n') ++line;
                field += c;
            }
            continue;
        }
        if (c == u'"' && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
        } else if (c == u',') {
            endField();
        } else if (c == u'\r') {
            // CR LF or a lone CR ends the record.
            if (i + 1 < text.size() && text.at(i + 1) == u'\n') ++i;
            ++line;
            endRecord();
        } else if (c == u'\n') {
            ++line;
            endRecord();
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted) {
        out.error = QStringLiteral("第%1行的引号没有结束").arg(record.line);
        return out;
    }
    if (fieldStarted || !field.isEmpty() || !record.fields.isEmpty()) endRecord();
    out.ok = true;
    return out;
}

CsvContent readCsvFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        CsvContent out;
        out.error = QStringLiteral("无法读取文件 %1").arg(path);
        return out;
    }
    const DecodedText decoded = decodeCsvBytes(f.readAll());
    if (!decoded.ok) {
        CsvContent out;
        out.error = decoded.error;
        return out;
    }
    return parseCsv(decoded.text);
}

}  // namespace qh::store
