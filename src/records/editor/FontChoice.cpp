#include "records/editor/FontChoice.h"

#include <QFontDatabase>

namespace qh::records {
namespace {

// Faces by style, most similar first. Kai is the nearest relative of FangSong on Linux.
const char* const kFangSong[] = {"仿宋_GB2312", "仿宋", "FangSong", "FangSong_GB2312", "STFangsong",
                                 "AR PL UKai CN", "AR PL UKai", "AR PL UKai TW"};
const char* const kSong[] = {"宋体", "SimSun", "NSimSun", "Noto Serif CJK SC", "AR PL UMing CN", "AR PL UKai CN"};
const char* const kKai[] = {"楷体_GB2312", "楷体", "KaiTi", "STKaiti", "AR PL UKai CN"};
const char* const kAnyCjk[] = {"WenQuanYi Zen Hei", "Noto Sans CJK SC", "Droid Sans Fallback"};

template <size_t N>
void addInstalled(QStringList& out, const char* const (&names)[N], const QStringList& installed) {
    for (const char* n : names) {
        QString name = QString::fromUtf8(n);
        if (installed.contains(name, Qt::CaseInsensitive) && !out.contains(name, Qt::CaseInsensitive)) out << name;
    }
}

}  // namespace

QStringList fontFamiliesFor(const QString& requested) {
    const QStringList installed = QFontDatabase::families();
    QStringList out{requested};
    if (requested.contains(QStringLiteral("仿宋")) || requested.contains(QStringLiteral("FangSong"), Qt::CaseInsensitive))
        addInstalled(out, kFangSong, installed);
    else if (requested.contains(QStringLiteral("楷")) || requested.contains(QStringLiteral("Kai"), Qt::CaseInsensitive))
        addInstalled(out, kKai, installed);
    else if (requested.contains(QStringLiteral("宋")) || requested.contains(QStringLiteral("Song"), Qt::CaseInsensitive))
        addInstalled(out, kSong, installed);
    addInstalled(out, kAnyCjk, installed);
    return out;
}

}  // namespace qh::records
