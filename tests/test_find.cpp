#include "find/textsearch.h"
#include "testhelpers.h"

#include <QTextBlock>

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

} // namespace
