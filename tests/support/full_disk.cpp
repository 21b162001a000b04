#include "full_disk.h"

#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <cstring>

namespace qh::test {

namespace {

std::atomic<bool> armed{false};
std::atomic<qint64> budget{0};
std::atomic<int> refused{0};
sqlite3_vfs* realVfs = nullptr;
sqlite3_vfs faultyVfs;

// Our file: the real one lives right behind this header, in the same allocation.
struct FaultyFile {
    sqlite3_file base;
    sqlite3_file* real() { return reinterpret_cast<sqlite3_file*>(this + 1); }
};

FaultyFile* self(sqlite3_file* f) { return reinterpret_cast<FaultyFile*>(f); }
const sqlite3_io_methods* realMethods(sqlite3_file* f) { return self(f)->real()->pMethods; }

int xClose(sqlite3_file* f) { return realMethods(f)->xClose(self(f)->real()); }
int xRead(sqlite3_file* f, void* b, int n, sqlite3_int64 o) { return realMethods(f)->xRead(self(f)->real(), b, n, o); }
int xWrite(sqlite3_file* f, const void* b, int n, sqlite3_int64 o) {
    if (armed && budget.fetch_sub(n) < n) {
        ++refused;
        return SQLITE_FULL;
    }
    return realMethods(f)->xWrite(self(f)->real(), b, n, o);
}
int xTruncate(sqlite3_file* f, sqlite3_int64 s) { return realMethods(f)->xTruncate(self(f)->real(), s); }
int xSync(sqlite3_file* f, int flags) { return realMethods(f)->xSync(self(f)->real(), flags); }
int xFileSize(sqlite3_file* f, sqlite3_int64* s) { return realMethods(f)->xFileSize(self(f)->real(), s); }
int xLock(sqlite3_file* f, int l) { return realMethods(f)->xLock(self(f)->real(), l); }
int xUnlock(sqlite3_file* f, int l) { return realMethods(f)->xUnlock(self(f)->real(), l); }
int xCheckReservedLock(sqlite3_file* f, int* r) { return realMethods(f)->xCheckReservedLock(self(f)->real(), r); }
int xFileControl(sqlite3_file* f, int op, void* a) { return realMethods(f)->xFileControl(self(f)->real(), op, a); }
int xSectorSize(sqlite3_file* f) { return realMethods(f)->xSectorSize(self(f)->real()); }
int xDeviceCharacteristics(sqlite3_file* f) { return realMethods(f)->xDeviceCharacteristics(self(f)->real()); }

// Version 1 methods only: no WAL shared memory and no memory mapping, which the ward's
// rollback-journal files do not use.
const sqlite3_io_methods faultyMethods = {
    1,         xClose,      xRead,  xWrite,           xTruncate,         xSync,
    xFileSize, xLock,       xUnlock, xCheckReservedLock, xFileControl, xSectorSize,
    xDeviceCharacteristics, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};

int xOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
    auto* ours = self(file);
    ours->base.pMethods = nullptr;
    const int rc = realVfs->xOpen(realVfs, name, ours->real(), flags, outFlags);
    if (rc == SQLITE_OK && ours->real()->pMethods) ours->base.pMethods = &faultyMethods;
    return rc;
}

void install() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    realVfs = sqlite3_vfs_find(nullptr);
    faultyVfs = *realVfs;
    faultyVfs.iVersion = std::min(realVfs->iVersion, 2);
    faultyVfs.szOsFile = int(sizeof(FaultyFile)) + realVfs->szOsFile;
    faultyVfs.zName = "qh_full_disk";
    faultyVfs.pNext = nullptr;
    faultyVfs.xOpen = xOpen;
    // Our layer becomes the default: every connection the program opens goes through it.
    sqlite3_vfs_register(&faultyVfs, 1);
}

}  // namespace

FullDisk::FullDisk(qint64 bytesLeft) {
    install();
    refused = 0;
    budget = bytesLeft;
    armed = true;
}

FullDisk::~FullDisk() { armed = false; }

int FullDisk::refusedWrites() const { return refused; }

}  // namespace qh::test
