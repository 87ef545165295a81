#include "volumes.h"

#include "platform/pathcase.h"

#include <QDir>
#include <QFile>
#include <QStorageInfo>

#include <algorithm>
#include <utility>

namespace {

QString clean(const QString &path)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(path));
}

QList<SystemVolumes::Mount> systemMounts()
{
    QHash<QString, QString> folders;
#ifdef Q_OS_LINUX
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    if (table.open(QIODevice::ReadOnly))
        folders = SystemVolumes::mountedFolders(table.readAll());
#endif
    QList<SystemVolumes::Mount> mounts;
    for (const QStorageInfo &info : QStorageInfo::mountedVolumes()) {
        mounts.append({QString::fromLocal8Bit(info.device()), info.rootPath(), info.name(),
                       info.isValid() && info.isReady(),
                       folders.value(info.rootPath(), QStringLiteral("/"))});
    }
    return mounts;
}

// A field of the mount table, whose blanks, tabs, line breaks and backslashes are written as
// three octal digits after a backslash.
QString unescaped(const QByteArray &field)
{
    QByteArray bytes;
    bytes.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const auto octal = [&](qsizetype at) {
            return at < field.size() && field[at] >= '0' && field[at] <= '7';
        };
        if (field[i] == '\\' && octal(i + 1) && octal(i + 2) && octal(i + 3)) {
            bytes.append(
                char((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0')));
            i += 3;
        } else {
            bytes.append(field[i]);
        }
    }
    return QFile::decodeName(bytes);
}

QString rootIn(const QList<SystemVolumes::Mount> &mounts, const QString &path)
{
    QStringList roots;
    for (const SystemVolumes::Mount &mount : mounts)
        roots.append(mount.root);
    return Volumes::nearestRoot(roots, path);
}

// A bind mount of a subfolder shows a folder of another drive once more: it is no drive.
QList<SystemVolumes::Mount> withoutBinds(QList<SystemVolumes::Mount> mounts)
{
    mounts.removeIf([](const SystemVolumes::Mount &mount) {
        return mount.mountedFolder != QLatin1String("/");
    });
    return mounts;
}

QString withLabel(const QString &name, const QString &label)
{
    return label.isEmpty() ? name : name + QLatin1String(" [") + label + QLatin1Char(']');
}

} // namespace

SystemVolumes::SystemVolumes()
    : SystemVolumes(systemMounts, &QDir::homePath)
{}

SystemVolumes::SystemVolumes(MountTable mounts, std::function<QString()> home)
    : m_mounts(std::move(mounts))
    , m_home(std::move(home))
{}

QHash<QString, QString> SystemVolumes::mountedFolders(const QByteArray &mountInfo)
{
    QHash<QString, QString> folders;
    for (const QByteArray &line : mountInfo.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() >= 5)
            folders.insert(unescaped(fields[4]), unescaped(fields[3]));
    }
    return folders;
}

QList<Volumes::Volume> SystemVolumes::list() const
{
    QList<Volume> volumes;
#ifdef Q_OS_WIN
    for (const QFileInfo &drive : QDir::drives()) {
        const QString root = QDir::toNativeSeparators(drive.absolutePath());
        const QStorageInfo info(root);
        volumes.append(
            {root, withLabel(root.left(2).toLower(), info.isReady() ? info.name() : QString())});
    }
#else
    // One reading of the table: each costs a look at every mounted file system.
    const QList<Mount> mounts = withoutBinds(m_mounts());
    const QString homeRoot = rootIn(mounts, home());
    for (const Mount &mount : std::as_const(mounts)) {
        // Pseudo file systems are no drives, except one that holds the home folder.
        if (!mount.ready
            || (!mount.device.startsWith(QLatin1String("/dev/")) && mount.root != homeRoot))
            continue;
        volumes.append({mount.root, withLabel(mount.root, mount.label)});
    }
    if (volumes.isEmpty())
        volumes.append({QStringLiteral("/"), QStringLiteral("/")});
    std::sort(volumes.begin(), volumes.end(),
              [](const Volume &a, const Volume &b) { return a.root < b.root; });
#endif
    return volumes;
}

bool SystemVolumes::isRoot(const QString &path) const
{
    const QString folder = clean(path);
    if (folder.isEmpty())
        return false;
    if (QDir(folder).isRoot())
        return true;
    const QList<Mount> mounts = m_mounts();
    return std::any_of(mounts.begin(), mounts.end(), [&folder](const Mount &mount) {
        return clean(mount.root).compare(folder, PathCase) == 0;
    });
}

QString Volumes::nearestRoot(const QStringList &roots, const QString &path)
{
    const QString target = clean(path);
    if (!QDir::isAbsolutePath(target))
        return {};
    QString best;
    qsizetype bestLength = -1;
    for (const QString &given : roots) {
        const QString root = clean(given);
        const QString inside = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
        const bool holds =
            target.compare(root, PathCase) == 0 || target.startsWith(inside, PathCase);
        if (holds && root.size() > bestLength) {
            best = given;
            bestLength = root.size();
        }
    }
    return best;
}

QString SystemVolumes::rootOf(const QString &path) const
{
    return rootIn(withoutBinds(m_mounts()), path);
}
