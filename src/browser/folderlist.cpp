#include "folderlist.h"

#include "browser/focusmark.h"
#include "browser/folderaccess.h"
#include "common/pathtext.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>

namespace {

constexpr int PathRole = Qt::UserRole;
// The shown name of a subfolder that is never opened: its name cannot be used.
constexpr int UnusableRole = Qt::UserRole + 1;

bool isReadableFolder(const QString &path)
{
    return FolderAccess::canList(path).ok();
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
    // Not itemActivated: some desktops activate on a single click, which must only select.
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](const QListWidgetItem *item) { open(item); });
}

bool FolderList::setPath(const QString &path)
{
    if (path.isEmpty() || !isReadableFolder(path))
        return false;
    const QString target = normalised(path);
    if (target == m_path)
        return true;
    m_path = target;
    const FolderAccess::Listing listing = fill();
    emit pathChanged(m_path, listing);
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

void FolderList::open(const QListWidgetItem *item)
{
    if (!item)
        return;
    if (const QString shown = item->data(UnusableRole).toString(); !shown.isEmpty()) {
        emit openRefused(FolderAccess::unusableMessage(m_path, shown));
        return;
    }
    const QString path = item->data(PathRole).toString();
    const Status readable = FolderAccess::canList(path);
    if (readable) {
        setPath(path);
        return;
    }
    emit openFailed(path, readable.reason());
    // It may have been deleted meanwhile, and the open folder with it.
    refresh();
}

FolderAccess::Listing FolderList::fill()
{
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    QStringList chain;
    for (QDir dir(m_path);;) {
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
    const FolderAccess::Listing listing = FolderAccess::read(m_path);
    QStringList children = listing.folders;
    const qsizetype usable = children.size();
    children.append(listing.unusableFolders);
    const QString prefix = PathText::withSeparator(m_path);
    for (const qsizetype index : FolderAccess::displayOrder(children)) {
        const QString &child = children.at(index);
        auto *item = new QListWidgetItem(closed, indentUnit.repeated(level) + child, this);
        if (index < usable) {
            item->setData(PathRole, prefix + child);
        } else {
            item->setData(UnusableRole, child);
            item->setToolTip(FolderAccess::unusableMessage(m_path, child));
        }
    }
    setCurrentRow(int(chain.size()) - 1);
    return listing;
}

void FolderList::mousePressEvent(QMouseEvent *event)
{
    // The right button alone asks for the pop-up menu and changes nothing else; two
    // buttons at once do nothing.
    if (event->buttons() != event->button())
        return;
    if (event->button() == Qt::RightButton) {
        emit popupRequested(event->globalPosition().toPoint());
        return;
    }
    QListWidget::mousePressEvent(event);
}

void FolderList::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        QListWidget::mouseDoubleClickEvent(event);
    else
        mousePressEvent(event);
}

void FolderList::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        open(currentItem());
        return;
    }
    // Where the platform does not turn the Menu key into a pop-up menu request of its own.
    if (event->key() == Qt::Key_Menu) {
        requestPopupAtCurrentEntry();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void FolderList::contextMenuEvent(QContextMenuEvent *event)
{
    // The Menu key or Shift+F10; the right button is handled on its press above, so a mouse's
    // event here is left alone.
    if (event->reason() != QContextMenuEvent::Keyboard) {
        event->ignore();
        return;
    }
    requestPopupAtCurrentEntry();
}

void FolderList::requestPopupAtCurrentEntry()
{
    QPoint at = viewport()->rect().topLeft();
    if (QListWidgetItem *item = currentItem()) {
        scrollToItem(item);
        const QRect entry = visualItemRect(item).intersected(viewport()->rect());
        if (!entry.isEmpty())
            at = entry.center();
    }
    emit popupRequested(viewport()->mapToGlobal(at));
}

void FolderList::paintEvent(QPaintEvent *event)
{
    QListWidget::paintEvent(event);
    FocusMark::paint(*this);
}

// The mark covers the whole list: it is drawn anew, not only the current entry.
void FolderList::focusInEvent(QFocusEvent *event)
{
    QListWidget::focusInEvent(event);
    viewport()->update();
}

void FolderList::focusOutEvent(QFocusEvent *event)
{
    QListWidget::focusOutEvent(event);
    viewport()->update();
}

void FolderList::scrollContentsBy(int dx, int dy)
{
    QListWidget::scrollContentsBy(dx, dy);
    // Scrolling moves what was drawn, the frame with it.
    if (hasFocus())
        viewport()->update();
}
