#include "WardBuilding.h"

#include <QDir>
#include <QFileInfo>

#include "store/DataDirectory.h"
#include "store/DatabaseFiles.h"

namespace qh::admin {

std::unique_ptr<QTemporaryDir> startWardBeside(const QString& dir, const QString& tag, QTextStream& err) {
    store::recoverInterruptedCreation(dir);
    for (store::DbFile f : store::allDbFiles())
        if (QFileInfo::exists(QDir(dir).filePath(store::fileName(f)))) {
            err << store::fileName(f) << " 已存在于 " << dir << "，不覆盖\n";
            return nullptr;
        }
    QDir().mkpath(QFileInfo(dir).absolutePath());
    auto building = std::make_unique<QTemporaryDir>(QFileInfo(dir).absolutePath() + QStringLiteral("/.qinghe-") + tag +
                                                    QStringLiteral("-XXXXXX"));
    if (!building->isValid()) {
        err << "无法创建临时目录：" << building->errorString() << '\n';
        return nullptr;
    }
    const store::PrepareResult built = store::createDataFiles(building->path());
    if (built.status != store::PrepareResult::Created) {
        err << built.message << '\n';
        return nullptr;
    }
    return building;
}

bool publishWard(const QTemporaryDir& building, const QString& dir, QTextStream& out, QTextStream& err) {
    const store::PrepareResult created = store::publishDataFiles(building.path(), dir);
    if (created.status != store::PrepareResult::Created) {
        err << created.message << '\n';
        return false;
    }
    out << created.message << '\n';
    return true;
}

}  // namespace qh::admin
