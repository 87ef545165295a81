#include "filelist.h"

#include "browser/filepattern.h"
#include "browser/folderaccess.h"
#include "common/pathtext.h"

#include <QAbstractListModel>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QHash>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

#include <vector>

// The names as one plain list: no item objects, so a folder of 100,000 files stays light.
class FileNameModel final : public QAbstractListModel
{
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_names.size());
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= m_names.size())
            return {};
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
            return m_names.at(index.row());
        return {};
    }

    void setNames(QStringList names)
    {
        beginResetModel();
        m_names = std::move(names);
        endResetModel();
    }

    const QStringList &names() const { return m_names; }

private:
    QStringList m_names;
};

FileList::FileList(QWidget *parent)
    : QListView(parent)
    , m_model(new FileNameModel(this))
{
    setModel(m_model);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { m_selectionTouched = true; });
    connect(this, &QAbstractItemView::doubleClicked, this, &FileList::entryOpened);
}

bool FileList::setPath(const QString &path)
{
    if (path.isEmpty() || !FolderAccess::listError(path).isEmpty())
        return false;
    m_path = PathText::native(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
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
    showNames(m_path.isEmpty() ? QStringList() : FolderAccess::read(m_path).files);
}

void FileList::showFolder(const QString &path, const QStringList &files)
{
    m_path = path;
    showNames(files);
}

void FileList::showNames(QStringList names)
{
    const FilePattern matcher(m_pattern);
    names.removeIf([&matcher](const QString &name) { return !matcher.matches(name); });
    FolderAccess::sortForDisplay(names);
    // A reset leaves no selection and no current entry.
    m_model->setNames(std::move(names));
}

int FileList::count() const
{
    return m_model->rowCount();
}

QString FileList::name(int row) const
{
    const QStringList &names = m_model->names();
    return row >= 0 && row < names.size() ? names.at(row) : QString();
}

QStringList FileList::selectedNames() const
{
    // The ranges, not one index per row: selecting all of a large folder stays cheap.
    const QStringList &names = m_model->names();
    std::vector<bool> selected(size_t(names.size()), false);
    for (const QItemSelectionRange &range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom() && row < names.size(); ++row)
            selected[size_t(row)] = true;
    }
    QStringList result;
    for (qsizetype row = 0; row < names.size(); ++row) {
        if (selected[size_t(row)])
            result.append(names.at(row));
    }
    return result;
}

QString FileList::currentName() const
{
    return name(currentIndex().row());
}

int FileList::selectNames(const QStringList &names)
{
    QHash<QString, qsizetype> wanted;
    for (qsizetype i = names.size() - 1; i >= 0; --i)
        wanted.insert(names.at(i), i);
    const QStringList &all = m_model->names();
    QItemSelection selection;
    QModelIndex first;
    qsizetype firstOrder = names.size();
    int found = 0;
    for (int row = 0; row < all.size(); ++row) {
        const auto order = wanted.constFind(all.at(row));
        if (order == wanted.constEnd())
            continue;
        const QModelIndex index = m_model->index(row);
        selection.select(index, index);
        ++found;
        if (*order < firstOrder) {
            firstOrder = *order;
            first = index;
        }
    }
    selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (first.isValid())
        scrollTo(first);
    return found;
}

// Drops are taken as a copy: a move would let the file manager delete what it sent.
void FileList::dragEnterEvent(QDragEnterEvent *event)
{
    dragMoveEvent(event);
}

void FileList::dragMoveEvent(QDragMoveEvent *event)
{
    if (!event->mimeData()->hasUrls())
        return event->ignore();
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void FileList::dropEvent(QDropEvent *event)
{
    if (!event->mimeData()->hasUrls())
        return event->ignore();
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit urlsDropped(event->mimeData()->urls());
}

// Only the left button selects; a right or middle click leaves the selection and the size
// line as they are.
void FileList::mousePressEvent(QMouseEvent *event)
{
    m_leftPressed = event->button() == Qt::LeftButton;
    if (m_leftPressed)
        QListView::mousePressEvent(event);
}

void FileList::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    QListView::mouseReleaseEvent(event);
    // Every click counts, also one on no entry or one that leaves nothing selected.
    if (m_leftPressed) {
        m_leftPressed = false;
        emit entryClicked();
    }
}

void FileList::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // The click before it has been handled; its release counts again only when the double
    // click landed on another entry and so changed the selection.
    m_selectionTouched = false;
    QListView::mouseDoubleClickEvent(event);
    m_leftPressed = m_selectionTouched;
}

void FileList::keyPressEvent(QKeyEvent *event)
{
    // Enter does what a double click does, with the click that always comes before one.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && currentIndex().isValid()) {
        emit entryClicked();
        emit entryOpened();
        return;
    }
    m_selectionTouched = false;
    QListView::keyPressEvent(event);
    if (m_selectionTouched)
        emit entryClicked();
}
