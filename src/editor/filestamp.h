#pragma once

#include <QString>
#include <QtGlobal>

#ifndef Q_OS_WIN
struct stat;
#endif

// A file as it stood when it was read: which file it was, its length and its last change.
struct FileStamp
{
    quint64 device = 0;
    quint64 inode = 0; // with device, 0 where the system does not say
    qint64 size = -1;
    qint64 modified = 0; // nanoseconds since 1970
    qint64 changed = 0;  // status change (inode) time, nanoseconds since 1970: a rewrite that
                         // restores size and modification time still moves it

    bool operator==(const FileStamp &) const = default;

    // The file at the path as it stands now; an empty stamp when there is none.
    static FileStamp of(const QString &path);
#ifndef Q_OS_WIN
    static FileStamp of(const struct stat &info);
#endif
};

// The file a document was read from, and how it stood then.
struct FileOrigin
{
    QString path;
    FileStamp stamp;

    // Whether saving to the target would overwrite what another program changed: the target is
    // this file, and that file is no longer the one that was read, or was written since. A file
    // that is gone holds nothing to lose.
    bool changedOnDisk(const QString &target) const;
    // After a save to the target: when that is this file, it now stands as it was written.
    void savedTo(const QString &target);
};
