#pragma once
// A ward for the template tests: the schema alone (empty GSMB, rows added by the test), or
// with the real seed of a new installation (the starter templates included).
#include <gtest/gtest.h>

#include <QDir>

#include "store/DataDirectory.h"
#include "store/DatabaseFiles.h"
#include "store/ExternalDatabase.h"
#include "store/SqlText.h"
#include "support/temp_dir.h"

namespace qh::test {

class TemplatesWard : public ::testing::Test {
protected:
    // withSeed: the seed as shipped; otherwise empty tables.
    void makeWard(bool withSeed) {
        QDir(dir_.path()).mkpath(QStringLiteral("seed/dzbl"));
        const QString seed = withSeed ? QStringLiteral(QH_SOURCE_DIR "/data/seed") : dir_.file(QStringLiteral("seed"));
        store::CreationSources sources{QStringLiteral(QH_SOURCE_DIR "/data/schema"), seed};
        const auto prepared = store::prepareDataDirectory(dir_.file(QStringLiteral("ward")), sources);
        ASSERT_EQ(prepared.status, store::PrepareResult::Created) << prepared.message.toStdString();
        store::setDataDirectory(dir_.file(QStringLiteral("ward")));
        ASSERT_TRUE(db_.Open(store::path(store::DbFile::Main), QString::fromUtf8(store::kDbUser),
                             store::password(store::DbFile::Main)));
    }
    void TearDown() override { db_.Close(); }

    void exec(const QString& sql) { ASSERT_TRUE(db_.Execute(sql)) << sql.toStdString() << db_.LastError().toStdString(); }
    static QString q(const QString& v) { return QStringLiteral("'") + store::sqlText(v) + QStringLiteral("'"); }

    // One GSMB row; returns its 编号.
    qint64 addTemplate(const QString& key, int order, bool inMenu = true, const QString& paper = QStringLiteral("A"),
                       const QString& title = QString(), const QByteArray& data = {}) {
        const QString t = title.isEmpty() ? key : title;
        const QString sql = QStringLiteral("insert into GSMB (检索,标题,病历标题,纸张,备注,顺序,选中,添加,页眉,数据) "
                                           "values (%1,%2,%3,%4,'Y',%5,%6,'假','真',?)")
                                .arg(q(key), q(t), q(t), q(paper))
                                .arg(order)
                                .arg(inMenu ? 1 : 0);
        EXPECT_TRUE(db_.Execute(sql, data)) << db_.LastError().toStdString();
        return db_.LastInsertId();
    }
    // The first column of the first row.
    store::Value read(const QString& sql) {
        const auto rs = db_.Query(sql);
        const store::Value v = db_.Read(rs, 1);
        db_.CloseRecordSet(rs);
        return v;
    }

    TempDir dir_;
    store::ExternalDatabase db_;
};

}  // namespace qh::test
