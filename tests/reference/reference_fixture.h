#pragma once
// A ward whose reference files hold only the rows a test adds (schema, no seed), or the
// full seed of a new installation.
#include <gtest/gtest.h>

#include <QDir>

#include "reference/ReferenceBase.h"
#include "store/Connection.h"
#include "store/DataDirectory.h"
#include "support/temp_dir.h"

namespace qh::test {

class ReferenceFixture : public ::testing::Test {
protected:
    // withSeed: the seed every new installation gets; otherwise empty tables.
    void makeWard(bool withSeed) {
        QDir(dir_.path()).mkdir(QStringLiteral("empty"));
        const QString seed = withSeed ? QStringLiteral(QH_SOURCE_DIR "/data/seed") : dir_.file(QStringLiteral("empty"));
        store::CreationSources sources{QStringLiteral(QH_SOURCE_DIR "/data/schema"), seed};
        const auto prepared = store::prepareDataDirectory(dir_.file(QStringLiteral("ward")), sources);
        ASSERT_EQ(prepared.status, store::PrepareResult::Created) << prepared.message.toStdString();
    }
    void SetUp() override { makeWard(false); }

    store::DataDirectory files() const { return store::DataDirectory(dir_.file(QStringLiteral("ward"))); }
    reference::ReferenceBase base() const { return reference::ReferenceBase(files()); }

    void exec(store::DbFile file, const QString& sql, const store::Params& params = {}) {
        store::Connection db = store::Connection::open(files(), file);
        ASSERT_TRUE(db.execute(sql, params)) << sql.toStdString() << " " << db.lastError().toStdString();
    }
    qint64 addFormula(const QString& name, int top, const QString& topName, int sub, const QString& subName,
                      const QString& herbs, const store::Param& composition = QStringLiteral("组成"),
                      const QString& initials = QString()) {
        store::Connection db = store::Connection::open(files(), store::DbFile::Reference);
        return db
            .execute(QStringLiteral("insert into FJX (名称, MCJS, 出处, DXDM, FJDL, XLDM, FJXL, FJZC, 组成, 功用, 主治, 用法) "
                                    "values (?, ?, '《伤寒论》', ?, ?, ?, ?, ?, ?, '功用', '主治', '用法')"),
                     {name, initials, top, topName, sub, subName, herbs, composition})
            .insertedKey;
    }
    qint64 addHerb(const QString& name, int top, const QString& topName, int sub, const QString& subName,
                   const QString& actions, const QString& otherNames = QString(), const QString& initials = QString()) {
        store::Connection db = store::Connection::open(files(), store::DbFile::Reference);
        return db
            .execute(QStringLiteral("insert into ZYX (名称, YPJS, FY, DLDM, ZYDL, XLDM, ZYXL, 功效) values (?, ?, ?, ?, ?, ?, ?, ?)"),
                     {name, initials, otherNames.isEmpty() ? store::Param(nullptr) : store::Param(otherNames), top,
                      topName, sub, subName, actions})
            .insertedKey;
    }

    TempDir dir_;
};

}  // namespace qh::test
