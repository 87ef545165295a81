#include "volumes.h"

#include <QDir>
#include <QStorageInfo>

#include <algorithm>

QList<Volumes::Volume> SystemVolumes::list() const
{
    QList<Volume> volumes;
#ifdef Q_OS_WIN
    for (const QFileInfo &drive : QDir::drives()) {
        const QString root = QDir::toNativeSeparators(drive.absolutePath());
        const QString letter = root.left(2).toLower();
        const QStorageInfo info(root);
        const QString label = info.isReady() ? info.name() : QString();
        volumes.append({root, label.isEmpty()
                                  ? letter
                                  : letter + QLatin1String(" [") + label + QLatin1Char(']')});
    }
#else
    const QString homeRoot = QStorageInfo(QDir::homePath()).rootPath();
    for (const QStorageInfo &info : QStorageInfo::mountedVolumes()) {
        const bool realDevice = info.device().startsWith("/dev/");
        if (!info.isValid() || !info.isReady() || (!realDevice && info.rootPath() != homeRoot))
            continue;
        const QString root = info.rootPath();
        const QString label = info.name();
        volumes.append(
            {root, label.isEmpty() ? root : root + QLatin1String(" [") + label + QLatin1Char(']')});
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
    const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(path));
    if (clean.isEmpty())
        return false;
    if (QDir(clean).isRoot())
        return true;
    const QStorageInfo volume(clean);
#ifdef Q_OS_WIN
    const Qt::CaseSensitivity cs = Qt::CaseInsensitive;
#else
    const Qt::CaseSensitivity cs = Qt::CaseSensitive;
#endif
    return volume.isValid() && QDir::cleanPath(volume.rootPath()).compare(clean, cs) == 0;
}
