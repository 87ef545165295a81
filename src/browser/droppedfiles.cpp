#include "droppedfiles.h"

#include "browser/folderaccess.h"
#include "common/pathtext.h"

#include <QDir>
#include <QFileInfo>

namespace DroppedFiles {

Plan plan(const QList<QUrl> &urls)
{
    Plan result;
    QList<QFileInfo> local;
    for (const QUrl &url : urls) {
        const QString path = PathText::localPath(url);
        if (!path.isEmpty()) {
            if (const Status exact = usable(url); !exact)
                return Plan{{}, {}, 0, {}, exact.reason()};
            local.append(QFileInfo(QDir::cleanPath(path)));
        } else if (result.refused.isEmpty()) {
            result.refused = url.toDisplayString(QUrl::PreferLocalFile);
        }
    }
    if (local.isEmpty())
        return result;
    result.leftOut = int(urls.size() - local.size());
    if (local.size() == 1 && local.first().isDir()) {
        result.folder = local.first().absoluteFilePath();
        return result;
    }
    result.folder = local.first().absolutePath();
    for (const QFileInfo &entry : local) {
        const bool here = entry.absolutePath().compare(result.folder, PathText::Case) == 0;
        if (here && entry.isFile())
            result.names.append(entry.fileName());
        else
            ++result.leftOut;
    }
    return result;
}

Status usable(const QUrl &url)
{
    // The URL's own bytes: its local path has already been decoded into a look-alike.
    return FolderAccess::usableInPath(
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}

} // namespace DroppedFiles
