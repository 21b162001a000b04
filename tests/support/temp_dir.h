#pragma once
// A throw-away directory for one test, removed when the test ends.
#include <QTemporaryDir>
#include <QString>

namespace qh::test {

class TempDir {
public:
    TempDir() { dir_.setAutoRemove(true); }
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};

}  // namespace qh::test
