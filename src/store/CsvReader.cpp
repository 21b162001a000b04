#include "store/CsvReader.h"

#include <QFile>
#include <QStringDecoder>

#include "common/GbkText.h"

namespace qh::store {

QString decodeCsvBytes(const QByteArray& bytes) {
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF")) body = body.mid(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(body);
    if (!utf8.hasError()) return text;
    return qh::text::fromGbk(body);
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
    return parseCsv(decodeCsvBytes(f.readAll()));
}

}  // namespace qh::store
