// The editor: its files, and the document window opened from the main window.
#include "app/mainwindow.h"
#include "browser/filelist.h"
#include "common/geometry.h"
#include "doubles.h"
#include "editor/codepage.h"
#include "editor/documentfile.h"
#include "editor/documentwindow.h"
#include "editor/textarea.h"
#include "testhelpers.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QToolBar>
#include <QtTest>

#include <csignal>
#include <functional>
#include <memory>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// A byte string that may hold NUL bytes.
template<std::size_t N> QByteArray raw(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

// While it lives, no file this process writes may grow past the limit: a write beyond it
// comes back short, as on a full disk, instead of ending the process.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit lowered = m_old;
        lowered.rlim_cur = bytes;
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &lowered), 0);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_old{};
    void (*m_handler)(int) = nullptr;
};

struct RoundTrip
{
    const char *what;
    QByteArray file;
    QByteArray saved;      // empty: the file's own bytes
    const char *text = {}; // UTF-8, paragraphs ended by \n; null: not looked at
};

TEST(DocumentFile, AnUneditedFileSavedBackDiffersAtMostInItsLineEnds)
{
    QByteArray high;
    for (int byte = 0x80; byte <= 0xFF; ++byte)
        high += char(byte);
    const RoundTrip table[] = {
        {"UTF-8", "plain\nlines\n", "plain\r\nlines\r\n", "plain\nlines\n"},
        {"UTF-8 with its mark",
         "\xEF\xBB\xBFmit BOM: \xC3\xA4\xC3\xB6 \xE2\x98\x83\r\nno end",
         {},
         "mit BOM: \xC3\xA4\xC3\xB6 \xE2\x98\x83\nno end"},
        {"bytes 0x80 to 0xFF", high, {}},
        {"Windows-1252", "ANSI: \xE4\xF6\xFC \x80 \x81\x8D\x90\xA0 x\rold mac",
         "ANSI: \xE4\xF6\xFC \x80 \x81\x8D\x90\xA0 x\r\nold mac",
         "ANSI: \xC3\xA4\xC3\xB6\xC3\xBC \xE2\x82\xAC \xC2\x81\xC2\x8D\xC2\x90\xC2\xA0 x\nold mac"},
        {"no-break space",
         "no\xC2\xA0"
         "break\r\n\r\n",
         {}},
        {"NUL bytes", raw("a\0b\0\0c\r\n"), {}},
        {"empty", "", {}, ""},
        {"frame marks and U+FFFE", "a\xEF\xB7\x90\xEF\xB7\x90\r\nb\xEF\xB7\x91 c\xEF\xBF\xBE", {}},
        {"UTF-16 LE", raw("\xFF\xFE\x0A\x4E\x0D\x00\x0A\x00\x00\xD8"), {}, nullptr},
        {"UTF-16 LE line feed", raw("\xFF\xFE\x0A\x4E\x0A\x00"),
         raw("\xFF\xFE\x0A\x4E\x0D\x00\x0A\x00"), "\xE4\xB8\x8A\n"},
        {"UTF-16 BE",
         raw("\xFE\xFF\x4E\x0A\x00\x0D\x00\x0A\xD8\x3D\xDE\x00"),
         {},
         "\xE4\xB8\x8A\n\xF0\x9F\x98\x80"},
        {"UTF-32 LE", raw("\xFF\xFE\x00\x00\x00\xF6\x01\x00\x0A\x00\x00\x00"),
         raw("\xFF\xFE\x00\x00\x00\xF6\x01\x00\x0D\x00\x00\x00\x0A\x00\x00\x00"),
         "\xF0\x9F\x98\x80\n"},
        {"UTF-32 BE", raw("\x00\x00\xFE\xFF\x00\x00\x4E\x0A"), {}, "\xE4\xB8\x8A"},
        {"a mark of UTF-16 and an odd length",
         raw("\xFF\xFE\x41"),
         {},
         "\xC3\xBF\xC3\xBE"
         "A"},
    };
    Tree tree;
    for (const RoundTrip &row : table) {
        QTextDocument document;
        const DocumentFile::Encoding encoding = DocumentFile::load(row.file, document);
        if (row.text) {
            EXPECT_EQ(document.toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n')),
                      QString::fromUtf8(row.text))
                << row.what;
        }
        QString error;
        ASSERT_TRUE(DocumentFile::save(document, tree.path(u("out.txt")), encoding, &error))
            << row.what << error;
        EXPECT_EQ(bytesOf(tree.path(u("out.txt"))).toHex(' '),
                  (row.saved.isEmpty() ? row.file : row.saved).toHex(' '))
            << row.what;
    }
}

TEST(DocumentFile, AFailedSaveLeavesTheOldFileWholeAndSaysWhy)
{
    Tree tree;
    const QString old = tree.file(u("old.txt"), 3);
    tree.file(u("locked.txt"), 3);
    QFile(tree.path(u("locked.txt"))).setPermissions(QFileDevice::ReadOwner);
    QTextDocument document(u("new text ☃").repeated(3000));
    const struct
    {
        QString path;
        int page;
        QString reason;
        rlim_t limit = 0; // none
    } table[] = {{{}, CodePage::Utf8, u("no file")},
                 {tree.path(), CodePage::Utf8, u("folder")},
                 {tree.path(u("gone/x.txt")), CodePage::Utf8, u("")},
                 {tree.path(u("locked.txt")), CodePage::Utf8, u("read-only")},
                 {old, CodePage::Western, u("cannot store")},
                 {old, CodePage::Utf8, systemText(std::errc::file_too_large), 12288},
                 {old, DocumentFile::Utf16Le, systemText(std::errc::file_too_large), 4}};
    for (const auto &row : table) {
        QString error;
        {
            std::optional<FileSizeLimit> limit;
            if (row.limit > 0)
                limit.emplace(row.limit);
            EXPECT_FALSE(DocumentFile::save(document, row.path, {row.page, false}, &error))
                << row.path;
        }
        EXPECT_TRUE(!error.isEmpty() && error.contains(row.reason)) << error;
    }
    EXPECT_EQ(bytesOf(old), QByteArray(3, '\0'));
    EXPECT_EQ(bytesOf(tree.path(u("locked.txt"))), QByteArray(3, '\0'));
    EXPECT_FALSE(QFileInfo::exists(tree.path(u("gone"))));
    EXPECT_EQ(tree.entries(), QStringList({"locked.txt", "old.txt"}));
    for (const char *path : {"PROG.COM", "SETUP.exe", "telecom"})
        EXPECT_TRUE(DocumentFile::isProgram(u(path))) << path;
    EXPECT_FALSE(DocumentFile::isProgram(u("exe.txt")));
}

TEST(DocumentFile, SavingKeepsOwnerGroupAndModeWherePermitted)
{
    Tree tree;
    const QString path = tree.file(u("theirs.txt"), 3);
    const QByteArray native = QFile::encodeName(path);
    // Root may give the file to anyone; others only to a group of their own.
    uid_t owner = uid_t(-1);
    gid_t group = gid_t(-1);
    if (geteuid() == 0) {
        owner = 4242;
        group = 4343;
    } else {
        gid_t groups[64];
        const int count = getgroups(64, groups);
        for (int i = 0; i < count && group == gid_t(-1); ++i) {
            if (groups[i] != getegid())
                group = groups[i];
        }
        if (group == gid_t(-1))
            GTEST_SKIP() << "needs root or a second group to give the file to";
    }
    ASSERT_EQ(chown(native.constData(), owner, group), 0);
    ASSERT_EQ(chmod(native.constData(), 0604), 0);
    struct stat before
    {};
    ASSERT_EQ(stat(native.constData(), &before), 0);
    QString error;
    ASSERT_TRUE(DocumentFile::save(QTextDocument(u("mine")), path, {CodePage::Utf8, false}, &error))
        << error;
    struct stat after
    {};
    ASSERT_EQ(stat(native.constData(), &after), 0);
    EXPECT_EQ(bytesOf(path), "mine");
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(after.st_mode & 07777, 0604u);
}

// What another program may do to the opened file before the document is saved to a target.
TEST(DocumentFile, ChangedOnDiskWhenTheOpenedFileIsNotAsItWasRead)
{
    const QDateTime past = QDateTime::currentDateTime().addSecs(-3600);
    const auto rewrite = [](const QString &path, const QByteArray &bytes) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    };
    const auto setTime = [](const QString &path, const QDateTime &time) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadWrite)
                    && file.setFileTime(time, QFileDevice::FileModificationTime));
    };
    const struct
    {
        const char *what;
        std::function<void(const Tree &)> change;
        const char *target;
        bool changed;
    } table[] = {
        {"untouched", [](const Tree &) {}, "a.txt", false},
        {"the same length written again",
         [&](const Tree &t) { rewrite(t.path(u("a.txt")), "ABCD"); }, "a.txt", true},
        {"longer, its time set back",
         [&](const Tree &t) {
             rewrite(t.path(u("a.txt")), "abcde");
             setTime(t.path(u("a.txt")), past);
         },
         "a.txt", true},
        {"replaced by another file of the same length and time",
         [&](const Tree &t) {
             rewrite(t.path(u("new.txt")), "abcd");
             setTime(t.path(u("new.txt")), past);
             QFile::remove(t.path(u("a.txt")));
             QFile::rename(t.path(u("new.txt")), t.path(u("a.txt")));
         },
         "a.txt", true},
        {"removed", [](const Tree &t) { QFile::remove(t.path(u("a.txt"))); }, "a.txt", false},
        {"another file is the target", [&](const Tree &t) { rewrite(t.path(u("a.txt")), "x"); },
         "b.txt", false},
        {"the same file by another way", [&](const Tree &t) { rewrite(t.path(u("a.txt")), "x"); },
         "sub/../a.txt", true},
    };
    for (const auto &row : table) {
        Tree tree;
        tree.file(u("b.txt"), 1);
        tree.folder(u("sub"));
        rewrite(tree.path(u("a.txt")), "abcd");
        setTime(tree.path(u("a.txt")), past);
        QString error;
        DocumentFile::Origin origin{tree.path(u("a.txt")), {}};
        ASSERT_TRUE(DocumentFile::read(origin.path, &error, &origin.stamp)) << error;
        row.change(tree);
        EXPECT_EQ(DocumentFile::changedOnDisk(origin, tree.path(u(row.target))), row.changed)
            << row.what;
    }
}

// The main window over a folder of files, the editor opened by a double click.
class Editor : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_tree.file(u("b.txt"), 2);
        write(u("a.txt"), "first line\nsecond line\n");
        m_tp.settings.values.insert(u("Dir/Default"), m_tree.path());
        m_tp.settings.values.insert(u("File/Default"), m_tree.path());
        m_main = std::make_unique<MainWindow>(m_tp.platform, m_tp.values);
        m_main->show();
    }
    void TearDown() override { delete window(); }
    void write(const QString &name, const QByteArray &bytes)
    {
        QFile file(m_tree.path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    // Clicks a file in the file list, and with open, double-clicks it too.
    void click(const char *name, bool open = true)
    {
        auto *file1 = child<FileList>(*m_main, u("File1"));
        file1->refresh();
        for (int row = 0; row < file1->count(); ++row) {
            if (file1->name(row) == u(name)) {
                const QPoint at = file1->visualRect(file1->model()->index(row, 0)).center();
                QTest::mouseClick(file1->viewport(), Qt::LeftButton, {}, at);
                if (open) {
                    QTest::mouseDClick(file1->viewport(), Qt::LeftButton, {}, at);
                    QTest::mouseRelease(file1->viewport(), Qt::LeftButton, {}, at);
                }
                return;
            }
        }
        ADD_FAILURE() << name;
    }
    DocumentWindow *window() const
    {
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (auto *document = qobject_cast<DocumentWindow *>(top))
                return document;
        }
        return nullptr;
    }
    TextArea *text() const { return window()->textArea(); }
    // Selects from one position to another in the text area; the same twice places the caret.
    void select(int from, int to)
    {
        QTextCursor cursor(text()->document());
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        text()->setTextCursor(cursor);
    }
    QString status() const { return child<QLabel>(*window(), u("Text"))->text(); }
    void press(const char *key) { child<QAction>(*window(), u(key))->trigger(); }

    Tree m_tree;
    TestPlatform m_tp;
    std::unique_ptr<MainWindow> m_main;
};

TEST_F(Editor, ADoubleClickOpensTheFileInOneWindowAndRefusesPrograms)
{
    click("a.txt");
    ASSERT_NE(window(), nullptr);
    EXPECT_TRUE(window()->isVisible());
    EXPECT_EQ(window()->windowTitle(), u("a.txt"));
    EXPECT_EQ(text()->toPlainText(), u("first line\nsecond line\n"));
    EXPECT_EQ(status(), u("Line Number: 1"));
    DocumentWindow *first = window();
    write(u("PROG.COM"), "MZ");
    click("PROG.COM");
    EXPECT_EQ(m_tp.dialogs.kinds(), QStringList({"message"}));
    EXPECT_EQ(m_tp.dialogs.boxes[0].text, u("Unable to open the file with this extension."));
    click("b.txt");
    EXPECT_EQ(window(), first);
    EXPECT_EQ(window()->windowTitle(), u("b.txt"));
    // A file that went after it was clicked: a message, and the window keeps its document.
    write(u("gone.txt"), "x");
    click("gone.txt", false);
    QFile::remove(m_tree.path(u("gone.txt")));
    m_main->openDocument();
    ASSERT_EQ(m_tp.dialogs.kinds(), QStringList({"message", "message"}));
    EXPECT_TRUE(m_tp.dialogs.boxes[1].text.contains(m_tree.path(u("gone.txt"))));
    EXPECT_EQ(window()->windowTitle(), u("b.txt"));
}

TEST_F(Editor, TheTextAreaFollowsTheWindowsSizeAndTheFontBoxesTheirLists)
{
    click("a.txt");
    EXPECT_EQ(text()->geometry(), QRect(0, twips(800), twips(11850 - 5), twips(6870 - 1200)));
    EXPECT_EQ(text()->rightMargin(), twips(11845 - 400));
    const QRect before = text()->geometry();
    window()->resize(twips(300), twips(1000));
    EXPECT_EQ(text()->geometry(), before);
    window()->resize(twips(3000), twips(3000));
    EXPECT_EQ(text()->width(), twips(3000 - 5));
    EXPECT_EQ(text()->rightMargin(), twips(3000 - 5 - 400));

    // The font boxes are preset from the text and choose only from their lists.
    auto *name = child<QComboBox>(*window(), u("cmbFontName"));
    auto *size = child<QComboBox>(*window(), u("cmbFontSize"));
    ASSERT_EQ(size->count(), 68);
    EXPECT_EQ(size->itemText(0), u(" 5"));
    EXPECT_EQ(size->currentText(), u(" 8"));
    EXPECT_EQ(name->currentText(), text()->currentFont().family());
    size->activated(size->findText(u(" 20")));
    QTest::keyClicks(text(), u("x"));
    EXPECT_EQ(text()->currentCharFormat().fontPointSize(), 20);
    const QString family = text()->currentCharFormat().font().family();
    name->setEditText(u("DejaVu Sans"));
    QTest::keyClick(name->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(text()->currentCharFormat().font().family(), family);
}

TEST_F(Editor, BoldTurnsAMixedSelectionBoldAndTwiceNotBold)
{
    click("a.txt");
    select(0, 5);
    press("Bold");
    EXPECT_TRUE(child<QAction>(*window(), u("Bold"))->isChecked());
    select(3, 10);
    press("Bold");
    EXPECT_TRUE(child<QAction>(*window(), u("Bold"))->isChecked());
    EXPECT_EQ(text()->textCursor().charFormat().fontWeight(), QFont::Bold);
    press("Bold");
    EXPECT_FALSE(child<QAction>(*window(), u("Bold"))->isChecked());
    const auto boldAt = [this](int position) {
        QTextCursor at(text()->document());
        at.setPosition(position + 1);
        return at.charFormat().fontWeight() == QFont::Bold;
    };
    EXPECT_TRUE(boldAt(1) && !boldAt(4) && !boldAt(9));
}

TEST_F(Editor, TheClipboardCarriesPlainTextAndPastedMarkupArrivesFormatted)
{
    click("a.txt");
    const int end = text()->document()->characterCount() - 1;
    select(end, end);
    QApplication::clipboard()->setText(u("before"));
    press("Cut");
    EXPECT_EQ(QApplication::clipboard()->text(), QString());
    select(0, 5);
    press("Copy");
    EXPECT_EQ(QApplication::clipboard()->text(), u("first"));
    EXPECT_FALSE(QApplication::clipboard()->mimeData()->hasHtml());
    QApplication::clipboard()->setText(u(R"({\rtf1 {\b bold}\par})"));
    press("Paste");
    EXPECT_TRUE(text()->toPlainText().startsWith(u("bold\n line")));
    const QTextFragment pasted = text()->document()->begin().begin().fragment();
    EXPECT_EQ(pasted.charFormat().fontWeight(), QFont::Bold);
    QApplication::clipboard()->clear();
    text()->selectAll();
    press("Paste");
    EXPECT_EQ(text()->toPlainText(), QString());
}

TEST_F(Editor, SaveWritesToThePathFieldsFileOfTheMomentAfterAsking)
{
    click("a.txt");
    QTest::keyClicks(text(), u("new "));
    click("b.txt");
    EXPECT_EQ(m_tp.dialogs.kinds(), QStringList({"okCancel"}));
    EXPECT_EQ(window()->windowTitle(), u("a.txt"));
    press("Save");
    EXPECT_EQ(bytesOf(m_tree.path(u("b.txt"))), QByteArray(2, '\0'));
    m_tp.dialogs.okCancelAnswers = {true};
    press("Save");
    EXPECT_EQ(m_tp.dialogs.boxes.last().text,
              u("Save file and overwrite?\n") + m_tree.path(u("b.txt")));
    EXPECT_EQ(m_tp.dialogs.boxes.last().title, u("Save file..."));
    EXPECT_EQ(bytesOf(m_tree.path(u("b.txt"))), "new first line\r\nsecond line\r\n");
    EXPECT_EQ(bytesOf(m_tree.path(u("a.txt"))), "first line\nsecond line\n");

    m_main->close();
    m_tp.dialogs.boxes.clear();
    press("Save");
    EXPECT_EQ(m_tp.dialogs.kinds(), QStringList({"message"}));
    EXPECT_TRUE(window()->isVisible());
    QTest::keyClicks(text(), u("x"));
    window()->close();
    EXPECT_TRUE(window()->isVisible());
    EXPECT_EQ(m_tp.dialogs.kinds(), QStringList({"message", "okCancel"}));
}

TEST_F(Editor, TheLineNumberCountsWrappedLinesAndGoesPast32767)
{
    write(u("long.txt"), QByteArray("word ").repeated(400) + QByteArray("\nx").repeated(40000));
    click("long.txt");
    select(1, 1);
    EXPECT_EQ(status(), u("Line Number: 1"));
    const int second = text()->document()->begin().next().position();
    select(second, second);
    const int wrapped = text()->document()->begin().layout()->lineCount();
    EXPECT_GT(wrapped, 1);
    EXPECT_EQ(status(), QStringLiteral("Line Number: %1").arg(wrapped + 1));
    select(second + 3, text()->document()->characterCount() - 1);
    EXPECT_EQ(status(), QStringLiteral("Line Number: %1").arg(wrapped + 2));
    text()->moveCursor(QTextCursor::End);
    EXPECT_EQ(status(), QStringLiteral("Line Number: %1").arg(wrapped + 40000));
}

// The document window alone, saving to a target the test names.
class Saving : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_opened = m_tree.file(u("doc.txt"));
        writeFile(m_opened, "old\n");
        m_window = std::make_unique<DocumentWindow>(m_tp.platform, [this] { return m_target; });
        ASSERT_TRUE(m_window->openFile(m_opened, u("doc.txt")));
        QTest::keyClicks(m_window->textArea(), u("new "));
    }
    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

    Tree m_tree;
    TestPlatform m_tp;
    QString m_opened;
    std::optional<QString> m_target;
    std::unique_ptr<DocumentWindow> m_window;
};

TEST_F(Saving, AsksOrRefusesBeforeAnythingIsWritten)
{
    const QString asked = u("Save file and overwrite?\n%1");
    const QString failed = u("The file %1 could not be saved: %2.");
    const QString changed = u("The file %1 was changed on disk after it was opened. Save file "
                              "and overwrite those changes?");
    const struct
    {
        const char *what;
        std::function<QString(const QString &opened, const QString &folder)> target;
        QList<bool> answers;
        rlim_t limit; // 0: none
        QStringList texts;
        QByteArray bytes; // the target's afterwards
        bool modified;
    } table[] = {
        {"a folder",
         [](const QString &, const QString &folder) { return folder; },
         {},
         0,
         {failed.arg(m_tree.path(), u("it is a folder"))},
         {},
         true},
        {"the opened file",
         [](const QString &opened, const QString &) { return opened; },
         {true},
         0,
         {asked.arg(m_opened)},
         "new other\r\n",
         false},
        {"a full file system",
         [](const QString &opened, const QString &) { return opened; },
         {true},
         4,
         {asked.arg(m_opened), failed.arg(m_opened, systemText(std::errc::file_too_large))},
         "other\n",
         true},
        {"changed on disk, Cancel",
         [](const QString &opened, const QString &) {
             writeFile(opened, "theirs\n");
             return opened;
         },
         {true, false},
         0,
         {asked.arg(m_opened), changed.arg(m_opened)},
         "theirs\n",
         true},
        {"changed on disk, OK",
         [](const QString &opened, const QString &) {
             writeFile(opened, "theirs\n");
             return opened;
         },
         {true, true},
         0,
         {asked.arg(m_opened), changed.arg(m_opened)},
         "new other\r\n",
         false},
    };
    for (const auto &row : table) {
        writeFile(m_opened, "other\n");
        m_tp.dialogs.okCancelAnswers = {true}; // lets the last row's changes go
        ASSERT_TRUE(m_window->openFile(m_opened, u("doc.txt"))) << row.what;
        QTest::keyClicks(m_window->textArea(), u("new "));
        m_tp.dialogs.boxes.clear();
        m_tp.dialogs.okCancelAnswers = row.answers;
        m_target = row.target(m_opened, m_tree.path());
        {
            std::optional<FileSizeLimit> limit;
            if (row.limit > 0)
                limit.emplace(row.limit);
            m_window->saveDocument();
        }
        QStringList texts;
        for (const auto &box : m_tp.dialogs.boxes)
            texts << box.text;
        EXPECT_EQ(texts, row.texts) << row.what;
        if (!row.bytes.isEmpty()) {
            EXPECT_EQ(bytesOf(*m_target), row.bytes) << row.what;
        }
        EXPECT_EQ(m_window->textArea()->document()->isModified(), row.modified) << row.what;
    }
}

TEST_F(Saving, OpeningAFileFreesTheDocumentBefore)
{
    const QPointer<QTextDocument> first = m_window->textArea()->document();
    m_tp.dialogs.okCancelAnswers = {true};
    ASSERT_TRUE(m_window->openFile(m_opened, u("doc.txt")));
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(m_window->textArea()->toPlainText(), u("old\n"));
}

} // namespace
