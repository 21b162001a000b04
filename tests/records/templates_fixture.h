#pragma once
// A ward for the template tests: the schema alone (empty GSMB, rows added by the test), or
// with the real seed of a new installation (the starter templates included). The ward's
// folder is files_; db_ is the test's own connection to its main file.
#include <gtest/gtest.h>

#include <QDir>

#include "store/Connection.h"
#include "store/DataDirectory.h"
#include "store/DatabaseFiles.h"
#include "support/temp_dir.h"

namespace qh::test {

class TemplatesWard : public ::testing::Test {
protected:
    // withSeed: the seed as shipped; otherwise empty tables.
    void makeWard(bool withSeed) {
        QDir(dir_.path()).mkpath(QStringLiteral("seed/dzbl"));
        const QString seed = withSeed ? QStringLiteral(QH_SOURCE_DIR "/data/seed") : dir_.file(QStringLiteral("seed"));
        store::CreationSources sources{QStringLiteral(QH_SOURCE_DIR "/data/schema"), seed};
        const auto prepared = store::prepareDataDirectory(files_.dir(), sources);
        ASSERT_EQ(prepared.status, store::PrepareResult::Created) << prepared.message.toStdString();
        db_ = store::Connection::open(files_, store::DbFile::Main);
        ASSERT_TRUE(db_.isOpen()) << db_.lastError().toStdString();
    }

    void exec(const QString& sql, const store::Params& params = {}) {
        const store::ExecResult r = db_.execute(sql, params);
        ASSERT_TRUE(r.ok) << sql.toStdString() << " " << r.error.toStdString();
    }

    // One GSMB row; returns its 编号.
    qint64 addTemplate(const QString& key, int order, bool inMenu = true, const QString& paper = QStringLiteral("A"),
                       const QString& title = QString(), const QByteArray& data = {}) {
        const QString t = title.isEmpty() ? key : title;
        const store::ExecResult r =
            db_.execute(QStringLiteral("insert into GSMB (检索,标题,病历标题,纸张,备注,顺序,选中,添加,页眉,数据) "
                                       "values (?,?,?,?,'Y',?,?,'假','真',?)"),
                        {key, t, t, paper, order, inMenu, data});
        EXPECT_TRUE(r.changed()) << r.error.toStdString();
        return r.insertedKey;
    }
    // The first column of the first row.
    store::Value read(const QString& sql) { return db_.query(sql).first().value(0); }

    TempDir dir_;
    store::DataDirectory files_{dir_.file(QStringLiteral("ward"))};
    store::Connection db_;
};

}  // namespace qh::test
