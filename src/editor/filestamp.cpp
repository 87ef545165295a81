#include "filestamp.h"

#include "common/pathtext.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <QDateTime>
#include <qt_windows.h>
#else
#include <sys/stat.h>
#endif

namespace {

#ifdef Q_OS_WIN
// The change time of the file's attributes, which Qt does not give: 100 ns steps since 1601.
qint64 changeTimeOf(const QString &path)
{
    const HANDLE handle =
        CreateFileW(reinterpret_cast<const wchar_t *>(path.utf16()), FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return 0;
    FILE_BASIC_INFO info = {};
    const bool known = GetFileInformationByHandleEx(handle, FileBasicInfo, &info, sizeof info);
    CloseHandle(handle);
    return known ? qint64(info.ChangeTime.QuadPart) : 0;
}
#else
qint64 nanoseconds(const struct timespec &time)
{
    return qint64(time.tv_sec) * 1000000000 + time.tv_nsec;
}
#endif

// Whether two paths name one file: the same path, or links to one.
bool isSameFile(const QString &a, const QString &b)
{
    const QFileInfo one(a);
    const QFileInfo other(b);
    if (PathText::samePath(one.absoluteFilePath(), other.absoluteFilePath()))
        return true;
    const QString canonical = one.canonicalFilePath();
    return !canonical.isEmpty() && PathText::samePath(canonical, other.canonicalFilePath());
}

} // namespace

FileStamp FileStamp::of(const QString &path)
{
#ifdef Q_OS_WIN
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {0, 0, info.size(), info.lastModified().toMSecsSinceEpoch() * 1000000,
            changeTimeOf(path)};
#else
    struct stat info = {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return of(info);
#endif
}

#ifndef Q_OS_WIN
FileStamp FileStamp::of(const struct stat &info)
{
    return {quint64(info.st_dev), quint64(info.st_ino), qint64(info.st_size),
            nanoseconds(info.st_mtim), nanoseconds(info.st_ctim)};
}
#endif

bool FileOrigin::changedOnDisk(const QString &target) const
{
    if (path.isEmpty() || stamp.size < 0)
        return false;
    return QFileInfo::exists(target) && isSameFile(target, path) && FileStamp::of(target) != stamp;
}

void FileOrigin::savedTo(const QString &target)
{
    // Taken after the rename, which moves the file's status change time.
    if (isSameFile(target, path))
        stamp = FileStamp::of(target);
}
