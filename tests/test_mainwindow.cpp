#include "common/geometry.h"
#include "app/mainwindow.h"
#include "app/storedsettings.h"
#include "browser/drivelist.h"
#include "browser/filelist.h"
#include "browser/folderlist.h"
#include "doubles.h"
#include "platform/settingsstore.h"
#include "testhelpers.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <gtest/gtest.h>

namespace {

QString textOf(QWidget *widget)
{
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        return button->text();
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->text();
    if (auto *box = qobject_cast<QGroupBox *>(widget))
        return box->title();
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        return edit->text();
    if (auto *combo = qobject_cast<QComboBox *>(widget))
        return combo->currentText();
    if (auto *plain = qobject_cast<QPlainTextEdit *>(widget))
        return plain->toPlainText();
    return {};
}

struct Placement
{
    const char *name;
    const char *container;
    int left, top, width, height;
    const char *caption; // nullptr: not checked
    bool enabled;
};

const Placement MainLayout[] = {
    {"Frame1", nullptr, 120, 120, 3975, 7815, "PC", true},
    {"Drive1", "Frame1", 120, 360, 3735, 315, nullptr, true},
    {"Dir1", "Frame1", 120, 720, 3735, 2565, nullptr, true},
    {"File1", "Frame1", 120, 3360, 3735, 3345, nullptr, true},
    {"Dateiname", "Frame1", 120, 6840, 3735, 495, nullptr, false},
    {"Size", "Frame1", 120, 7440, 3735, 255, "File size: 0 Bytes", true},
    {"Command1", nullptr, 4200, 240, 1455, 495, "Transmit >>", false},
    {"Command2", nullptr, 4200, 840, 1455, 495, "<< Receive", false},
    {"Frame2", nullptr, 5760, 120, 3735, 7815, "Atari Portfolio", true},
    {"PofoDrive", "Frame2", 120, 360, 3495, 315, "a:\\", true},
    {"Label3", "Frame2", 120, 840, 2655, 255, "Folder:", true},
    {"PofoFolder", "Frame2", 120, 1080, 3495, 285, "", true},
    {"Label1", "Frame2", 120, 1560, 2655, 255, "File:", true},
    {"PoFoFile", "Frame2", 120, 1800, 3495, 285, "", true},
    {"Command3", "Frame2", 120, 2160, 975, 255, "Add to list", true},
    {"List1", "Frame2", 120, 2640, 3495, 2565, nullptr, false},
    {"Command4", "Frame2", 120, 5280, 975, 255, "Clear list", false},
};

class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QDir(m_dir.path()).mkpath(QStringLiteral("one/two"));
        QDir(m_dir.path()).mkpath(QStringLiteral("three"));
    }
    QString folder(const QString &name) const
    {
        return QDir::toNativeSeparators(QDir::cleanPath(m_dir.filePath(name)));
    }
    void store(const QString &section, const QString &value)
    {
        m_tp.settings.values.insert(section + QStringLiteral("/Default"), value);
    }
    QString stored(const QString &section) const
    {
        return m_tp.settings.values.value(section + QStringLiteral("/Default"));
    }

    QTemporaryDir m_dir;
    TestPlatform m_tp;
};

TEST_F(MainWindowTest, ControlsStandWhereTheLayoutTablePutsThem)
{
    MainWindow window(m_tp.platform, m_tp.values);
    const QWidget *central = window.centralWidget();
    EXPECT_EQ(central->size(), QSize(twips(9645), twips(8070)));
    for (const Placement &p : MainLayout) {
        SCOPED_TRACE(p.name);
        QWidget *w = child(window, p.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->geometry(), twipsRect(p.left, p.top, p.width, p.height));
        const QWidget *container = p.container ? child(window, p.container) : central;
        EXPECT_EQ(w->parentWidget(), container);
        if (p.caption) {
            EXPECT_EQ(textOf(w), QString::fromUtf8(p.caption));
        }
        EXPECT_EQ(w->isEnabled(), p.enabled);
    }
    EXPECT_TRUE(child(window, "Dateiname")->font().bold());
    EXPECT_TRUE(child(window, "Size")->font().bold());
    EXPECT_DOUBLE_EQ(child(window, "Size")->font().pointSizeF(), 8.25);
    for (const char *button : {"Command1", "Command2"}) {
        EXPECT_TRUE(child(window, button)->font().bold());
        EXPECT_DOUBLE_EQ(child(window, button)->font().pointSizeF(), 9.75);
    }
    EXPECT_DOUBLE_EQ(window.font().pointSizeF(), 8.25);
    EXPECT_EQ(child<QComboBox>(window, "PofoDrive")->count(), 0);
    EXPECT_TRUE(child<QComboBox>(window, "PofoDrive")->isEditable());
    EXPECT_EQ(child<QListWidget>(window, "List1")->count(), 0);
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(window.windowIcon().isNull());
}

TEST_F(MainWindowTest, MenusCarryTheirCaptionsNamesAndShortcuts)
{
    MainWindow window(m_tp.platform, m_tp.values);
    QStringList bar;
    for (QAction *a : window.menuBar()->actions())
        bar << (a->menu() ? a->menu()->objectName() : a->objectName()) + QLatin1Char('=')
                   + a->text();
    EXPECT_EQ(bar, QStringList({"mnuDatei=&File", "mnuBackup=Backup", "mnuOptionen=&Options",
                                "mnuInfo=&Info"}));

    auto *file = child<QMenu>(window, "mnuDatei");
    ASSERT_EQ(file->actions().size(), 1);
    EXPECT_EQ(file->actions()[0]->objectName(), QStringLiteral("mnuexit"));
    EXPECT_EQ(file->actions()[0]->text(), QStringLiteral("Exit"));
    EXPECT_EQ(file->actions()[0]->shortcut(), QKeySequence(QStringLiteral("Ctrl+X")));

    QStringList options;
    for (QAction *a : child<QMenu>(window, "mnuOptionen")->actions())
        options << a->objectName() + QLatin1Char('=') + (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(options, QStringList({"mnuAtariFiles=Show only Atari Portfolio files",
                                    "mnuOver=Overwrite files if exists?", "mnuStrich=-",
                                    "mnuPath=Path options"}));
    auto *path = window.findChild<QAction *>(QStringLiteral("mnuPath"));
    EXPECT_EQ(path->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    EXPECT_FALSE(window.findChild<QAction *>(QStringLiteral("mnuAtariFiles"))->isChecked());

    auto *poppi = child<QMenu>(window, "mnupoppi");
    EXPECT_EQ(poppi->title(), QStringLiteral("poppi"));
    QStringList popup;
    for (QAction *a : poppi->actions())
        popup << a->objectName() + QLatin1Char('=') + a->text();
    EXPECT_EQ(popup, QStringList({"mnuNew=New folder", "mnuDeleteFolder=Delete folder"}));
    EXPECT_FALSE(window.menuBar()->actions().contains(poppi->menuAction()));
}

TEST_F(MainWindowTest, FocusMovesInTheGivenOrder)
{
    MainWindow window(m_tp.platform, m_tp.values);
    const QStringList expected = {"Drive1",   "Dir1",      "File1",      "Command1",
                                  "Command2", "PofoDrive", "PofoFolder", "PoFoFile",
                                  "Command3", "List1",     "Command4"};
    QStringList chain;
    QWidget *w = child(window, "Drive1");
    for (int i = 0; i < 200 && chain.size() < expected.size(); ++i, w = w->nextInFocusChain()) {
        const QString name = w->objectName();
        if (expected.contains(name) && !chain.contains(name))
            chain << name;
    }
    EXPECT_EQ(chain, expected);
}

TEST_F(MainWindowTest, FirstStartWithAnEmptyStore)
{
    MainWindow window(m_tp.platform, m_tp.values);
    EXPECT_EQ(m_tp.values.toolFolder, StoredSettings::defaultToolFolder());
    EXPECT_FALSE(m_tp.values.overwriteFlag);
    EXPECT_FALSE(window.findChild<QAction *>(QStringLiteral("mnuOver"))->isChecked());
    const QString home = QDir::toNativeSeparators(StoredSettings::defaultFolder());
    EXPECT_EQ(child<FolderList>(window, "Dir1")->path(), home);
    EXPECT_EQ(child<FileList>(window, "File1")->path(), home);
    EXPECT_EQ(child<QPlainTextEdit>(window, "Dateiname")->toPlainText(), home);
    EXPECT_EQ(child<DriveList>(window, "Drive1")->root(),
              child<DriveList>(window, "Drive1")->rootOf(home));
    EXPECT_TRUE(window.windowTitle().startsWith(QStringLiteral("Tarnwick v1.0 - ")));
    EXPECT_TRUE(m_tp.dialogs.boxes.isEmpty());
}

struct OverStart
{
    const char *stored;
    bool ticked;
};

class OverAtStart : public MainWindowTest, public ::testing::WithParamInterface<OverStart>
{};

TEST_P(OverAtStart, StoredTextTicksTheMenuItem)
{
    store(StoredSettings::Overwrite, QString::fromUtf8(GetParam().stored));
    MainWindow window(m_tp.platform, m_tp.values);
    EXPECT_EQ(window.findChild<QAction *>(QStringLiteral("mnuOver"))->isChecked(),
              GetParam().ticked);
    EXPECT_EQ(m_tp.values.overwriteFlag, GetParam().ticked);
}

INSTANTIATE_TEST_SUITE_P(Table, OverAtStart,
                         ::testing::Values(OverStart{"True", true}, OverStart{"true", true},
                                           OverStart{"7", true}, OverStart{"-1", true},
                                           OverStart{"False", false}, OverStart{"0", false},
                                           OverStart{"maybe", false}, OverStart{"", false}));

TEST_F(MainWindowTest, StoredFoldersAreLoadedThroughTheFolderChange)
{
    store(StoredSettings::ToolFolder, QStringLiteral("c:\\tools\\"));
    store(StoredSettings::FileFolder, folder("three"));
    store(StoredSettings::Folder, folder("one/two"));
    MainWindow window(m_tp.platform, m_tp.values);
    EXPECT_EQ(m_tp.values.toolFolder, QStringLiteral("c:\\tools\\"));
    EXPECT_EQ(child<FolderList>(window, "Dir1")->path(), folder("one/two"));
    // The folder change moves the file list and fills the path field.
    EXPECT_EQ(child<FileList>(window, "File1")->path(), folder("one/two"));
    EXPECT_EQ(child<QPlainTextEdit>(window, "Dateiname")->toPlainText(), folder("one/two"));
    EXPECT_FALSE(child(window, "Command1")->isEnabled());
}

struct BadStore
{
    const char *name;
    const char *file; // "%1" is the temporary folder
    const char *dir;
    const char *drive;
    const char *expectedDir; // "" : the fallback of a start without a folder
};

class BadValuesAtStart : public MainWindowTest, public ::testing::WithParamInterface<BadStore>
{};

TEST_P(BadValuesAtStart, TheProgramStillStartsOnAReadableFolder)
{
    const BadStore &c = GetParam();
    store(StoredSettings::FileFolder, QString::fromUtf8(c.file).arg(m_dir.path()));
    store(StoredSettings::Folder, QString::fromUtf8(c.dir).arg(m_dir.path()));
    store(StoredSettings::Drive, QString::fromUtf8(c.drive));
    store(StoredSettings::Overwrite, QStringLiteral("\x01\x02garbage"));
    MainWindow window(m_tp.platform, m_tp.values);
    const QString dir = child<FolderList>(window, "Dir1")->path();
    const QString expected =
        *c.expectedDir ? QDir::toNativeSeparators(
            QDir::cleanPath(QString::fromUtf8(c.expectedDir).arg(m_dir.path())))
                       : QDir::toNativeSeparators(StoredSettings::defaultFolder());
    EXPECT_EQ(dir, expected);
    EXPECT_TRUE(QFileInfo(dir).isDir());
    EXPECT_EQ(child<FileList>(window, "File1")->path(), dir);
    EXPECT_FALSE(m_tp.values.overwriteFlag);
    EXPECT_TRUE(window.windowTitle().startsWith(QStringLiteral("Tarnwick v1.0 - ")));
    EXPECT_GE(child<DriveList>(window, "Drive1")->count(), 1);

    // The about box still follows.
    bool aboutShown = false;
    onNextModal([&](QWidget *modal) {
        aboutShown = modal->objectName() == QLatin1String("frmInfo");
        modal->close();
    });
    window.start();
    EXPECT_TRUE(aboutShown);
    EXPECT_TRUE(window.isVisible());
    window.close();
}

INSTANTIATE_TEST_SUITE_P(
    Table, BadValuesAtStart,
    ::testing::Values(
        BadStore{"deletedDirKeepsFileFolder", "%1/three", "%1/gone", "/no/such/drive", "%1/three"},
        BadStore{"allDeleted", "%1/gone", "%1/gone/too", "q:", ""},
        BadStore{"emptyTexts", "", "", "", ""},
        BadStore{"aFileInsteadOfAFolder", "/etc/hostname", "/etc/hostname", "/etc", ""},
        BadStore{"garbageCharacters", "\x01\x7f:\\*?", "<>|\"", "[]", ""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, StartShowsTheAboutBoxAloneAndThenTheMainWindow)
{
    MainWindow window(m_tp.platform, m_tp.values);
    QString modalName;
    bool mainVisibleMeanwhile = true;
    onNextModal([&](QWidget *modal) {
        modalName = modal->objectName();
        mainVisibleMeanwhile = window.isVisible();
        modal->close();
    });
    window.start();
    EXPECT_EQ(modalName, QStringLiteral("frmInfo"));
    EXPECT_FALSE(mainVisibleMeanwhile);
    EXPECT_TRUE(window.isVisible());
    window.close();
}

TEST_F(MainWindowTest, ClosingWritesTheFourSettingsInOrder)
{
    store(StoredSettings::ToolFolder, QStringLiteral("keep me"));
    store(StoredSettings::Folder, folder("one"));
    MainWindow window(m_tp.platform, m_tp.values);
    window.show();
    child<FolderList>(window, "Dir1")->setPath(folder("three"));
    m_tp.settings.writtenSections.clear();
    window.close();
    EXPECT_EQ(m_tp.settings.writtenSections, QStringList({"Dir", "Drive", "File", "Over"}));
    EXPECT_EQ(stored(StoredSettings::Folder), folder("three"));
    EXPECT_EQ(stored(StoredSettings::FileFolder), folder("three"));
    EXPECT_EQ(stored(StoredSettings::Drive), child<DriveList>(window, "Drive1")->drive());
    EXPECT_EQ(stored(StoredSettings::Overwrite), QStringLiteral("False"));
    EXPECT_EQ(stored(StoredSettings::ToolFolder), QStringLiteral("keep me"));
    EXPECT_TRUE(m_tp.dialogs.boxes.isEmpty());
}

struct Toggles
{
    const char *start;
    int toggles;
    const char *stored;
};

class OverwriteToggle : public MainWindowTest, public ::testing::WithParamInterface<Toggles>
{};

TEST_P(OverwriteToggle, TheTickIsStoredAtExit)
{
    store(StoredSettings::Overwrite, QString::fromUtf8(GetParam().start));
    MainWindow window(m_tp.platform, m_tp.values);
    QAction *over = window.findChild<QAction *>(QStringLiteral("mnuOver"));
    for (int i = 0; i < GetParam().toggles; ++i) {
        const bool before = m_tp.values.overwriteFlag;
        over->trigger();
        EXPECT_NE(m_tp.values.overwriteFlag, before);
        EXPECT_EQ(over->isChecked(), m_tp.values.overwriteFlag);
    }
    window.close();
    EXPECT_EQ(stored(StoredSettings::Overwrite), QString::fromUtf8(GetParam().stored));
}

INSTANTIATE_TEST_SUITE_P(Table, OverwriteToggle,
                         ::testing::Values(Toggles{"0", 0, "False"}, Toggles{"0", 1, "True"},
                                           Toggles{"0", 2, "False"}, Toggles{"True", 0, "True"},
                                           Toggles{"True", 1, "False"}, Toggles{"5", 3, "False"}));

TEST_F(MainWindowTest, ExitClosesLikeTheCloseBoxAndAFailedWriteIsReported)
{
    m_tp.settings.failWrites = true;
    MainWindow window(m_tp.platform, m_tp.values);
    window.show();
    window.findChild<QAction *>(QStringLiteral("mnuexit"))->trigger();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(m_tp.settings.writtenSections, QStringList({"Dir", "Drive", "File", "Over"}));
    ASSERT_EQ(m_tp.dialogs.boxes.size(), 1);
    EXPECT_TRUE(m_tp.dialogs.boxes[0].text.contains(QStringLiteral("memory")));
}

TEST_F(MainWindowTest, SecondStartReadsBackWhatTheFirstStored)
{
    const QString ini = m_dir.filePath(QStringLiteral("conf/Tarnwick.conf"));
    QString drive;
    {
        QtSettingsStore settings(ini);
        Platform platform{settings, m_tp.dialogs, m_tp.urls, m_tp.commands};
        ProgramValues values;
        MainWindow first(platform, values);
        first.show();
        child<FolderList>(first, "Dir1")->setPath(folder("one/two"));
        first.findChild<QAction *>(QStringLiteral("mnuOver"))->trigger();
        drive = child<DriveList>(first, "Drive1")->drive();
        first.close();
    }
    QtSettingsStore settings(ini);
    Platform platform{settings, m_tp.dialogs, m_tp.urls, m_tp.commands};
    ProgramValues values;
    MainWindow second(platform, values);
    EXPECT_EQ(child<FolderList>(second, "Dir1")->path(), folder("one/two"));
    EXPECT_EQ(child<FileList>(second, "File1")->path(), folder("one/two"));
    EXPECT_EQ(child<DriveList>(second, "Drive1")->drive(), drive);
    EXPECT_TRUE(second.findChild<QAction *>(QStringLiteral("mnuOver"))->isChecked());
    EXPECT_TRUE(values.overwriteFlag);
}

struct MenuWindow
{
    const char *action;
    const char *window; // objectName of the modal window it opens
};

class MenuOpensModal : public MainWindowTest, public ::testing::WithParamInterface<MenuWindow>
{};

TEST_P(MenuOpensModal, MainWindowWaitsUntilItCloses)
{
    MainWindow window(m_tp.platform, m_tp.values);
    window.show();
    QString opened;
    bool modal = false;
    onNextModal([&](QWidget *w) {
        opened = w->objectName();
        modal = w->isModal();
        w->close();
    });
    window.findChild<QAction *>(QLatin1String(GetParam().action))->trigger();
    EXPECT_EQ(opened, QLatin1String(GetParam().window));
    EXPECT_TRUE(modal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    window.close();
}

INSTANTIATE_TEST_SUITE_P(Table, MenuOpensModal,
                         ::testing::Values(MenuWindow{"mnuInfo", "frmInfo"},
                                           MenuWindow{"mnuPath", "frmOptionen"},
                                           MenuWindow{"mnuBackup", "Backup"}));

} // namespace
