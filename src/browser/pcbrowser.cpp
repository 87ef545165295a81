#include "pcbrowser.h"

#include "browser/drivelist.h"
#include "browser/droppedfiles.h"
#include "browser/filelist.h"
#include "browser/filepattern.h"
#include "browser/folderaccess.h"
#include "browser/foldercommands.h"
#include "browser/folderlist.h"
#include "browser/pathfield.h"
#include "browser/sizeline.h"
#include "common/pathtext.h"
#include "common/titleline.h"
#include "platform/dialogs.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

PcBrowser::PcBrowser(const PcPanel &panel, Dialogs &dialogs, const Volumes &volumes,
                     QObject *parent)
    : QObject(parent)
    , m_panel(panel)
    , m_dialogs(dialogs)
    , m_volumes(volumes)
{
    connect(m_panel.drive1, &DriveList::driveChanged, this, &PcBrowser::driveChanged);
    connect(m_panel.dir1, &FolderList::pathChanged, this, &PcBrowser::folderChanged);
    connect(m_panel.dir1, &FolderList::openFailed, this, &PcBrowser::folderOpenFailed);
    connect(m_panel.dir1, &FolderList::openRefused, this, &PcBrowser::warn);
    connect(m_panel.dir1, &FolderList::popupRequested, this, &PcBrowser::showFolderMenu);
    connect(m_panel.file1, &FileList::entryClicked, this, &PcBrowser::fileClicked);
    connect(m_panel.file1, &FileList::urlsDropped, this, &PcBrowser::showDropped);
    connect(m_panel.mnuAtariFiles, &QAction::triggered, this, &PcBrowser::filterChosen);

    QAction *mnuNew = m_panel.mnupoppi->findChild<QAction *>(QStringLiteral("mnuNew"));
    QAction *mnuDeleteFolder =
        m_panel.mnupoppi->findChild<QAction *>(QStringLiteral("mnuDeleteFolder"));
    Q_ASSERT(mnuNew && mnuDeleteFolder);
    connect(mnuNew, &QAction::triggered, this, &PcBrowser::newFolder);
    connect(mnuDeleteFolder, &QAction::triggered, this, &PcBrowser::deleteFolder);
}

QWidget *PcBrowser::window() const
{
    return m_panel.dir1->window();
}

void PcBrowser::warn(const QString &text)
{
    m_dialogs.message(window(), text, {}, Dialogs::Icon::Warning);
}

void PcBrowser::driveChanged(const QString &root)
{
    DriveList *drive1 = m_panel.drive1;
    // The drive's current folder: the open one when it lies on that drive, else its root.
    if (drive1->rootOf(m_panel.dir1->path()) == root)
        return;
    if (m_panel.dir1->setPath(root))
        return;
    // Not ready or not readable: the lists stay where they are, and so does the drive.
    const bool byUser = drive1->changedByUser();
    drive1->setDrive(drive1->rootOf(m_panel.dir1->path()));
    if (byUser) {
        warn(tr("The drive %1 cannot be read: %2.")
                 .arg(PathText::native(root), FolderAccess::canList(root).reason()));
    }
}

void PcBrowser::folderChanged(const QString &path, const FolderAccess::Listing &listing)
{
    m_panel.file1->showFolder(path, listing);
    m_panel.dateiname->setPath(path);
    m_panel.command1->setEnabled(false);
    // The drive list shows the volume of the open folder; that change moves no list.
    m_panel.drive1->setDrive(m_panel.drive1->rootOf(path));
}

void PcBrowser::fileClicked()
{
    FileList *file1 = m_panel.file1;
    m_panel.command1->setEnabled(true);
    const QString folder = PathText::withSeparator(file1->path());
    const bool usable = file1->isCurrentUsable();
    const QString refusedBefore = m_panel.dateiname->usable().reason();
    if (usable)
        m_panel.dateiname->setPath(folder + file1->currentName());
    else
        m_panel.dateiname->setUnusable(file1->path(), file1->currentName());
    if (file1->selectedUnusable().isEmpty()) {
        const quint64 total = SizeLine::totalBytes(folder, file1->selectedNames());
        m_panel.size->setText(SizeLine::text(total));
    } else {
        m_panel.size->setText(tr("File size: unknown"));
    }
    // Said once per entry: Enter's click before the opening would say it twice.
    if (const Status now = m_panel.dateiname->usable(); !now && now.reason() != refusedBefore)
        warn(now.reason());
}

int PcBrowser::showDropped(const QList<QUrl> &urls)
{
    const DroppedFiles::Plan plan = DroppedFiles::plan(urls);
    if (!plan.unusable.isEmpty()) {
        warn(plan.unusable);
        return 0;
    }
    if (plan.folder.isEmpty()) {
        warn(tr("Only files and folders of this computer can be dropped here; %1 is not one.")
                 .arg(plan.refused));
        return 0;
    }
    if (!openAfresh(plan.folder))
        return 0;
    const int selected = m_panel.file1->selectNames(plan.names);
    if (selected > 0)
        fileClicked();
    const int leftOut = plan.leftOut + int(plan.names.size()) - selected;
    if (leftOut > 0) {
        m_dialogs.message(window(),
                          tr("Left out: %1 of the dropped entries. Only files that the list "
                             "shows, all from one folder, can be selected; the folder open now "
                             "is %2.")
                              .arg(leftOut)
                              .arg(PathText::native(m_panel.dir1->path())));
    }
    return selected;
}

bool PcBrowser::showFile(const QString &path)
{
    const QFileInfo file(path);
    if (!openAfresh(file.absolutePath()) || m_panel.file1->selectNames({file.fileName()}) != 1)
        return false;
    fileClicked();
    return true;
}

bool PcBrowser::openAfresh(const QString &folder)
{
    const QString before = m_panel.dir1->path();
    if (!m_panel.dir1->setPath(folder)) {
        folderOpenFailed(folder, FolderAccess::canList(folder).reason());
        return false;
    }
    // The folder was open already: read afresh, as a double click on it would show it.
    if (m_panel.dir1->path() == before)
        folderChanged(before, FolderAccess::read(before));
    return true;
}

void PcBrowser::filterChosen(bool portfolioOnly)
{
    m_panel.file1->setPattern(portfolioOnly ? FilePattern::portfolio() : FilePattern::all());
}

void PcBrowser::folderOpenFailed(const QString &path, const QString &reason)
{
    warn(tr("The folder %1 cannot be opened: %2.").arg(PathText::native(path), reason));
}

void PcBrowser::showFolderMenu(const QPoint &globalPos)
{
    m_panel.mnupoppi->popup(globalPos);
}

void PcBrowser::newFolder()
{
    if (const Status usable = m_panel.dateiname->usable(); !usable)
        return warn(usable.reason());
    const std::optional<QString> answer =
        m_dialogs.input(window(), tr("Enter name for new folder?"), titleLine(), tr("New folder"));
    if (!answer || answer->isEmpty())
        return;
    if (const Status made = FolderCommands::makeFolder(m_panel.dateiname->path(), *answer); !made)
        warn(made.reason());
    m_panel.dir1->refresh();
}

QString PcBrowser::emptyingWarning(const QString &path, const FolderCommands::Removal &removal)
{
    // The folder open may not be the one highlighted: the warning names the one it empties.
    QString text = tr("WARNING, folder isn't empty. Do you want to delete all files?")
                   + QLatin1String("\n\n") + PathText::native(path) + QLatin1Char('\n')
                   + tr("Files in it that will be deleted: %1.").arg(removal.files);
    if (removal.folders > 0)
        text += QLatin1Char('\n')
                + tr("Folders in it, which are not deleted: %1.").arg(removal.folders);
    return text;
}

void PcBrowser::deleteFolder()
{
    if (const Status usable = m_panel.dateiname->usable(); !usable)
        return warn(usable.reason());
    const QString path = m_panel.dateiname->path();
    const Result<FolderCommands::Removal> removal = FolderCommands::removeFolder(path, m_volumes);
    if (!removal) {
        warn(removal.reason());
    } else if (!removal->removed
               && m_dialogs.okCancel(window(), emptyingWarning(path, *removal), titleLine())) {
        if (const Status emptied = FolderCommands::deleteFilesAndRemove(path, m_volumes); !emptied)
            warn(emptied.reason());
    }
    // Read again whatever happened, a Cancel too: the folder may have gone meanwhile. When the
    // open folder itself went, the folder list moves up and the file list follows.
    m_panel.dir1->refresh();
    // Files may have gone from a folder that stayed.
    if (PathText::samePath(m_panel.file1->path(), path))
        m_panel.file1->refresh();
}
