#pragma once
// Reads a CSV file as hospitals export it from spreadsheets: comma-separated, fields in
// double quotes when they hold commas, quotes or line breaks ("" is a quote), UTF-8 or GBK.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace qh::store {

struct CsvRecord {
    int line = 0;  // the physical line the record starts on, from 1
    QStringList fields;
};

struct CsvContent {
    bool ok = false;
    QString error;
    QList<CsvRecord> records;  // the header included, as the first record
};

// The encoding is decided once for the whole file: valid UTF-8 (with or without a byte-order
// mark) is UTF-8; a file that is mostly UTF-8 with a damaged byte, or has the mark and is not
// UTF-8, is refused (error names the line), never re-read as GBK; otherwise the file must be
// valid GBK, or it is refused naming the first line that is not.
struct DecodedText {
    bool ok = false;
    QString text;
    QString error;
};
DecodedText decodeCsvBytes(const QByteArray& bytes);
CsvContent parseCsv(const QString& text);
CsvContent readCsvFile(const QString& path);

}  // namespace qh::store
