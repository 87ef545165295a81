#include "filelist.h"

#include "browser/filepattern.h"
#include "browser/pathtext.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStringListModel>

#include <algorithm>

FileList::FileList(QWidget *parent)
    : QListView(parent)
    , m_model(new QStringListModel(this))
{
    setModel(m_model);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
}

bool FileList::setPath(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isDir() || !info.isReadable())
        return false;
    m_path = PathText::native(QDir::cleanPath(info.absoluteFilePath()));
    refresh();
    return true;
}

void FileList::setPattern(const QString &pattern)
{
    m_pattern = pattern;
    refresh();
}

void FileList::refresh()
{
    const FilePattern matcher(m_pattern);
    QStringList names;
    if (!m_path.isEmpty()) {
        QDirIterator it(m_path, QDir::Files);
        while (it.hasNext()) {
            it.next();
            const QString name = it.fileName();
            if (matcher.matches(name))
                names.append(name);
        }
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    m_model->setStringList(names);
    clearSelection();
}

int FileList::count() const
{
    return m_model->rowCount();
}

QString FileList::name(int row) const
{
    return m_model->index(row).data().toString();
}

QStringList FileList::selectedNames() const
{
    QModelIndexList rows = selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QStringList names;
    names.reserve(rows.size());
    for (const QModelIndex &index : rows)
        names.append(index.data().toString());
    return names;
}

QString FileList::currentName() const
{
    return currentIndex().isValid() ? currentIndex().data().toString() : QString();
}
