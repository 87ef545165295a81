#pragma once

#include "browser/folderaccess.h"

#include <QListWidget>

// A classic folder list: the open folder's ancestors from the root down, then its subfolders.
// A double click or Enter opens an entry; a single click only selects it. The right button,
// the Menu key and Shift+F10 ask for the pop-up menu.
class FolderList final : public QListWidget
{
    Q_OBJECT
public:
    explicit FolderList(QWidget *parent = nullptr);

    // The open folder, in native notation, without a trailing separator except at a root.
    QString path() const { return m_path; }
    // Opens a folder. False, and nothing changes, when it is not a readable folder.
    bool setPath(const QString &path);
    // Reads the folder tree again and stays on the open folder, or on its nearest
    // readable ancestor when the folder is gone.
    void refresh();

signals:
    // Another folder is open; its entries as just read, unsorted.
    void pathChanged(const QString &path, const FolderAccess::Listing &listing);
    // The user opened an entry that cannot be read; the list is read again afterwards.
    void openFailed(const QString &path, const QString &reason);
    // The user opened an entry whose name cannot be used; the message says so.
    void openRefused(const QString &message);
    // The right button alone was pressed over the list, at this point of the screen; or the
    // Menu key or Shift+F10, with the point on the current entry.
    void popupRequested(const QPoint &globalPos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void requestPopupAtCurrentEntry();
    void open(const QListWidgetItem *item);
    // Lists the open folder's ancestors and subfolders; returns what it holds.
    FolderAccess::Listing fill();

    QString m_path;
};
