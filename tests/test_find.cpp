#include "doubles.h"
#include "find/finddialog.h"
#include "find/textsearch.h"
#include "testhelpers.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QProgressDialog>
#include <QTextBlock>
#include <QTextEdit>

namespace {

constexpr TextSearch::Options Any{}, WholeWord{true, false}, MatchCase{false, true};

// The box after Replace All, written out as the user reads it.
QString replaced(int count)
{
    return QString("The specified region has been searched. \r\n%1 replacements have been made.")
        .arg(count);
}

// Every occurrence that stood in the text is replaced once, in one undo step, each taking the
// format of the text it replaces.
TEST(TextSearchTest, FindsFromTheStartAndReplacesEveryOccurrenceOnce)
{
    // The text (markup when it starts with '<'), what to find and put in its place, the
    // options, where find() finds it first, then each run of one format after every occurrence
    // was replaced, with that run's format: b(old), i(talic) or plain; and their count.
    const std::tuple<const char *, const char *, const char *, TextSearch::Options, int,
                     const char *, std::size_t>
        table[] = {{"cat_ 𝐀cat cat", "cat", "x", WholeWord, 11, "cat_ 𝐀cat x/", 1},
                   {"Cat cat", "cat", "dog", Any, 0, "dog dog/", 2},
                   {"Cat cat", "cat", "dog", MatchCase, 4, "Cat dog/", 1},
                   {"a a", "a", "aa", Any, 0, "aa aa/", 2},
                   {"aaaa", "aa", "b", Any, 0, "bb/", 2},
                   {"xyz", "q", "r", Any, -1, "xyz/", 0},
                   {"xyz", "", "r", Any, -1, "xyz/", 0},
                   {"cat𝐀 cat", "cat", "x", WholeWord, 6, "cat𝐀 x/", 1},
                   {"𐐨 𐐀 K", "𐐀", "y", Any, 0, "y y K/", 2},
                   {"K", "k", "y", Any, 0, "y/", 1},
                   {"a ca\nt\ncat", "ca\u2029t", "dog", Any, 2, "a dog/|cat/", 1},
                   {"xca\nt ca\nt", "ca\u2029t", "-", WholeWord, 6, "xca/|t -/", 1},
                   {"ab a\u2028b", "a\u2029b", "c", Any, 3, "ab c/", 1},
                   {"a\nb\nc", "a\u2028b\u2029c", "d", Any, 0, "d/", 1},
                   {"<b>cat cat, cat</b>cat<i>cat</i>", "cat", "tiger", Any, 0,
                    "tiger tiger, tiger/b|tiger/|tiger/i", 5},
                   {"<b>ca</b>t cat<p>cat <b>cat</b></p>", "cat", "tiger", Any, 0,
                    "tiger tiger/|tiger /|tiger/b", 4},
                   {"cat\ncat\n\ncat", "cat", "tiger", Any, 0, "tiger/|tiger/|/|tiger/", 3},
                   {"<p>cat</p><p>cat <b>cat</b></p>", "cat", "tiger", Any, 0,
                    "tiger/|tiger /|tiger/b", 3},
                   {"<p>cat</p><p style=\"-qt-paragraph-type:empty; font-weight:700\"><br "
                    "/></p><p>cat</p>",
                    "cat", "tiger", Any, 0, "tiger/|/b|tiger/", 2},
                   {"<p align=center>cat</p><p>cat</p><p>cat</p>", "cat", "tiger", Any, 0,
                    "~tiger/|tiger/|tiger/", 3},
                   {"<p>cat</p><table><tr><td>cat</td><td>cat</td></tr></table>cat", "cat", "tiger",
                    Any, 0, "tiger/|tiger/|tiger/|tiger/", 4}};
    for (const auto &[text, find, with, options, first, after, count] : table) {
        QTextDocument document;
        if (*text == '<')
            document.setHtml(text);
        else
            document.setPlainText(QString::fromUtf8(text));
        const QString before = document.toHtml();
        QTextCursor cursor(&document);
        EXPECT_EQ(TextSearch::find(cursor, find, 0, options), first) << text;
        // Everything found first, then replaced a piece at a time, as the dialog does.
        const QString raw = document.toRawText();
        TextSearch::Replacing replacing(raw, TextSearch::findAllIn(raw, find, options),
                                        int(QString(find).size()), with);
        while (!replacing.step(cursor, std::chrono::nanoseconds(0))) {
        }
        EXPECT_EQ(replacing.count(), count) << text;
        QStringList runs;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            // A centred paragraph starts with '~'; an empty one is an empty run.
            QString lead = block.blockFormat().alignment() & Qt::AlignHCenter ? "~" : "";
            const auto mark = [](const QTextCharFormat &format) {
                return format.fontItalic() ? "/i" : format.fontWeight() > 400 ? "/b" : "/";
            };
            if (block.begin().atEnd())
                runs << lead + mark(block.charFormat());
            for (auto it = block.begin(); !it.atEnd(); ++it, lead.clear())
                runs << lead + it.fragment().text() + mark(it.fragment().charFormat());
        }
        EXPECT_EQ(runs.join('|'), QString::fromUtf8(after));
        document.undo();
        EXPECT_EQ(document.toHtml(), before) << text;
    }
}

// A long text is replaced many lines at a time but never in one piece, so that the window gets
// its turn: with no time to spare, each step replaces one piece of at most 2^16 characters.
TEST(TextSearchTest, ReplacesALongTextInPiecesOfManyLines)
{
    const QString line = QString("cat ").repeated(15) + "ca\n";
    for (const QString &text : {line.repeated(4096), QString("cat ").repeated(65536)}) {
        QTextDocument document;
        document.setPlainText(text);
        const QString raw = document.toRawText();
        TextSearch::Replacing replacing(raw, TextSearch::findAllIn(raw, "cat", Any), 3, "dog");
        QTextCursor cursor(&document);
        int steps = 1;
        while (!replacing.step(cursor, std::chrono::nanoseconds(0)))
            ++steps;
        EXPECT_GE(steps, 4);
        EXPECT_LE(steps, 5);
        EXPECT_EQ(document.toPlainText(), QString(text).replace("cat", "dog"));
    }
}

class FindDialogTest : public ::testing::Test
{
protected:
    FindDialogTest() { m_owner.show(); }
    FindDialog &open(const QString &text, int start = 0, int end = 0)
    {
        m_area->setPlainText(text);
        QTextCursor cursor(m_area->document());
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        m_area->setTextCursor(cursor);
        return *FindDialog::showFor(m_dialog, *m_area, m_dialogs, &m_owner);
    }
    template<typename T = QAbstractButton> T *at(const char *name)
    {
        return child<T>(*m_dialog, name);
    }
    void type(const QString &find, const QString &with)
    {
        at<QComboBox>("cboFind")->setEditText(find);
        at<QComboBox>("cboReplace")->setEditText(with);
    }

    QWidget m_owner;
    QTextEdit *m_area = new QTextEdit(&m_owner);
    RecordingDialogs m_dialogs;
    QPointer<FindDialog> m_dialog;
};

// And a command on a document that went away under the dialog says so, in a plain box.
TEST_F(FindDialogTest, EveryOpeningLoadsCollapsedAndTheFirstReplaceExpands)
{
    FindDialog &first = open("a cat");
    type("dog", "bird");
    at("chkMatchCase")->click();
    at("cmdReplace")->click();
    EXPECT_EQ(&open("a cat"), &first); // brought forward, not loaded again
    EXPECT_EQ(at<QComboBox>("cboFind")->currentText(), "dog");
    at("cmdCancel")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(m_dialog.isNull());

    FindDialog &dialog = open("a cat");
    EXPECT_EQ(at<QComboBox>("cboFind")->count(), 1); // one empty item
    EXPECT_FALSE(at("chkMatchCase")->isChecked());
    for (const bool expanded : {false, true}) {
        EXPECT_EQ(at("cmdReplace")->text(), expanded ? "&Replace" : "&Replace...");
        for (const char *name : {"lblReplace", "cboReplace", "cmdReplaceAll"})
            EXPECT_EQ(child(dialog, name)->isVisible(), expanded) << name;
        at("cmdReplace")->click();
    }
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(&dialog, Qt::Key_W, Qt::AltModifier);
    EXPECT_TRUE(at<QComboBox>("cboReplace")->hasFocus()); // the label's access key
    delete m_area;
    at("cmdFind")->click();
    EXPECT_EQ(m_dialogs.texts(), QStringList("The document is no longer open."));
    EXPECT_TRUE(m_dialogs.boxes[0].title.isEmpty()); // the program's name
    EXPECT_EQ(m_dialogs.boxes[0].icon, Dialogs::Icon::None);
}

// Presses: Find, Replace, replace All; '-' empties the find box. Boxes: 'n' for "Text not
// found", a digit for that many replacements. Enabled: Replace and Replace All. Focused: the
// text area was given the focus.
struct Step
{
    const char *text;
    int start, end; // the selection when the dialog opens
    const char *find, *with, *presses, *findCaption;
    bool enabled;
    const char *boxes, *after;
    int selectionStart, selectionEnd;
    bool focused;
};

class Transitions : public FindDialogTest, public ::testing::WithParamInterface<Step>
{};

TEST_P(Transitions, CaptionsButtonsAndSelectionAfterThePresses)
{
    const Step &s = GetParam();
    open(s.text, s.start, s.end);
    if (s.find) // else as taken from the selection
        type(s.find, s.with);
    for (const char press : std::string(s.presses)) {
        if (press == '-')
            at<QComboBox>("cboFind")->clearEditText();
        else
            at(press == 'F' ? "cmdFind" : press == 'R' ? "cmdReplace" : "cmdReplaceAll")->click();
    }
    EXPECT_EQ(at("cmdFind")->text(), s.findCaption);
    EXPECT_EQ(at("cmdReplace")->isEnabled(), s.enabled);
    EXPECT_EQ(at("cmdReplaceAll")->isEnabled(), s.enabled);
    QStringList boxes;
    for (const char c : std::string(s.boxes))
        boxes << (c == 'n' ? "Text not found" : replaced(c - '0'));
    EXPECT_EQ(m_dialogs.texts(), boxes);
    EXPECT_EQ(m_area->toPlainText(), s.after);
    const QTextCursor selection = m_area->textCursor();
    EXPECT_EQ(std::pair(selection.selectionStart(), selection.selectionEnd()),
              std::pair(s.selectionStart, s.selectionEnd));
    EXPECT_EQ(m_owner.focusWidget() == m_area, s.focused);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, Transitions, ::testing::Values(
    Step{"a cat", 0, 0, "cat", "", "F", "&Find Next", true, "", "a cat", 2, 5, true},
    Step{"a cat", 0, 0, "dog", "", "F", "&Find", true, "n", "a cat", 0, 0, false},
    Step{"cat cat", 0, 0, "cat", "", "FFF", "&Find", false, "n", "cat cat", 4, 7, true},
    Step{"cat cat", 0, 0, "cat", "", "FFFF", "&Find Next", true, "n", "cat cat", 0, 3, true},
    Step{"cat", 0, 3, "", "dog", "RR", "&Find", true, "", "cat", 0, 3, false},
    Step{"cat cat", 0, 0, "cat", "dog", "FRR", "&Find Next", true, "", "dog cat", 4, 7, true},
    Step{"cat cat", 0, 0, "cat", "dog", "FRRR", "&Find", false, "n", "dog dog", 7, 7, true},
    Step{"a cat", 0, 1, "cat", "the", "RR", "&Find", true, "", "the cat", 4, 7, true},
    Step{"a a", 0, 0, "a", "aa", "FRA", "&Find", false, "2", "aa aa", 5, 5, true},
    Step{"xyz", 0, 0, "q", "r", "RA", "&Find", false, "", "xyz", 0, 0, false},
    Step{"cat", 0, 0, "cat", "", "FR-A", "&Find Next", true, "", "cat", 0, 3, true},
    Step{"cat", 0, 0, "cat", "dog", "RAF", "&Find", false, "1n", "dog", 3, 3, false},
    Step{"a\ncat\ncat", 0, 0, "cat", "", "FF", "&Find Next", true, "", "a\ncat\ncat", 6, 9, true},
    Step{"cat\ndog cat\ndog", 8, 15, nullptr, "", "FF", "&Find Next", true, "", "cat\ndog cat\ndog", 8, 15, true}));
// clang-format on

// The box's longest text, in place of each of 8000 letters, would make the text longer than
// the editor holds.
TEST_F(FindDialogTest, ReplaceAllThatWouldMakeTheTextTooLongReplacesNothing)
{
    const QString text(8000, u'a');
    open(text);
    at("cmdReplace")->click();
    type("a", QString(40'000, u'b'));
    at("cmdReplaceAll")->click();
    EXPECT_EQ(m_dialogs.texts(),
              QStringList("Replacing every occurrence would make the text longer than the 250 "
                          "million characters the editor can hold. Nothing was replaced."));
    EXPECT_EQ(m_area->toPlainText(), text);
    EXPECT_FALSE(m_area->document()->isUndoAvailable());
}

// A document long enough to be searched and replaced after the press, while the window
// repaints: the busy cursor shows, Cancel while searching or replacing leaves the text as it
// was with nothing to undo or redo, and a run to its end replaces everything in one undo step.
TEST_F(FindDialogTest, ReplaceAllOnALongDocumentCanBeCancelledAndIsOneUndoStep)
{
    const QString original = QString("a cat, no dog\nCat\n").repeated(60'000);
    const QString replacedText = QString(original).replace("cat", "tiger", Qt::CaseInsensitive);
    // When Cancel is pressed (at once, once replacing shows, never), the text then, the boxes.
    const std::tuple<const char *, QString, QStringList> table[] = {
        {"Searching...", original, {}},
        {"Replacing...", original, {}},
        {"", replacedText, {replaced(120'000)}}};
    for (const auto &[cancelAt, after, boxes] : table) {
        open(original);
        type("cat", "tiger");
        if (!at("cmdReplaceAll")->isVisible())
            at("cmdReplace")->click();
        at("cmdReplaceAll")->click();
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        auto *progress = m_dialog->findChild<QProgressDialog *>();
        ASSERT_NE(progress, nullptr);
        while (*cancelAt && progress->labelText() != cancelAt)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (*cancelAt)
            progress->findChild<QAbstractButton *>()->click();
        EXPECT_TRUE(
            QTest::qWaitFor([this] { return !m_dialog->findChild<QProgressDialog *>(); }, 60'000));
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(m_area->toPlainText(), after) << cancelAt;
        EXPECT_GT(m_area->textCursor().block().layout()->lineCount(), 0); // laid out again
        EXPECT_EQ(m_dialogs.texts(), boxes);
        EXPECT_FALSE(m_area->document()->isRedoAvailable());
        EXPECT_EQ(m_area->document()->isUndoAvailable(), !*cancelAt);
        m_area->document()->undo();
        EXPECT_EQ(m_area->toPlainText(), original);
        EXPECT_FALSE(m_area->document()->isUndoAvailable());
        m_dialogs.boxes.clear();
    }
}

} // namespace
