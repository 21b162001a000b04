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

// Text that is valid UTF-8 (with or without a byte-order mark) is read as UTF-8, anything
// else as GBK.
QString decodeCsvBytes(const QByteArray& bytes);
CsvContent parseCsv(const QString& text);
CsvContent readCsvFile(const QString& path);

}  // namespace qh::store
