// The editor: the document window opened from the main window, its layout and its font list.
#include "app/mainwindow.h"
#include "browser/filelist.h"
#include "browser/folderlist.h"
#include "common/geometry.h"
#include "doubles.h"
#include "editor/documentlayout.h"
#include "editor/documentwindow.h"
#include "editor/fontnames.h"
#include "editor/textarea.h"
#include "testhelpers.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QToolBar>

#include <memory>

namespace {

// Paragraphs as the text edit's own layout shows them: the same lines at the same places, and a
// point hits the character it would hit there; after each edit too, when the line numbers count
// the lines as laid out, and those of blocks not yet laid out as they will be.
TEST(DocumentLayout, ShowsParagraphsAsTheTextEditsOwnLayoutAlsoAfterEditsAndBeforeLayingOut)
{
    const QString words = u("a paragraph long enough to wrap ").repeated(6);
    // Each paragraph's alignment, its text, and a run of it in a format of its own.
    using Properties = QList<std::pair<int, QVariant>>;
    const std::tuple<Qt::Alignment, QString, Properties> paragraphs[] = {
        {Qt::AlignLeft, u("left"), {}},
        {Qt::AlignHCenter, u("centred with"), {{QTextFormat::FontWeight, 700}}},
        {Qt::AlignRight | Qt::AlignAbsolute, u("right in"), {{QTextFormat::FontPointSize, 20.0}}},
        {Qt::AlignLeft, words, {{QTextFormat::FontItalic, true}}},
        {Qt::AlignHCenter,
         words,
         {{QTextFormat::TextUnderlineStyle, QTextCharFormat::SingleUnderline},
          {QTextFormat::FontPointSize, 14.0}}},
        {Qt::AlignRight, QString(), {}},
        {Qt::AlignJustify, words, {}},
        {Qt::AlignLeft, u("\u05e9\u05dc\u05d5\u05dd right to left"), {}},
        {Qt::AlignLeft, u("spaced"), {{QTextFormat::FontWordSpacing, 40.0}}},
    };
    QTextDocument theirs;
    QTextCursor cursor(&theirs);
    for (const auto &[align, text, properties] : paragraphs) {
        if (!cursor.atStart())
            cursor.insertBlock();
        QTextBlockFormat block;
        block.setAlignment(align);
        cursor.setBlockFormat(block);
        cursor.insertText(text);
        QTextCharFormat format;
        for (const auto &[property, value] : properties)
            format.setProperty(property, value);
        cursor.insertText(u(" a run of its own"), format);
    }
    const std::unique_ptr<QTextDocument> ours(theirs.clone());
    auto *const layout = new DocumentLayout(ours.get());
    ours->setDocumentLayout(layout);
    for (QTextDocument *document : {&theirs, ours.get()})
        document->setTextWidth(300);

    const auto expectSame = [&](const QString &when) {
        ASSERT_EQ(ours->blockCount(), theirs.blockCount()) << when;
        // Counted before the blocks are looked at, as when the caret goes to the end at once.
        const qint64 last = layout->lineOf(ours->characterCount() - 1);
        qint64 lines = 0;
        for (QTextBlock mine = ours->begin(), other = theirs.begin(); mine.isValid();
             mine = mine.next(), other = other.next()) {
            const QRectF place = layout->blockBoundingRect(mine);
            const QRectF expected = theirs.documentLayout()->blockBoundingRect(other);
            EXPECT_NEAR(place.top(), expected.top(), 1) << when << mine.blockNumber();
            EXPECT_NEAR(place.height(), expected.height(), 1) << when << mine.blockNumber();
            ASSERT_EQ(mine.layout()->lineCount(), other.layout()->lineCount()) << when;
            for (int i = 0; i < mine.layout()->lineCount(); ++i) {
                const QTextLine line = mine.layout()->lineAt(i);
                const QTextLine want = other.layout()->lineAt(i);
                EXPECT_EQ(line.textStart(), want.textStart()) << when << mine.blockNumber();
                EXPECT_NEAR(line.naturalTextRect().left() + place.left(),
                            want.naturalTextRect().left() + other.layout()->position().x(), 0.5)
                    << when << mine.blockNumber() << " line " << i;
                const int position = mine.position() + line.textStart();
                EXPECT_EQ(layout->lineOf(position), lines + i) << when << position;
            }
            lines += mine.layout()->lineCount();
        }
        EXPECT_EQ(last, lines - 1) << when;
        EXPECT_NEAR(layout->documentSize().height(),
                    theirs.documentLayout()->documentSize().height(), 1)
            << when;
        EXPECT_EQ(layout->documentSize().width(), theirs.documentLayout()->documentSize().width())
            << when;
        // Points of the first screens only: each hit test looks through the blocks before it.
        for (int y = 0; y < std::min(layout->documentSize().height(), 4000.0); y += 5) {
            for (int x = 0; x < 300; x += 11) { // every other one exact
                const Qt::HitTestAccuracy accuracy = x % 2 ? Qt::ExactHit : Qt::FuzzyHit;
                EXPECT_EQ(layout->hitTest(QPointF(x, y), accuracy),
                          theirs.documentLayout()->hitTest(QPointF(x, y), accuracy))
                    << when << " at " << x << "," << y << " accuracy " << accuracy;
            }
        }
    };
    expectSame(u("as made"));
    // The same edit on both: from, to, what replaces the text between.
    const std::tuple<const char *, int, int, QString> edits[] = {
        {"a paragraph split", 120, 120, u("\n")},
        {"paragraphs joined", 10, 260, QString()},
        {"the first paragraph made to wrap", 2, 2, words},
        {"a paragraph at the start", 0, 0, u("new\n")},
        {"the end removed", 200, -1, QString()},
    };
    for (const auto &[what, from, to, text] : edits) {
        for (QTextDocument *document : {&theirs, ours.get()}) {
            QTextCursor edit(document);
            edit.setPosition(from);
            edit.setPosition(to < 0 ? document->characterCount() - 1 : to, QTextCursor::KeepAnchor);
            edit.insertText(text);
        }
        expectSame(u(what));
    }
    for (QTextDocument *document : {&theirs, ours.get()})
        document->setTextWidth(180);
    expectSame(u("narrower"));
    // A null page size, as a long Replace All sets it, lays out nothing at once, and what is
    // seen still at the width of before; not one letter a line.
    ours->setPageSize(QSizeF(0, 0));
    for (QTextDocument *document : {&theirs, ours.get()})
        QTextCursor(document).insertText(words);
    expectSame(u("paused"));
    ours->setTextWidth(180);
    expectSame(u("resumed"));
    // More blocks than are laid out at once: most are counted from their characters' advances,
    // measured anew for each width; past four thousand, from the document's text taken whole.
    for (const int repeats : {60, 2100}) {
        for (QTextDocument *document : {&theirs, ours.get()})
            document->setPlainText(
                u("short\none line at this width, two when narrower\n").repeated(repeats));
        for (const int width : {300, 180}) {
            for (QTextDocument *document : {&theirs, ours.get()})
                document->setTextWidth(width);
            expectSame(u("%1 blocks at %2").arg(2 * repeats).arg(width));
        }
    }
}

// The caret stays in sight as it goes along a line wider than the area, in a window laid out
// either way.
TEST(TextArea, TheCaretStaysInSightAlongALineWiderThanTheArea)
{
    for (const Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        TextArea area;
        area.setLayoutDirection(direction);
        area.setRightMargin(3000);
        area.resize(300, 200);
        area.show();
        area.setPlainText(u("word ").repeated(300));
        for (const auto to : {QTextCursor::End, QTextCursor::Start, QTextCursor::End}) {
            area.moveCursor(to);
            QCoreApplication::processEvents();
            EXPECT_TRUE(area.viewport()->rect().contains(area.cursorRect()))
                << direction << " to " << to;
        }
    }
}

TEST(FontNames, EachFamilyOnceWithoutTheMakerInBrackets)
{
    const std::pair<QStringList, QStringList> table[] = {
        {{u("C059 [UKWN]"), u("C059 [urw]"), u("Old [Style] Serif"), u("[Bracket]")},
         {u("C059"), u("Old [Style] Serif"), u("[Bracket]")}},
        {{u("Mono"), u("Sans [b]"), u("Mono [a]"), u("Sans")}, {u("Mono"), u("Sans")}},
    };
    for (const auto &[listed, shown] : table)
        EXPECT_EQ(FontNames::families(listed), shown) << listed.join(u(", "));
}

// The main window over a folder of files, a.txt opened in the editor by a double click.
class Editor : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_tree.file(u("b.txt"), 2);
        m_tree.write(u("a.txt"), "first line\nsecond line\n");
        m_tp.settings.values.insert(u("Dir/Default"), m_tree.path());
        m_tp.settings.values.insert(u("File/Default"), m_tree.path());
        m_main = std::make_unique<MainWindow>(m_tp.platform, m_tp.values);
        m_main->show();
        click("a.txt");
    }
    void TearDown() override { delete window(); }
    // Clicks a file in the file list, and with open, double-clicks it too.
    void click(const char *name, bool open = true)
    {
        auto *list = child<FileList>(*m_main, u("File1"));
        list->refresh();
        clickEntry(*list, u(name), {}, open);
    }
    DocumentWindow *window() const
    {
        return qobject_cast<DocumentWindow *>(topLevel(u("frmDokument")));
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
    // As shown once the events of the last step are handled.
    QString status() const
    {
        QCoreApplication::processEvents();
        return child<QLabel>(*window(), u("Text"))->text();
    }
    void press(const char *key) { child<QAction>(*window(), u(key))->trigger(); }
    // Dropped onto the text as from another program.
    void drop(const QMimeData &data) { dropOnto(text()->viewport(), data, Qt::CopyAction); }

    Tree m_tree;
    TestPlatform m_tp;
    std::unique_ptr<MainWindow> m_main;
};

TEST_F(Editor, ADoubleClickOpensTheFileInOneWindowAndRefusesPrograms)
{
    ASSERT_NE(window(), nullptr);
    select(12, 12);
    DocumentWindow *first = window();
    const QPointer<QTextDocument> firstDocument = text()->document();
    m_tree.write(u("PROG.COM"), "MZ");
    click("PROG.COM");
    EXPECT_EQ(m_tp.dialogs.kinds(), QStringList({"message"}));
    EXPECT_EQ(m_tp.dialogs.boxes[0].text, u("Unable to open the file with this extension."));
    click("b.txt");
    EXPECT_EQ(window(), first);
    EXPECT_EQ(window()->windowTitle(), u("b.txt"));
    EXPECT_TRUE(firstDocument.isNull());
    EXPECT_EQ(status(), u("Line Number: 1"));
    // A file that went after it was clicked: a message, and the window keeps its document.
    m_tree.write(u("gone.txt"), "x");
    click("gone.txt", false);
    QFile::remove(m_tree.path(u("gone.txt")));
    m_main->openDocument();
    ASSERT_EQ(m_tp.dialogs.kinds(), QStringList({"message", "message"}));
    EXPECT_TRUE(m_tp.dialogs.boxes[1].text.contains(m_tree.path(u("gone.txt"))));
    EXPECT_EQ(window()->windowTitle(), u("b.txt"));
}

// A long file is read while the window goes on painting, the busy cursor showing; the one
// question about unsaved changes comes once it is read, also when it is dropped on the text.
TEST_F(Editor, ALongFileOpensAfterThePressAndAsksBeforeItReplacesChanges)
{
    const QByteArray plain = QByteArray("a line of text\n").repeated(80'000);
    const QByteArray rtf =
        "{\\rtf1\\ansi " + QByteArray("{\\b bold} line\\par\n").repeated(80'000) + "}";
    // The file, whether it is dropped, the answer to the question and the text then shown.
    const std::tuple<QByteArray, bool, bool, QString> table[] = {
        {plain, false, false, u("xfirst line\nsecond line\n")},
        {rtf, false, true, u("bold line\n").repeated(80'000).chopped(1)},
        {plain, true, true, QString::fromLatin1(plain)},
        {"short\n", true, true, u("short\n")}};
    for (const auto &[bytes, dropped, answer, shown] : table) {
        m_tree.write(u("long.txt"), bytes);
        click("a.txt");
        QTest::keyClick(text(), Qt::Key_X);
        m_tp.dialogs.boxes.clear();
        m_tp.dialogs.okCancelAnswers = {answer, answer};
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(m_tree.path(u("long.txt")))});
        if (dropped)
            drop(data);
        else
            click("long.txt");
        if (bytes.size() > 1'000'000) {
            ASSERT_NE(QApplication::overrideCursor(), nullptr);
            EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        EXPECT_TRUE(QTest::qWaitFor([] { return !QApplication::overrideCursor(); }, 60'000));
        EXPECT_EQ(m_tp.dialogs.kinds(), QStringList({"okCancel"})) << dropped;
        EXPECT_EQ(text()->toPlainText(), shown);
        EXPECT_EQ(window()->windowTitle(), answer ? u("long.txt") : u("a.txt"));
        EXPECT_EQ(text()->document()->isModified(), !answer);
        // Read on a worker thread, shown on this one: only so can the window own and free it.
        EXPECT_EQ(text()->document()->thread(), QThread::currentThread());
        text()->document()->setModified(false);
    }
}

TEST_F(Editor, TheTextAreaFollowsTheWindowsSizeAndTheFontBoxesTheirLists)
{
    EXPECT_EQ(text()->geometry(), QRect(0, twips(800), twips(11850 - 5), twips(6870 - 1200)));
    const QRect before = text()->geometry();
    window()->resize(twips(300), twips(1000));
    EXPECT_EQ(text()->geometry(), before);
    window()->resize(twips(3000), twips(3000));
    EXPECT_EQ(text()->width(), twips(3000 - 5));
    EXPECT_EQ(text()->rightMargin(), twips(3000 - 5 - 400));

    // The size box is preset from the text and chooses from its list.
    auto *size = child<QComboBox>(*window(), u("cmbFontSize"));
    ASSERT_EQ(size->count(), 68);
    EXPECT_EQ(size->itemText(0), u(" 5"));
    EXPECT_EQ(size->currentText(), u(" 8"));
    size->activated(size->findText(u(" 20")));
    QTest::keyClicks(text(), u("x"));
    EXPECT_EQ(text()->currentCharFormat().fontPointSize(), 20);
}

// Also run where the text's font is not installed (tests/CMakeLists.txt hides it).
TEST_F(Editor, TheNameBoxShowsTheTextsFontOnlyWhenItIsListed)
{
    auto *name = child<QComboBox>(*window(), u("cmbFontName"));
    const QString family = text()->document()->defaultFont().family();
    EXPECT_EQ(name->currentText(),
              QFontDatabase::families().contains(family) ? family : u("cmbFontName"));
}

TEST_F(Editor, TabLeadsToTheFontBoxesWhereTypedTextDoesNothing)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(window()));
    const QString font = text()->currentFont().toString();
    auto *name = child<QComboBox>(*window(), u("cmbFontName"));
    const QString other = name->itemText(name->itemText(0) == name->currentText() ? 1 : 0);
    // With or without Shift, the control Tab leads to, and what is typed there before Enter.
    const std::tuple<Qt::KeyboardModifiers, const char *, QString> steps[] = {
        {Qt::NoModifier, "cmbFontSize", u(" 30")},
        {Qt::NoModifier, "cmbFontName", other},
        {Qt::ShiftModifier, "cmbFontSize", u(" 40")},
        {Qt::ShiftModifier, "rtfText", {}},
    };
    for (const auto &[modifiers, focused, typed] : steps) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
        ASSERT_EQ(QApplication::focusWidget(), child(*window(), u(focused))) << focused;
        if (auto *box = qobject_cast<QComboBox *>(QApplication::focusWidget())) {
            QTest::keyClicks(box, typed);
            QTest::keyClick(box, Qt::Key_Return);
            EXPECT_EQ(box->currentText(), typed);
        }
    }
    EXPECT_EQ(text()->toPlainText(), u("first line\nsecond line\n"));
    EXPECT_EQ(text()->currentFont().toString(), font);
}

TEST_F(Editor, TheToolbarShowsItsButtonsInOrderWithPicturesAtTheirSizeInTheThemesColours)
{
    auto *bar = child<QToolBar>(*window(), u("tbToolBar"));
    inBothThemes([bar](const QString &theme) {
        QStringList keys;
        for (QAction *action : bar->actions()) {
            keys.append(action->isSeparator() ? u("|") : action->objectName());
            if (action->isSeparator())
                continue;
            QWidget *button = bar->widgetForAction(action);
            EXPECT_EQ(button->size(), QSize(23, 22)) << action->objectName();
            EXPECT_TRUE(bar->rect().contains(button->geometry())) << action->objectName();
            // Somewhere on the button every solid pixel of the picture shows as it is drawn, and
            // some stand out from the toolbar.
            const QImage shown = button->grab().toImage().convertToFormat(QImage::Format_ARGB32);
            const QImage picture = action->icon()
                                       .pixmap(QSize(16, 16))
                                       .toImage()
                                       .convertToFormat(QImage::Format_ARGB32);
            EXPECT_GE(highestContrast(picture, bar->palette().color(QPalette::Window)), 3)
                << action->objectName() << theme;
            const int across = shown.width() - 15, places = across * (shown.height() - 15);
            bool found = false;
            for (int at = 0; !found && at < places; ++at) {
                found = true;
                for (int p = 0; found && p < 256; ++p) {
                    const QRgb want = picture.pixel(p % 16, p / 16);
                    found = qAlpha(want) < 255
                            || shown.pixel(at % across + p % 16, at / across + p / 16) == want;
                }
            }
            EXPECT_TRUE(found) << action->objectName() << theme;
        }
        EXPECT_EQ(keys.join(u(",")),
                  u("New,Open,Save,|,Print,Preview,|,Cut,Copy,Paste,|,Bold,Italic,"
                    "Underline,|,Align Left,Center,Align Right,|,Find"));
    });
}

TEST_F(Editor, TheEditorsShortcutsHoldInTheFontBoxes)
{
    const std::pair<Qt::Key, const char *> table[] = {
        {Qt::Key_S, "Save"},      {Qt::Key_B, "Bold"}, {Qt::Key_I, "Italic"},
        {Qt::Key_U, "Underline"}, {Qt::Key_F, "Find"},
    };
    for (const char *box : {"cmbFontName", "cmbFontSize"}) {
        auto *combo = child<QComboBox>(*window(), u(box));
        for (const auto &[key, command] : table) {
            window()->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(window()));
            combo->setFocus();
            const QString before = combo->currentText();
            QSignalSpy triggered(child<QAction>(*window(), u(command)), &QAction::triggered);
            QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier);
            EXPECT_EQ(triggered.count(), 1) << box << command;
            EXPECT_EQ(combo->currentText(), before) << box << command;
        }
    }
}

TEST_F(Editor, BoldTurnsAMixedSelectionBoldAndTwiceNotBoldAndOneAlignmentHolds)
{
    // The selection, then the button and the boldness of the first ten letters after the press.
    const std::tuple<int, int, bool, const char *> steps[] = {
        {0, 5, true, "bbbbb-----"}, {3, 10, true, "bbbbbbbbbb"}, {3, 10, false, "bbb-------"}};
    for (const auto &[from, to, checked, bold] : steps) {
        select(from, to);
        press("Bold");
        EXPECT_EQ(child<QAction>(*window(), u("Bold"))->isChecked(), checked) << bold;
        QString shown;
        for (QTextCursor at(text()->document()); at.position() < 10;) {
            at.movePosition(QTextCursor::NextCharacter);
            shown += at.charFormat().fontWeight() == QFont::Bold ? u'b' : u'-';
        }
        EXPECT_EQ(shown, u(bold));
    }
    // One alignment button is pressed at a time.
    press("Center");
    press("Align Right");
    EXPECT_FALSE(child<QAction>(*window(), u("Center"))->isChecked());
    EXPECT_TRUE(child<QAction>(*window(), u("Align Right"))->isChecked());
    EXPECT_EQ(text()->alignment(), Qt::AlignRight | Qt::AlignAbsolute);
}

TEST_F(Editor, TheClipboardCarriesPlainTextAndPastedMarkupArrivesFormatted)
{
    text()->moveCursor(QTextCursor::End);
    QApplication::clipboard()->setText(u("before"));
    press("Cut");
    EXPECT_EQ(QApplication::clipboard()->text(), QString());
    select(0, 5);
    press("Copy");
    EXPECT_EQ(QApplication::clipboard()->text(), u("first"));
    EXPECT_FALSE(QApplication::clipboard()->mimeData()->hasHtml());
    press("Cut");
    EXPECT_TRUE(text()->toPlainText().startsWith(u(" line")));
    QApplication::clipboard()->setText(u(R"({\rtf1 {\b bold}\par})"));
    press("Paste");
    EXPECT_TRUE(text()->toPlainText().startsWith(u("bold\n line")));
    QApplication::clipboard()->clear();
    text()->selectAll();
    press("Paste");
    EXPECT_EQ(text()->toPlainText(), QString());
}

TEST_F(Editor, SaveWritesToThePathFieldsFileOfTheMomentAfterAsking)
{
    QTest::keyClicks(text(), u("new "));
    click("b.txt");
    press("Save");
    EXPECT_EQ(m_tree.read(u("b.txt")), QByteArray(2, '\0'));
    m_tp.dialogs.okCancelAnswers = {true};
    press("Save");
    EXPECT_EQ(m_tp.dialogs.boxes.last().text,
              u("Save file and overwrite?\n") + m_tree.path(u("b.txt")));
    EXPECT_EQ(m_tp.dialogs.boxes.last().title, u("Save file..."));
    EXPECT_EQ(m_tree.read(u("b.txt")), "new first line\r\nsecond line\r\n");
    EXPECT_FALSE(text()->document()->isModified());
    // A folder is refused before asking; the opened file, changed on disk, is asked about again.
    child<FolderList>(*m_main, u("Dir1"))->setPath(m_tree.folder(u("sub")));
    m_tp.dialogs.boxes.clear();
    press("Save");
    ASSERT_EQ(m_tp.dialogs.kinds(), QStringList({"message"}));
    EXPECT_EQ(m_tp.dialogs.boxes[0].text,
              u("The file %1 could not be saved: it is a folder.").arg(m_tree.path(u("sub"))));
    child<FolderList>(*m_main, u("Dir1"))->setPath(m_tree.path());
    click("a.txt", false);
    m_tree.write(u("a.txt"), "theirs\n");
    m_tp.dialogs.okCancelAnswers = {true, false};
    press("Save");
    EXPECT_EQ(m_tp.dialogs.boxes.last().text, u("The file %1 was changed on disk after it was "
                                                "opened. Save file and overwrite those changes?")
                                                  .arg(m_tree.path(u("a.txt"))));
    EXPECT_EQ(m_tree.read(u("a.txt")), "theirs\n");

    m_main->close();
    m_tp.dialogs.boxes.clear();
    press("Save");
    EXPECT_EQ(m_tp.dialogs.kinds(), QStringList({"message"}));
    QTest::keyClicks(text(), u("x"));
    window()->close();
    EXPECT_TRUE(window()->isVisible());
    EXPECT_EQ(m_tp.dialogs.kinds(), QStringList({"message", "okCancel"}));
}

TEST_F(Editor, SavingThroughALinkNamesTheFileWritten)
{
    const QString real = m_tree.write(u("sub/real.txt"), "theirs");
    m_tree.link(u("c.txt"), real);
    click("c.txt", false);
    m_tp.dialogs.okCancelAnswers = {true};
    press("Save");
    EXPECT_EQ(m_tp.dialogs.texts(),
              QStringList({u("Save file and overwrite?\n%1\n(%2 is a link to it)")
                               .arg(real, m_tree.path(u("c.txt")))}));
}

TEST_F(Editor, TheLineNumberCountsWrappedLinesAndGoesPast32767)
{
    m_tree.write(u("long.txt"),
                 "x\n" + QByteArray("word ").repeated(400) + QByteArray("\nx").repeated(40000));
    click("long.txt");
    const QTextBlock paragraph = text()->document()->begin().next();
    // Laid out as when it is scrolled into view.
    text()->document()->documentLayout()->blockBoundingRect(paragraph);
    const int wrapped = paragraph.layout()->lineCount();
    EXPECT_GT(wrapped, 1);
    const int after = paragraph.next().position();
    const int end = text()->document()->characterCount() - 1;
    // From, to, and the line shown: that of the selection's start; the caret is kept in view,
    // down and back up.
    const std::tuple<int, int, int> table[] = {
        {after + 2, end, wrapped + 3},
        {end, end, wrapped + 40001},
        {1, 1, 1},
    };
    for (const auto &[from, to, line] : table) {
        select(from, to);
        EXPECT_EQ(status(), QStringLiteral("Line Number: %1").arg(line)) << from;
        EXPECT_TRUE(text()->viewport()->rect().contains(text()->cursorRect())) << from;
    }
    // Wrapping anew moves no caret; the line is shown again on coming back to the window.
    select(after - 1, after - 1);
    window()->resize(window()->width() / 2, window()->height());
    m_main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_main.get()));
    window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window()));
    const QString shown = status();
    EXPECT_GT(paragraph.layout()->lineCount(), wrapped);
    EXPECT_EQ(shown, QStringLiteral("Line Number: %1").arg(paragraph.layout()->lineCount() + 1));
}

TEST_F(Editor, TheKeyPanelsFollowCapsLockNumLockAndInsertAndDroppedTextArrives)
{
    // Caps Lock, Num Lock, then Insert and a key typed at the caret.
    const std::tuple<bool, bool, bool, const char *> table[] = {
        {true, false, true, "Xirst line"},
        {false, true, false, "XYirst line"},
    };
    for (const auto &[caps, num, overwrite, line] : table) {
        m_tp.keyboard.lights = {caps, num};
        QTest::keyClick(text(), Qt::Key_Insert);
        QTest::keyClicks(text(), overwrite ? u("X") : u("Y"));
        EXPECT_EQ(child(*window(), u("Caps"))->isEnabled(), caps);
        EXPECT_EQ(child(*window(), u("Num"))->isEnabled(), num);
        EXPECT_EQ(child(*window(), u("Ins"))->isEnabled(), overwrite);
        EXPECT_EQ(text()->document()->begin().text(), u(line));
    }
    // A panel shows its word in its middle.
    const QImage shot = child(*window(), u("Num"))->grab().toImage();
    const QColor ground = shot.pixelColor(shot.width() / 2, 3);
    int first = shot.width(), last = -1;
    for (int x = 3; x < shot.width() - 3; ++x) {
        for (int y = 3; y < shot.height() - 3; ++y) {
            if (contrast(shot.pixelColor(x, y), ground) >= 3.0) {
                first = std::min(first, x);
                last = x;
            }
        }
    }
    EXPECT_LE(std::abs(first - (shot.width() - 1 - last)), 2) << first << " " << last;

    // Text dragged from another program drops into the text as it would anywhere.
    QMimeData data;
    data.setText(u("dropped "));
    drop(data);
    EXPECT_TRUE(text()->toPlainText().startsWith(u("dropped "))) << text()->toPlainText();
}

} // namespace
