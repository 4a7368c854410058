#include "support/full_disk.h"

#include <sqlite3.h>

#include <atomic>
#include <cstring>

namespace vireo::test {

namespace {

sqlite3_vfs *real = nullptr;
sqlite3_vfs wrapper;
std::atomic<bool> diskFull{false};
std::atomic<int> refused{0};

// A file of the wrapper: our methods first, the real file's memory right after.
struct File {
    sqlite3_file base;
    sqlite3_file *inner;
};

sqlite3_file *innerOf(sqlite3_file *f)
{
    return reinterpret_cast<File *>(f)->inner;
}

int fileClose(sqlite3_file *f)
{
    return innerOf(f)->pMethods->xClose(innerOf(f));
}
int fileRead(sqlite3_file *f, void *buffer, int amount, sqlite3_int64 offset)
{
    return innerOf(f)->pMethods->xRead(innerOf(f), buffer, amount, offset);
}
int fileWrite(sqlite3_file *f, const void *buffer, int amount, sqlite3_int64 offset)
{
    if (diskFull) {
        ++refused;
        return SQLITE_FULL;
    }
    return innerOf(f)->pMethods->xWrite(innerOf(f), buffer, amount, offset);
}
int fileTruncate(sqlite3_file *f, sqlite3_int64 size)
{
    return innerOf(f)->pMethods->xTruncate(innerOf(f), size);
}
int fileSync(sqlite3_file *f, int flags)
{
    return innerOf(f)->pMethods->xSync(innerOf(f), flags);
}
int fileSize(sqlite3_file *f, sqlite3_int64 *size)
{
    return innerOf(f)->pMethods->xFileSize(innerOf(f), size);
}
int fileLock(sqlite3_file *f, int level)
{
    return innerOf(f)->pMethods->xLock(innerOf(f), level);
}
int fileUnlock(sqlite3_file *f, int level)
{
    return innerOf(f)->pMethods->xUnlock(innerOf(f), level);
}
int fileCheckReservedLock(sqlite3_file *f, int *out)
{
    return innerOf(f)->pMethods->xCheckReservedLock(innerOf(f), out);
}
int fileControl(sqlite3_file *f, int op, void *arg)
{
    return innerOf(f)->pMethods->xFileControl(innerOf(f), op, arg);
}
int fileSectorSize(sqlite3_file *f)
{
    return innerOf(f)->pMethods->xSectorSize(innerOf(f));
}
int fileDeviceCharacteristics(sqlite3_file *f)
{
    return innerOf(f)->pMethods->xDeviceCharacteristics(innerOf(f));
}
int fileShmMap(sqlite3_file *f, int region, int size, int extend, void volatile **out)
{
    return innerOf(f)->pMethods->xShmMap(innerOf(f), region, size, extend, out);
}
int fileShmLock(sqlite3_file *f, int offset, int n, int flags)
{
    return innerOf(f)->pMethods->xShmLock(innerOf(f), offset, n, flags);
}
void fileShmBarrier(sqlite3_file *f)
{
    innerOf(f)->pMethods->xShmBarrier(innerOf(f));
}
int fileShmUnmap(sqlite3_file *f, int deleteFlag)
{
    return innerOf(f)->pMethods->xShmUnmap(innerOf(f), deleteFlag);
}

// Memory-mapped reads are left out (iVersion 2), so that every page comes through xRead.
const sqlite3_io_methods Methods = {
    2,
    fileClose,
    fileRead,
    fileWrite,
    fileTruncate,
    fileSync,
    fileSize,
    fileLock,
    fileUnlock,
    fileCheckReservedLock,
    fileControl,
    fileSectorSize,
    fileDeviceCharacteristics,
    fileShmMap,
    fileShmLock,
    fileShmBarrier,
    fileShmUnmap,
    nullptr,
    nullptr,
};

int vfsOpen(sqlite3_vfs *, sqlite3_filename name, sqlite3_file *f, int flags, int *outFlags)
{
    auto *file = reinterpret_cast<File *>(f);
    file->inner = reinterpret_cast<sqlite3_file *>(file + 1);
    file->base.pMethods = nullptr;
    const int rc = real->xOpen(real, name, file->inner, flags, outFlags);
    if (file->inner->pMethods)
        file->base.pMethods = &Methods;
    return rc;
}
int vfsDelete(sqlite3_vfs *, const char *name, int syncDir)
{
    return real->xDelete(real, name, syncDir);
}
int vfsAccess(sqlite3_vfs *, const char *name, int flags, int *out)
{
    return real->xAccess(real, name, flags, out);
}
int vfsFullPathname(sqlite3_vfs *, const char *name, int n, char *out)
{
    return real->xFullPathname(real, name, n, out);
}
void *vfsDlOpen(sqlite3_vfs *, const char *name)
{
    return real->xDlOpen(real, name);
}
void vfsDlError(sqlite3_vfs *, int n, char *out)
{
    real->xDlError(real, n, out);
}
void (*vfsDlSym(sqlite3_vfs *, void *handle, const char *symbol))(void)
{
    return real->xDlSym(real, handle, symbol);
}
void vfsDlClose(sqlite3_vfs *, void *handle)
{
    real->xDlClose(real, handle);
}
int vfsRandomness(sqlite3_vfs *, int n, char *out)
{
    return real->xRandomness(real, n, out);
}
int vfsSleep(sqlite3_vfs *, int microseconds)
{
    return real->xSleep(real, microseconds);
}
int vfsCurrentTime(sqlite3_vfs *, double *out)
{
    return real->xCurrentTime(real, out);
}
int vfsGetLastError(sqlite3_vfs *, int n, char *out)
{
    return real->xGetLastError ? real->xGetLastError(real, n, out) : 0;
}
int vfsCurrentTimeInt64(sqlite3_vfs *, sqlite3_int64 *out)
{
    return real->xCurrentTimeInt64(real, out);
}

} // namespace

FullDisk::FullDisk()
{
    sqlite3_initialize();
    real = sqlite3_vfs_find(nullptr);
    std::memset(&wrapper, 0, sizeof wrapper);
    wrapper.iVersion = 2;
    wrapper.szOsFile = int(sizeof(File)) + real->szOsFile;
    wrapper.mxPathname = real->mxPathname;
    wrapper.zName = "vireo-test-full-disk";
    wrapper.xOpen = vfsOpen;
    wrapper.xDelete = vfsDelete;
    wrapper.xAccess = vfsAccess;
    wrapper.xFullPathname = vfsFullPathname;
    wrapper.xDlOpen = vfsDlOpen;
    wrapper.xDlError = vfsDlError;
    wrapper.xDlSym = vfsDlSym;
    wrapper.xDlClose = vfsDlClose;
    wrapper.xRandomness = vfsRandomness;
    wrapper.xSleep = vfsSleep;
    wrapper.xCurrentTime = vfsCurrentTime;
    wrapper.xGetLastError = vfsGetLastError;
    wrapper.xCurrentTimeInt64 = vfsCurrentTimeInt64;
    sqlite3_vfs_register(&wrapper, 1);
}

FullDisk::~FullDisk()
{
    diskFull = false;
    sqlite3_vfs_unregister(&wrapper);
    sqlite3_vfs_register(real, 1);
}

void FullDisk::setFull(bool full)
{
    if (full)
        refused = 0;
    diskFull = full;
}

int FullDisk::refusedWrites() const
{
    return refused;
}

} // namespace vireo::test
