#include "common/geometry.h"
#include "doubles.h"
#include "find/finddialog.h"
#include "find/textsearch.h"
#include "testhelpers.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

namespace {

constexpr TextSearch::Options Any{}, WholeWord{true, false}, MatchCase{false, true};

struct RuleCase
{
    const char *name, *text, *find, *with;
    TextSearch::Options options;
    int first; // what find() returns from offset 0; then the text and count after replaceAll()
    const char *after;
    int count;
};

class Rules : public ::testing::TestWithParam<RuleCase>
{};

TEST_P(Rules, FindAndReplaceAll)
{
    const RuleCase &c = GetParam();
    QTextDocument document(QString::fromUtf8(c.text));
    QTextCursor cursor(&document);
    EXPECT_EQ(TextSearch::find(cursor, c.find, 0, c.options), c.first);
    EXPECT_EQ(TextSearch::replaceAll(cursor, c.find, c.with, c.options), c.count);
    EXPECT_EQ(document.toPlainText(), QString::fromUtf8(c.after));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, Rules, ::testing::Values(
    RuleCase{"wholeWord", "concatenate cat", "cat", "dog", WholeWord, 12, "concatenate dog", 1},
    RuleCase{"underscoreJoinsWords", "cat_ cat", "cat", "x", WholeWord, 5, "cat_ x", 1},
    RuleCase{"wideLetterJoinsWords", "𝐀cat cat", "cat", "x", WholeWord, 6, "𝐀cat x", 1},
    RuleCase{"caseIgnored", "Cat cat", "cat", "dog", Any, 0, "dog dog", 2},
    RuleCase{"matchCase", "Cat cat", "cat", "dog", MatchCase, 4, "Cat dog", 1},
    RuleCase{"aByAa", "a a", "a", "aa", Any, 0, "aa aa", 2},
    RuleCase{"aaByB", "aaaa", "aa", "b", Any, 0, "bb", 2},
    RuleCase{"emptyReplacement", "aaaa", "aa", "", Any, 0, "", 2},
    RuleCase{"replacementHoldsTheText", "cat cat", "cat", "catcat", Any, 0, "catcat catcat", 2},
    RuleCase{"noOccurrence", "xyz", "q", "r", Any, -1, "xyz", 0},
    RuleCase{"emptyFindText", "xyz", "", "r", Any, -1, "xyz", 0},
    RuleCase{"notAcrossParagraphs", "ca\nt cat", "cat", "dog", Any, 5, "ca\nt dog", 1}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

TEST(TextSearchTest, ReplaceAllIsOneUndoStepAndKeepsTheFormatting)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat bold, italic;
    bold.setFontWeight(QFont::Bold);
    italic.setFontItalic(true);
    cursor.insertText("cat", bold);
    cursor.insertText(" or cat", italic);
    const QString before = document.toHtml();
    EXPECT_EQ(TextSearch::replaceAll(cursor, "cat", "tiger", Any), 2);
    QStringList runs; // the text of each run of one format, and that format
    for (auto it = document.begin().begin(); !it.atEnd(); ++it)
        runs << it.fragment().text() + (it.fragment().charFormat().fontItalic() ? "/i" : "/b");
    EXPECT_EQ(runs, QStringList({"tiger/b", " or tiger/i"}));
    document.undo();
    EXPECT_EQ(document.toHtml(), before);
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
    void type(const char *find, const char *with)
    {
        at<QComboBox>("cboFind")->setEditText(find);
        at<QComboBox>("cboReplace")->setEditText(with);
    }
    QStringList shown() const
    {
        QStringList texts;
        for (const RecordingDialogs::Box &box : m_dialogs.boxes)
            texts << box.text;
        return texts;
    }

    QWidget m_owner;
    QTextEdit *m_area = new QTextEdit(&m_owner);
    RecordingDialogs m_dialogs;
    QPointer<FindDialog> m_dialog;
};

struct Placement
{
    const char *name, *container;
    int left, top, width, height;
    const char *text; // caption, or the text of a box
    bool hiddenCollapsed;
};

// clang-format off
const Placement Layout[] = {
    {"lblFind", "frmFind", 120, 195, 840, 240, "Fin&d What:", false},
    {"cboFind", "frmFind", 1245, 120, 3015, 315, "", false},
    {"lblReplace", "frmFind", 120, 570, 1065, 240, "Replace &With:", true},
    {"cboReplace", "frmFind", 1245, 495, 3015, 315, "", true},
    {"cmdFind", "frmFind", 4395, 120, 990, 315, "&Find", false},
    {"cmdCancel", "frmFind", 4395, 495, 990, 315, "Cancel", false},
    {"picBar", "frmFind", 120, 945, 5340, 915, "", false},
    {"Frame1", "picBar", 75, 0, 4065, 855, "Search Options", false},
    {"chkWholeWord", "Frame1", 170, 240, 1965, 240, "Find Whole Word &Only", false},
    {"chkMatchCase", "Frame1", 170, 550, 1965, 240, "Match Ca&se", false},
    {"cmdReplace", "picBar", 4275, 525, 990, 315, "&Replace...", false},
    {"cmdReplaceAll", "picBar", 4275, 525, 990, 315, "Replace &All", true}};
// clang-format on

TEST_F(FindDialogTest, EveryOpeningLoadsCollapsedAndTheFirstReplaceExpands)
{
    FindDialog &first = open("a cat", 2, 5);
    EXPECT_EQ(at<QComboBox>("cboFind")->currentText(), "cat");
    type("dog", "bird");
    at("chkMatchCase")->click();
    at("cmdReplace")->click();
    EXPECT_EQ(&open("a cat"), &first); // brought forward, not loaded again
    EXPECT_EQ(at<QComboBox>("cboFind")->currentText(), "dog");
    at("cmdCancel")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(m_dialog.isNull());

    FindDialog &dialog = open("a cat");
    EXPECT_EQ(dialog.windowTitle(), "Find...");
    EXPECT_EQ(dialog.size(), QSize(twips(5475), twips(1860)));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_EQ(at<QComboBox>("cboFind")->count(), 1); // one empty item
    for (const bool expanded : {false, true}) {
        for (const Placement &p : Layout) {
            SCOPED_TRACE(std::string(p.name) + (expanded ? " expanded" : " collapsed"));
            const QWidget *w = child(dialog, p.name);
            const bool moved = expanded && QLatin1String(p.name) == "cmdReplace";
            EXPECT_EQ(w->geometry(), twipsRect(p.left, moved ? 150 : p.top, p.width, p.height));
            EXPECT_EQ(w->parentWidget()->objectName(), p.container);
            const char *property = p.name[0] == 'c' && p.name[1] == 'b' ? "currentText"
                                   : p.name[0] == 'F'                   ? "title"
                                                                        : "text";
            EXPECT_EQ(w->property(property).toString(), moved ? "&Replace" : p.text);
            EXPECT_EQ(w->isVisible(), expanded || !p.hiddenCollapsed);
            EXPECT_FALSE(w->property("checked").toBool());
        }
        at("cmdReplace")->click();
    }
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(&dialog, Qt::Key_W, Qt::AltModifier);
    EXPECT_TRUE(at<QComboBox>("cboReplace")->hasFocus()); // the label's access key
    EXPECT_TRUE(m_dialogs.boxes.isEmpty());
}

// Presses: Find, Replace, replace All; '-' empties the find box. Boxes: 'n' for "Text not
// found", a digit for that many replacements. Enabled: Replace and Replace All. Focused: the
// text area was given the focus.
struct Step
{
    const char *name, *text;
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
        boxes << (c == 'n' ? "Text not found" : TextSearch::replacedMessage(c - '0'));
    EXPECT_EQ(shown(), boxes);
    EXPECT_EQ(m_area->toPlainText(), s.after);
    EXPECT_EQ(m_area->textCursor().selectionStart(), s.selectionStart);
    EXPECT_EQ(m_area->textCursor().selectionEnd(), s.selectionEnd);
    EXPECT_EQ(m_owner.focusWidget() == m_area, s.focused);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, Transitions, ::testing::Values(
    Step{"firstFound", "a cat", 0, 0, "cat", "", "F", "&Find Next", true, "", "a cat", 2, 5, true},
    Step{"firstNotFound", "a cat", 0, 0, "dog", "", "F", "&Find", true, "n", "a cat", 0, 0, false},
    Step{"nextFound", "cat cat", 0, 0, "cat", "", "FF", "&Find Next", true, "", "cat cat", 4, 7, true},
    Step{"nextNotFound", "cat cat", 0, 0, "cat", "", "FFF", "&Find", false, "n", "cat cat", 4, 7, true},
    Step{"noWrapAround", "cat cat", 0, 0, "cat", "", "FFFF", "&Find Next", true, "n", "cat cat", 0, 3, true},
    Step{"replaceWithoutFindText", "cat", 0, 3, "", "dog", "RR", "&Find", true, "", "cat", 0, 3, false},
    Step{"replaceThenNext", "cat cat", 0, 0, "cat", "dog", "FRR", "&Find Next", true, "", "dog cat", 4, 7, true},
    Step{"replaceTheLast", "cat cat", 0, 0, "cat", "dog", "FRRR", "&Find", false, "n", "dog dog", 7, 7, true},
    Step{"replaceBeforeAnyFind", "a cat", 0, 1, "cat", "the", "RR", "&Find", true, "", "the cat", 4, 7, true},
    Step{"replaceAll", "a a", 0, 0, "a", "aa", "FRA", "&Find", false, "2", "aa aa", 5, 5, true},
    Step{"replaceAllNone", "xyz", 0, 0, "q", "r", "RA", "&Find", false, "", "xyz", 0, 0, false},
    Step{"replaceAllWithoutFindText", "cat", 0, 0, "cat", "", "FR-A", "&Find Next", true, "", "cat", 0, 3, true},
    Step{"disabledUntilFound", "cat", 0, 0, "cat", "dog", "RAF", "&Find", false, "1n", "dog", 3, 3, false}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

TEST_F(FindDialogTest, ReplaceAllGoesPastTheOldLimitOf32767)
{
    open(QString("cat ").repeated(40'000));
    type("cat", "tiger");
    at("cmdReplace")->click();
    at("cmdReplaceAll")->click();
    EXPECT_EQ(m_area->toPlainText(), QString("tiger ").repeated(40'000));
    EXPECT_GT(m_area->textCursor().block().layout()->lineCount(), 0); // laid out again
    EXPECT_EQ(shown(), QStringList("The specified region has been searched. \r\n"
                                   "40000 replacements have been made."));
}

TEST_F(FindDialogTest, AFailureIsShownWithItsOwnDescriptionInAPlainBox)
{
    open("cat");
    delete m_area; // the document went away under the dialog
    at("cmdFind")->click();
    EXPECT_EQ(shown(), QStringList("The document is no longer open."));
    EXPECT_TRUE(m_dialogs.boxes[0].title.isEmpty()); // the program's name
    EXPECT_EQ(m_dialogs.boxes[0].icon, Dialogs::Icon::None);
}

} // namespace
