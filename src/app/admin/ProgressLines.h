#pragma once
// Progress of a long command, one line a step with the seconds since it began:
// "[  12.3 s] dzbl.mdb 2/5 CREATE INDEX ...". Flushed at once, so a script or a person
// watching sees where it is.
#include <QElapsedTimer>
#include <QString>
#include <QTextStream>
#include <functional>
#include <memory>

namespace qh::admin {

inline std::function<void(const QString&)> timedProgress(QTextStream& out) {
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    return [&out, clock](const QString& line) {
        out << QString::asprintf("[%6.1f s] ", double(clock->elapsed()) / 1000.0) << line << '\n';
        out.flush();
    };
}

}  // namespace qh::admin
