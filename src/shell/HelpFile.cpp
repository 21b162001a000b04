#include "shell/HelpFile.h"

#include <QDir>
#include <QFileInfo>

namespace qh::shell {

QString helpFilePath(const QString& programDir) {
    const QString beside = QDir(programDir).filePath(kHelpFileName);
    if (!programDir.isEmpty() && QFileInfo(beside).isFile()) return beside;
    return QStringLiteral(":/help/") + kHelpFileName;
}

}  // namespace qh::shell
