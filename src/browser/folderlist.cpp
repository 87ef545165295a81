#include "folderlist.h"

#include "browser/pathtext.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStyle>

#include <algorithm>

namespace {

constexpr int PathRole = Qt::UserRole;

bool isReadableFolder(const QString &path)
{
    const QFileInfo info(path);
    return info.isDir() && info.isReadable() && info.isExecutable();
}

QString normalised(const QString &path)
{
    return PathText::native(QDir::cleanPath(QDir(path).absolutePath()));
}

} // namespace

FolderList::FolderList(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        setPath(item->data(PathRole).toString());
    });
}

bool FolderList::setPath(const QString &path)
{
    if (path.isEmpty() || !isReadableFolder(path))
        return false;
    const QString target = normalised(path);
    if (target == m_path)
        return true;
    m_path = target;
    fill();
    emit pathChanged(m_path);
    return true;
}

void FolderList::refresh()
{
    QString folder = m_path;
    while (!folder.isEmpty() && !isReadableFolder(folder)) {
        const QString parent = normalised(folder + QStringLiteral("/.."));
        if (parent == folder)
            break;
        folder = parent;
    }
    if (folder != m_path && setPath(folder))
        return;
    fill();
}

void FolderList::fill()
{
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    QStringList chain;
    for (QDir dir(m_path);; ) {
        chain.prepend(PathText::native(dir.absolutePath()));
        if (dir.isRoot() || !dir.cdUp())
            break;
    }
    int level = 0;
    const QString indentUnit = QStringLiteral("   ");
    for (const QString &folder : chain) {
        QString name = QDir(folder).dirName();
        if (name.isEmpty() || QDir(folder).isRoot())
            name = folder;
        auto *item = new QListWidgetItem(open, indentUnit.repeated(level) + name, this);
        item->setData(PathRole, folder);
        ++level;
    }
    QStringList children;
    QDirIterator it(m_path, QDir::Dirs | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        children.append(it.fileName());
    }
    std::sort(children.begin(), children.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    for (const QString &child : children) {
        auto *item = new QListWidgetItem(closed, indentUnit.repeated(level) + child, this);
        item->setData(PathRole, PathText::native(QDir(m_path).filePath(child)));
    }
    setCurrentRow(int(chain.size()) - 1);
}
