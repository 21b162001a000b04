#pragma once
// Where the manual is: "青禾电子病历书写帮助.html" beside the program when a copy is
// installed there (so a hospital can replace it), otherwise the copy built into the program.
#include <QString>

namespace qh::shell {

inline const QString kHelpFileName = QStringLiteral("青禾电子病历书写帮助.html");

// programDir: the directory of the running program.
QString helpFilePath(const QString& programDir);

}  // namespace qh::shell
