#include "filelist.h"

#include "browser/filepattern.h"
#include "browser/focusmark.h"
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

// The names as one plain list, shown in an order of its own: no item objects and no copy of
// the names, so a folder of 100,000 files stays light and quick to show.
class FileNameModel final : public QAbstractListModel
{
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_order.size());
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= rowCount())
            return {};
        if (role == Qt::DisplayRole)
            return name(index.row());
        if (role == Qt::ToolTipRole) {
            return isUsable(index.row())
                       ? name(index.row())
                       : FolderAccess::unusableMessage(m_folder, name(index.row()));
        }
        return {};
    }

    // The rows show names[order[row]]. Unusable names are told apart by their index, at or
    // past firstUnusable, never by their text, which a real file's name could match.
    void setNames(const QString &folder, QStringList names, std::vector<qsizetype> order,
                  qsizetype firstUnusable)
    {
        beginResetModel();
        m_folder = folder;
        m_names = std::move(names);
        m_order = std::move(order);
        m_firstUnusable = firstUnusable;
        endResetModel();
    }

    // The name of a row that exists.
    const QString &name(qsizetype row) const { return m_names.at(m_order[size_t(row)]); }
    bool isUsable(qsizetype row) const { return m_order[size_t(row)] < m_firstUnusable; }

private:
    QString m_folder;
    QStringList m_names;
    std::vector<qsizetype> m_order;
    qsizetype m_firstUnusable = 0;
};

FileList::FileList(QWidget *parent)
    : FocusMarked(parent)
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

void FileList::setPath(const QString &path)
{
    if (path.isEmpty() || !FolderAccess::canList(path))
        return;
    m_path = PathText::native(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    refresh();
}

void FileList::setPattern(const QString &pattern)
{
    m_pattern = pattern;
    refresh();
}

void FileList::refresh()
{
    showNames(m_path.isEmpty() ? FolderAccess::Listing() : FolderAccess::read(m_path));
}

void FileList::showFolder(const QString &path, const FolderAccess::Listing &listing)
{
    m_path = path;
    showNames(listing);
}

void FileList::showNames(FolderAccess::Listing listing)
{
    const FilePattern matcher(m_pattern);
    if (!matcher.matchesAll()) {
        const auto unmatched = [&matcher](const QString &name) {
            return !matcher.matches(name);
        };
        listing.files.removeIf(unmatched);
        listing.unusableFiles.removeIf(unmatched);
    }
    QStringList &names = listing.files;
    const qsizetype usable = names.size();
    names.append(listing.unusableFiles);
    std::vector<qsizetype> order = FolderAccess::displayOrder(names);
    // A reset leaves no selection and no current entry.
    m_model->setNames(m_path, std::move(names), std::move(order), usable);
}

int FileList::count() const
{
    return m_model->rowCount();
}

QString FileList::name(int row) const
{
    return row >= 0 && row < count() ? m_model->name(row) : QString();
}

bool FileList::isUsable(int row) const
{
    return row >= 0 && row < count() && m_model->isUsable(row);
}

QStringList FileList::selectedNames() const
{
    return selected(true);
}

QStringList FileList::selectedUnusable() const
{
    return selected(false);
}

QStringList FileList::selected(bool usable) const
{
    // The ranges, not one index per row: selecting all of a large folder stays cheap.
    const int rows = count();
    std::vector<bool> selected(size_t(rows), false);
    for (const QItemSelectionRange &range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom() && row < rows; ++row)
            selected[size_t(row)] = true;
    }
    QStringList result;
    for (int row = 0; row < rows; ++row) {
        if (selected[size_t(row)] && m_model->isUsable(row) == usable)
            result.append(m_model->name(row));
    }
    return result;
}

QString FileList::currentName() const
{
    return name(currentIndex().row());
}

bool FileList::isCurrentUsable() const
{
    const int row = currentIndex().row();
    return row < 0 || isUsable(row);
}

int FileList::selectNames(const QStringList &names)
{
    QHash<QString, qsizetype> wanted;
    for (qsizetype i = names.size() - 1; i >= 0; --i)
        wanted.insert(names.at(i), i);
    QItemSelection selection;
    QModelIndex first;
    qsizetype firstOrder = names.size();
    int found = 0;
    for (int row = 0; row < count(); ++row) {
        const auto order = wanted.constFind(m_model->name(row));
        if (order == wanted.constEnd() || !m_model->isUsable(row))
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
