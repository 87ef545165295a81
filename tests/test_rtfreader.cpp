#include "editor/rtfreader.h"
#include "editor/rtftokenizer.h"
#include "editor/textarea.h"
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

// The document's paragraphs joined by '\n', each but a left-aligned one after the mark of its
// alignment; line breaks stay U+2028 and no-break spaces stay themselves, unlike in
// toPlainText().
QString paragraphs(const QTextDocument &document)
{
    const QHash<int, QString> marks{
        {Qt::AlignHCenter, "^"}, {Qt::AlignRight, ">"}, {Qt::AlignJustify, "="}};
    QStringList blocks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        blocks << marks.value(block.blockFormat().alignment()) + block.text();
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

// Every paragraph's alignment and mark, and every piece of text with its format.
QList<std::pair<QString, QTextFormat>> pieces(const QTextDocument &document)
{
    QList<std::pair<QString, QTextFormat>> all;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        all.emplaceBack(QString::number(block.blockFormat().alignment()), block.charFormat());
        for (auto it = block.begin(); !it.atEnd(); ++it)
            all.emplaceBack(it.fragment().text(), it.fragment().charFormat());
    }
    return all;
}

// The format of the text piece that holds the probe, a letter.
QTextFormat formatAt(const QTextDocument &document, const QString &probe)
{
    for (const auto &[text, format] : pieces(document)) {
        if (text.contains(probe))
            return format;
    }
    ADD_FAILURE() << "no text " << probe.toStdString();
    return {};
}

// "abcd" with "b" selected.
struct Target
{
    Target()
    {
        cursor.insertText(u"abcd"_s);
        cursor.setPosition(1);
        cursor.setPosition(2, QTextCursor::KeepAnchor);
    }
    QTextDocument document;
    QTextCursor cursor{&document};
};

// Markup as text, pasted over a selection at once and a slice at a time.
void expectSlicesReadAsOne(const QByteArray &rtf)
{
    if (rtf.size() > 65536)
        return;
    const QString markup = QString::fromLatin1(rtf);
    Target whole;
    Rtf::read(markup, whole.cursor);
    for (const qsizetype slice : {1, 7, 4096}) {
        Target sliced;
        Rtf::Paste paste(markup, sliced.cursor);
        while (!paste.readMore(slice)) {
        }
        EXPECT_EQ(pieces(sliced.document), pieces(whole.document)) << slice << rtf.toStdString();
        EXPECT_EQ(paste.cursor().position(), whole.cursor.position()) << slice;
    }
}

TEST(RtfIsMarkup, LooksAtTheStartOnly)
{
    for (const char *yes : {"{\\rtf1\\ansi x}", "{\\rtf", " \t\r\n{\\rtf1}"})
        EXPECT_TRUE(Rtf::isMarkup(QByteArrayView(yes))) << yes;
    for (const char *no : {"{\\rt", "", "{\\RTF1}", "x{\\rtf1}"})
        EXPECT_FALSE(Rtf::isMarkup(QByteArrayView(no))) << no;
    EXPECT_TRUE(Rtf::isMarkup(u" \t\r\n{\\rtf1}"_s));
    EXPECT_FALSE(Rtf::isMarkup(u"x{\\rtf1}"_s));
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
    expectSlicesReadAsOne(c.rtf);
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

const TextCase Texts[] = {
    {"punctuation",
     "{\\rtf1 a\\emdash b\\endash c\\lquote d\\rquote e\\ldblquote f\\rdblquote g\\bullet h}",
     "a—b–c‘d’e“f”g•h"},
    {"escaped, hyphens and spaces", "{\\rtf1 \\{\\}\\\\a\\~b\\_c\\-d}",
     "{}\\a\u00A0b\u2011c\u00ADd"},
    {"footnote marks, not their text",
     "{\\rtf1 a{\\super\\chftn}{\\footnote{\\super\\chftn} A.}b\\chftn{\\footnote\\chftn B.}}",
     "a1b2"},
    {"first footnote's number, page number", "{\\rtf1\\ftnstart7 a\\chftn , p. \\chpgn}",
     "a7, p. 1"},
    // A paragraph separator in the text only breaks the line.
    {"line and tab", "{\\rtf1 a\\line b\\tab c\\u8233?d}", "a\u2028b\tc\u2028d"},
    {"hex and bytes in ansicpg", "{\\rtf1\\ansi\\ansicpg1251 \\'c6\\'f3\\'ea\xc6\xf3\xea}",
     "ЖукЖук"},
    {"font charset", "{\\rtf1\\ansi\\deff0" + Fonts + "\\'e9\\f1\\'e9\\f0\\'e9}", "éйé"},
    {"charset 1 is the document's", "{\\rtf1\\ansi\\ansicpg1250" + Fonts + "\\f2\\'a3}", "Ł"},
    {"font table after \\deff", "{\\rtf1\\deff1" + Fonts + "\\'e9}", "й"},
    {"utf-8 page", "{\\rtf1\\ansicpg65001 \\'c3\\'a9\xc3\xa9}", "éé"},
    {"double-byte page", "{\\rtf1\\ansicpg932 \\'93\\'fa\\'96\\'7b\\'83A\\'83\\\\\\'b1}",
     "日本アソｱ"},
    {"double-byte charsets",
     "{\\rtf1{\\fonttbl{\\f1\\fcharset134 S;}{\\f2\\fcharset136 M;}{\\f3\\fcharset129 G;}}"
     "\\f1\\'d6\\'d0\\f2\\'a4\\'e5\\f3\\'c7\\'d1}",
     "中文한"},
    {"lead byte alone", "{\\rtf1\\ansicpg932 a\\'82{\\b b}\\'a0\\'82}", "a\uFFFDb\uFFFD\uFFFD"},
    {"mac", "{\\rtf1\\mac It\\'d5s \\'d0 \\'87}", "It’s – á"},
    {"pc page 850", "{\\rtf1\\pca \\'d5}", "\u0131"},
    {"mac charset", "{\\rtf1{\\fonttbl{\\f1\\fcharset77 G;}}\\'d2{\\f1\\'d2}}", "Ò“"},
    {"pc charsets",
     "{\\rtf1{\\fonttbl{\\f1\\fcharset254 P;}{\\f2\\fcharset255 O;}}\\'82{\\f1\\'82}{\\f2\\'82}}",
     "‚éé"},
    {"font code page before charset",
     "{\\rtf1{\\fonttbl{\\f1\\cpg1251 A;}{\\f2\\fcharset204\\cpg1253 B;}}\\f1\\'c8\\f2\\'c8}",
     "ИΘ"},
    {"symbol fonts",
     "{\\rtf1{\\fonttbl{\\f1\\fcharset2 Symbol;}{\\f2\\fcharset2 Wingdings;}}"
     "{\\f1\\'b7 a\\'b3b\\u61623?}{\\f2\\'a7\\u61623?}}",
     "• α≥β•\uF0A7\uF0B7"},
    {"unicode", "{\\rtf1 \\u1046?\\u1091?k\\u-15032?\\u-10179?\\u-8704?}", "Жуk안\U0001F600"},
    {"fallbacks", "{\\rtf1 \\uc0\\u1046 x\\uc2\\u1046\\'c6\\'c6x\\uc1\\u1046\\emdash x}", "ЖxЖxЖx"},
    {"malformed hex fallback", "{\\rtf1 \\u345\\'3?x{\\u345\\'}y}", "řxřy"},
    {"fallbacks end with their group", "{\\rtf1 {\\uc2\\u1046 ab}\\u1046 cd\\uc3\\u1046 a{b}c}",
     "ЖЖdЖbc"},
    {"lone surrogates and beyond", "{\\rtf1 \\u-10179?x\\u-8704?\\u99999999999?\\u-99999?}",
     "\uFFFDx\uFFFD\uFFFD\uFFFD"},
    {"skipped destinations",
     "{\\rtf1{\\*\\generator W;}{\\info{\\title T}}{\\stylesheet{\\s0 N;}}{\\pict 0a0b}"
     "{\\header H}{\\footerl F}{\\*\\unknown U}{\\listtable{\\list L}}{\\object{\\result R}}A}",
     "A"},
    {"\\* marks a group only at its start",
     "{\\rtf1 {\\field{\\*\\fldinst X}{\\fldrslt \\*\\cs12 a}}{\\*\\x b}{\\* c}{\\*\\'41}d}", "ad"},
    {"field without a result",
     "{\\rtf1{\\fonttbl{\\f3\\fcharset2 Symbol;}{\\f4\\fcharset2 Wingdings;}}{\\field{\\*"
     "\\fldinst SYMBOL 183 \\\\f \"Symbol\" \\\\s 10}{\\fldrslt }}{\\field{\\*\\fldinst "
     "SYMBOL 0x41 \\\\f Symbol}}{\\field{\\*\\fldinst SYMBOL 167 \\\\f \"Wingdings\"}}"
     "{\\field{\\*\\fldinst SYMBOL 8364 \\\\u}}{\\field{\\*\\fldinst {PAGE }}}"
     "{\\field{\\*\\fldinst PAGE}{\\fldrslt 4}}"
     "{\\field{\\*\\fldinst QUOTE \"x\"}{\\fldrslt {\\field{\\*\\fldinst PAGE}}}}}",
     "•Α\uF0A7€141"},
    {"field text in its code",
     "{\\rtf1 {\\field{\\*\\fldinst GOTOBUTTON intro {\\b Go on}}}|{\\field{\\*\\fldinst "
     "QUOTE \"a \\'e9\"}}|{\\field{\\*\\fldinst QUOTE b \\\\* MERGEFORMAT}}}",
     "Go on|a é|b"},
    {"malformed field codes",
     "{\\rtf1 {\\field{\\*\\fldinst SYMBOL x}}{\\field{\\*\\fldinst SYMBOL 99999999}}"
     "{\\field{\\*\\fldinst QUOTE \"c}}{\\*\\fldinst d}e}",
     "ce"},
    {"text boxes",
     "{\\rtf1 a{\\shp{\\*\\shpinst\\shpleft0{\\sp{\\sn shapeType}{\\sv 202}}"
     "{\\shptxt \\pard B\\par}}{\\shprslt{\\*\\do\\dptxbx{\\dptxbxtext B}}}}"
     "c{\\*\\do\\dobxpage\\dptxbx{\\dptxbxtext D\\par}\\dpx0 }e{\\do{\\dptxbx F}}"
     "{\\shp{\\*\\shpinst{\\sp{\\sn a}{\\sv 1}}}}g}",
     "aB\ncD\neFg"},
    {"list number", "{\\rtf1 {\\pntext 1.\\tab}Item}", "1.\tItem"},
    {"binary with braces", "{\\rtf1 {\\pict\\bin6 }}}{{{}A}", "A"},
    {"long control word", "{\\rtf1 \\" + "b"_ba.repeated(40) + "1 x}", "x"},
    {"control codes and line ends", "{\\rtf1 a\0b\\\0c\x01\\'01\\'09d\r\ne\nf\rg}"_ba, "abc\tdefg"},
    // The last \par ends a file but not a paste; what follows it shows nothing.
    {"last \\par", "{\\rtf1 a\\par\n}", "a", "a\n"},
    {"two \\par", "{\\rtf1 a\\par\\par}", "a\n", "a\n\n"},
    {"only \\par", "{\\rtf1 \\par}", "", "\n"},
    {"after the last \\par", "{\\rtf1 a\\par\\pard\\b {\\*\\x y}}", "a", "a\n"},
    // Read at once or in pieces, markup that holds no text still takes the selection away.
    {"no text", "{\\rtf1{\\fonttbl{\\f0 Arial;}}}", "", ""},
    {"breaks", "{\\rtf1 a\\sect b\\row c\\page d\\\r\ne\\par f}", "a\nb\nc\nd\ne\nf"},
    // A paragraph's alignment is the one in force at its end.
    {"aligned", "{\\rtf1 \\qc a\\par\\pard b\\par c\\qj\\par{\\qc d\\par}\\qr e}",
     "^a\nb\n=c\n^d\n>e"},
    {"empty paragraphs", "{\\rtf1 \\qr\\par\\ql\\par\\qc}", ">\n"},
    // Malformed markup: what can be read is.
    {"before and after the document", "junk{\\rtf1 a}}}b}", "a"},
    {"closing first", "}}{\\rtf1 a}", "a"},
    {"unclosed", "{\\rtf1 a{\\b b", "ab"},
    {"cut in a control word", "{\\rtf1 a\\pa", "a"},
    {"cut after a backslash", "{\\rtf1 a\\", "a"},
    {"cut in a hex escape", "{\\rtf1 a\\'4", "a"},
    {"cut in binary data", "{\\rtf1 a\\bin10 xy", "a"},
    {"bad hex escape, binary in text", "{\\rtf1 a\\'zzb\\bin3 xyzc\\bin-1 d}", "azzbcd"},
    {"huge \\uc", "{\\rtf1 {\\uc999999999999\\u1046 abc}d}", "Жd"},
    {"at the depth limit", AtTheDepthLimit, "acd"},
    {"a million groups closed",
     "{\\rtf1 a" + "{"_ba.repeated(1000000) + "b" + "}"_ba.repeated(1000000) + "c}", "ac"},
#ifdef Q_OS_LINUX
    {"more than 2^31 groups open", beyondTwoGibOfGroups(), "a"},
#endif
};
INSTANTIATE_TEST_SUITE_P(Table, RtfText, ::testing::ValuesIn(Texts));

// A token comes only when it starts before the stop asked for; nothing starts before the start.
TEST(RtfTokenizer, GivesOnlyWhatStartsBeforeTheStop)
{
    using Kind = Rtf::Token::Kind;
    const QByteArray markup = "{\\rtf1 a}";
    Rtf::Tokenizer<char> tokens(markup.constData(), markup.constData() + markup.size());
    for (const qsizetype stop : {-1, 0})
        EXPECT_EQ(tokens.next(stop).kind, Kind::End) << stop;
    EXPECT_EQ(tokens.next(1).kind, Kind::GroupOpen);
    EXPECT_EQ(tokens.next(1).kind, Kind::End);
    EXPECT_EQ(tokens.next(markup.size()).word, "rtf");
}

TEST(RtfLoad, AnEmptyParagraphKeepsTheSizeOfItsMark)
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
    QVariant value;            // none: the property is not set
    const char *off = nullptr; // a probe after the word that ends the format, unset there
};

using RtfFormat = ::testing::TestWithParam<FormatCase>;

TEST_P(RtfFormat, GivesTheTextItsFormat)
{
    const FormatCase &c = GetParam();
    const QByteArray rtf =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times "
        "New Roman;}}{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
        + c.body + "}";
    QTextDocument document;
    Rtf::load(rtf, document);
    EXPECT_EQ(formatAt(document, QString::fromUtf8(c.probe)).property(c.property), c.value)
        << c.what;
    if (c.off) {
        EXPECT_EQ(formatAt(document, QString::fromUtf8(c.off)).property(c.property), QVariant())
            << c.what;
    }
    expectSlicesReadAsOne(rtf);
}

const QVariant Bold(int(QFont::Bold)), Yes(true), None;
const QVariant Single(int(QTextCharFormat::SingleUnderline));
const QVariant Arial(QStringList{"Arial"});
constexpr int Weight = QTextFormat::FontWeight, Underline = QTextFormat::TextUnderlineStyle,
              Family = QTextFormat::FontFamilies, Size = QTextFormat::FontPointSize,
              Colour = QTextFormat::ForegroundBrush, Raised = QTextFormat::TextVerticalAlignment;

const FormatCase Formats[] = {
    {"bold", "\\b B\\b0 n", "B", Weight, Bold, "n"},
    {"bold ends with its group", "{\\b B}n", "n", Weight, None},
    {"italic", "\\i I\\i0 n", "I", QTextFormat::FontItalic, Yes, "n"},
    {"strike", "\\strike S", "S", QTextFormat::FontStrikeOut, Yes},
    {"underline", "\\ul U\\ul0 n", "U", Underline, Single, "n"},
    {"no underline", "\\ul U\\ulnone n", "n", Underline, None},
    {"word underline", "\\ulw W", "W", Underline, Single},
    {"dotted underline", "\\uld D", "D", Underline, int(QTextCharFormat::DotLine)},
    {"superscript", "\\super S", "S", Raised, int(QTextCharFormat::AlignSuperScript)},
    {"subscript", "\\sub S\\nosupersub n", "S", Raised, int(QTextCharFormat::AlignSubScript), "n"},
    {"default font", "D", "D", Family, Arial},
    {"font", "\\f1 T", "T", Family, QStringList{"Times New Roman"}},
    {"unknown font", "\\f7 T", "T", Family, None},
    {"half point", "\\fs7 S", "S", Size, 3.5},
    {"default size", "S", "S", Size, 12.0},
    {"negative size", "\\fs-5 S", "S", Size, 1.0},
    {"huge size", "\\fs999999999999 S", "S", Size, 1638.0},
    {"colour", "\\cf1 R\\cf0 A", "R", Colour, QBrush(Qt::red), "A"},
    {"colour above 255", "{\\colortbl;\\red300\\green-5\\blue128;}\\cf1 C", "C", Colour,
     QBrush(QColor(255, 0, 128))},
    {"colour without red", "{\\colortbl;\\green255;}\\cf1 G", "G", Colour, QBrush(Qt::green)},
    {"no such colour", "\\cf9 X", "X", Colour, None},
    {"highlight", "\\highlight2 H", "H", QTextFormat::BackgroundBrush, QBrush(Qt::blue)},
    {"plain", "\\b\\fs40\\f1 x\\plain P", "P", Size, 12.0},
    {"plain font", "\\f1 x\\plain P", "P", Family, Arial},
};
INSTANTIATE_TEST_SUITE_P(Table, RtfFormat, ::testing::ValuesIn(Formats));

// Text after the last \par keeps the alignment of the paragraph it lands in.
TEST(RtfPaste, ReplacesTheSelectionInOneUndoStepAndAlignsOnlyThePastedParagraphs)
{
    Target target;
    Rtf::read(QByteArrayView("{\\rtf1\\qc X\\par {\\b Y}\\par Z}"), target.cursor);
    ASSERT_EQ(paragraphs(target.document), "^aX\n^Y\nZcd");
    target.document.undo();
    EXPECT_EQ(paragraphs(target.document), "abcd");
}

TEST(RtfPaste, MarkupAsTextTakesCharactersAsTheyAre)
{
    Target target;
    Rtf::read(QStringLiteral("{\\rtf1\\ansicpg1251 é\\'e9\U0001F600}"), target.cursor);
    // ASCII is bytes of the page: here the trail byte of a double-byte character.
    Rtf::read(QStringLiteral("{\\rtf1\\ansicpg932 \\'83A}"), target.cursor);
    EXPECT_EQ(paragraphs(target.document), QStringLiteral("aéй\U0001F600アcd"));
}

// Long enough to be read in pieces; the longest far more than one piece can read.
QString longMarkup(qsizetype size = 300 * 1024)
{
    QString markup = u"{\\rtf1\\qc "_s;
    while (markup.size() < size)
        markup += u"{\\b Portfolio} \\'e9\\u1046?\\par "_s;
    return markup + u'}';
}

TEST(RtfPaste, LongMarkupGoesInPiecesWhileTheWindowGoesOnAsOneUndoStep)
{
    Target target, whole;
    TextArea area;
    area.resize(300, 200);
    area.show();
    area.showDocument(&target.document);
    area.setTextCursor(target.cursor);
    area.pasteText(longMarkup());
    EXPECT_TRUE(area.isPasting());
    for (int turns = 0; area.isPasting() && turns < 100000; ++turns)
        QApplication::processEvents();
    Rtf::read(longMarkup(), whole.cursor);
    EXPECT_EQ(pieces(target.document), pieces(whole.document));
    EXPECT_EQ(area.textCursor().position(), whole.cursor.position());
    EXPECT_TRUE(area.viewport()->rect().contains(area.cursorRect())); // scrolled to, as typed
    target.document.undo();
    EXPECT_EQ(paragraphs(target.document), "abcd");
}

TEST(RtfPaste, TheWindowCanGoMidway)
{
    auto *window = new QWidget;
    auto *area = new TextArea(window);
    window->show();
    area->pasteText(longMarkup(4 << 20));
    QApplication::processEvents();
    ASSERT_TRUE(area->isPasting());
    delete window;
    QApplication::processEvents();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
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
