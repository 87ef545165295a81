#pragma once

#include "browser/focusmark.h"

#include "browser/folderaccess.h"

#include <QListView>

class FileNameModel;

// The files of one folder whose names match a ";"-separated wildcard pattern list.
// Several entries can be selected at once (Click, Shift+Click, Ctrl+Click, the arrow keys);
// the current entry is the one clicked last, whether that click selected it or not.
class FileList final : public FocusMarked<QListView>
{
    Q_OBJECT
public:
    explicit FileList(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    // Shows another folder's files with no selection; one that cannot be read leaves the list
    // as it is.
    void setPath(const QString &path);
    // Shows a folder's files as its caller has just read them.
    void showFolder(const QString &path, const FolderAccess::Listing &listing);
    // Re-reads the folder with the new pattern; no selection is left.
    void setPattern(const QString &pattern);
    // Reads the folder again; no selection is left.
    void refresh();

    int count() const;
    // The name of an entry; one that cannot be used exactly as it is shown.
    QString name(int row) const;
    bool isUsable(int row) const;
    // The selected names that can be used, in list order.
    QStringList selectedNames() const;
    // The selected names that cannot be used, as they are shown.
    QStringList selectedUnusable() const;
    // The entry clicked last, or empty.
    QString currentName() const;
    bool isCurrentUsable() const;
    // Selects exactly the entries of these names that can be used; the first of them found
    // becomes the current one. Returns how many were found.
    int selectNames(const QStringList &names);

signals:
    // A click of the left button, or a change of the selection by the keyboard.
    void entryClicked();
    // A double click on an entry, or Enter on the current one; a click comes first.
    void entryOpened();
    // Files or folders were dropped onto the list (a text/uri-list, as file managers send).
    void urlsDropped(const QList<QUrl> &urls);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void showNames(FolderAccess::Listing listing);
    QStringList selected(bool usable) const;

    QString m_path;
    QString m_pattern = QStringLiteral("*.*");
    FileNameModel *m_model;
    bool m_leftPressed = false;
    bool m_selectionTouched = false;
};
