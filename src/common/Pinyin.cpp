#include "common/Pinyin.h"

#include "common/GbkText.h"

#include <QFile>
#include <array>

namespace qh::text {
namespace {

constexpr int kFirstRow = 0xB0, kLastRow = 0xF7, kFirstCell = 0xA1, kLastCell = 0xFE;
constexpr int kCells = kLastCell - kFirstCell + 1;
constexpr int kRows = kLastRow - kFirstRow + 1;

using InitialTable = std::array<char, kRows * kCells>;

// The generated table (data/pinyin): one line per GB2312 row, "B0 " and 94 letters, '.' for
// cells without a character. Without it no initials can be right, so its absence is fatal.
InitialTable loadTable() {
    InitialTable table;
    table.fill(0);
    QFile file(QStringLiteral(":/pinyin/gb2312-initials.txt"));
    if (!file.open(QIODevice::ReadOnly)) qFatal("pinyin table :/pinyin/gb2312-initials.txt is missing");
    int rowsRead = 0;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#')) continue;
        bool ok = false;
        const int row = line.left(2).toInt(&ok, 16);
        const QByteArray cells = line.mid(3);
        if (!ok || row < kFirstRow || row > kLastRow || cells.size() != kCells)
            qFatal("pinyin table: malformed line %s", line.constData());
        for (int i = 0; i < kCells; ++i)
            table[(row - kFirstRow) * kCells + i] = cells[i] == '.' ? 0 : cells[i];
        ++rowsRead;
    }
    if (rowsRead != kRows) qFatal("pinyin table: %d rows instead of %d", rowsRead, kRows);
    return table;
}

const InitialTable& table() {
    static const InitialTable loaded = loadTable();
    return loaded;
}

// The initial of the GB2312 character with these two bytes, 0 for any other pair.
char initialOfPair(unsigned char lead, unsigned char trail) {
    if (lead < kFirstRow || lead > kLastRow || trail < kFirstCell || trail > kLastCell) return 0;
    return table()[(lead - kFirstRow) * kCells + (trail - kFirstCell)];
}

}  // namespace

QString pinyinInitials(const QString& name) {
    const QByteArray bytes = toGbk(name);
    QString initials;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        if (const char letter = initialOfPair(bytes[i], bytes[i + 1])) initials += QLatin1Char(letter);
    }
    return initials;
}

QString searchInitials(const QString& name) {
    // Walk the GBK bytes character by character: a lead byte of 0x81 or more starts a pair.
    const QByteArray bytes = toGbk(name);
    QString initials;
    for (qsizetype i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead >= 0x81 && i + 1 < bytes.size()) {
            if (const char letter = initialOfPair(lead, bytes[i + 1])) initials += QLatin1Char(letter);
            i += 2;
            continue;
        }
        if ((lead >= '0' && lead <= '9') || (lead >= 'A' && lead <= 'Z')) initials += QLatin1Char(char(lead));
        else if (lead >= 'a' && lead <= 'z') initials += QLatin1Char(char(lead - 'a' + 'A'));
        ++i;
    }
    return initials;
}

char initialOf(QChar c) {
    const QByteArray bytes = toGbk(QString(c));
    return bytes.size() == 2 ? initialOfPair(bytes[0], bytes[1]) : 0;
}

}  // namespace qh::text
