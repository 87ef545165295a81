#include "editor/codepage.h"
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

QString loaded(QByteArrayView rtf)
{
    QTextDocument document;
    Rtf::load(rtf, document);
    return paragraphs(document);
}

QString pasted(QByteArrayView rtf)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    Rtf::read(rtf, cursor);
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

// A byte string that may hold NUL bytes.
template<std::size_t N> QByteArray bytes(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

QByteArray repeated(const char *part, int times)
{
    return QByteArray(part).repeated(times);
}

// ---- Code pages -------------------------------------------------------------------------

struct CodePoint
{
    int page;
    uchar byte;
    char16_t unicode;
};

void PrintTo(const CodePoint &c, std::ostream *os)
{
    *os << "cp" << c.page << " 0x" << std::hex << int(c.byte);
}

class CodePageTable : public ::testing::TestWithParam<CodePoint>
{};

TEST_P(CodePageTable, DecodesTheByteAsPublished)
{
    const CodePoint &c = GetParam();
    EXPECT_EQ(CodePage::decode(QByteArray(1, char(c.byte)), c.page), QString(QChar(c.unicode)));
}

INSTANTIATE_TEST_SUITE_P(
    Table, CodePageTable,
    ::testing::Values(
        CodePoint{1252, 0x80, 0x20AC}, CodePoint{1252, 0x9F, 0x0178}, CodePoint{1250, 0xA3, 0x0141},
        CodePoint{1250, 0xFF, 0x02D9}, CodePoint{1251, 0xC0, 0x0410}, CodePoint{1251, 0x88, 0x20AC},
        CodePoint{1253, 0xC1, 0x0391}, CodePoint{1253, 0xA2, 0x0386}, CodePoint{1254, 0xD0, 0x011E},
        CodePoint{1254, 0xFD, 0x0131}, CodePoint{1255, 0xE0, 0x05D0}, CodePoint{1255, 0xA4, 0x20AA},
        CodePoint{1256, 0x81, 0x067E}, CodePoint{1256, 0xFF, 0x06D2}, CodePoint{1257, 0xC0, 0x0104},
        CodePoint{1257, 0xA8, 0x00D8}, CodePoint{1258, 0xFE, 0x20AB}, CodePoint{1258, 0xCC, 0x0300},
        CodePoint{874, 0xA1, 0x0E01}, CodePoint{874, 0xFB, 0x0E5B}, CodePoint{437, 0x80, 0x00C7},
        CodePoint{437, 0xB0, 0x2591}, CodePoint{437, 0xFF, 0x00A0}, CodePoint{850, 0x9B, 0x00F8},
        CodePoint{850, 0xF2, 0x2017},
        // A byte the page leaves undefined: the code point of the same value.
        CodePoint{1252, 0x81, 0x0081}, CodePoint{1251, 0x98, 0x0098}, CodePoint{1253, 0xD2, 0x00D2},
        CodePoint{874, 0xDB, 0x00DB}));

class CodePageRoundTrip : public ::testing::TestWithParam<int>
{};

TEST_P(CodePageRoundTrip, EveryByteComesBackAsItWas)
{
    QByteArray all(256, Qt::Uninitialized);
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    const QString text = CodePage::decode(all, GetParam());
    ASSERT_EQ(text.size(), 256);
    const CodePage::Encoded back = CodePage::encode(text, GetParam());
    EXPECT_TRUE(back.complete);
    EXPECT_EQ(back.bytes, all);
}

INSTANTIATE_TEST_SUITE_P(Table, CodePageRoundTrip,
                         ::testing::Values(1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258,
                                           874, 437, 850));

struct EncodeCase
{
    int page;
    const char *text;
    QByteArray bytes;
    bool complete;
};

class CodePageEncode : public ::testing::TestWithParam<EncodeCase>
{};

TEST_P(CodePageEncode, SaysWhetherEveryCharacterFitted)
{
    const EncodeCase &c = GetParam();
    const CodePage::Encoded encoded = CodePage::encode(QString::fromUtf8(c.text), c.page);
    EXPECT_EQ(encoded.bytes, c.bytes);
    EXPECT_EQ(encoded.complete, c.complete);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CodePageEncode,
    ::testing::Values(EncodeCase{1252, "Café €", "Caf\xE9 \x80", true},
                      EncodeCase{1252, "Жук", "???", false},
                      EncodeCase{1251, "Жук", "\xC6\xF3\xEA", true},
                      // A character beyond the BMP is one character, so one '?'.
                      EncodeCase{1252, "a\U0001F600b", "a?b", false},
                      EncodeCase{437, "░ß", "\xB0\xE1", true},
                      EncodeCase{65001, "é\U0001F600", "\xC3\xA9\xF0\x9F\x98\x80", true},
                      // Pages without a table are written as 1252.
                      EncodeCase{932, "é", "\xE9", true}));

TEST(CodePage, LoneSurrogateHasNoUtf8)
{
    EXPECT_FALSE(CodePage::encode(QString(QChar(0xD800)), CodePage::Utf8).complete);
}

// ---- Reading RTF: text ------------------------------------------------------------------

TEST(RtfIsMarkup, LooksAtTheStartOnly)
{
    for (const char *yes : {"{\\rtf1\\ansi x}", "{\\rtf", " \t\r\n{\\rtf1}"})
        EXPECT_TRUE(Rtf::isMarkup(QByteArrayView(yes)) && Rtf::isMarkup(QString::fromLatin1(yes)));
    for (const char *no : {"{\\rt", "", "{\\RTF1}", "x{\\rtf1}"})
        EXPECT_FALSE(Rtf::isMarkup(QByteArrayView(no)) || Rtf::isMarkup(QString::fromLatin1(no)));
}

struct TextCase
{
    const char *what;
    QByteArray rtf;
    const char *text; // UTF-8
};

void PrintTo(const TextCase &c, std::ostream *os)
{
    *os << c.what;
}

class RtfText : public ::testing::TestWithParam<TextCase>
{};

TEST_P(RtfText, ShowsWhatAWordProcessorShows)
{
    EXPECT_EQ(loaded(GetParam().rtf), QString::fromUtf8(GetParam().text));
}

const QByteArray Fonts = "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\fcharset204 Ru;}"
                         "{\\f2\\fnil\\fcharset1 Def;}}";

INSTANTIATE_TEST_SUITE_P(
    Table, RtfText,
    ::testing::Values(
        TextCase{"plain", "{\\rtf1\\ansi Hello world}", "Hello world"},
        TextCase{"escaped", "{\\rtf1 \\{\\}\\\\}", "{}\\"},
        TextCase{"punctuation",
                 "{\\rtf1 a\\emdash b\\endash c\\lquote d\\rquote e\\ldblquote f\\rdblquote "
                 "g\\bullet h}",
                 "a—b–c‘d’e“f”g•h"},
        TextCase{"hyphens and spaces", "{\\rtf1 a\\~b\\_c\\-d}", "a\u00A0b\u2011cd"},
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
        TextCase{"page without table", "{\\rtf1\\ansicpg932 \\'82\\'a0}", "\u201A\u00A0"},
        TextCase{"unicode", "{\\rtf1 \\u1046?\\u1091?k}", "Жуk"},
        TextCase{"no fallback", "{\\rtf1 \\uc0\\u1046 x}", "Жx"},
        TextCase{"hex fallback", "{\\rtf1 \\uc2\\u1046\\'c6\\'c6x}", "Жx"},
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
        TextCase{"field result", "{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}}",
                 "link"},
        TextCase{"list number", "{\\rtf1 {\\pntext 1.\\tab}Item}", "1.\tItem"},
        TextCase{"binary with braces", "{\\rtf1 {\\pict\\bin6 }}}{{{}A}", "A"},
        TextCase{"binary in text", "{\\rtf1 a\\bin3 xyzb}", "ab"},
        TextCase{"long control word", "{\\rtf1 \\" + repeated("b", 40) + "1 x}", "x"},
        TextCase{"control codes", bytes("{\\rtf1 a\0b\\\0c\x01\\'01\\'09d}"), "abc\td"},
        TextCase{"before and after the document", "junk{\\rtf1 a}b", "a"}));

// ---- Paragraphs -------------------------------------------------------------------------

struct ParagraphCase
{
    QByteArray rtf;
    const char *load;
    const char *paste;
};

class RtfParagraphs : public ::testing::TestWithParam<ParagraphCase>
{};

TEST_P(RtfParagraphs, LastParEndsAFileButNotAPaste)
{
    EXPECT_EQ(loaded(GetParam().rtf), QString::fromUtf8(GetParam().load));
    EXPECT_EQ(pasted(GetParam().rtf), QString::fromUtf8(GetParam().paste));
}

INSTANTIATE_TEST_SUITE_P(Table, RtfParagraphs,
                         ::testing::Values(ParagraphCase{"{\\rtf1 a\\par\n}", "a", "a\n"},
                                           ParagraphCase{"{\\rtf1 a}", "a", "a"},
                                           ParagraphCase{"{\\rtf1 a\\par b}", "a\nb", "a\nb"},
                                           ParagraphCase{"{\\rtf1 a\\par\\par}", "a\n", "a\n\n"},
                                           ParagraphCase{"{\\rtf1 \\par}", "", "\n"},
                                           // What follows the last \par shows nothing.
                                           ParagraphCase{"{\\rtf1 a\\par\\pard\\b {\\*\\x y}}", "a",
                                                         "a\n"},
                                           ParagraphCase{"{\\rtf1 a\\sect b\\row c\\page d\\\r\ne}",
                                                         "a\nb\nc\nd\ne", "a\nb\nc\nd\ne"}));

struct AlignCase
{
    QByteArray rtf;
    QList<Qt::Alignment> blocks;
};

class RtfAlignment : public ::testing::TestWithParam<AlignCase>
{};

TEST_P(RtfAlignment, IsTheOneInForceAtTheParagraphsEnd)
{
    QTextDocument document;
    Rtf::load(GetParam().rtf, document);
    QList<Qt::Alignment> blocks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        blocks << block.blockFormat().alignment();
    EXPECT_EQ(blocks, GetParam().blocks);
}

INSTANTIATE_TEST_SUITE_P(Table, RtfAlignment,
                         ::testing::Values(AlignCase{"{\\rtf1 \\qc a\\par\\pard b\\par}",
                                                     {Qt::AlignHCenter, Qt::AlignLeft}},
                                           AlignCase{"{\\rtf1 \\qr a}", {Qt::AlignRight}},
                                           AlignCase{"{\\rtf1 \\qj a\\par}", {Qt::AlignJustify}},
                                           AlignCase{"{\\rtf1 a\\qc\\par}", {Qt::AlignHCenter}},
                                           AlignCase{"{\\rtf1 {\\qc a\\par}b}",
                                                     {Qt::AlignHCenter, Qt::AlignLeft}},
                                           AlignCase{"{\\rtf1 \\qr\\par\\ql\\par\\qc}",
                                                     {Qt::AlignRight, Qt::AlignLeft}}));

TEST(RtfParagraphs, EmptyParagraphKeepsTheSizeOfItsMark)
{
    QTextDocument document;
    Rtf::load("{\\rtf1 a\\par\\fs48\\par b}", document);
    EXPECT_EQ(document.findBlockByNumber(1).charFormat().fontPointSize(), 24.0);
}

// ---- Character formats ------------------------------------------------------------------

struct FormatCase
{
    const char *what;
    QByteArray body;
    const char *probe;
    int property;
    QVariant value; // none: the property is not set
};

void PrintTo(const FormatCase &c, std::ostream *os)
{
    *os << c.what;
}

class RtfFormat : public ::testing::TestWithParam<FormatCase>
{};

TEST_P(RtfFormat, GivesTheTextItsFormat)
{
    const FormatCase &c = GetParam();
    QTextDocument document;
    Rtf::load("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New "
              "Roman;}}{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
                  + c.body + "}",
              document);
    EXPECT_EQ(formatAt(document, QString::fromUtf8(c.probe)).property(c.property), c.value);
}

const QVariant Bold(int(QFont::Bold));
const QVariant Yes(true);
const QVariant None;

INSTANTIATE_TEST_SUITE_P(
    Table, RtfFormat,
    ::testing::Values(
        FormatCase{"bold", "\\b B\\b0 n", "B", QTextFormat::FontWeight, Bold},
        FormatCase{"bold off", "\\b B\\b0 n", "n", QTextFormat::FontWeight, None},
        FormatCase{"bold ends with its group", "{\\b B}n", "n", QTextFormat::FontWeight, None},
        FormatCase{"italic", "\\i I\\i0 n", "I", QTextFormat::FontItalic, Yes},
        FormatCase{"strike", "\\strike S", "S", QTextFormat::FontStrikeOut, Yes},
        FormatCase{"underline", "\\ul U", "U", QTextFormat::TextUnderlineStyle,
                   int(QTextCharFormat::SingleUnderline)},
        FormatCase{"underline off", "\\ul U\\ul0 n", "n", QTextFormat::TextUnderlineStyle, None},
        FormatCase{"no underline", "\\ul U\\ulnone n", "n", QTextFormat::TextUnderlineStyle, None},
        FormatCase{"word underline", "\\ulw W", "W", QTextFormat::TextUnderlineStyle,
                   int(QTextCharFormat::SingleUnderline)},
        FormatCase{"dotted underline", "\\uld D", "D", QTextFormat::TextUnderlineStyle,
                   int(QTextCharFormat::DotLine)},
        FormatCase{"superscript", "\\super S", "S", QTextFormat::TextVerticalAlignment,
                   int(QTextCharFormat::AlignSuperScript)},
        FormatCase{"subscript ends", "\\sub S\\nosupersub n", "n",
                   QTextFormat::TextVerticalAlignment, None},
        FormatCase{"default font", "D", "D", QTextFormat::FontFamilies, QStringList{"Arial"}},
        FormatCase{"font", "\\f1 T", "T", QTextFormat::FontFamilies,
                   QStringList{"Times New Roman"}},
        FormatCase{"unknown font", "\\f7 T", "T", QTextFormat::FontFamilies, None},
        FormatCase{"size", "\\fs36 S", "S", QTextFormat::FontPointSize, 18.0},
        FormatCase{"half point", "\\fs7 S", "S", QTextFormat::FontPointSize, 3.5},
        FormatCase{"default size", "S", "S", QTextFormat::FontPointSize, 12.0},
        FormatCase{"negative size", "\\fs-5 S", "S", QTextFormat::FontPointSize, 1.0},
        FormatCase{"huge size", "\\fs999999999999 S", "S", QTextFormat::FontPointSize, 1638.0},
        FormatCase{"colour", "\\cf1 R", "R", QTextFormat::ForegroundBrush, QBrush(Qt::red)},
        FormatCase{"colour above 255", "{\\colortbl;\\red300\\green-5\\blue128;}\\cf1 C", "C",
                   QTextFormat::ForegroundBrush, QBrush(QColor(255, 0, 128))},
        FormatCase{"auto colour", "\\cf1 R\\cf0 A", "A", QTextFormat::ForegroundBrush, None},
        FormatCase{"no such colour", "\\cf9 X", "X", QTextFormat::ForegroundBrush, None},
        FormatCase{"highlight", "\\highlight2 H", "H", QTextFormat::BackgroundBrush,
                   QBrush(Qt::blue)},
        FormatCase{"plain", "\\b\\fs40\\f1 x\\plain P", "P", QTextFormat::FontPointSize, 12.0},
        FormatCase{"plain font", "\\f1 x\\plain P", "P", QTextFormat::FontFamilies,
                   QStringList{"Arial"}}));

TEST(RtfFormat, ThirtyThousandFonts)
{
    QByteArray rtf = "{\\rtf1{\\fonttbl";
    for (int i = 0; i < 30000; ++i)
        rtf += "{\\f" + QByteArray::number(i) + " Font" + QByteArray::number(i) + ";}";
    rtf += "}\\f29999 x\\f17 y}";
    QTextDocument document;
    Rtf::load(rtf, document);
    EXPECT_EQ(formatAt(document, "x").fontFamilies(), QStringList{"Font29999"});
    EXPECT_EQ(formatAt(document, "y").fontFamilies(), QStringList{"Font17"});
}

// ---- Pasting ----------------------------------------------------------------------------

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

TEST_F(RtfPaste, ReplacesTheSelection)
{
    cursor.setPosition(1);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    Rtf::read(QByteArrayView("{\\rtf1 X}"), cursor);
    EXPECT_EQ(paragraphs(document), "aXd");
}

TEST_F(RtfPaste, IsOneUndoStep)
{
    Rtf::read(QByteArrayView("{\\rtf1 X\\par {\\b Y}\\par Z}"), cursor);
    ASSERT_EQ(paragraphs(document), "abX\nY\nZcd");
    document.undo();
    EXPECT_EQ(paragraphs(document), "abcd");
}

TEST_F(RtfPaste, TextAfterTheLastParKeepsItsParagraphsAlignment)
{
    Rtf::read(QByteArrayView("{\\rtf1\\qc X\\par Y}"), cursor);
    EXPECT_EQ(document.begin().blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(document.lastBlock().blockFormat().alignment(), Qt::AlignLeft);
}

TEST_F(RtfPaste, MarkupAsTextTakesCharactersAsTheyAre)
{
    Rtf::read(QStringLiteral("{\\rtf1\\ansicpg1251 é\\'e9\U0001F600}"), cursor);
    EXPECT_EQ(paragraphs(document), QStringLiteral("abéй\U0001F600cd"));
}

TEST(RtfLoad, LeavesNothingToUndo)
{
    QTextDocument document;
    QTextCursor(&document).insertText("old");
    Rtf::load("{\\rtf1 new\\par more}", document);
    EXPECT_EQ(paragraphs(document), "new\nmore");
    EXPECT_FALSE(document.isUndoAvailable());
    EXPECT_FALSE(document.isModified());
}

// ---- Malformed markup -------------------------------------------------------------------

class RtfMalformed : public ::testing::TestWithParam<TextCase>
{};

TEST_P(RtfMalformed, ReadsWhatItCan)
{
    EXPECT_EQ(loaded(GetParam().rtf), QString::fromUtf8(GetParam().text));
}

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
QByteArray atTheDepthLimit()
{
    return "{\\rtf1 " + repeated("{", Rtf::MaxGroupDepth - 1) + "a{b}c"
           + repeated("}", Rtf::MaxGroupDepth - 1) + "d}";
}

INSTANTIATE_TEST_SUITE_P(
    Table, RtfMalformed,
    ::testing::Values(
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
        TextCase{"at the depth limit", atTheDepthLimit(), "acd"},
        TextCase{"a million groups open", "{\\rtf1 a" + repeated("{", 1000000) + "b", "a"},
        TextCase{"a million groups closed",
                 "{\\rtf1 a" + repeated("{", 1000000) + "b" + repeated("}", 1000000) + "c}", "ac"}
#ifdef Q_OS_LINUX
        ,
        TextCase{"more than 2^31 groups open", beyondTwoGibOfGroups(), "a"}
#endif
        ));

// ---- Memory -----------------------------------------------------------------------------

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
