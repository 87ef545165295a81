#include "volumes.h"

#include <QDir>
#include <QStorageInfo>

#include <algorithm>
#include <utility>

namespace {

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity PathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity PathCase = Qt::CaseSensitive;
#endif

QString clean(const QString &path)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(path));
}

QList<SystemVolumes::Mount> systemMounts()
{
    QList<SystemVolumes::Mount> mounts;
    for (const QStorageInfo &info : QStorageInfo::mountedVolumes()) {
        mounts.append({QString::fromLocal8Bit(info.device()), info.rootPath(), info.name(),
                       info.isValid() && info.isReady()});
    }
    return mounts;
}

// The mount point nearest above a path: mounts sit inside each other.
QString rootIn(const QList<SystemVolumes::Mount> &mounts, const QString &path)
{
    const QString target = clean(path);
    if (!QDir::isAbsolutePath(target))
        return {};
    QString best;
    qsizetype bestLength = -1;
    for (const SystemVolumes::Mount &mount : mounts) {
        const QString root = clean(mount.root);
        const QString inside = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
        const bool holds =
            target.compare(root, PathCase) == 0 || target.startsWith(inside, PathCase);
        if (holds && root.size() > bestLength) {
            best = mount.root;
            bestLength = root.size();
        }
    }
    return best;
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
    const QList<Mount> mounts = m_mounts();
    const QString homeRoot = rootIn(mounts, home());
    for (const Mount &mount : mounts) {
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

QString SystemVolumes::rootOf(const QString &path) const
{
    return rootIn(m_mounts(), path);
}
