#pragma once
// Font names written by record templates ("仿宋_GB2312", "宋体") are Windows faces that
// may be missing here. The document keeps the requested name first and an installed
// face of the same kind behind it, so the text looks right now and on the ward's PCs.
#include <QString>
#include <QStringList>

namespace qh::records {

// The family list to store for a requested face: the face itself, then installed
// look-alikes (FangSong, then Kai, then any CJK face), without duplicates.
QStringList fontFamiliesFor(const QString& requested);

}  // namespace qh::records
