#include "stats/ReportCsv.h"

#include <QRegularExpression>
#include <QSaveFile>

namespace qh::stats {

QString csvField(const QString& cell) {
    QString text = cell;
    static const QRegularExpression plainNumber(QStringLiteral("^[-+]?[0-9]+(\\.[0-9]+)?%?$"));
    if (!text.isEmpty() && QStringLiteral("=+-@").contains(text.front()) && !plainNumber.match(text).hasMatch())
        text.prepend(QLatin1Char('\''));
    const bool quote = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
                       text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) ||
                       (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()));
    if (!quote) return text;
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString csvText(const ReportTable& table, const QString& lineEnd) {
    QString out;
    const auto line = [&out, &lineEnd](const QStringList& cells) {
        QStringList fields;
        for (const QString& c : cells) fields << csvField(c);
        out += fields.join(QLatin1Char(',')) + lineEnd;
    };
    line(table.captions);
    for (const QStringList& row : table.rows) line(row);
    return out;
}

QByteArray csvFileBytes(const ReportTable& table) {
    return QByteArray("\xEF\xBB\xBF") + csvText(table).toUtf8();
}

bool writeCsvFile(const ReportTable& table, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QByteArray bytes = csvFileBytes(table);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace qh::stats
