// The main window as a user meets it: what it stores, how its controls follow each other.
#include "app/mainwindow.h"
#include "browser/drivelist.h"
#include "browser/filelist.h"
#include "browser/folderlist.h"
#include "browser/pathfield.h"
#include "common/popupmenukey.h"
#include "doubles.h"
#include "editor/documentwindow.h"
#include "testhelpers.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>

#include <functional>
#include <memory>

namespace {

const QString Title = u("Tarnwick v1.0 - (c) 2026 The Tarnwick developers");

// Offered a copy or a move, never a move: the file manager would delete what it sent.
Qt::DropAction drop(QWidget *target, const QList<QUrl> &urls)
{
    QMimeData data;
    data.setUrls(urls);
    return dropOnto(target, data, Qt::CopyAction | Qt::MoveAction);
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
        m_tp.commands.attempted.clear();
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
    void type(const char *field, const char *text) { control<QLineEdit>(field)->setText(u(text)); }
    void click(const QString &name, Qt::KeyboardModifiers modifiers = {})
    {
        clickEntry(*file1, name, modifiers);
    }
    QPoint folderEntry(const QString &name) const
    {
        const auto found = dir1->findItems(name, Qt::MatchEndsWith);
        return found.isEmpty() ? QPoint(-1, -1) : dir1->visualItemRect(found.last()).center();
    }
    QStringList boxes() const { return m_tp.dialogs.kinds(); }
    // The queue starts one run after the other. (QTRY_COMPARE would not tell GoogleTest.)
    QStringList started(qsizetype lines) const
    {
        static_cast<void>(
            QTest::qWaitFor([&] { return m_tp.commands.started.size() >= lines; }, 5000));
        return m_tp.commands.started;
    }
    // The PC panel as shown: the path field, the size line, Transmit, the selection, the count.
    void expectPanel(const char *where, const char *size, bool transmit, const char *selected,
                     int listed) const
    {
        EXPECT_EQ(path->path(), at(u(where))) << size;
        EXPECT_EQ(sizeLine(), u("File size: ") + u(size) + u(" Bytes)")) << where;
        EXPECT_EQ(command1->isEnabled(), transmit) << where << size;
        EXPECT_EQ(file1->selectedNames().join(QLatin1Char('|')), u(selected)) << where << size;
        EXPECT_EQ(file1->count(), listed) << where << size;
    }
    QString sizeLine() const { return control<QLabel>("Size")->text(); }

    Tree m_tree;
    TestPlatform m_tp;
    std::unique_ptr<MainWindow> m_window;
    FolderList *dir1 = nullptr;
    FileList *file1 = nullptr;
    PathField *path = nullptr;
    QPushButton *command1 = nullptr, *command2 = nullptr;
};

TEST_F(Main, StartShowsTheAboutBoxAloneThenTheWindowAsStoredMenusOpenModalsClosingStores)
{
    store("Over", u("True"));
    store("Dir", at("pc/sub1"));
    store("File", at("pc"));
    bool mainShown = true;
    onNextModal([&](QWidget *box) {
        mainShown = topLevel(u("frmMain")) && topLevel(u("frmMain"))->isVisible();
        box->close();
    });
    m_window = MainWindow::start(m_tp.platform, m_tp.values);
    EXPECT_FALSE(mainShown);
    // The folder list's folder wins; the file list (stored as "File") and the path field follow.
    EXPECT_EQ(control<PathField>("Dateiname")->path(), at("pc/sub1"));
    QString modal;
    for (const auto &[action, window] :
         {std::pair{"mnuBackup", "Backup"}, std::pair{"mnuPath", "frmOptionen"},
          std::pair{"mnuInfo", "frmInfo"}}) {
        onNextModal([&modal](QWidget *box) {
            modal = box->objectName();
            box->close();
        });
        trigger(action);
        EXPECT_EQ(modal, u(window)) << action;
    }
    // Closing writes the four settings in order, at once; "Over" was ticked from the store.
    trigger("mnuOver");
    trigger("mnuexit");
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_EQ(m_tp.settings.writtenSections, QStringList({"Dir", "Drive", "File", "Over"}));
    EXPECT_EQ(m_tp.settings.writes, 1);
    EXPECT_EQ(m_tp.settings.values.value(u("File/Default")), at("pc/sub1"));
    EXPECT_EQ(m_tp.settings.values.value(u("Drive/Default")), m_tree.path() + u(" [TREE]"));
    EXPECT_EQ(m_tp.settings.values.value(u("Over/Default")), u("False"));
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

TEST_F(Main, ClicksAndKeysFillThePathFieldAndSizeLineOpenTheFolderAndItsMenu)
{
    open();
    click(u("a.txt"));
    expectPanel("pc/a.txt", "2.05 kB (2050", true, "a.txt", 4);
    click(u("c.txt"), Qt::ShiftModifier);
    expectPanel("pc/c.txt", "5.55 kB (5550", true, "a.txt|b.txt|c.txt", 4);
    click(u("a.txt"), Qt::ControlModifier); // the last clicked, selected or not
    expectPanel("pc/a.txt", "3.50 kB (3500", true, "b.txt|c.txt", 4);
    QTest::keyClick(file1, Qt::Key_Down);
    expectPanel("pc/b.txt", "1.00 kB (1000", true, "b.txt", 4);
    // The filter clears the selection and leaves the rest.
    trigger("mnuAtariFiles");
    expectPanel("pc/b.txt", "1.00 kB (1000", true, "", 3);
    trigger("mnuAtariFiles");
    expectPanel("pc/b.txt", "1.00 kB (1000", true, "", 4);
    // A single click selects a folder, a double click opens it; the size line stays.
    const QPoint sub1 = folderEntry(u("sub1"));
    QTest::mouseClick(dir1->viewport(), Qt::LeftButton, {}, sub1);
    expectPanel("pc/b.txt", "1.00 kB (1000", true, "", 4);
    QTest::mouseDClick(dir1->viewport(), Qt::LeftButton, {}, sub1);
    QTest::mouseRelease(dir1->viewport(), Qt::LeftButton, {}, sub1);
    expectPanel("pc/sub1", "1.00 kB (1000", false, "", 0);
    EXPECT_EQ(dir1->findItems(u("sub1"), Qt::MatchEndsWith).size(), 1); // filled anew
    // Each folder by its name; only the root shows as its path.
    EXPECT_EQ(dir1->findItems(u("/"), Qt::MatchContains).size(), 1);
    // Shift+F10 and the Menu key open the folder menu at the current entry.
    auto *menu = control<QMenu>("mnupoppi");
    PopupMenuKey shiftF10;
    qApp->installEventFilter(&shiftF10);
    QTest::keyClick(dir1, Qt::Key_Down); // from the open folder to its subfolder
    const QRect current = dir1->visualItemRect(dir1->currentItem());
    for (const QKeyCombination key : {Qt::SHIFT | Qt::Key_F10, QKeyCombination(Qt::Key_Menu)}) {
        QTest::keyClick(dir1, key.key(), key.keyboardModifiers());
        EXPECT_TRUE(menu->isVisible());
        EXPECT_TRUE(current.contains(dir1->viewport()->mapFromGlobal(menu->pos())));
        menu->close();
    }
    // Of the buttons only the right one opens it, at the pointer, and opens nothing.
    const QPoint entry = folderEntry(u("deep"));
    QTest::mouseClick(dir1->viewport(), Qt::MiddleButton, {}, entry);
    EXPECT_FALSE(menu->isVisible());
    QTest::mousePress(dir1->viewport(), Qt::RightButton, {}, entry);
    ASSERT_TRUE(menu->isVisible());
    EXPECT_LE((menu->pos() - dir1->viewport()->mapToGlobal(entry)).manhattanLength(), 2);
    menu->hide();
    EXPECT_EQ(dir1->path(), at("pc/sub1"));
}

TEST_F(Main, ThePathFieldTakesNoTypingShowsAllOfALongPathAndReadsInBothThemesAsTheListsFocus)
{
    open();
    const QString longPath = at("pc/") + QString(40, u'x') + u("/") + QString(200, u'y');
    path->setPath(longPath);
    // The keyboard reaches it after the file list, and Tab leaves it again.
    QApplication::setActiveWindow(m_window.get());
    file1->setFocus();
    QTest::keyClick(file1, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), path);
    QTest::keyClicks(path, u("typed"));
    QTest::keyClick(path, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), path);
    EXPECT_EQ(path->toPlainText(), longPath);
    EXPECT_EQ(path->toolTip(), longPath);
    EXPECT_EQ(path->accessibleDescription(), longPath);
    QCoreApplication::processEvents();                  // the field lays the text out
    EXPECT_GT(path->verticalScrollBar()->maximum(), 0); // the rest can be scrolled to
    inBothThemes([this](const QString &name) {
        // As drawn: the margin's colour is the background, the text the one farthest from it.
        const QImage drawn = path->viewport()->grab().toImage();
        const QColor background = drawn.pixelColor(1, 1);
        EXPECT_GE(highestContrast(drawn, background), 4.5) << name;
        // A field that takes no typing looks like the window around it.
        EXPECT_EQ(background.name(), name);
        for (QAbstractItemView *list : std::initializer_list<QAbstractItemView *>{dir1, file1}) {
            control("Command2")->setFocus();
            const QImage without = list->viewport()->grab().toImage();
            // Without the focus, no mark: the list's ground reaches its edge.
            EXPECT_EQ(without.pixelColor(1, 1), list->palette().color(QPalette::Base)) << name;
            list->setFocus();
            const QImage with = list->viewport()->grab().toImage();
            // Marked: a frame's worth of pixels, each standing out from what was there.
            int marked = 0;
            for (int y = 0; y < with.height(); ++y) {
                for (int x = 0; x < with.width(); ++x)
                    marked += contrast(with.pixel(x, y), without.pixel(x, y)) >= 3.0;
            }
            EXPECT_GE(marked, 3 * (with.width() + with.height())) << list->objectName() << name;
        }
    });
}

TEST_F(Main, DropsOpenTheFolderAndSelectTheFilesOrOpenADocumentButNeverSend)
{
    for (const char *name : {"two/a.txt", "two/b.txt", "two/c.doc", "two/sub/NOTE.RTF",
                             "two/sub/my\u00a0 letter.txt", "two/sub/.hidden.txt", "pc/sub1/b.txt"})
        m_tree.file(u(name), 1000);
    m_tp.mounts.append({u("/dev/b"), at("two"), u("TWO")});
    // Onto the list ('l') or the document window, clean ('c') or edited ('e'); lists split at
    // "|"; the size line's kilobytes and bytes, "" for the line it starts with; any message.
    const struct
    {
        char onto;
        const char *dropped, *folder, *path, *selected, *size, *message;
    } cases[] = {
        {'l', "two/b.txt|two/a.txt", "two", "two/b.txt", "a.txt|b.txt", "2.00 kB (2000", ""},
        {'l', "two/sub", "two/sub", "two/sub", "", "", ""},
        {'l', "two/a.txt|two/sub", "two", "two/a.txt", "a.txt", "1.00 kB (1000", "Left out: 1"},
        {'l', "two/b.txt|pc/b.txt|two/c.doc", "two", "two/b.txt", "b.txt|c.doc", "2.00 kB (2000",
         "Left out: 1"},
        // Not the b.txt of the folder opened, which only has the same name.
        {'l', "pc/a.txt|pc/sub1/b.txt", "pc", "pc/a.txt", "a.txt", "2.05 kB (2050", "Left out: 1"},
        {'l', "file://two/a.txt", "pc", "pc", "", "", "two/a.txt is not"},
        {'l', "two/sub/my\u00a0 letter.txt", "two/sub", "two/sub/my\u00a0 letter.txt",
         "my\u00a0 letter.txt", "1.00 kB (1000", ""},
        {'c', "two/sub/NOTE.RTF", "two/sub", "two/sub/NOTE.RTF", "NOTE.RTF", "1.00 kB (1000", ""},
        // The size line stays with the file clicked before: b.txt.
        {'c', "two/sub/.hidden.txt", "two/sub", "two/sub/.hidden.txt", "", "1.00 kB (1000", ""},
        {'c', "file://localhost/TREE/two/a.txt", "two", "two/a.txt", "a.txt", "1.00 kB (1000", ""},
        {'c', "two/c.doc", "pc", "pc/b.txt", "b.txt", "1.00 kB (1000", "Only .txt and .rtf"},
        // A drop on the editor that holds any file opens exactly one document or nothing.
        {'e', "two/a.txt|https://example.org/x", "pc", "pc/b.txt", "b.txt", "1.00 kB (1000",
         "Only one file"},
        {'c', "two/sub", "pc", "pc/b.txt", "b.txt", "1.00 kB (1000", "sub is a folder"},
        {'c', "two/gone.txt", "pc", "pc/b.txt", "b.txt", "1.00 kB (1000", "does not exist"},
        {'c', "file://two/a.txt", "pc", "pc/b.txt", "b.txt", "1.00 kB (1000",
         "is not a file on this computer"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.dropped);
        open();
        QWidget *target = file1->viewport();
        std::unique_ptr<QWidget> document;
        QTextEdit *text = nullptr;
        if (c.onto != 'l') {
            click(u("b.txt"));
            m_window->openDocument();
            document.reset(topLevel(u("frmDokument")));
            text = child<QTextEdit>(*document, u("rtfText"));
            text->insertPlainText(c.onto == 'e' ? u("typed") : QString());
            target = text->viewport();
        }
        QList<QUrl> urls;
        for (QString entry : u(c.dropped).split(u'|')) {
            entry.replace(u("/TREE"), m_tree.path());
            urls.append(entry.contains(u("//")) ? QUrl(entry) : QUrl::fromLocalFile(at(entry)));
        }
        EXPECT_EQ(drop(target, urls), Qt::CopyAction);
        EXPECT_EQ(dir1->path(), at(u(c.folder)));
        EXPECT_EQ(path->path(), at(u(c.path)));
        EXPECT_EQ(file1->selectedNames().join(QLatin1Char('|')), u(c.selected));
        EXPECT_EQ(sizeLine(),
                  *c.size ? u("File size: ") + u(c.size) + u(" Bytes)") : u("File size: 0 Bytes"));
        EXPECT_EQ(boxes(), *c.message ? QStringList({"message"}) : QStringList());
        EXPECT_TRUE(m_tp.dialogs.texts().value(0).contains(u(c.message)));
        if (text) {
            EXPECT_EQ(document->windowTitle(), QFileInfo(at(u(c.path))).fileName());
            EXPECT_FALSE(text->toPlainText().contains(u("/"))); // never as text
            text->document()->setModified(false);
        }
        EXPECT_TRUE(m_tp.commands.attempted.isEmpty()); // only Transmit sends
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
        type("PoFoFile", "X.TXT");
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
    m_tree.raw("pc/u/a\xff.txt");
    m_tree.raw("pc/u/d\xff", true);
    m_tree.file(u("pc/u/a\uFFFD.txt"), 7); // the look-alikes, valid text
    m_tree.file(u("pc/u/d\uFFFD/in.txt"));
    m_tree.file(u("pc/u/b.txt"));
    const QString badFile = u("a\uFFFD.txt \u27E861 FF 2E 74 78 74\u27E9");
    const QByteArray badUrl = "file://" + QUrl::toPercentEncoding(at("pc/u"), "/") + "/a%FF.txt";
    open("pc/u");
    click(u("b.txt")); // another file is open in the editor
    m_window->openDocument();
    const std::unique_ptr<DocumentWindow> editor(
        qobject_cast<DocumentWindow *>(topLevel(u("frmDokument"))));
    type("PoFoFile", "X.TXT");
    m_tp.dialogs.okCancelAnswers = {true, true};
    // Each step is refused with one message and changes nothing.
    const auto refused = [&](const char *step, const std::function<void()> &act) {
        SCOPED_TRACE(step);
        m_tp.dialogs.boxes.clear();
        act();
        ASSERT_EQ(boxes(), QStringList({"message"}));
        for (const QString &part : {u("cannot be used exactly"), at("pc/u"), u("rename")})
            EXPECT_TRUE(m_tp.dialogs.boxes[0].text.contains(part));
        EXPECT_TRUE(m_tp.commands.attempted.isEmpty());
        EXPECT_EQ(dir1->path(), at("pc/u"));
        EXPECT_TRUE(file1->selectedNames().isEmpty());
    };
    refused("click", [&] { click(badFile); });
    refused("transmit", [&] { command1->click(); });
    refused("receive into", [&] { command2->click(); });
    refused("open", [&] { QTest::keyClick(file1, Qt::Key_Return); });
    refused("delete", [&] { trigger("mnuDeleteFolder"); });
    refused("save", [&] { editor->saveDocument(); });
    refused("open as folder", [&] {
        dir1->setCurrentItem(dir1->findItems(u("d\uFFFD \u27E864 FF\u27E9"), Qt::MatchEndsWith)[0]);
        QTest::keyClick(dir1, Qt::Key_Return);
    });
    refused("drop", [&] { drop(file1->viewport(), {QUrl::fromEncoded(badUrl)}); });
    EXPECT_EQ(path->toPlainText(), at("pc/u") + QDir::separator() + badFile);
    EXPECT_EQ(path->path(), QString());
    EXPECT_EQ(sizeLine(), u("File size: unknown"));
    EXPECT_EQ(QFileInfo(at("pc/u/a\uFFFD.txt")).size(), 7);
    EXPECT_EQ(editor->windowTitle(), u("b.txt"));
    EXPECT_EQ(m_tree.entries(u("pc/u/d\uFFFD")), QStringList({"in.txt"}));
    // The look-alike itself is used as it is.
    click(u("a\uFFFD.txt"));
    EXPECT_EQ(path->path(), at("pc/u/a\uFFFD.txt"));
    EXPECT_EQ(sizeLine(), u("File size: 0.01 kB (10 Bytes)"));
}
#endif

TEST_F(Main, TheFolderMenuAsksOnlyWhenItMustAndReadsTheListAgain)
{
    // The command, the folder opened, what is in "victim", the answer, the boxes shown, where the
    // path field stands after, what is left in "victim"; OK takes the files.
    const std::tuple<const char *, const char *, const char *, bool, const char *, const char *,
                     const char *>
        table[] = {
            {"Delete", "pc/victim", "", false, "", "pc", ""},
            {"Delete", "pc/victim", "a.txt", false, "okCancel", "pc/victim", "a.txt"},
            {"Delete", "pc/victim", "a.txt", true, "okCancel", "pc", ""},
            {"Delete", "pc/vanished", "", true, "message", "pc", ""},
            {"New", "pc/victim", "", true, "input", "pc/victim", "New folder"},
            {"New", "pc/victim", "", false, "input", "pc/victim", ""},
            {"New", "pc/victim", "a.txt", true, "input message", "pc/victim/a.txt", "a.txt"},
            {"Delete", "pc/victim", "in/a.txt", true, "okCancel message", "pc/victim", "in"}};
    for (const auto &[command, folder, holds, answer, kinds, pathAfter, left] : table) {
        m_tree.folder(u("pc/victim"));
        m_tree.folder(u("pc/vanished"));
        if (*holds)
            m_tree.file(u("pc/victim/") + u(holds), 1);
        open(folder);
        if (*command == 'N' && *holds)
            click(u(holds)); // the path field names a file
        QDir(at("pc/vanished")).removeRecursively();
        m_tp.dialogs.okCancelAnswers = {answer};
        m_tp.dialogs.inputAnswers = {answer ? std::optional(u("New folder")) : std::nullopt};
        trigger(*command == 'N' ? "mnuNew" : "mnuDeleteFolder");
        EXPECT_EQ(boxes().join(u(" ")), u(kinds)) << command << folder << holds;
        EXPECT_EQ(path->path(), at(u(pathAfter))) << command << folder << holds;
        EXPECT_EQ(m_tree.entries(u("pc/victim")).join(u(" ")), u(left)) << command << holds;
        EXPECT_EQ(dir1->findItems(u("New folder"), Qt::MatchEndsWith).size(), *left == 'N');
        if (*command == 'N') {
            EXPECT_EQ(m_tp.dialogs.boxes[0].text, u("Enter name for new folder?"));
            EXPECT_EQ(m_tp.dialogs.boxes[0].defaultAnswer, u("New folder"));
        }
        // Its own boxes carry the title line; a message names no title.
        EXPECT_EQ(m_tp.dialogs.boxes.value(0).title, *kinds && *kinds != 'm' ? Title : QString());
        QDir(at("pc/victim")).removeRecursively();
    }
    // The warning names the folder it empties and what it holds.
    EXPECT_EQ(m_tp.dialogs.boxes[0].text,
              u("WARNING, folder isn't empty. Do you want to delete all files?\n\n")
                  + at("pc/victim") + u("\nFiles in it that will be deleted: 0.")
                  + u("\nFolders in it, which are not deleted: 1."));
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

TEST_F(Main, ReceiveFetchesTheListOrElseTheFieldsTransmitTheSelectionWithTheSwitchOfTheMoment)
{
    open();
    const auto line = [this](const char *source) {
        return u("/opt/pofo/transfolio -r ") + u(source) + u(" ") + at("pc");
    };
    const auto states = [this] { // the names of those enabled
        QStringList on;
        for (const char *name : {"Command2", "List1", "Command4"})
            on.append(control(name)->isEnabled() ? u(name) : QString());
        return on.join(u(" ")).simplified();
    };
    QTest::keyClicks(control<QLineEdit>("PoFoFile"), u("A"));
    EXPECT_EQ(states(), u("Command2"));
    type("PoFoFile", "");
    EXPECT_EQ(states(), u(""));
    type("PofoFolder", "DOCS");
    control<QPushButton>("Command3")->click();
    EXPECT_EQ(states(), u("List1 Command4"));
    type("PofoFolder", "");
    type("PoFoFile", "TWO.TXT");
    control<QPushButton>("Command3")->click();
    command2->click();
    command2->click();
    const QStringList both = {line("a:\\DOCS\\"), line("a:\\TWO.TXT")};
    EXPECT_EQ(started(4), both + both);
    control<QPushButton>("Command4")->click();
    EXPECT_EQ(states(), u(""));
    type("PoFoFile", "FIELD.TXT");
    command2->click();
    EXPECT_EQ(started(5).value(4), line("a:\\FIELD.TXT"));

    // Transmit sends the selection in list order, with the switch and the tool of the moment.
    m_tp.commands.started.clear();
    click(u("c.txt"));
    click(u("a.txt"), Qt::ControlModifier);
    control<QComboBox>("PofoDrive")->setEditText(u("a:"));
    type("PofoFolder", "DOCS");
    type("PoFoFile", "IGNORED");
    command1->click();
    trigger("mnuOver");
    m_tp.values.toolFolder = u("/elsewhere/");
    command1->click();
    const QString pc = at("pc");
    EXPECT_EQ(started(4),
              QStringList({u("/opt/pofo/transfolio ") + pc + u("/a.txt a:DOCS\\ -t"),
                           u("/opt/pofo/transfolio ") + pc + u("/c.txt a:DOCS\\ -t"),
                           u("/elsewhere/transfolio ") + pc + u("/a.txt a:DOCS\\ -t -f"),
                           u("/elsewhere/transfolio ") + pc + u("/c.txt a:DOCS\\ -t -f")}));
    file1->clearSelection();
    command1->click();
    EXPECT_EQ(m_tp.commands.started.size(), 4);
}

} // namespace
