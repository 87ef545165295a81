#include "replacementfile.h"

#include <QCoreApplication>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#endif

#ifdef Q_OS_WIN
ReplacementFile::ReplacementFile(const QString &path)
    : m_file(path)
{}

ReplacementFile::~ReplacementFile() = default;

Status ReplacementFile::open()
{
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Failure{m_file.errorString()};
    return {};
}

Status ReplacementFile::commit()
{
    if (!m_file.commit())
        return Failure{m_file.errorString()};
    return {};
}
#else
ReplacementFile::ReplacementFile(const QString &path)
    : m_path(QFile::encodeName(path))
{}

ReplacementFile::~ReplacementFile()
{
    if (!m_temporary.isEmpty())
        ::unlink(m_temporary.constData());
}

Status ReplacementFile::open()
{
    const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(m_path)).path());
    m_temporary = folder + "/.tarnwick-XXXXXX";
    const int fd = ::mkostemp(m_temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        m_temporary.clear();
        return systemFailure(error);
    }
    takeOverFrom(fd);
    if (!m_file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered,
                     QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Failure{m_file.errorString()};
    }
    return {};
}

// Sends the bytes to the disk first, where a file system that allocates late says it is full;
// only then does the new file take the old one's place.
Status ReplacementFile::commit()
{
    if (::fdatasync(m_file.handle()) != 0 && errno != EINVAL && errno != EROFS) {
        if (errno == ENOSPC)
            return Failure{QCoreApplication::translate("DocumentFile", "the disk is full")};
        return systemFailure(errno);
    }
    m_file.close();
    if (::rename(m_temporary.constData(), m_path.constData()) != 0)
        return systemFailure(errno);
    m_temporary.clear();
    return {};
}

void ReplacementFile::takeOverFrom(int fd) const
{
    struct stat old = {};
    if (::stat(m_path.constData(), &old) != 0) {
        // A new file gets the mode any program would give it.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
        return;
    }
    ::fchmod(fd, old.st_mode & 07777);
    if ((old.st_uid != geteuid() || old.st_gid != getegid())
        && ::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, uid_t(-1), old.st_gid) != 0) {
        // Not permitted: the new file stays this user's, as any file made anew would.
    }
}
#endif
