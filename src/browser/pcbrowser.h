#pragma once

#include "browser/folderaccess.h"
#include "browser/foldercommands.h"

#include <QList>
#include <QObject>

class Dialogs;
class DriveList;
class FileList;
class FolderList;
class PathField;
class QAction;
class QLabel;
class QMenu;
class QPoint;
class QPushButton;
class QUrl;
class QWidget;
class Volumes;

// The PC panel's controls, as the main window builds them.
struct PcPanel
{
    DriveList *drive1 = nullptr;
    FolderList *dir1 = nullptr;
    FileList *file1 = nullptr;
    PathField *dateiname = nullptr;  // the path field
    QLabel *size = nullptr;          // the size line
    QPushButton *command1 = nullptr; // "Transmit >>"
    QAction *mnuAtariFiles = nullptr;
    QMenu *mnupoppi = nullptr; // the folder list's pop-up menu, with mnuNew and mnuDeleteFolder
};

// Makes the drive, folder and file lists follow each other, keeps the path field and the size
// line up to date, and runs the folder commands of the folder list's pop-up menu.
class PcBrowser final : public QObject
{
    Q_OBJECT
public:
    PcBrowser(const PcPanel &panel, Dialogs &dialogs, const Volumes &volumes,
              QObject *parent = nullptr);

    // Opens the folder of what was dropped and selects the dropped files in it, as the user
    // would by hand; a message says what was left out or refused. Returns how many files are
    // selected.
    int showDropped(const QList<QUrl> &urls);
    // Opens the folder of a file and selects the file as a click would. False when the list
    // does not show it (a hidden file, or one the filter leaves out); the path field then names
    // the folder.
    bool showFile(const QString &path);

private:
    void driveChanged(const QString &root);
    void folderChanged(const QString &path, const FolderAccess::Listing &listing);
    void fileClicked();
    void filterChosen(bool portfolioOnly);
    void folderOpenFailed(const QString &path, const QString &reason);
    // Opens a folder, or reads it afresh when it is open already. False, with a message, when
    // it cannot be read.
    bool openAfresh(const QString &folder);
    void showFolderMenu(const QPoint &globalPos);
    void newFolder();
    void deleteFolder();
    static QString emptyingWarning(const QString &path, const FolderCommands::Removal &removal);
    void warn(const QString &text);
    QWidget *window() const;

    PcPanel m_panel;
    Dialogs &m_dialogs;
    const Volumes &m_volumes;
};
