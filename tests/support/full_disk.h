#pragma once
// A full disk for one test: while a FullDisk lives, every file write of this process beyond
// the bytes still allowed fails as SQLite sees a full disk (SQLITE_FULL), through a file
// layer put in front of the real one. Tests use it to see that a write failing half-way
// leaves nothing half-written and is reported as a failure.
#include <QtGlobal>

namespace qh::test {

class FullDisk {
public:
    // bytesLeft: how much may still be written before writes start to fail.
    explicit FullDisk(qint64 bytesLeft = 0);
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    // Writes refused so far.
    int refusedWrites() const;
};

}  // namespace qh::test
