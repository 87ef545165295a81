#include "mainwindow.h"

#include "about/aboutbox.h"
#include "app/optionswindow.h"
#include "app/storedsettings.h"
#include "app/transfercontrols.h"
#include "app/transferswindow.h"
#include "backup/backupwindow.h"
#include "browser/drivelist.h"
#include "browser/filelist.h"
#include "browser/folderlist.h"
#include "browser/pathfield.h"
#include "browser/pcbrowser.h"
#include "common/geometry.h"
#include "common/programvalues.h"
#include "common/titleline.h"
#include "editor/documentfile.h"
#include "editor/documentwindow.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "platform/settingsstore.h"
#include "transfer/transferqueue.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <utility>

namespace {

// Runs an action once, in the event loop's next turn after the watched widget's first paint.
class AfterFirstPaint final : public QObject
{
public:
    explicit AfterFirstPaint(std::function<void()> action)
        : m_action(std::move(action))
    {}
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_action)
            QTimer::singleShot(0, this, std::exchange(m_action, {}));
        return false;
    }

private:
    std::function<void()> m_action;
};

QAction *namedAction(QAction *action, const char *name)
{
    action->setObjectName(QLatin1String(name));
    return action;
}

} // namespace

MainWindow::MainWindow(Platform &platform, ProgramValues &values, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                              | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_platform(platform)
    , m_values(values)
    , m_transfers(new TransferQueue(platform.commands, this))
{
    // The caption follows when the settings are read.
    startWindow(this, QStringLiteral("frmMain"), {});

    auto *central = new QWidget(this);
    central->setFixedSize(twips(9645), twips(8070));
    setCentralWidget(central);
    buildPcPanel(central);
    buildPortfolioPanel(central);
    buildMenus();
    setTabOrderOfControls();
    m_browser = new PcBrowser({.drive1 = m_drive1,
                               .dir1 = m_dir1,
                               .file1 = m_file1,
                               .dateiname = m_dateiname,
                               .size = m_size,
                               .command1 = m_command1,
                               .mnuAtariFiles = m_mnuAtariFiles,
                               .mnupoppi = m_mnupoppi},
                              m_platform.dialogs, m_platform.volumes, this);
    connect(m_file1, &FileList::entryOpened, this, [this] { openDocument(); });
    new TransferControls({.file1 = m_file1,
                          .dateiname = m_dateiname,
                          .command1 = m_command1,
                          .command2 = m_command2,
                          .pofoDrive = m_pofoDrive,
                          .pofoFolder = m_pofoFolder,
                          .pofoFile = m_pofoFile,
                          .command3 = m_command3,
                          .list1 = m_list1,
                          .command4 = m_command4},
                         m_platform, m_values, *m_transfers, this);
    connect(m_transfers, &TransferQueue::added, this, [this] { showTransfers(false); });

    load();

    setFixedSize(central->width(), central->height() + menuBar()->sizeHint().height());
    centerOnScreen(this);
}

MainWindow::~MainWindow()
{
    // The window has no owner, so that it outlives this one's closing; not its destruction.
    delete m_transfersWindow;
}

void MainWindow::buildPcPanel(QWidget *central)
{
    auto *frame1 = place(new QGroupBox(tr("PC", "the panel of this computer's files"), central),
                         "Frame1", twipsRect(120, 120, 3975, 7815));
    m_drive1 =
        place(new DriveList(m_platform.volumes, frame1), "Drive1", twipsRect(120, 360, 3735, 315));
    m_dir1 = place(new FolderList(frame1), "Dir1", twipsRect(120, 720, 3735, 2565));
    m_file1 = place(new FileList(frame1), "File1", twipsRect(120, 3360, 3735, 3345));

    m_dateiname = place(new PathField(frame1), "Dateiname", twipsRect(120, 6840, 3735, 495));
    m_dateiname->setFont(dialogFont(8.25, true));

    m_size = place(new QLabel(tr("File size: 0 Bytes"), frame1), "Size",
                   twipsRect(120, 7440, 3735, 255));
    m_size->setFont(dialogFont(8.25, true));
    // The frame's caption is the only label these have; screen readers say what each holds.
    nameForScreenReaders(m_drive1, tr("PC drive"));
    nameForScreenReaders(m_dir1, tr("PC folders"));
    nameForScreenReaders(m_file1, tr("PC files"));
    nameForScreenReaders(m_dateiname, tr("PC path"));

    m_command1 = place(new QPushButton(tr("Transmit >>"), central), "Command1",
                       twipsRect(4200, 240, 1455, 495));
    m_command1->setFont(dialogFont(9.75, true));
    m_command1->setEnabled(false);
    m_command2 = place(new QPushButton(tr("<< Receive"), central), "Command2",
                       twipsRect(4200, 840, 1455, 495));
    m_command2->setFont(dialogFont(9.75, true));
    m_command2->setEnabled(false);
}

void MainWindow::buildPortfolioPanel(QWidget *central)
{
    auto *frame2 = place(new QGroupBox(tr("Atari Portfolio"), central), "Frame2",
                         twipsRect(5760, 120, 3735, 7815));
    m_pofoDrive = place(new QComboBox(frame2), "PofoDrive", twipsRect(120, 360, 3495, 315));
    m_pofoDrive->setEditable(true);
    m_pofoDrive->setInsertPolicy(QComboBox::NoInsert);
    m_pofoDrive->setEditText(QStringLiteral("a:\\"));

    auto *label3 = place(new QLabel(tr("Folder:", "on the Portfolio"), frame2), "Label3",
                         twipsRect(120, 840, 2655, 255));
    m_pofoFolder = place(new QLineEdit(frame2), "PofoFolder", twipsRect(120, 1080, 3495, 285));
    label3->setBuddy(m_pofoFolder);
    auto *label1 = place(new QLabel(tr("File:", "on the Portfolio"), frame2), "Label1",
                         twipsRect(120, 1560, 2655, 255));
    m_pofoFile = place(new QLineEdit(frame2), "PoFoFile", twipsRect(120, 1800, 3495, 285));
    label1->setBuddy(m_pofoFile);

    m_command3 = place(new QPushButton(tr("Add to list"), frame2), "Command3",
                       twipsRect(120, 2160, 975, 255));
    m_list1 = place(new QListWidget(frame2), "List1", twipsRect(120, 2640, 3495, 2565));
    m_command4 = place(new QPushButton(tr("Clear list"), frame2), "Command4",
                       twipsRect(120, 5280, 975, 255));
    m_command4->setEnabled(false);
    nameForScreenReaders(m_pofoDrive, tr("Portfolio drive"));
    nameForScreenReaders(m_list1, tr("Receive list"));
}

void MainWindow::buildMenus()
{
    QMenuBar *bar = menuBar();

    QMenu *mnuDatei = bar->addMenu(tr("&File", "menu"));
    mnuDatei->setObjectName(QStringLiteral("mnuDatei"));
    QAction *transfers = namedAction(mnuDatei->addAction(tr("&Transfers")), "mnuTransfers");
    transfers->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    connect(transfers, &QAction::triggered, this, [this] { showTransfers(true); });
    QAction *exit = namedAction(mnuDatei->addAction(tr("Exit")), "mnuexit");
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QAction *backup = namedAction(
        bar->addAction(tr("Backup", "menu item opening the backup wizard")), "mnuBackup");
    connect(backup, &QAction::triggered, this, &MainWindow::showBackup);

    QMenu *mnuOptionen = bar->addMenu(tr("&Options", "menu"));
    mnuOptionen->setObjectName(QStringLiteral("mnuOptionen"));
    m_mnuAtariFiles =
        namedAction(mnuOptionen->addAction(tr("Show only Atari Portfolio files")), "mnuAtariFiles");
    m_mnuAtariFiles->setCheckable(true);
    m_mnuOver = namedAction(mnuOptionen->addAction(tr("Overwrite files if exists?")), "mnuOver");
    m_mnuOver->setCheckable(true);
    connect(m_mnuOver, &QAction::triggered, this, &MainWindow::toggleOverwrite);
    namedAction(mnuOptionen->addSeparator(), "mnuStrich");
    QAction *path = namedAction(mnuOptionen->addAction(tr("Path options")), "mnuPath");
    path->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(path, &QAction::triggered, this, &MainWindow::showOptions);

    QAction *info =
        namedAction(bar->addAction(tr("&Info", "menu item opening the about box")), "mnuInfo");
    connect(info, &QAction::triggered, this, &MainWindow::showAboutBox);

    // The folder list's pop-up menu; never on the menu bar.
    m_mnupoppi = new QMenu(QStringLiteral("poppi"), this);
    m_mnupoppi->setObjectName(QStringLiteral("mnupoppi"));
    namedAction(m_mnupoppi->addAction(tr("New folder", "menu item")), "mnuNew");
    namedAction(m_mnupoppi->addAction(tr("Delete folder")), "mnuDeleteFolder");
}

void MainWindow::setTabOrderOfControls()
{
    // The path field, read-only, is reached too: a keyboard can select and copy its path.
    ::setTabOrder({m_drive1, m_dir1, m_file1, m_dateiname, m_command1, m_command2, m_pofoDrive,
                   m_pofoFolder, m_pofoFile, m_command3, m_list1, m_command4});
}

void MainWindow::load()
{
    // Each step stands alone: a value that cannot be used leaves its control as it was.
    const SettingsStore &store = m_platform.settings;
    const Volumes &volumes = m_platform.volumes;
    const auto stored = [&store, &volumes](const QString &section) {
        return StoredSettings::read(store, section, volumes);
    };
    m_values.toolFolder = stored(StoredSettings::ToolFolder);
    m_values.overwriteFlag = StoredSettings::toOverwriteFlag(stored(StoredSettings::Overwrite));
    m_file1->setPath(stored(StoredSettings::FileFolder));
    if (!m_dir1->setPath(stored(StoredSettings::Folder)) && m_dir1->path().isEmpty()) {
        // Nothing was open yet: start somewhere readable rather than on an empty list.
        QStringList candidates = StoredSettings::startFolders(volumes);
        if (!m_file1->path().isEmpty())
            candidates.prepend(m_file1->path());
        for (const QString &folder : std::as_const(candidates)) {
            if (m_dir1->setPath(folder))
                break;
        }
    }
    m_drive1->setDrive(stored(StoredSettings::Drive));
    m_mnuOver->setChecked(m_values.overwriteFlag);
    setWindowTitle(titleLine());
}

void MainWindow::unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    SettingsStore &store = m_platform.settings;
    const QString key = StoredSettings::Key;
    const bool stored = store.write({{StoredSettings::Folder, key, m_dir1->path()},
                                     {StoredSettings::Drive, key, m_drive1->drive()},
                                     {StoredSettings::FileFolder, key, m_file1->path()},
                                     {StoredSettings::Overwrite, key,
                                      StoredSettings::fromOverwriteFlag(m_mnuOver->isChecked())}});
    if (!stored) {
        m_platform.dialogs.message(
            this, tr("The settings could not be stored in %1.").arg(store.location()), {},
            Dialogs::Icon::Warning);
    }
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Closing is never refused; other windows stay open.
    unload();
    event->accept();
}

void MainWindow::toggleOverwrite()
{
    // The action has already flipped its own tick; the flag follows it.
    m_values.overwriteFlag = m_mnuOver->isChecked();
}

std::unique_ptr<MainWindow> MainWindow::start(Platform &platform, ProgramValues &values)
{
    std::unique_ptr<MainWindow> window;
    const auto load = [&] {
        if (!window)
            window = std::make_unique<MainWindow>(platform, values);
    };
    AboutBox about(platform.urls);
    // Loading reads folders, which may lie on a slow drive: it waits until the box is painted.
    AfterFirstPaint loader(load);
    about.installEventFilter(&loader);
    about.exec();
    load();
    window->show();
    if (const QString notice = platform.settings.notice(); !notice.isEmpty())
        platform.dialogs.message(window.get(), notice, {}, Dialogs::Icon::Warning);
    return window;
}

void MainWindow::showAboutBox()
{
    AboutBox box(m_platform.urls, isVisible() ? this : nullptr);
    box.exec();
}

void MainWindow::showOptions()
{
    OptionsWindow options(m_platform, m_values, this);
    options.exec();
}

void MainWindow::openDocument(DocumentWindow::Changes changes)
{
    // The click before the double click has put the file's path into the path field.
    if (const Status usable = m_dateiname->usable(); !usable) {
        m_platform.dialogs.message(this, usable.reason(), {}, Dialogs::Icon::Warning);
        return;
    }
    const QString path = m_dateiname->path();
    if (DocumentFile::isProgram(path)) {
        m_platform.dialogs.message(this, tr("Unable to open the file with this extension."));
        return;
    }
    const bool fresh = !m_document;
    if (fresh) {
        // Saving takes the path field's path of the moment, and none once this window is gone.
        m_document = new DocumentWindow(m_platform, [this]() -> Result<QString> {
            if (m_unloaded)
                return Failure{tr("The document cannot be saved: the main window, whose path "
                                  "field names the file, is closed.")};
            if (const Status usable = m_dateiname->usable(); !usable)
                return Failure{usable.reason()};
            return m_dateiname->path();
        });
        m_document->setAttribute(Qt::WA_DeleteOnClose);
        // It opens on the screen where the main window is, not always on the first one.
        m_document->setScreen(screen());
        centerOnScreen(m_document);
        connect(m_document, &DocumentWindow::fileDropped, this, &MainWindow::openDropped);
    }
    if (!m_document->openFile(path, m_file1->currentName(), changes) && fresh)
        delete m_document;
}

void MainWindow::openDropped(const QString &path)
{
    // Saving writes to the path field's file, so the panel shows the dropped file first.
    if (!m_unloaded && m_browser->showFile(path)) {
        openDocument(DocumentWindow::Changes::AlreadyLetGo);
        return;
    }
    // One the list does not show opens all the same, and then the path field names it: Save
    // must not take its folder instead.
    if (m_document->openFile(path, QFileInfo(path).fileName(),
                             DocumentWindow::Changes::AlreadyLetGo)
        && !m_unloaded)
        m_dateiname->setPath(path);
}

void MainWindow::showBackup()
{
    BackupWindow backup(m_platform, m_values, *m_transfers, this);
    // Blocks this window only: the Transfers window's Stop stays within reach.
    backup.setWindowModality(Qt::WindowModal);
    backup.exec();
}

void MainWindow::showTransfers(bool activate)
{
    if (!m_transfersWindow) {
        m_transfersWindow = new TransfersWindow(*m_transfers, m_platform.dialogs);
        m_transfersWindow->setAttribute(Qt::WA_DeleteOnClose);
        m_transfersWindow->setScreen(screen());
        placeBeside(m_transfersWindow, this);
    }
    m_transfersWindow->setAttribute(Qt::WA_ShowWithoutActivating, !activate);
    m_transfersWindow->show();
    if (activate) {
        m_transfersWindow->raise();
        m_transfersWindow->activateWindow();
    }
}
