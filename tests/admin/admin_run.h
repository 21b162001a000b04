#pragma once
// Runs qinghe-emr-admin's commands in-process and keeps what they printed; AdminWard is a
// throw-away ward made by `init`, the starting point of most command tests.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>
#include <QTextStream>

#include "AdminCommands.h"
#include "support/temp_dir.h"

namespace qh::test {

struct AdminRun {
    int status;
    QString out, err;
};

inline AdminRun admin(const QStringList& args) {
    QString out, err;
    QTextStream o(&out), e(&err);
    const int status = qh::admin::dispatch(args, o, e);
    o.flush();
    e.flush();
    return {status, out, err};
}

inline QByteArray digestOf(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

inline QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class AdminWard : public ::testing::Test {
protected:
    void SetUp() override {
        const AdminRun init = admin({"init", dir.path()});
        ASSERT_EQ(init.status, 0) << init.err.toStdString();
        main = dir.file("dzbl.mdb");
    }
    // Runs statements on the main file through `sql`; each must succeed.
    void sql(std::initializer_list<const char*> statements) {
        for (const char* s : statements) {
            const AdminRun r = admin({"sql", main, QString::fromUtf8(s)});
            ASSERT_EQ(r.status, 0) << s << " " << r.err.toStdString();
        }
    }
    QString file(const char* name) const { return dir.file(QString::fromUtf8(name)); }

    TempDir dir;
    QString main;
};

}  // namespace qh::test
