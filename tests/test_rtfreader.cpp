#include "editor/rtfreader.h"
#include "testhelpers.h"

#include <QBrush>
#include <QHash>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#include <unistd.h>
#endif

using namespace Qt::Literals::StringLiterals;

namespace {

// The document's paragraphs joined by '\n'; line breaks stay U+2028 and no-break spaces stay
// themselves, unlike in toPlainText().
QString paragraphs(const QTextDocument &document)
{
    QStringList blocks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        blocks << block.text();
    return blocks.join(QLatin1Char('\n'));
}

// What a document shows after loading the markup, or after pasting it into an empty one.
QString shown(QByteArrayView rtf, bool paste = false)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    if (paste)
        Rtf::read(rtf, cursor);
    else
        Rtf::load(rtf, document);
    return paragraphs(document);
}

// The format of the text piece that holds the probe.
QTextCharFormat formatAt(const QTextDocument &document, const QString &probe)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().text().contains(probe))
                return it.fragment().charFormat();
        }
    }
    ADD_FAILURE() << "no text " << probe.toStdString();
    return {};
}

TEST(RtfIsMarkup, LooksAtTheStartOnly)
{
    for (const char *yes : {"{\\rtf1\\ansi x}", "{\\rtf", " \t\r\n{\\rtf1}"}) {
        EXPECT_TRUE(Rtf::isMarkup(QByteArrayView(yes))) << yes;
        EXPECT_TRUE(Rtf::isMarkup(QString::fromLatin1(yes))) << yes;
    }
    for (const char *no : {"{\\rt", "", "{\\RTF1}", "x{\\rtf1}"}) {
        EXPECT_FALSE(Rtf::isMarkup(QByteArrayView(no))) << no;
        EXPECT_FALSE(Rtf::isMarkup(QString::fromLatin1(no))) << no;
    }
}

struct TextCase
{
    const char *what;
    QByteArray rtf;
    const char *text;            // UTF-8, as loaded
    const char *paste = nullptr; // as pasted, where that is checked
};

using RtfText = ::testing::TestWithParam<TextCase>;

TEST_P(RtfText, ShowsWhatAWordProcessorShows)
{
    const TextCase &c = GetParam();
    EXPECT_EQ(shown(c.rtf), QString::fromUtf8(c.text)) << c.what;
    if (c.paste) {
        EXPECT_EQ(shown(c.rtf, true), QString::fromUtf8(c.paste)) << c.what;
    }
}

const QByteArray Fonts = "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\fcharset204 Ru;}"
                         "{\\f2\\fnil\\fcharset1 Def;}}";

#ifdef Q_OS_LINUX
// {\rtf1 a, more than 2^31 '{', then b}: 3 MB mapped again and again, costing address space only.
QByteArray beyondTwoGibOfGroups()
{
    constexpr qsizetype MB = 1 << 20;
    const QByteArray parts = "{\\rtf1 a" + QByteArray(3 * MB - 10, '{') + "b}";
    const int fd = memfd_create("groups", 0);
    auto *base = static_cast<char *>(
        mmap(nullptr, 2050 * MB, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    bool mapped =
        fd >= 0 && base != MAP_FAILED && write(fd, parts.data(), parts.size()) == parts.size();
    for (qsizetype i = 0; mapped && i < 2050; ++i) {
        const off_t part = i == 0 ? 0 : i == 2049 ? 2 * MB : MB;
        mapped = mmap(base + i * MB, MB, PROT_READ, MAP_SHARED | MAP_FIXED, fd, part) != MAP_FAILED;
    }
    close(fd); // the mappings keep the memory
    return mapped ? QByteArray::fromRawData(base, 2050 * MB) : "{\\rtf1 not mapped}";
}
#endif

// Text at the deepest level kept, a group below it skipped, and reading going on after.
const QByteArray AtTheDepthLimit = "{\\rtf1 " + "{"_ba.repeated(Rtf::MaxGroupDepth - 1) + "a{b}c"
                                   + "}"_ba.repeated(Rtf::MaxGroupDepth - 1) + "d}";

INSTANTIATE_TEST_SUITE_P(
    Table, RtfText,
    ::testing::Values(
        TextCase{"plain", "{\\rtf1\\ansi Hello world}", "Hello world", "Hello world"},
        TextCase{"escaped", "{\\rtf1 \\{\\}\\\\}", "{}\\"},
        TextCase{"punctuation",
                 "{\\rtf1 a\\emdash b\\endash c\\lquote d\\rquote e\\ldblquote f\\rdblquote "
                 "g\\bullet h}",
                 "a—b–c‘d’e“f”g•h"},
        TextCase{"hyphens and spaces", "{\\rtf1 a\\~b\\_c\\-d}", "a\u00A0b\u2011c\u00ADd"},
        TextCase{"footnote marks, not their text",
                 "{\\rtf1 a{\\super\\chftn}{\\footnote{\\super\\chftn} "
                 "A.}b\\chftn{\\footnote\\chftn B.}}",
                 "a1b2"},
        TextCase{"first footnote's number", "{\\rtf1\\ftnstart7 a\\chftn}", "a7"},
        TextCase{"page number", "{\\rtf1 p. \\chpgn}", "p. 1"},
        TextCase{"line ends in markup", "{\\rtf1 ab\r\ncd\nef\rg}", "abcdefg"},
        TextCase{"line and tab", "{\\rtf1 a\\line b\\tab c}", "a\u2028b\tc"},
        TextCase{"paragraph separator breaks the line", "{\\rtf1 a\\u8233?b}", "a\u2028b"},
        TextCase{"hex in 1252", "{\\rtf1\\ansi caf\\'e9 \\'80}", "café €"},
        TextCase{"hex in ansicpg", "{\\rtf1\\ansi\\ansicpg1251 \\'c6\\'f3\\'ea}", "Жук"},
        TextCase{"raw bytes", "{\\rtf1\\ansi\\ansicpg1251 \xc6\xf3\xea}", "Жук"},
        TextCase{"font charset", "{\\rtf1\\ansi\\deff0" + Fonts + "\\'e9\\f1\\'e9\\f0\\'e9}",
                 "éйé"},
        TextCase{"charset 1 is the document's", "{\\rtf1\\ansi\\ansicpg1250" + Fonts + "\\f2\\'a3}",
                 "Ł"},
        TextCase{"font table after \\deff", "{\\rtf1\\deff1" + Fonts + "\\'e9}", "й"},
        TextCase{"utf-8 page", "{\\rtf1\\ansicpg65001 \\'c3\\'a9\xc3\xa9}", "éé"},
        TextCase{"double-byte page",
                 "{\\rtf1\\ansicpg932 \\'93\\'fa\\'96\\'7b\\'83A\\'83\\\\\\'b1}", "日本アソｱ"},
        TextCase{
            "double-byte charsets",
            "{\\rtf1{\\fonttbl{\\f1\\fcharset134 S;}{\\f2\\fcharset136 M;}{\\f3\\fcharset129 G;}}"
            "\\f1\\'d6\\'d0\\f2\\'a4\\'e5\\f3\\'c7\\'d1}",
            "中文한"},
        TextCase{"lead byte alone", "{\\rtf1\\ansicpg932 a\\'82{\\b b}\\'a0\\'82}",
                 "a\uFFFDb\uFFFD\uFFFD"},
        TextCase{"mac", "{\\rtf1\\mac It\\'d5s \\'d0 \\'87}", "It’s – á"},
        TextCase{"mac charset", "{\\rtf1{\\fonttbl{\\f1\\fcharset77 G;}}\\'d2{\\f1\\'d2}}", "Ò“"},
        TextCase{"font code page before charset",
                 "{\\rtf1{\\fonttbl{\\f1\\cpg1251 A;}{\\f2\\fcharset204\\cpg1253 "
                 "B;}}\\f1\\'c8\\f2\\'c8}",
                 "ИΘ"},
        TextCase{"symbol fonts",
                 "{\\rtf1{\\fonttbl{\\f1\\fcharset2 Symbol;}{\\f2\\fcharset2 Wingdings;}}"
                 "{\\f1\\'b7 a\\'b3b\\u61623?}{\\f2\\'a7\\u61623?}}",
                 "• α≥β•\uF0A7\uF0B7"},
        TextCase{"unicode", "{\\rtf1 \\u1046?\\u1091?k}", "Жуk"},
        TextCase{"no fallback", "{\\rtf1 \\uc0\\u1046 x}", "Жx"},
        TextCase{"hex fallback", "{\\rtf1 \\uc2\\u1046\\'c6\\'c6x}", "Жx"},
        TextCase{"malformed hex fallback", "{\\rtf1 \\u345\\'3?x{\\u345\\'}y}", "řxřy"},
        TextCase{"fallback is a control word", "{\\rtf1 \\u1046\\emdash x}", "Жx"},
        TextCase{"\\uc ends with its group", "{\\rtf1 {\\uc2\\u1046 ab}\\u1046 cd}", "ЖЖd"},
        TextCase{"fallback ends at a brace", "{\\rtf1 \\uc3\\u1046 a{b}c}", "Жbc"},
        TextCase{"negative unicode", "{\\rtf1 \\u-15032?}", "안"},
        TextCase{"surrogate pair", "{\\rtf1 \\u-10179?\\u-8704?}", "\U0001F600"},
        TextCase{"lone surrogate", "{\\rtf1 \\u-10179?x\\u-8704?}", "\uFFFDx\uFFFD"},
        TextCase{"unicode out of range", "{\\rtf1 \\u99999999999?\\u-99999?}", "\uFFFD\uFFFD"},
        TextCase{"skipped destinations",
                 "{\\rtf1{\\*\\generator W;}{\\info{\\title T}}{\\stylesheet{\\s0 N;}}"
                 "{\\pict 0a0b}{\\header H}{\\footerl F}{\\*\\unknown U}"
                 "{\\listtable{\\list L}}{\\object{\\result R}}A}",
                 "A"},
        TextCase{
            "\\* marks a group only at its start",
            "{\\rtf1 {\\field{\\*\\fldinst X}{\\fldrslt \\*\\cs12 a}}{\\*\\x b}{\\* c}{\\*\\'41}d}",
            "ad"},
        TextCase{"field result", "{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}}",
                 "link"},
        TextCase{
            "field without a result",
            "{\\rtf1{\\fonttbl{\\f3\\fcharset2 Symbol;}{\\f4\\fcharset2 Wingdings;}}{\\field{\\*"
            "\\fldinst SYMBOL 183 \\\\f \"Symbol\" \\\\s 10}{\\fldrslt }}{\\field{\\*\\fldinst "
            "SYMBOL 0x41 \\\\f Symbol}}{\\field{\\*\\fldinst SYMBOL 167 \\\\f \"Wingdings\"}}"
            "{\\field{\\*\\fldinst SYMBOL 8364 \\\\u}}{\\field{\\*\\fldinst {PAGE }}}"
            "{\\field{\\*\\fldinst PAGE}{\\fldrslt 4}}"
            "{\\field{\\*\\fldinst QUOTE \"x\"}{\\fldrslt {\\field{\\*\\fldinst PAGE}}}}}",
            "•Α\uF0A7€141"},
        TextCase{
            "field text in its code",
            "{\\rtf1 {\\field{\\*\\fldinst GOTOBUTTON intro {\\b Go on}}}|{\\field{\\*\\fldinst "
            "QUOTE \"a \\'e9\"}}|{\\field{\\*\\fldinst QUOTE b \\\\* MERGEFORMAT}}}",
            "Go on|a é|b"},
        TextCase{"malformed field codes",
                 "{\\rtf1 {\\field{\\*\\fldinst SYMBOL x}}{\\field{\\*\\fldinst SYMBOL 99999999}}"
                 "{\\field{\\*\\fldinst QUOTE \"c}}{\\*\\fldinst d}e}",
                 "ce"},
        TextCase{
            "text boxes",
            "{\\rtf1 a{\\shp{\\*\\shpinst\\shpleft0{\\sp{\\sn shapeType}{\\sv 202}}{\\shptxt "
            "\\pard "
            "B\\par}}{\\shprslt{\\*\\do\\dptxbx{\\dptxbxtext B}}}}c{\\*\\do\\dobxpage\\dptxbx"
            "{\\dptxbxtext D\\par}\\dpx0 }e{\\do{\\dptxbx F}}{\\shp{\\*\\shpinst{\\sp{\\sn a}{\\sv "
            "1}}}}g}",
            "aB\ncD\neFg"},
        TextCase{"list number", "{\\rtf1 {\\pntext 1.\\tab}Item}", "1.\tItem"},
        TextCase{"binary with braces", "{\\rtf1 {\\pict\\bin6 }}}{{{}A}", "A"},
        TextCase{"binary in text", "{\\rtf1 a\\bin3 xyzb}", "ab"},
        TextCase{"long control word", "{\\rtf1 \\" + "b"_ba.repeated(40) + "1 x}", "x"},
        TextCase{"control codes", "{\\rtf1 a\0b\\\0c\x01\\'01\\'09d}"_ba, "abc\td"},
        TextCase{"before and after the document", "junk{\\rtf1 a}b", "a"},
        // The last \par ends a file but not a paste; what follows it shows nothing.
        TextCase{"last \\par", "{\\rtf1 a\\par\n}", "a", "a\n"},
        TextCase{"\\par between", "{\\rtf1 a\\par b}", "a\nb", "a\nb"},
        TextCase{"two \\par", "{\\rtf1 a\\par\\par}", "a\n", "a\n\n"},
        TextCase{"only \\par", "{\\rtf1 \\par}", "", "\n"},
        TextCase{"after the last \\par", "{\\rtf1 a\\par\\pard\\b {\\*\\x y}}", "a", "a\n"},
        TextCase{"other breaks", "{\\rtf1 a\\sect b\\row c\\page d\\\r\ne}", "a\nb\nc\nd\ne",
                 "a\nb\nc\nd\ne"},
        // Malformed markup: what can be read is.
        TextCase{"more closing than opening", "{\\rtf1 a}}}b}", "a"},
        TextCase{"closing first", "}}{\\rtf1 a}", "a"},
        TextCase{"unclosed", "{\\rtf1 a{\\b b", "ab"},
        TextCase{"cut in a control word", "{\\rtf1 a\\pa", "a"},
        TextCase{"cut after a backslash", "{\\rtf1 a\\", "a"},
        TextCase{"cut in a hex escape", "{\\rtf1 a\\'4", "a"},
        TextCase{"bad hex escape", "{\\rtf1 a\\'zzb}", "azzb"},
        TextCase{"cut in binary data", "{\\rtf1 a\\bin10 xy", "a"},
        TextCase{"negative binary length", "{\\rtf1 a\\bin-1 b}", "ab"},
        TextCase{"huge binary length", "{\\rtf1 a\\bin999999999999 b}", "a"},
        TextCase{"huge \\uc", "{\\rtf1 {\\uc999999999999\\u1046 abc}d}", "Жd"},
        TextCase{"at the depth limit", AtTheDepthLimit, "acd"},
        TextCase{"a million groups open", "{\\rtf1 a" + "{"_ba.repeated(1000000) + "b", "a"},
        TextCase{"a million groups closed",
                 "{\\rtf1 a" + "{"_ba.repeated(1000000) + "b" + "}"_ba.repeated(1000000) + "c}",
                 "ac"}
#ifdef Q_OS_LINUX
        ,
        TextCase{"more than 2^31 groups open", beyondTwoGibOfGroups(), "a"}
#endif
        ));

// Each row: the markup, then the alignment of each paragraph.
using RtfAlignment = ::testing::TestWithParam<std::pair<QByteArray, QList<Qt::Alignment>>>;

TEST_P(RtfAlignment, IsTheOneInForceAtTheParagraphsEnd)
{
    QTextDocument document;
    Rtf::load(GetParam().first, document);
    QList<Qt::Alignment> blocks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        blocks << block.blockFormat().alignment();
    EXPECT_EQ(blocks, GetParam().second) << GetParam().first.toStdString();
}

const Qt::Alignment Left = Qt::AlignLeft, Center = Qt::AlignHCenter, Right = Qt::AlignRight;
const std::pair<QByteArray, QList<Qt::Alignment>> Alignments[] = {
    {"{\\rtf1 \\qc a\\par\\pard b\\par}", {Center, Left}},
    {"{\\rtf1 \\qr a}", {Right}},
    {"{\\rtf1 \\qj a\\par}", {Qt::AlignJustify}},
    {"{\\rtf1 a\\qc\\par}", {Center}},
    {"{\\rtf1 {\\qc a\\par}b}", {Center, Left}},
    {"{\\rtf1 \\qr\\par\\ql\\par\\qc}", {Right, Left}},
};
INSTANTIATE_TEST_SUITE_P(Table, RtfAlignment, ::testing::ValuesIn(Alignments));

TEST(RtfParagraphs, EmptyParagraphKeepsTheSizeOfItsMark)
{
    QTextDocument document;
    Rtf::load("{\\rtf1 a\\par\\fs48\\par b}", document);
    EXPECT_EQ(document.findBlockByNumber(1).charFormat().fontPointSize(), 24.0);
}

struct FormatCase
{
    const char *what;
    QByteArray body;
    const char *probe;
    int property;
    QVariant value; // none: the property is not set
};

using RtfFormat = ::testing::TestWithParam<FormatCase>;

TEST_P(RtfFormat, GivesTheTextItsFormat)
{
    const FormatCase &c = GetParam();
    QTextDocument document;
    Rtf::load("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New "
              "Roman;}}{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
                  + c.body + "}",
              document);
    EXPECT_EQ(formatAt(document, QString::fromUtf8(c.probe)).property(c.property), c.value)
        << c.what;
}

const QVariant Bold(int(QFont::Bold)), Yes(true), None;
const QVariant Single(int(QTextCharFormat::SingleUnderline));
const QVariant Arial(QStringList{"Arial"});
constexpr int Weight = QTextFormat::FontWeight, Underline = QTextFormat::TextUnderlineStyle,
              Family = QTextFormat::FontFamilies, Size = QTextFormat::FontPointSize,
              Colour = QTextFormat::ForegroundBrush, Raised = QTextFormat::TextVerticalAlignment;

const FormatCase Formats[] = {
    {"bold", "\\b B\\b0 n", "B", Weight, Bold},
    {"bold off", "\\b B\\b0 n", "n", Weight, None},
    {"bold ends with its group", "{\\b B}n", "n", Weight, None},
    {"italic", "\\i I\\i0 n", "I", QTextFormat::FontItalic, Yes},
    {"italic off", "\\i I\\i0 n", "n", QTextFormat::FontItalic, None},
    {"strike", "\\strike S", "S", QTextFormat::FontStrikeOut, Yes},
    {"underline", "\\ul U", "U", Underline, Single},
    {"underline off", "\\ul U\\ul0 n", "n", Underline, None},
    {"no underline", "\\ul U\\ulnone n", "n", Underline, None},
    {"word underline", "\\ulw W", "W", Underline, Single},
    {"dotted underline", "\\uld D", "D", Underline, int(QTextCharFormat::DotLine)},
    {"superscript", "\\super S", "S", Raised, int(QTextCharFormat::AlignSuperScript)},
    {"subscript", "\\sub S", "S", Raised, int(QTextCharFormat::AlignSubScript)},
    {"subscript ends", "\\sub S\\nosupersub n", "n", Raised, None},
    {"default font", "D", "D", Family, Arial},
    {"font", "\\f1 T", "T", Family, QStringList{"Times New Roman"}},
    {"unknown font", "\\f7 T", "T", Family, None},
    {"size", "\\fs36 S", "S", Size, 18.0},
    {"half point", "\\fs7 S", "S", Size, 3.5},
    {"default size", "S", "S", Size, 12.0},
    {"negative size", "\\fs-5 S", "S", Size, 1.0},
    {"huge size", "\\fs999999999999 S", "S", Size, 1638.0},
    {"colour", "\\cf1 R", "R", Colour, QBrush(Qt::red)},
    {"colour above 255", "{\\colortbl;\\red300\\green-5\\blue128;}\\cf1 C", "C", Colour,
     QBrush(QColor(255, 0, 128))},
    {"colour without red", "{\\colortbl;\\green255;}\\cf1 G", "G", Colour, QBrush(Qt::green)},
    {"auto colour", "\\cf1 R\\cf0 A", "A", Colour, None},
    {"no such colour", "\\cf9 X", "X", Colour, None},
    {"highlight", "\\highlight2 H", "H", QTextFormat::BackgroundBrush, QBrush(Qt::blue)},
    {"plain", "\\b\\fs40\\f1 x\\plain P", "P", Size, 12.0},
    {"plain font", "\\f1 x\\plain P", "P", Family, Arial},
};
INSTANTIATE_TEST_SUITE_P(Table, RtfFormat, ::testing::ValuesIn(Formats));

class RtfPaste : public ::testing::Test
{
protected:
    // "abcd" with the cursor between b and c.
    RtfPaste()
        : cursor(&document)
    {
        cursor.insertText("abcd");
        cursor.setPosition(2);
    }
    QTextDocument document;
    QTextCursor cursor;
};

// Text after the last \par keeps the alignment of the paragraph it lands in.
TEST_F(RtfPaste, ReplacesTheSelectionInOneUndoStepAndAlignsOnlyThePastedParagraphs)
{
    cursor.setPosition(1, QTextCursor::KeepAnchor);
    Rtf::read(QByteArrayView("{\\rtf1\\qc X\\par {\\b Y}\\par Z}"), cursor);
    ASSERT_EQ(paragraphs(document), "aX\nY\nZcd");
    EXPECT_EQ(document.begin().blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(document.lastBlock().blockFormat().alignment(), Qt::AlignLeft);
    document.undo();
    EXPECT_EQ(paragraphs(document), "abcd");
}

TEST_F(RtfPaste, MarkupAsTextTakesCharactersAsTheyAre)
{
    Rtf::read(QStringLiteral("{\\rtf1\\ansicpg1251 é\\'e9\U0001F600}"), cursor);
    // ASCII is bytes of the page: here the trail byte of a double-byte character.
    Rtf::read(QStringLiteral("{\\rtf1\\ansicpg932 \\'83A}"), cursor);
    EXPECT_EQ(paragraphs(document), QStringLiteral("abéй\U0001F600アcd"));
}

TEST_F(RtfPaste, LoadingInsteadLeavesNothingToUndo)
{
    Rtf::load("{\\rtf1 new\\par more}", document);
    EXPECT_FALSE(document.isUndoAvailable());
    EXPECT_FALSE(document.isModified());
}

// What the document's formats hold: a share of each format, and every distinct string once.
qsizetype heldByFormats(const QTextDocument &document)
{
    QHash<const QChar *, bool> seen;
    qsizetype bytes = 0;
    for (const QTextFormat &format : document.allFormats()) {
        bytes += 64;
        for (const QVariant &value : format.properties()) {
            const bool text =
                value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QStringList;
            for (const QString &s : text ? value.toStringList() : QStringList()) {
                if (!std::exchange(seen[s.constData()], true))
                    bytes += s.size() * qsizetype(sizeof(QChar));
            }
        }
    }
    return bytes;
}

TEST(RtfMemory, WhatReadingLeavesGrowsWithTheInputAlone)
{
    // Fonts of long names, each in many sizes.
    for (const auto &[fonts, length, sizes] :
         {std::tuple(1, 4000, 1000), std::tuple(100, 300, 30)}) {
        QByteArray rtf = "{\\rtf1{\\fonttbl";
        for (int f = 0; f < fonts; ++f)
            rtf += "{\\f" + QByteArray::number(f) + ' ' + QByteArray(length, 'N')
                   + QByteArray::number(f) + ";}";
        rtf += '}';
        for (int i = 0; i < fonts * sizes; ++i)
            rtf += "\\f" + QByteArray::number(i / sizes) + "\\fs"
                   + QByteArray::number(2 + i % sizes) + " x";
        QTextDocument document;
        Rtf::load(rtf + '}', document);
        EXPECT_LE(heldByFormats(document), 16 * rtf.size() + 4096) << fonts;
    }
}

} // namespace
