#pragma once
// The history database's FailDevice: a SQLite VFS over the default one whose reads or
// writes fail from a chosen call on, as a damaged disk or a full one would. While a
// FailingVfs lives it is the default VFS, so every connection opened then goes through it;
// such connections may outlive it (they then no longer fail), so the VFS itself stays.

#include <sqlite3.h>

#include <stdexcept>

namespace sanxing::test {

class FailingVfs {
public:
    FailingVfs() {
        if (active_) throw std::logic_error("one FailingVfs at a time");
        if (!base_) {
            base_ = sqlite3_vfs_find(nullptr);
            vfs_ = *base_;
            vfs_.zName = "sanxing-failing";
            vfs_.szOsFile = static_cast<int>(sizeof(File)) + base_->szOsFile;
            vfs_.xOpen = Open;
        }
        active_ = true;
        sqlite3_vfs_register(&vfs_, 1);
    }
    ~FailingVfs() {
        heal();
        sqlite3_vfs_register(base_, 1);
        active_ = false;
    }
    FailingVfs(const FailingVfs&) = delete;
    FailingVfs& operator=(const FailingVfs&) = delete;

    // Calls from now on that fail: after `calls` more succeed (0: the next one fails);
    // a negative count never fails.
    static void failReadsAfter(int calls) { readsLeft_ = calls; }
    static void failWritesAfter(int calls) { writesLeft_ = calls; }
    static void heal() { readsLeft_ = writesLeft_ = -1; }

private:
    struct File {
        sqlite3_file base;  // first: SQLite sees a File as a sqlite3_file
        sqlite3_file* real;
    };

    static bool Spend(int& left) {
        if (left < 0) return false;
        if (left == 0) return true;
        --left;
        return false;
    }
    static sqlite3_file* Real(sqlite3_file* file) { return reinterpret_cast<File*>(file)->real; }

    static int Open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
        auto* wrapper = reinterpret_cast<File*>(file);
        wrapper->real = reinterpret_cast<sqlite3_file*>(wrapper + 1);
        wrapper->base.pMethods = nullptr;
        const int opened = base_->xOpen(base_, name, wrapper->real, flags, outFlags);
        if (opened == SQLITE_OK) wrapper->base.pMethods = &kMethods;
        return opened;
    }

    static int Close(sqlite3_file* f) { return Real(f)->pMethods->xClose(Real(f)); }
    static int Read(sqlite3_file* f, void* data, int amount, sqlite3_int64 offset) {
        if (Spend(readsLeft_)) return SQLITE_IOERR_READ;
        return Real(f)->pMethods->xRead(Real(f), data, amount, offset);
    }
    static int Write(sqlite3_file* f, const void* data, int amount, sqlite3_int64 offset) {
        if (Spend(writesLeft_)) return SQLITE_IOERR_WRITE;
        return Real(f)->pMethods->xWrite(Real(f), data, amount, offset);
    }
    static int Truncate(sqlite3_file* f, sqlite3_int64 size) { return Real(f)->pMethods->xTruncate(Real(f), size); }
    static int Sync(sqlite3_file* f, int flags) { return Real(f)->pMethods->xSync(Real(f), flags); }
    static int FileSize(sqlite3_file* f, sqlite3_int64* size) { return Real(f)->pMethods->xFileSize(Real(f), size); }
    static int Lock(sqlite3_file* f, int level) { return Real(f)->pMethods->xLock(Real(f), level); }
    static int Unlock(sqlite3_file* f, int level) { return Real(f)->pMethods->xUnlock(Real(f), level); }
    static int CheckReservedLock(sqlite3_file* f, int* out) {
        return Real(f)->pMethods->xCheckReservedLock(Real(f), out);
    }
    static int FileControl(sqlite3_file* f, int op, void* arg) {
        return Real(f)->pMethods->xFileControl(Real(f), op, arg);
    }
    static int SectorSize(sqlite3_file* f) { return Real(f)->pMethods->xSectorSize(Real(f)); }
    static int DeviceCharacteristics(sqlite3_file* f) { return Real(f)->pMethods->xDeviceCharacteristics(Real(f)); }
    static int ShmMap(sqlite3_file* f, int page, int size, int extend, void volatile** out) {
        return Real(f)->pMethods->xShmMap(Real(f), page, size, extend, out);
    }
    static int ShmLock(sqlite3_file* f, int offset, int n, int flags) {
        return Real(f)->pMethods->xShmLock(Real(f), offset, n, flags);
    }
    static void ShmBarrier(sqlite3_file* f) { Real(f)->pMethods->xShmBarrier(Real(f)); }
    static int ShmUnmap(sqlite3_file* f, int deleteFlag) { return Real(f)->pMethods->xShmUnmap(Real(f), deleteFlag); }
    // Memory mapping is declined, so every page comes through Read.
    static int Fetch(sqlite3_file*, sqlite3_int64, int, void** out) {
        *out = nullptr;
        return SQLITE_OK;
    }
    static int Unfetch(sqlite3_file*, sqlite3_int64, void*) { return SQLITE_OK; }

    static constexpr sqlite3_io_methods kMethods = {
        .iVersion = 3,
        .xClose = Close,
        .xRead = Read,
        .xWrite = Write,
        .xTruncate = Truncate,
        .xSync = Sync,
        .xFileSize = FileSize,
        .xLock = Lock,
        .xUnlock = Unlock,
        .xCheckReservedLock = CheckReservedLock,
        .xFileControl = FileControl,
        .xSectorSize = SectorSize,
        .xDeviceCharacteristics = DeviceCharacteristics,
        .xShmMap = ShmMap,
        .xShmLock = ShmLock,
        .xShmBarrier = ShmBarrier,
        .xShmUnmap = ShmUnmap,
        .xFetch = Fetch,
        .xUnfetch = Unfetch,
    };

    static inline bool active_ = false;
    static inline sqlite3_vfs* base_ = nullptr;
    static inline sqlite3_vfs vfs_{};
    static inline int readsLeft_ = -1;
    static inline int writesLeft_ = -1;
};

}  // namespace sanxing::test
