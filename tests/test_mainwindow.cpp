// The main window: what it does with the store, how its controls follow each other, and what
// it makes of files dropped onto it.
#include "app/mainwindow.h"
#include "browser/drivelist.h"
#include "browser/filelist.h"
#include "browser/folderlist.h"
#include "browser/pathfield.h"
#include "common/popupmenukey.h"
#include "common/titleline.h"
#include "doubles.h"
#include "editor/documentwindow.h"
#include "testhelpers.h"

#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QtTest>

#include <memory>

namespace {

// A drop as a file manager makes it, offering a copy or a move; true when taken as a copy.
bool drop(QWidget *target, const QList<QUrl> &urls)
{
    QMimeData data;
    data.setUrls(urls);
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(QPoint(1, 1), offered, &data, Qt::LeftButton, {});
    QDropEvent event(QPointF(1, 1), offered, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    QApplication::sendEvent(target, &event);
    // Never a move, which would let the file manager delete what it sent.
    return enter.isAccepted() && event.isAccepted() && event.dropAction() == Qt::CopyAction;
}

// The main window over a temporary tree that the doubles call a drive of its own.
class Main : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const auto &[name, bytes] : {std::pair{"pc/a.txt", 2048}, std::pair{"pc/b.txt", 1000},
                                          std::pair{"pc/c.txt", 2500}, std::pair{"pc/x.doc", 5}})
            m_tree.file(u(name), bytes);
        m_tree.folder(u("pc/sub1/deep"));
        m_tree.folder(u("pc/sub2"));
        m_tp.mounts = {{u("/dev/tree"), m_tree.path(), u("TREE")}};
        store("FTOrt", u("/opt/pofo/"));
        store("Drive", m_tree.path());
    }
    void store(const char *section, const QString &value)
    {
        m_tp.settings.values.insert(u(section) + u("/Default"), value);
    }
    QString at(const QString &relative) const { return m_tree.path(relative); }
    void open(const QString &relative = QStringLiteral("pc"))
    {
        store("Dir", at(relative)); // the file list follows it
        m_tp.dialogs.boxes.clear();
        m_window = std::make_unique<MainWindow>(m_tp.platform, m_tp.values);
        m_window->show();
        dir1 = control<FolderList>("Dir1");
        file1 = control<FileList>("File1");
        path = control<PathField>("Dateiname");
        command1 = control<QPushButton>("Command1");
        command2 = control<QPushButton>("Command2");
        ASSERT_EQ(dir1->path(), at(relative));
    }
    template<typename T = QWidget> T *control(const char *name) const
    {
        return child<T>(*m_window, u(name));
    }
    void trigger(const char *action) { control<QAction>(action)->trigger(); }
    void click(const char *name, Qt::KeyboardModifiers modifiers = {})
    {
        for (int row = 0; row < file1->count(); ++row) {
            if (file1->name(row) == u(name)) {
                const QPoint at = file1->visualRect(file1->model()->index(row, 0)).center();
                return QTest::mouseClick(file1->viewport(), Qt::LeftButton, modifiers, at);
            }
        }
        ADD_FAILURE() << "not listed: " << name;
    }
    QPoint folderEntry(const char *name) const
    {
        const auto found = dir1->findItems(u(name), Qt::MatchEndsWith);
        EXPECT_FALSE(found.isEmpty()) << name;
        return found.isEmpty() ? QPoint() : dir1->visualItemRect(found.last()).center();
    }
    QStringList boxes() const { return m_tp.dialogs.kinds(); }
    QString sizeLine() const { return control<QLabel>("Size")->text(); }
    // Light, then dark while the window is open: the desktop switched themes.
    template<typename Check> static void inBothThemes(Check check)
    {
        const QPalette before = QApplication::palette();
        for (const QPalette &theme :
             {QApplication::style()->standardPalette(), QPalette(QColor(53, 53, 53))}) {
            QApplication::setPalette(theme);
            check(theme);
        }
        QApplication::setPalette(before);
    }

    Tree m_tree;
    TestPlatform m_tp;
    std::unique_ptr<MainWindow> m_window;
    FolderList *dir1 = nullptr;
    FileList *file1 = nullptr;
    PathField *path = nullptr;
    QPushButton *command1 = nullptr, *command2 = nullptr;
};

TEST_F(Main, StartReadsTheStoreAndShowsTheAboutBoxAloneFirst)
{
    store("Over", u("True"));
    store("Dir", at("pc/sub1"));
    store("File", at("pc"));
    QString modal;
    bool mainShown = true;
    onNextModal([&](QWidget *box) {
        modal = box->objectName();
        const QWidget *main = topLevel(u("frmMain"));
        mainShown = main && main->isVisible();
        box->close();
    });
    const std::unique_ptr<MainWindow> window = MainWindow::start(m_tp.platform, m_tp.values);
    EXPECT_EQ(modal, u("frmInfo"));
    EXPECT_FALSE(mainShown);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(m_tp.values.overwriteFlag);
    EXPECT_TRUE(child<QAction>(*window, u("mnuOver"))->isChecked());
    // The folder list's folder wins; the file list and the path field follow it.
    EXPECT_EQ(child<FileList>(*window, u("File1"))->path(), at("pc/sub1"));
    EXPECT_EQ(child<PathField>(*window, u("Dateiname"))->path(), at("pc/sub1"));
}

TEST_F(Main, ClosingWritesTheFourSettingsInOrderAndReportsAFailedWrite)
{
    open();
    trigger("mnuOver");
    trigger("mnuexit");
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_EQ(m_tp.settings.writtenSections, QStringList({"Dir", "Drive", "File", "Over"}));
    EXPECT_EQ(m_tp.settings.writes, 1);
    EXPECT_EQ(m_tp.settings.values.value(u("Drive/Default")), m_tree.path() + u(" [TREE]"));
    EXPECT_EQ(m_tp.settings.values.value(u("Over/Default")), u("True"));
    EXPECT_TRUE(m_tp.dialogs.boxes.isEmpty());

    m_tp.settings.failWrites = true;
    open();
    m_window->close();
    ASSERT_EQ(boxes(), QStringList({"message"}));
    EXPECT_TRUE(m_tp.dialogs.boxes[0].text.contains(u("memory")));
}

TEST_F(Main, BadStoredFoldersStillStartOnAReadableFolder)
{
    // "Dir", "File", the home folder, where the folder list starts; the tree is the drive.
    const std::tuple<const char *, const char *, const char *, const char *> table[] = {
        {"gone", "pc/sub2", "pc/sub1", "pc/sub2"},
        {"pc/a.txt", "gone", "pc/sub1", "pc/sub1"},
        {"pc/a.txt", "gone", "gone/home", ""}};
    for (const auto &[dir, file, home, start] : table) {
        store("Dir", at(u(dir)));
        store("File", at(u(file)));
        m_tp.home = at(u(home));
        EXPECT_EQ(child<FolderList>(MainWindow(m_tp.platform, m_tp.values), u("Dir1"))->path(),
                  at(u(start)));
    }
}

TEST_F(Main, MenuCommandsOpenTheirWindowsModally)
{
    open();
    for (const auto &[action, window] :
         {std::pair{"mnuBackup", "Backup"}, std::pair{"mnuPath", "frmOptionen"},
          std::pair{"mnuInfo", "frmInfo"}}) {
        QString opened;
        onNextModal([&opened](QWidget *modal) {
            opened = modal->objectName();
            modal->close();
        });
        trigger(action);
        EXPECT_EQ(opened, u(window)) << action;
    }
}

TEST_F(Main, ClicksFillThePathFieldAndTheSizeLineAndAFolderChangeMovesTheFileList)
{
    open();
    click("a.txt");
    EXPECT_TRUE(command1->isEnabled());
    EXPECT_EQ(path->path(), at("pc/a.txt"));
    EXPECT_EQ(path->toPlainText(), at("pc/a.txt"));
    EXPECT_EQ(sizeLine(), u("File size: 2.05 kB (2050 Bytes)"));
    click("c.txt", Qt::ShiftModifier);
    EXPECT_EQ(sizeLine(), u("File size: 5.55 kB (5550 Bytes)"));
    click("a.txt", Qt::ControlModifier);
    EXPECT_EQ(file1->selectedNames(), QStringList({"b.txt", "c.txt"}));
    click("b.txt", Qt::ControlModifier);
    click("c.txt", Qt::ControlModifier);
    EXPECT_EQ(sizeLine(), u("File size: 0.00 kB (0 Bytes)"));
    EXPECT_EQ(path->path(), at("pc/c.txt"));
    QTest::keyClick(file1, Qt::Key_Down);
    EXPECT_EQ(path->path(), at("pc/x.doc"));
    EXPECT_EQ(sizeLine(), u("File size: 0.01 kB (10 Bytes)"));

    // The filter clears the selection and leaves the rest.
    trigger("mnuAtariFiles");
    EXPECT_EQ(file1->count(), 3);
    EXPECT_EQ(file1->selectedNames(), QStringList());
    EXPECT_TRUE(command1->isEnabled());
    EXPECT_EQ(sizeLine(), u("File size: 0.01 kB (10 Bytes)"));
    trigger("mnuAtariFiles");
    EXPECT_EQ(file1->count(), 4);

    // A single click selects a folder, a double click opens it; the size line stays.
    QTest::mouseClick(dir1->viewport(), Qt::LeftButton, {}, folderEntry("sub1"));
    EXPECT_EQ(dir1->path(), at("pc"));
    const QPoint sub1 = folderEntry("sub1");
    QTest::mouseDClick(dir1->viewport(), Qt::LeftButton, {}, sub1);
    QTest::mouseRelease(dir1->viewport(), Qt::LeftButton, {}, sub1);
    EXPECT_EQ(file1->path(), at("pc/sub1"));
    EXPECT_EQ(file1->count(), 0);
    EXPECT_EQ(path->toPlainText(), at("pc/sub1"));
    EXPECT_FALSE(command1->isEnabled());
    EXPECT_EQ(sizeLine(), u("File size: 0.01 kB (10 Bytes)"));

    // Only the right button opens the folder menu, at the pointer, and opens nothing.
    auto *menu = control<QMenu>("mnupoppi");
    const QPoint entry = folderEntry("deep");
    QTest::mouseClick(dir1->viewport(), Qt::MiddleButton, {}, entry);
    EXPECT_FALSE(menu->isVisible());
    QTest::mousePress(dir1->viewport(), Qt::RightButton, {}, entry);
    ASSERT_TRUE(menu->isVisible());
    EXPECT_LE((menu->pos() - dir1->viewport()->mapToGlobal(entry)).manhattanLength(), 2);
    menu->hide();
    EXPECT_EQ(dir1->path(), at("pc/sub1"));
}

TEST_F(Main, ThePathFieldTakesNoTypingReadsInLightAndDarkThemesAndShowsAllOfALongPath)
{
    open();
    inBothThemes([this](const QPalette &theme) {
        const QString longPath = at("pc/") + QString(40, u'x') + u("/") + QString(200, u'y');
        path->setPath(longPath);
        QTest::keyClicks(path, u("typed"));
        QCoreApplication::processEvents(); // the field lays the text out
        EXPECT_TRUE(path->isEnabled());
        EXPECT_TRUE(path->isReadOnly());
        // The keyboard reaches it after the file list, and Tab leaves it again.
        QApplication::setActiveWindow(m_window.get());
        file1->setFocus();
        QTest::keyClick(file1, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), path);
        QTest::keyClick(path, Qt::Key_Tab);
        EXPECT_NE(QApplication::focusWidget(), path);
        EXPECT_EQ(path->toPlainText(), longPath);
        EXPECT_EQ(path->toolTip(), longPath);
        EXPECT_EQ(path->accessibleDescription(), longPath);
        EXPECT_GT(path->verticalScrollBar()->maximum(), 0); // the rest can be scrolled to
        // As drawn: the background is the commonest colour, the text the one farthest from it.
        const QImage drawn = path->viewport()->grab().toImage();
        QHash<QRgb, int> counts;
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x)
                ++counts[drawn.pixel(x, y)];
        }
        const QRgb background =
            std::max_element(counts.keyValueBegin(), counts.keyValueEnd(),
                             [](const auto &a, const auto &b) { return a.second < b.second; })
                ->first;
        double best = 1;
        for (auto it = counts.keyBegin(); it != counts.keyEnd(); ++it)
            best = std::max(best, contrast(QColor(*it), QColor(background)));
        EXPECT_GE(best, 4.5) << theme.window().color().name();
        // A field that takes no typing looks like the window around it.
        EXPECT_EQ(QColor(background), theme.window().color());
    });
}

TEST_F(Main, TheKeyboardFocusIsPlainToSeeOnBothListsInLightAndDarkThemes)
{
    open();
    click("b.txt");
    QApplication::setActiveWindow(m_window.get());
    inBothThemes([this](const QPalette &theme) {
        for (QAbstractItemView *list :
             {static_cast<QAbstractItemView *>(dir1), static_cast<QAbstractItemView *>(file1)}) {
            control("Command2")->setFocus();
            const QImage without = list->viewport()->grab().toImage();
            list->setFocus();
            ASSERT_TRUE(list->hasFocus());
            const QImage with = list->viewport()->grab().toImage();
            // Marked: a frame's worth of pixels, each standing out from what was there.
            int marked = 0;
            for (int y = 0; y < with.height(); ++y) {
                for (int x = 0; x < with.width(); ++x)
                    marked += contrast(with.pixel(x, y), without.pixel(x, y)) >= 3.0;
            }
            EXPECT_GE(marked, 3 * (with.width() + with.height()))
                << list->objectName() << theme.window().color().name();
        }
    });
}

TEST_F(Main, ShiftF10OrMenuOpensTheFolderMenuAtTheCurrentEntryEnterAFileInTheEditor)
{
    open();
    PopupMenuKey shiftF10;
    qApp->installEventFilter(&shiftF10);
    auto *menu = control<QMenu>("mnupoppi");
    QTest::keyClick(dir1, Qt::Key_Down); // from the open folder to its subfolder
    const QRect entry = dir1->visualItemRect(dir1->currentItem());
    for (const QKeyCombination key : {Qt::SHIFT | Qt::Key_F10, QKeyCombination(Qt::Key_Menu)}) {
        QTest::keyClick(dir1, key.key(), key.keyboardModifiers());
        EXPECT_TRUE(menu->isVisible());
        EXPECT_TRUE(entry.contains(dir1->viewport()->mapFromGlobal(menu->pos())));
        menu->close();
    }
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return})
        QTest::keyClick(file1, key);
    const std::unique_ptr<QWidget> editor(topLevel(u("frmDokument")));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->windowTitle(), u("b.txt"));
}

TEST_F(Main, DropsOpenTheFolderAndSelectTheFilesOrOpenADocumentButNeverSend)
{
    for (const char *name : {"two/a.txt", "two/b.txt", "two/c.doc", "two/sub/NOTE.RTF",
                             "two/sub/my\u00a0 letter.txt", "two/sub/.hidden.txt"})
        m_tree.file(u(name), 1000);
    m_tp.mounts.append({u("/dev/b"), at("two"), u("TWO")});
    // Lists are split at "|"; the document window is "clean" or "edited" before the drop.
    const struct
    {
        const char *onto, *dropped, *folder, *path, *selected, *boxes, *message;
    } cases[] = {
        {"list", "two/a.txt", "two", "two/a.txt", "a.txt", "", ""},
        {"list", "two/b.txt|two/a.txt", "two", "two/b.txt", "a.txt|b.txt", "", ""},
        {"list", "two/sub", "two/sub", "two/sub", "", "", ""},
        {"list", "two/b.txt|pc/b.txt|two/c.doc", "two", "two/b.txt", "b.txt|c.doc", "message",
         "Left out: 1 of the dropped entries."},
        {"list", "https://example.org/a.txt", "pc", "pc", "", "message",
         "example.org/a.txt is not"},
        {"list", "two/sub/my\u00a0 letter.txt", "two/sub", "two/sub/my\u00a0 letter.txt",
         "my\u00a0 letter.txt", "", ""},
        {"clean", "two/sub/NOTE.RTF", "two/sub", "two/sub/NOTE.RTF", "NOTE.RTF", "", ""},
        {"clean", "two/sub/.hidden.txt", "two/sub", "two/sub/.hidden.txt", "", "", ""},
        {"edited", "two/a.txt", "pc", "pc/b.txt", "b.txt", "okCancel", ""},
        {"clean", "two/c.doc", "pc", "pc/b.txt", "b.txt", "message", "Only .txt and .rtf"},
        // A drop on the editor that holds any file opens exactly one document or nothing.
        {"clean", "two/a.txt|two/b.txt", "pc", "pc/b.txt", "b.txt", "message", "Only one file"},
        {"edited", "two/a.txt|https://example.org/x", "pc", "pc/b.txt", "b.txt", "message",
         "Only one file"},
        {"clean", "two/sub", "pc", "pc/b.txt", "b.txt", "message", "sub is a folder"},
        {"clean", "two/gone.txt", "pc", "pc/b.txt", "b.txt", "message", "does not exist"},
        {"clean", "file://two/a.txt", "pc", "pc/b.txt", "b.txt", "message",
         "is not a file on this computer"},
        {"list", "file://two/a.txt", "pc", "pc", "", "message", "two/a.txt is not"},
        {"clean", "file://localhost/TREE/two/a.txt", "two", "two/a.txt", "a.txt", "", ""},
    };
    for (const auto &c : cases) {
        const QStringList selected = u(c.selected).split(u'|', Qt::SkipEmptyParts);
        open();
        m_tp.commands.attempted.clear();
        QWidget *target = file1->viewport();
        std::unique_ptr<QWidget> document;
        if (u(c.onto) != u("list")) {
            click("b.txt");
            m_window->openDocument();
            document.reset(topLevel(u("frmDokument")));
            auto *text = child<QTextEdit>(*document, u("rtfText"));
            text->insertPlainText(u(c.onto) == u("edited") ? u("typed") : QString());
            target = text->viewport();
        }
        QList<QUrl> urls;
        for (QString entry : u(c.dropped).split(u'|')) {
            entry.replace(u("/TREE"), m_tree.path());
            urls.append(entry.contains(u("//")) ? QUrl(entry) : QUrl::fromLocalFile(at(entry)));
        }
        // Only a drop that changes nothing at all is refused.
        EXPECT_EQ(drop(target, urls), u(c.path) != u("pc/b.txt") || *c.boxes) << c.dropped;
        EXPECT_EQ(dir1->path(), at(u(c.folder))) << c.dropped;
        EXPECT_EQ(path->path(), at(u(c.path))) << c.dropped;
        EXPECT_EQ(file1->selectedNames(), selected) << c.dropped;
        if (!selected.isEmpty()) {
            EXPECT_EQ(sizeLine(), u("File size: %1.00 kB (%2 Bytes)")
                                      .arg(selected.size())
                                      .arg(1000 * selected.size()))
                << c.dropped;
        }
        EXPECT_EQ(boxes().join(u(" ")), u(c.boxes)) << c.dropped;
        EXPECT_TRUE(m_tp.dialogs.texts().value(0).contains(u(c.message))) << c.dropped;
        if (document) {
            EXPECT_EQ(document->windowTitle(), QFileInfo(at(u(c.path))).fileName()) << c.dropped;
            // Addresses never become text.
            EXPECT_FALSE(child<QTextEdit>(*document, u("rtfText"))->toPlainText().contains(u("/")))
                << c.dropped;
            child<QTextEdit>(*document, u("rtfText"))->document()->setModified(false);
        }
        // Nothing is sent before Transmit, which sends exactly the files selected.
        EXPECT_TRUE(m_tp.commands.attempted.isEmpty()) << c.dropped;
        QTest::mouseClick(command1, Qt::LeftButton);
        QTRY_COMPARE(m_tp.commands.attempted.size(), selected.size());
    }
}

TEST_F(Main, EveryCommandActsOnTheExactFolderAndNotOnTheOneItsTextLooksLike)
{
    m_tree.file(u("pc/my pofo/keep.txt"), 1);
    // The folder's name, and whether a command line must quote it.
    const std::pair<const char *, bool> names[] = {
        {"my\u00a0pofo", false}, {"my\u2028pofo", false}, {"my\tpofo", true}, {"my pofo ", true}};
    for (const auto &[name, quote] : names) {
        m_tree.file(u("pc/") + u(name) + u("/old.txt"), 1);
        const QString folder = at(u("pc/") + u(name));
        open(u("pc/") + u(name));
        m_tp.commands.started.clear();
        control<QLineEdit>("PoFoFile")->setText(u("X.TXT"));
        command2->click();
        const QString shown = quote ? u("\"") + folder + u("\"") : folder;
        EXPECT_EQ(m_tp.commands.started,
                  QStringList({u("/opt/pofo/transfolio -r a:\\X.TXT ") + shown}));
        m_tp.dialogs.inputAnswers = {u("inner")};
        trigger("mnuNew");
        EXPECT_TRUE(QDir(folder).rmdir(u("inner"))) << name;
        m_tp.dialogs.okCancelAnswers = {true};
        trigger("mnuDeleteFolder");
        EXPECT_FALSE(QFileInfo::exists(folder)) << name;
        EXPECT_EQ(m_tree.entries(u("pc/my pofo")), QStringList({"keep.txt"}));
    }
}

#ifndef Q_OS_WIN
TEST_F(Main, ANameThatCannotBeUsedExactlyIsShownWithItsBytesAndEveryActionOnItIsRefused)
{
    m_tree.folder(u("pc/u"));
    for (const char *name : {"a\xff.txt", "caf\xe9.txt"})
        m_tree.raw(QByteArray("pc/u/") + name);
    m_tree.raw("pc/u/d\xff", true);
    m_tree.file(u("pc/u/a\uFFFD.txt"), 7); // the look-alikes, valid text
    m_tree.file(u("pc/u/d\uFFFD/in.txt"));
    m_tree.file(u("pc/u/b.txt"));
    const QString badFile = u("a\uFFFD.txt \u27E861 FF 2E 74 78 74\u27E9");
    const QString badFolder = u("d\uFFFD \u27E864 FF\u27E9");
    const QByteArray folderUrl = "file://" + QUrl::toPercentEncoding(at("pc/u"), "/");
    open("pc/u");
    ASSERT_EQ(file1->count(), 4);
    for (int row = 0; row < file1->count(); ++row)
        EXPECT_EQ(file1->isUsable(row), !file1->name(row).contains(u'\u27E8')) << row;
    // Each step is refused with one message and changes nothing.
    const auto refused = [&](const char *step) {
        ASSERT_EQ(boxes(), QStringList({"message"})) << step;
        const QString text = m_tp.dialogs.boxes[0].text;
        for (const QString &part : {u("cannot be used exactly"), at("pc/u"), u("rename")})
            EXPECT_TRUE(text.contains(part)) << step << text;
        EXPECT_TRUE(m_tp.commands.attempted.isEmpty()) << step;
        EXPECT_EQ(dir1->path(), at("pc/u")) << step;
        EXPECT_TRUE(file1->selectedNames().isEmpty()) << step;
        m_tp.dialogs.boxes.clear();
    };
    click(qPrintable(badFile));
    refused("click");
    command1->click();
    refused("transmit");
    control<QLineEdit>("PoFoFile")->setText(u("X.TXT"));
    command2->click();
    refused("receive into");
    QTest::keyClick(file1, Qt::Key_Return);
    refused("open");
    trigger("mnuDeleteFolder");
    refused("delete");
    click("b.txt"); // another file is open in the editor, and the path field names the bad one
    m_window->openDocument();
    const std::unique_ptr<DocumentWindow> editor(
        qobject_cast<DocumentWindow *>(topLevel(u("frmDokument"))));
    click(qPrintable(badFile));
    m_tp.dialogs.boxes.clear();
    m_tp.dialogs.okCancelAnswers = {true, true};
    editor->saveDocument();
    refused("save");
    dir1->setCurrentItem(dir1->findItems(badFolder, Qt::MatchEndsWith).value(0));
    QTest::keyClick(dir1, Qt::Key_Return);
    refused("open as folder");
    drop(file1->viewport(), {QUrl::fromEncoded(folderUrl + "/a%FF.txt")});
    refused("drop");
    EXPECT_EQ(path->toPlainText(), at("pc/u") + QDir::separator() + badFile);
    EXPECT_EQ(path->path(), QString());
    EXPECT_EQ(sizeLine(), u("File size: unknown"));
    EXPECT_EQ(QFileInfo(at("pc/u/a\uFFFD.txt")).size(), 7);
    EXPECT_EQ(editor->windowTitle(), u("b.txt"));
    EXPECT_EQ(m_tree.entries(u("pc/u/d\uFFFD")), QStringList({"in.txt"}));
    // The look-alike itself is used as it is.
    click("a\uFFFD.txt");
    EXPECT_EQ(path->path(), at("pc/u/a\uFFFD.txt"));
    EXPECT_EQ(sizeLine(), u("File size: 0.01 kB (10 Bytes)"));
}
#endif

TEST_F(Main, DeleteFolderAsksOnlyWhenThereIsSomethingInItAndReadsTheListAgain)
{
    m_tree.file(u("system.txt"), 1);
    const std::tuple<const char *, const char *, bool, QStringList, const char *, const char *>
        table[] = {
            // folder opened, a file in it, the answer, the boxes shown, where the list stands,
            // what is left in it; OK takes the files, and a box says why a folder stays
            {"pc/victim", "", false, {}, "pc", ""},
            {"pc/victim", "a.txt", false, {"okCancel"}, "pc/victim", "a.txt"},
            {"pc/victim", "a.txt", true, {"okCancel"}, "pc", ""},
            {"pc/vanished", "", true, {"message"}, "pc", ""},
            {"", "", true, {"message"}, "", ""}, // the root of a drive
            {"pc/victim", "inner/a.txt", true, {"okCancel", "message"}, "pc/victim", "inner"}};
    for (const auto &[folder, holds, answer, kinds, listAt, left] : table) {
        m_tree.folder(u("pc/victim"));
        m_tree.folder(u("pc/vanished"));
        if (*holds)
            m_tree.file(u("pc/victim/") + u(holds), 1);
        open(folder);
        QDir(at("pc/vanished")).removeRecursively();
        m_tp.dialogs.okCancelAnswers = {answer};
        trigger("mnuDeleteFolder");
        ASSERT_EQ(boxes(), kinds) << folder;
        EXPECT_EQ(path->path(), at(listAt)) << folder;
        EXPECT_EQ(m_tree.entries(u("pc/victim")).join(u(" ")), u(left)) << folder;
    }
    EXPECT_EQ(m_tp.dialogs.boxes[0].text, // the last folder's, with what it holds
              u("WARNING, folder isn't empty. Do you want to delete all files?\n\n")
                  + at("pc/victim") + u("\nFiles in it that will be deleted: 0.")
                  + u("\nFolders in it, which are not deleted: 1."));
    EXPECT_EQ(m_tp.dialogs.boxes[0].title, titleLine());
    EXPECT_TRUE(m_tree.exists(u("system.txt")));
}

TEST_F(Main, NewFolderMakesTheAnswerInThePathFieldsFolderOrSaysWhyNot)
{
    const std::tuple<std::optional<QString>, bool, bool, QStringList> table[] = {
        // the answer, the path field names a file, a folder is made, the boxes shown
        {u("New folder"), false, true, {"input"}},
        {std::nullopt, false, false, {"input"}},
        {u("New folder 2"), true, false, {"input", "message"}}};
    for (const auto &[answer, onAFile, made, kinds] : table) {
        open();
        if (onAFile)
            click("a.txt");
        m_tp.dialogs.inputAnswers = {answer};
        const qsizetype before = m_tree.entries(u("pc")).size();
        trigger("mnuNew");
        ASSERT_EQ(boxes(), kinds);
        EXPECT_EQ(m_tree.entries(u("pc")).size(), before + (made ? 1 : 0));
        EXPECT_EQ(dir1->findItems(u("New folder"), Qt::MatchEndsWith).size(), 1);
    }
    const RecordingDialogs::Box &input = m_tp.dialogs.boxes[0];
    EXPECT_EQ(input.text, u("Enter name for new folder?"));
    EXPECT_EQ(input.title, titleLine());
    EXPECT_EQ(input.defaultAnswer, u("New folder"));
}

TEST_F(Main, DrivesOpenTheirFolderAndAFolderOnASecondDriveStartsThere)
{
    m_tree.folder(u("two/deeper"));
    m_tp.mounts = {{u("/dev/a"), at("pc"), u("ONE")},
                   {u("/dev/b"), at("two"), {}},
                   {u("/dev/c"), at("gone"), {}}};
    store("Drive", at("two"));
    open("two/deeper");
    auto *drive1 = control<DriveList>("Drive1");
    EXPECT_EQ(drive1->currentData().toString(), at("two"));
    QTest::keyClick(drive1, Qt::Key_Up);
    EXPECT_EQ(path->path(), at("pc"));
    QTest::keyClick(drive1, Qt::Key_Up);
    ASSERT_EQ(boxes(), QStringList({"message"}));
    EXPECT_TRUE(m_tp.dialogs.boxes[0].text.contains(at("gone")));
    EXPECT_EQ(dir1->path(), at("pc"));
    EXPECT_EQ(drive1->currentData().toString(), at("pc"));
}

TEST_F(Main, TransmitSendsTheSelectionInListOrderWithTheSwitchOfTheMoment)
{
    open();
    click("c.txt");
    click("a.txt", Qt::ControlModifier);
    control<QComboBox>("PofoDrive")->setEditText(u("a:"));
    control<QLineEdit>("PofoFolder")->setText(u("DOCS"));
    control<QLineEdit>("PoFoFile")->setText(u("IGNORED"));
    control<QPushButton>("Command3")->click();
    command1->click();
    trigger("mnuOver");
    m_tp.values.toolFolder = u("/elsewhere/");
    command1->click();
    const QString pc = at("pc");
    QTRY_COMPARE(m_tp.commands.started,
                 QStringList({u("/opt/pofo/transfolio ") + pc + u("/a.txt a:DOCS\\ -t"),
                              u("/opt/pofo/transfolio ") + pc + u("/c.txt a:DOCS\\ -t"),
                              u("/elsewhere/transfolio ") + pc + u("/a.txt a:DOCS\\ -t -f"),
                              u("/elsewhere/transfolio ") + pc + u("/c.txt a:DOCS\\ -t -f")}));
    file1->clearSelection();
    command1->click();
    EXPECT_EQ(m_tp.commands.started.size(), 4);
}

TEST_F(Main, ReceiveFetchesTheListOrElseTheFieldsAndTheButtonsFollowTheList)
{
    open();
    const auto line = [this](const char *source) {
        return u("/opt/pofo/transfolio -r ") + u(source) + u(" ") + at("pc");
    };
    auto *fileField = control<QLineEdit>("PoFoFile");
    auto *list = control<QListWidget>("List1");
    auto *clear = control<QPushButton>("Command4");
    QTest::keyClicks(fileField, u("A"));
    EXPECT_TRUE(command2->isEnabled());
    fileField->clear();
    EXPECT_FALSE(command2->isEnabled());
    control<QLineEdit>("PofoFolder")->setText(u("DOCS"));
    control<QPushButton>("Command3")->click();
    EXPECT_TRUE(list->isEnabled());
    EXPECT_TRUE(clear->isEnabled());
    EXPECT_FALSE(command2->isEnabled());
    control<QLineEdit>("PofoFolder")->clear();
    fileField->setText(u("TWO.TXT"));
    control<QPushButton>("Command3")->click();
    command2->click();
    command2->click();
    const QStringList both = {line("a:\\DOCS\\"), line("a:\\TWO.TXT")};
    QTRY_COMPARE(m_tp.commands.started, both + both);
    clear->click();
    EXPECT_EQ(list->count(), 0);
    EXPECT_FALSE(list->isEnabled());
    EXPECT_FALSE(clear->isEnabled());
    EXPECT_FALSE(command2->isEnabled());
    fileField->setText(u("FIELD.TXT"));
    command2->click();
    QTRY_COMPARE(m_tp.commands.started.last(), line("a:\\FIELD.TXT"));
}

} // namespace
