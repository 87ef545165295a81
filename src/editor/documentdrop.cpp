#include "documentdrop.h"

#include "browser/droppedfiles.h"
#include "common/pathtext.h"
#include "editor/documentfile.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

namespace DocumentDrop {

bool holdsFiles(const QList<QUrl> &urls)
{
    return std::any_of(urls.begin(), urls.end(), [](const QUrl &url) {
        return url.scheme().compare(QLatin1String("file"), Qt::CaseInsensitive) == 0;
    });
}

Result<QString> document(const QList<QUrl> &urls)
{
    const auto refused = [](const char *why, const QString &shown) {
        return Failure{QCoreApplication::translate("DocumentDrop", why).arg(shown)};
    };
    if (urls.size() != 1) {
        return Failure{QCoreApplication::translate(
            "DocumentDrop", "Only one file at a time can be dropped here to open it.")};
    }
    const QUrl &url = urls.first();
    const QString path = PathText::localPath(url);
    if (path.isEmpty()) {
        return refused(QT_TRANSLATE_NOOP("DocumentDrop", "%1 is not a file on this computer."),
                       url.toDisplayString(QUrl::PreferLocalFile));
    }
    if (const Status exact = DroppedFiles::usable(url); !exact)
        return Failure{exact.reason()};
    const QFileInfo file(path);
    const QString shown = PathText::native(path);
    if (file.isDir())
        return refused(
            QT_TRANSLATE_NOOP("DocumentDrop",
                              "%1 is a folder. Drop a .txt or .rtf file to open it here."),
            shown);
    if (!file.exists())
        return refused(QT_TRANSLATE_NOOP("DocumentDrop", "%1 cannot be opened: it does not exist."),
                       shown);
    if (!DocumentFile::isDocument(path))
        return refused(QT_TRANSLATE_NOOP("DocumentDrop",
                                         "Only .txt and .rtf files open here, and %1 is neither."),
                       shown);
    return path;
}

} // namespace DocumentDrop
