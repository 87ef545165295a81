#include "rtfreader.h"

#include "editor/codepage.h"

#include <QColor>
#include <QHash>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <iterator>
#include <optional>
#include <string_view>
#include <vector>

namespace Rtf {
namespace {

constexpr int DefaultHalfPoints = 24;
// One point to 1638 points, the range word processors offer.
constexpr int MinHalfPoints = 2;
constexpr int MaxHalfPoints = 3276;
// Numbers are clamped to this as they are read, so no digit string can overflow.
constexpr qint64 ParameterLimit = 0x7FFFFFFF;
// RTF's own limit; a longer control word is nobody's and is ignored.
constexpr int MaxWordLetters = 32;
constexpr char16_t Replacement = 0xFFFD;
// A property of our own on the formats made here; see Reader::format().
constexpr int FormatKey = QTextFormat::UserProperty + 0x7274;

// Instruction: a field's code, kept to show what a field without a result would. Shape: a
// drawing, which shows nothing but the text of its text box.
enum class Destination : quint8 { Text, FontTable, ColorTable, Instruction, Shape, Skip };
enum class Underline : quint8 { None, Single, Dotted, Dashed, Wave };
enum class Script : quint8 { Normal, Super, Sub };

// Character formatting as the markup states it. Compared for every piece of text, and made
// into a QTextCharFormat only once per run of equal formatting.
struct CharProps
{
    int font = -1;
    int halfPoints = DefaultHalfPoints;
    int color = 0;
    int background = 0;
    bool bold = false;
    bool italic = false;
    bool strike = false;
    Underline underline = Underline::None;
    Script script = Script::Normal;

    bool operator==(const CharProps &) const = default;
};

size_t qHash(const CharProps &p, size_t seed = 0)
{
    return qHashMulti(seed, p.font, p.halfPoints, p.color, p.background, p.bold, p.italic, p.strike,
                      int(p.underline), int(p.script));
}

// Formats made so far, as documents switch back and forth between a few. Bounded, for
// markup that makes a new one for every piece of text.
constexpr qsizetype MaxCachedFormats = 256;

// What an RTF group carries and gives back when it closes.
struct Group
{
    CharProps chars;
    int codePage = CodePage::Western; // of chars.font, resolved when the font changes
    int unicodeSkip = 1;              // \ucN: fallback characters after each \uN
    Qt::Alignment alignment = Qt::AlignLeft;
    Destination destination = Destination::Text;
};

enum class Word : quint8 {
    Skip, // a destination the editor does not show
    Align,
    AnsiCodePage,
    Background,
    Binary,
    Blue,
    Bold,
    Char,
    Charset,
    CodePage,
    ColorTable,
    DefaultFont,
    Field,
    FieldInstruction,
    Font,
    FontCodePage,
    FontSize,
    FontTable,
    FootnoteMark,
    FootnoteStart,
    Foreground,
    Green,
    Italic,
    Paragraph,
    ParagraphDefaults,
    Plain,
    Red,
    Script,
    Shape,
    ShapeText,
    Strike,
    Underline,
    Unicode,
    UnicodeSkip,
};

struct WordEntry
{
    std::string_view name;
    Word word;
    int value = 0;
};

// Sorted by name, for a binary search.
constexpr WordEntry Words[] = {
    {"aftncn", Word::Skip},
    {"aftnsep", Word::Skip},
    {"aftnsepc", Word::Skip},
    {"annotation", Word::Skip},
    {"ansi", Word::CodePage, 1252},
    {"ansicpg", Word::AnsiCodePage},
    {"atnauthor", Word::Skip},
    {"atndate", Word::Skip},
    {"atnicn", Word::Skip},
    {"atnid", Word::Skip},
    {"atnparent", Word::Skip},
    {"atnref", Word::Skip},
    {"atntime", Word::Skip},
    {"atrfend", Word::Skip},
    {"atrfstart", Word::Skip},
    {"author", Word::Skip},
    {"b", Word::Bold},
    {"bin", Word::Binary},
    {"bkmkend", Word::Skip},
    {"bkmkstart", Word::Skip},
    {"blipuid", Word::Skip},
    {"blue", Word::Blue},
    {"bullet", Word::Char, 0x2022},
    {"buptim", Word::Skip},
    {"category", Word::Skip},
    {"cb", Word::Background},
    {"cell", Word::Char, '\t'}, // table cells: tab-separated text in paragraph rows
    {"cf", Word::Foreground},
    {"chftn", Word::FootnoteMark},
    {"chpgn", Word::Char, '1'}, // the page number; a document without pages is on its first
    {"colorschememapping", Word::Skip},
    {"colortbl", Word::ColorTable},
    {"comment", Word::Skip},
    {"company", Word::Skip},
    {"cpg", Word::FontCodePage},
    {"creatim", Word::Skip},
    {"datafield", Word::Skip},
    {"datastore", Word::Skip},
    {"deff", Word::DefaultFont},
    {"do", Word::Shape},
    {"doccomm", Word::Skip},
    {"docvar", Word::Skip},
    {"dptxbx", Word::ShapeText, 1}, // a text box where it opens a group, else a flag
    {"dptxbxtext", Word::ShapeText},
    {"emdash", Word::Char, 0x2014},
    {"emspace", Word::Char, 0x2003},
    {"endash", Word::Char, 0x2013},
    {"enspace", Word::Char, 0x2002},
    {"f", Word::Font},
    {"falt", Word::Skip},
    {"fchars", Word::Skip},
    {"fcharset", Word::Charset},
    {"field", Word::Field},
    {"fldinst", Word::FieldInstruction}, // its result, \fldrslt, is text as any other
    {"fonttbl", Word::FontTable},
    {"footer", Word::Skip},
    {"footerf", Word::Skip},
    {"footerl", Word::Skip},
    {"footerr", Word::Skip},
    {"footnote", Word::Skip},
    {"fs", Word::FontSize},
    {"ftncn", Word::Skip},
    {"ftnsep", Word::Skip},
    {"ftnsepc", Word::Skip},
    {"ftnstart", Word::FootnoteStart},
    {"generator", Word::Skip},
    {"green", Word::Green},
    {"header", Word::Skip},
    {"headerf", Word::Skip},
    {"headerl", Word::Skip},
    {"headerr", Word::Skip},
    {"highlight", Word::Background},
    {"hlinkbase", Word::Skip},
    {"i", Word::Italic},
    {"info", Word::Skip},
    {"keywords", Word::Skip},
    {"latentstyles", Word::Skip},
    {"lchars", Word::Skip},
    {"ldblquote", Word::Char, 0x201C},
    {"line", Word::Char, 0x2028},
    {"listoverridetable", Word::Skip},
    {"listtable", Word::Skip},
    {"lquote", Word::Char, 0x2018},
    {"ltrmark", Word::Char, 0x200E},
    {"mac", Word::CodePage, 10000},
    {"manager", Word::Skip},
    {"mmathPr", Word::Skip},
    {"nestcell", Word::Char, '\t'},
    {"nestrow", Word::Paragraph},
    {"nonshppict", Word::Skip},
    {"nosupersub", Word::Script, int(Script::Normal)},
    {"object", Word::Skip},
    {"operator", Word::Skip},
    {"page", Word::Paragraph},
    {"panose", Word::Skip},
    {"par", Word::Paragraph},
    {"pard", Word::ParagraphDefaults},
    {"passwordhash", Word::Skip},
    {"pc", Word::CodePage, 437},
    {"pca", Word::CodePage, 850},
    {"pgdsctbl", Word::Skip},
    {"pict", Word::Skip},
    {"plain", Word::Plain},
    {"pn", Word::Skip}, // list numbering rules; the number itself is in \pntext, shown
    {"pnseclvl", Word::Skip},
    {"pntxta", Word::Skip},
    {"pntxtb", Word::Skip},
    {"printim", Word::Skip},
    {"private", Word::Skip},
    {"qc", Word::Align, Qt::AlignHCenter},
    {"qj", Word::Align, Qt::AlignJustify},
    {"ql", Word::Align, Qt::AlignLeft},
    {"qr", Word::Align, Qt::AlignRight},
    {"rdblquote", Word::Char, 0x201D},
    {"red", Word::Red},
    {"revtbl", Word::Skip},
    {"revtim", Word::Skip},
    {"row", Word::Paragraph},
    {"rquote", Word::Char, 0x2019},
    {"rsidtbl", Word::Skip},
    {"rtlmark", Word::Char, 0x200F},
    {"sect", Word::Paragraph},
    {"shp", Word::Shape},
    {"shpgrp", Word::Shape},
    {"shpinst", Word::Shape},
    {"shprslt", Word::Skip}, // the same drawing again, for readers that know no shapes
    {"shptxt", Word::ShapeText},
    {"strike", Word::Strike},
    {"stylesheet", Word::Skip},
    {"sub", Word::Script, int(Script::Sub)},
    {"subject", Word::Skip},
    {"super", Word::Script, int(Script::Super)},
    {"tab", Word::Char, '\t'},
    {"tc", Word::Skip},
    {"template", Word::Skip},
    {"themedata", Word::Skip},
    {"title", Word::Skip},
    {"txe", Word::Skip},
    {"u", Word::Unicode},
    {"uc", Word::UnicodeSkip},
    {"ul", Word::Underline, int(Underline::Single)},
    {"uld", Word::Underline, int(Underline::Dotted)},
    {"uldash", Word::Underline, int(Underline::Dashed)},
    {"uldb", Word::Underline, int(Underline::Single)},
    {"ulnone", Word::Underline, int(Underline::None)},
    {"ulth", Word::Underline, int(Underline::Single)},
    {"ulw", Word::Underline, int(Underline::Single)},
    {"ulwave", Word::Underline, int(Underline::Wave)},
    {"userprops", Word::Skip},
    {"wgrffmtfilter", Word::Skip},
    {"xe", Word::Skip},
    {"xmlnstbl", Word::Skip},
    {"zwj", Word::Char, 0x200D},
    {"zwnj", Word::Char, 0x200C},
};

constexpr bool byName(const WordEntry &a, const WordEntry &b)
{
    return a.name < b.name;
}
static_assert(std::is_sorted(std::begin(Words), std::end(Words), byName));

const WordEntry *lookup(std::string_view name)
{
    const auto found =
        std::lower_bound(std::begin(Words), std::end(Words), WordEntry{name, {}}, byName);
    return found != std::end(Words) && found->name == name ? found : nullptr;
}

constexpr bool isLetter(char16_t c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

constexpr bool isDigit(char16_t c)
{
    return c >= '0' && c <= '9';
}

constexpr int hexValue(char16_t c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Where a stretch of plain text ends.
constexpr bool isSpecial(char16_t c)
{
    return c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n' || c == 0;
}

class Reader
{
public:
    Reader(QTextCursor &cursor, bool keepFinalBreak)
        : m_cursor(cursor)
        , m_keepFinalBreak(keepFinalBreak)
        , m_baseBlock(cursor.blockFormat())
        , m_blockAlignment(m_baseBlock.alignment())
        , m_atBlockStart(cursor.atBlockStart())
    {
        m_stack.reserve(64);
        m_stack.emplace_back();
    }

    template<typename Char> void parse(const Char *p, const Char *end);
    void finish();

private:
    Group &top() { return m_stack.back(); }
    Destination destination() const
    {
        return m_overflow > 0 ? Destination::Skip : m_stack.back().destination;
    }

    template<typename Char> const Char *escape(const Char *p, const Char *end);
    template<typename Char> const Char *text(const Char *p, const Char *end);
    void unstar(const WordEntry *entry);
    void openGroup();
    void closeGroup();
    void instructionBytes(const char *bytes, qsizetype count);
    void instructionUnit(char16_t c);
    void settleInstruction();
    void finishField();
    QString fieldFallback(QStringView code);
    void controlWord(const WordEntry *entry, bool hasParameter, int parameter);
    void character(char16_t c);
    void unicode(int parameter);
    void byte(uchar b);
    int codePageOf(int font) const;
    int pageOfFont(int charset, int codePage, QStringView family) const;

    // Output: text gathers into a run of one format until the format changes.
    void beginText();
    void appendBytes(const char *bytes, qsizetype count, int codePage);
    void settleBytes();
    void appendUnit(char16_t c);
    void flushRun();
    void paragraph();
    void align(Qt::Alignment alignment);
    void endParagraph(Qt::Alignment alignment, const CharProps &props);
    void emitBreak();
    QTextCharFormat format(const CharProps &props) const;
    std::optional<QColor> color(int index) const;

    // Tables.
    void fontNameByte(uchar b) { m_fontName.bytes.append(char(b)); }
    void fontNameUnit(char16_t c);
    void commitFont();
    void commitColor();

    QTextCursor &m_cursor;
    const bool m_keepFinalBreak;
    const QTextBlockFormat m_baseBlock;

    std::vector<Group> m_stack; // [0] stands outside the document's group
    qint64 m_overflow = 0;      // groups open beyond MaxGroupDepth; each took a byte of input
    qint64 m_skip = 0;          // fallback characters of a \uN still to skip
    bool m_done = false;
    bool m_groupStart = false; // nothing but \* since the last '{'
    bool m_starred = false;    // \* right after a '{', waiting for its destination

    int m_documentCodePage = CodePage::Western;
    int m_defaultFont = -1;
    // Fields open around the text; each stands at the depth of its group.
    struct Field
    {
        std::size_t depth;
        qint64 textMark; // m_textCount at its start: the same at its end when it showed nothing
        QString code;
        QByteArray bytes; // of the code, not yet decoded
        int codePage = CodePage::Western;
    };
    std::vector<Field> m_fields;
    qint64 m_textCount = 0; // pieces of text shown so far

    // The next footnote's number. Its mark is shown; its text, like headers, is not.
    qint64 m_footnote = 1;

    struct Font
    {
        QString family;
        int charset = -1;
        int codePage = 0; // its \cpg, where given
        int familyId = 0; // the same for every font of the same family
    };
    QHash<int, Font> m_fonts;
    QHash<QString, int> m_familyIds;
    QHash<QString, int> m_fontOfFamily; // the first font of each name
    struct
    {
        int number = -1;
        int charset = -1;
        int codePage = 0;
        QByteArray bytes;
        QString name;
    } m_fontName;

    std::vector<std::optional<QColor>> m_colors;
    int m_red = 0;
    int m_green = 0;
    int m_blue = 0;
    bool m_colorGiven = false;

    QString m_run;
    CharProps m_runProps;
    QByteArray m_bytes; // undecoded, so that multi-byte sequences meet
    int m_bytesCodePage = CodePage::Western;
    CodePage::ReadingDecoder m_decoder;
    char16_t m_highSurrogate = 0;

    // A \par is held back until more text shows it was not the last.
    bool m_breakPending = false;
    Qt::Alignment m_breakAlignment = Qt::AlignLeft;
    CharProps m_breakProps;
    bool m_textSinceBreak = false;
    Qt::Alignment m_textAlignment = Qt::AlignLeft;

    // The cursor's block as far as it matters here, kept because asking the document for it
    // costs more than the rest of reading a paragraph.
    Qt::Alignment m_blockAlignment;
    bool m_atBlockStart;
    std::optional<CharProps> m_blockMark; // its own character format, once set here

    mutable QHash<CharProps, QTextCharFormat> m_formats;
};

template<typename Char> void Reader::parse(const Char *p, const Char *const end)
{
    while (p < end && !m_done) {
        const char16_t c = *p;
        // Whatever stands before the document's group is not part of it.
        if (m_stack.size() == 1 && c != '{') {
            ++p;
            continue;
        }
        switch (c) {
        case '{':
            ++p;
            m_skip = 0;
            openGroup();
            m_groupStart = true;
            m_starred = false;
            // Beyond the depth limit groups are only counted; a run of them at once.
            while (m_overflow > 0 && p < end && *p == '{') {
                ++p;
                ++m_overflow;
            }
            break;
        case '}':
            ++p;
            m_skip = 0;
            closeGroup();
            m_groupStart = m_starred = false;
            break;
        case '\\':
            p = escape(p + 1, end);
            m_groupStart = m_starred;
            break;
        case '\r':
        case '\n':
        case 0:
            ++p;
            break;
        default:
            unstar(nullptr);
            m_groupStart = false;
            p = text(p, end);
            break;
        }
    }
}

void Reader::unstar(const WordEntry *entry)
{
    // Only a destination that the reader does not know is skipped.
    if (std::exchange(m_starred, false) && !entry && m_overflow == 0)
        top().destination = Destination::Skip;
}

template<typename Char> const Char *Reader::escape(const Char *p, const Char *const end)
{
    if (p == end)
        return end;
    const char16_t first = *p;
    if (isLetter(first)) {
        char letters[MaxWordLetters];
        qsizetype length = 0;
        for (; p < end && isLetter(*p); ++p) {
            if (length < MaxWordLetters)
                letters[length] = char(*p);
            ++length;
        }
        bool negative = false;
        if (end - p >= 2 && *p == '-' && isDigit(p[1])) {
            negative = true;
            ++p;
        }
        bool hasParameter = false;
        qint64 value = 0;
        for (; p < end && isDigit(*p); ++p) {
            hasParameter = true;
            if (value < ParameterLimit)
                value = value * 10 + (*p - '0');
        }
        value = std::min(value, ParameterLimit);
        if (p < end && *p == ' ')
            ++p;
        const WordEntry *entry =
            length <= MaxWordLetters ? lookup(std::string_view(letters, length)) : nullptr;
        if (entry && entry->word == Word::Binary) {
            // Raw data, which may hold anything, braces too; shown nowhere.
            p += hasParameter && !negative ? std::min<qint64>(value, end - p) : 0;
            if (m_skip > 0)
                --m_skip;
            return p;
        }
        if (m_skip > 0) {
            --m_skip;
            return p;
        }
        unstar(entry);
        controlWord(entry, hasParameter, int(negative ? -value : value));
        return p;
    }

    ++p;
    if (first != '*')
        unstar(nullptr);
    if (first == '\'') {
        int value = 0;
        int digits = 0;
        for (; digits < 2 && p < end && hexValue(*p) >= 0; ++p, ++digits)
            value = value * 16 + hexValue(*p);
        if (m_skip > 0) {
            // A fallback is one character, malformed or not: it takes its two characters.
            for (; digits < 2 && p < end && !isSpecial(*p); ++p, ++digits) {
            }
            --m_skip;
        } else if (digits == 2)
            byte(uchar(value));
        return p;
    }
    if (m_skip > 0) {
        --m_skip;
        return p;
    }
    switch (first) {
    case '\\':
    case '{':
    case '}':
        // Bytes of the text: a double-byte character may end in one.
        byte(uchar(first));
        break;
    case '~':
        character(0x00A0);
        break;
    case '_':
        character(0x2011);
        break;
    case '-': // shows only where a line breaks
        character(0x00AD);
        break;
    case '\t':
        character('\t');
        break;
    case '\r':
    case '\n':
        if (destination() == Destination::Text)
            paragraph();
        break;
    case '*':
        // Marks the group as a destination that a reader may skip when it does not know it;
        // elsewhere it means nothing.
        m_starred = m_groupStart;
        return p;
    default: // the symbols of indexes and formulas show nothing
        break;
    }
    return p;
}

template<typename Char> const Char *Reader::text(const Char *p, const Char *const end)
{
    const Char *stop = p;
    while (stop < end && !isSpecial(*stop))
        ++stop;
    if (m_skip > 0) {
        const qint64 skipped = std::min<qint64>(m_skip, stop - p);
        m_skip -= skipped;
        p += skipped;
    }
    if (p == stop)
        return stop;

    switch (destination()) {
    case Destination::Text:
        beginText();
        if constexpr (sizeof(Char) == 1) {
            appendBytes(reinterpret_cast<const char *>(p), stop - p, top().codePage);
        } else {
            // ASCII is bytes of the page, as in markup read as bytes; the rest is as it is.
            for (; p < stop; ++p) {
                if (*p < 0x80) {
                    const char ascii = char(*p);
                    appendBytes(&ascii, 1, top().codePage);
                } else {
                    settleBytes();
                    appendUnit(*p);
                }
            }
        }
        break;
    case Destination::FontTable:
        for (; p < stop; ++p) {
            if (*p == ';')
                commitFont();
            else if (sizeof(Char) == 1 || *p < 0x80)
                fontNameByte(uchar(*p));
            else
                fontNameUnit(*p);
        }
        break;
    case Destination::ColorTable:
        for (; p < stop; ++p) {
            if (*p == ';')
                commitColor();
        }
        break;
    case Destination::Instruction:
        for (; p < stop; ++p) {
            if (sizeof(Char) == 1 || *p < 0x80) {
                const char b = char(*p);
                instructionBytes(&b, 1);
            } else {
                instructionUnit(*p);
            }
        }
        break;
    case Destination::Shape:
    case Destination::Skip:
        break;
    }
    return stop;
}

void Reader::openGroup()
{
    if (m_overflow > 0 || m_stack.size() > std::size_t(MaxGroupDepth)) {
        ++m_overflow;
        return;
    }
    m_stack.push_back(m_stack.back());
}

void Reader::closeGroup()
{
    if (m_overflow > 0) {
        --m_overflow;
        return;
    }
    while (!m_fields.empty() && m_fields.back().depth == m_stack.size())
        finishField();
    const Destination closed = top().destination;
    m_stack.pop_back();
    if (closed == Destination::FontTable) {
        commitFont();
        // The table may have come after the default font was chosen.
        top().codePage = codePageOf(top().chars.font);
    }
    if (m_stack.size() == 1)
        m_done = true;
}

void Reader::instructionBytes(const char *bytes, qsizetype count)
{
    Field &field = m_fields.back();
    if (field.codePage != top().codePage) {
        settleInstruction();
        field.codePage = top().codePage;
    }
    field.bytes.append(bytes, count);
}

void Reader::instructionUnit(char16_t c)
{
    settleInstruction();
    m_fields.back().code += QChar(c);
}

void Reader::settleInstruction()
{
    Field &field = m_fields.back();
    if (!field.bytes.isEmpty()) {
        field.code += m_decoder.decode(field.bytes, field.codePage);
        field.bytes.clear();
    }
}

// A field whose result is empty or missing shows what its code gives where that is plain.
void Reader::finishField()
{
    if (m_fields.back().textMark == m_textCount) {
        settleInstruction();
        const QString shown = fieldFallback(m_fields.back().code);
        m_fields.pop_back();
        for (const QChar c : shown)
            character(c.unicode());
    } else {
        m_fields.pop_back();
    }
}

namespace {

// The next word of a field's code from i on, a quoted one without its quotes.
QStringView nextWord(QStringView code, qsizetype &i)
{
    while (i < code.size() && code[i].isSpace())
        ++i;
    const qsizetype start = i;
    if (i < code.size() && code[i] == u'"') {
        const qsizetype close = code.indexOf(u'"', start + 1);
        i = close < 0 ? code.size() : close + 1;
        return code.sliced(start + 1, (close < 0 ? code.size() : close) - start - 1);
    }
    while (i < code.size() && !code[i].isSpace())
        ++i;
    return code.sliced(start, i - start);
}

} // namespace

QString Reader::fieldFallback(QStringView code)
{
    qsizetype i = 0;
    const QStringView kind = nextWord(code, i);
    const auto is = [&](QStringView name) {
        return kind.compare(name, Qt::CaseInsensitive) == 0;
    };
    if (is(u"PAGE"))
        return QStringLiteral("1");
    if (is(u"QUOTE") || is(u"GOTOBUTTON") || is(u"MACROBUTTON")) {
        // QUOTE "text"; GOTOBUTTON and MACROBUTTON name their target before their text.
        if (!is(u"QUOTE"))
            nextWord(code, i);
        const QStringView rest = code.sliced(i).trimmed();
        if (rest.startsWith(u'"'))
            return nextWord(rest, i = 0).toString();
        const qsizetype switches = rest.indexOf(u" \\");
        return (switches < 0 ? rest : rest.first(switches)).trimmed().toString();
    }
    if (!is(u"SYMBOL"))
        return {};
    // SYMBOL 183 \f "Symbol" \s 10: a character of a font, or of Unicode with \u.
    const QStringView number = nextWord(code, i);
    bool ok = false;
    const bool hex = number.startsWith(u"0x", Qt::CaseInsensitive);
    const uint value = (hex ? number.sliced(2) : number).toUInt(&ok, hex ? 16 : 10);
    if (!ok || value == 0 || value > 0x10FFFF)
        return {};
    int page = top().codePage;
    bool unicode = false;
    while (i < code.size()) {
        const QStringView option = nextWord(code, i);
        if (option.compare(u"\\u", Qt::CaseInsensitive) == 0) {
            unicode = true;
        } else if (option.compare(u"\\j", Qt::CaseInsensitive) == 0) {
            page = 932;
        } else if (option.compare(u"\\f", Qt::CaseInsensitive) == 0) {
            const QString family = nextWord(code, i).toString();
            const auto font = m_fontOfFamily.constFind(family);
            page = font != m_fontOfFamily.cend() ? codePageOf(*font) : pageOfFont(-1, 0, family);
        }
    }
    const bool doubleByte = page == 932 || page == 936 || page == 949 || page == 950;
    if (!unicode && (value < 0x100 || (doubleByte && value < 0x10000))) {
        const char bytes[] = {char(value >> 8), char(value)};
        return m_decoder.decode(
            value < 0x100 ? QByteArrayView(bytes + 1, 1) : QByteArrayView(bytes, 2), page);
    }
    if (page == CodePage::SymbolFont && value >= 0xF020 && value <= 0xF0FF) {
        const char symbol = char(value - 0xF000);
        return m_decoder.decode(QByteArrayView(&symbol, 1), page);
    }
    return QString::fromUcs4(reinterpret_cast<const char32_t *>(&value), 1);
}

int Reader::codePageOf(int font) const
{
    const auto found = m_fonts.constFind(font);
    return found == m_fonts.cend() ? m_documentCodePage
                                   : pageOfFont(found->charset, found->codePage, found->family);
}

// A font's \cpg wins over its charset, where it names a page. The Symbol font has characters
// of its own, whatever charset it is given; other symbol fonts have their pictures.
int Reader::pageOfFont(int charset, int codePage, QStringView family) const
{
    if (codePage > 0 && codePage != CodePage::Symbol)
        return codePage;
    if (family.compare(u"Symbol", Qt::CaseInsensitive) == 0)
        return CodePage::SymbolFont;
    return CodePage::forRtfCharset(charset, m_documentCodePage);
}

void Reader::controlWord(const WordEntry *entry, bool hasParameter, int parameter)
{
    const Destination where = destination();
    if (!entry || where == Destination::Skip)
        return;
    if (entry->word == Word::Unicode) {
        if (hasParameter)
            unicode(parameter);
        return;
    }
    Group &group = top();
    const bool on = !hasParameter || parameter != 0;

    if (where == Destination::FontTable) {
        if (entry->word == Word::Font) {
            commitFont();
            m_fontName.number = parameter;
        } else if (entry->word == Word::Charset) {
            m_fontName.charset = parameter;
        } else if (entry->word == Word::FontCodePage) {
            m_fontName.codePage = parameter;
        } else if (entry->word == Word::Skip) {
            group.destination = Destination::Skip;
        }
        return;
    }
    if (where == Destination::Shape) {
        if (entry->word == Word::Skip)
            group.destination = Destination::Skip;
        else if (entry->word == Word::ShapeText && (entry->value == 0 || m_groupStart))
            group.destination = Destination::Text;
        return;
    }
    if (where == Destination::Instruction) {
        if (entry->word == Word::Skip)
            group.destination = Destination::Skip;
        return;
    }
    if (where == Destination::ColorTable) {
        const int component = std::clamp(parameter, 0, 255);
        switch (entry->word) {
        case Word::Red:
            m_red = component;
            break;
        case Word::Green:
            m_green = component;
            break;
        case Word::Blue:
            m_blue = component;
            break;
        default:
            return;
        }
        m_colorGiven = true;
        return;
    }

    CharProps &chars = group.chars;
    switch (entry->word) {
    case Word::Skip:
        group.destination = Destination::Skip;
        break;
    case Word::Shape:
        group.destination = Destination::Shape;
        break;
    case Word::FontTable:
        group.destination = Destination::FontTable;
        m_fontName = {};
        break;
    case Word::ColorTable:
        group.destination = Destination::ColorTable;
        m_colors.clear();
        m_formats.clear();
        m_red = m_green = m_blue = 0;
        m_colorGiven = false;
        break;
    case Word::CodePage:
        m_documentCodePage = entry->value;
        group.codePage = codePageOf(chars.font);
        break;
    case Word::AnsiCodePage:
        m_documentCodePage = parameter;
        group.codePage = codePageOf(chars.font);
        break;
    case Word::DefaultFont:
        m_defaultFont = parameter;
        chars.font = parameter;
        group.codePage = codePageOf(parameter);
        break;
    case Word::Font:
        chars.font = parameter;
        group.codePage = codePageOf(parameter);
        break;
    case Word::FontSize:
        chars.halfPoints =
            hasParameter ? std::clamp(parameter, MinHalfPoints, MaxHalfPoints) : DefaultHalfPoints;
        break;
    case Word::Bold:
        chars.bold = on;
        break;
    case Word::Italic:
        chars.italic = on;
        break;
    case Word::Strike:
        chars.strike = on;
        break;
    case Word::Underline:
        chars.underline = on ? Underline(entry->value) : Underline::None;
        break;
    case Word::Script:
        chars.script = Script(entry->value);
        break;
    case Word::Foreground:
        chars.color = parameter;
        break;
    case Word::Background:
        chars.background = parameter;
        break;
    case Word::Plain:
        chars = CharProps();
        chars.font = m_defaultFont;
        group.codePage = codePageOf(m_defaultFont);
        break;
    case Word::ParagraphDefaults:
        group.alignment = Qt::AlignLeft;
        break;
    case Word::Align:
        group.alignment = Qt::Alignment(entry->value);
        break;
    case Word::Paragraph:
        paragraph();
        break;
    case Word::Char:
        character(char16_t(entry->value));
        break;
    case Word::Field:
        // A second \field in the same group starts that group's field again, so that there
        // are no more fields than groups.
        if (!m_fields.empty() && m_fields.back().depth == m_stack.size())
            m_fields.pop_back();
        m_fields.push_back({m_stack.size(), m_textCount, {}, {}, group.codePage});
        break;
    case Word::FieldInstruction:
        // Only the code of the field whose group holds it.
        group.destination = !m_fields.empty() && m_fields.back().depth + 1 == m_stack.size()
                                ? Destination::Instruction
                                : Destination::Skip;
        break;
    case Word::FootnoteMark:
        if (where == Destination::Text) {
            for (const QChar digit : QString::number(m_footnote++))
                character(digit.unicode());
        }
        break;
    case Word::FootnoteStart:
        m_footnote = parameter;
        break;
    case Word::UnicodeSkip:
        group.unicodeSkip = hasParameter ? std::clamp(parameter, 0, 0xFFFF) : 1;
        break;
    default: // colour components outside the colour table
        break;
    }
}

void Reader::unicode(int parameter)
{
    // Written as a signed 16-bit number, so U+8000 and up come negative.
    const int code = parameter < 0 ? parameter + 0x10000 : parameter;
    if (code < 0 || code > 0x10FFFF) {
        character(Replacement);
    } else if (code >= 0xF020 && code <= 0xF0FF && top().codePage == CodePage::SymbolFont) {
        // The font's picture, as Windows numbers it, is one of the Symbol font's characters.
        const char symbol = char(code - 0xF000);
        character(m_decoder.decode(QByteArrayView(&symbol, 1), CodePage::SymbolFont)[0].unicode());
    } else if (code > 0xFFFF) {
        character(QChar::highSurrogate(char32_t(code)));
        character(QChar::lowSurrogate(char32_t(code)));
    } else {
        character(char16_t(code));
    }
    m_skip = top().unicodeSkip;
}

void Reader::character(char16_t c)
{
    switch (destination()) {
    case Destination::Text:
        beginText();
        settleBytes();
        appendUnit(c);
        break;
    case Destination::FontTable:
        fontNameUnit(c);
        break;
    case Destination::Instruction:
        instructionUnit(c);
        break;
    default:
        break;
    }
}

void Reader::byte(uchar b)
{
    switch (destination()) {
    case Destination::Text:
        // Control codes show nothing; left out here, they do not count as text either.
        if (b >= 0x20 || b == '\t') {
            beginText();
            appendBytes(reinterpret_cast<const char *>(&b), 1, top().codePage);
        }
        break;
    case Destination::FontTable:
        fontNameByte(b);
        break;
    case Destination::Instruction:
        instructionBytes(reinterpret_cast<const char *>(&b), 1);
        break;
    default:
        break;
    }
}

void Reader::beginText()
{
    if (m_breakPending)
        emitBreak();
    const Group &group = top();
    if (!(group.chars == m_runProps)) {
        flushRun();
        m_runProps = group.chars;
    }
    m_textSinceBreak = true;
    ++m_textCount;
    m_textAlignment = group.alignment;
}

void Reader::appendBytes(const char *bytes, qsizetype count, int codePage)
{
    if (codePage != m_bytesCodePage) {
        settleBytes();
        m_bytesCodePage = codePage;
    }
    m_bytes.append(bytes, count);
}

void Reader::settleBytes()
{
    if (m_bytes.isEmpty())
        return;
    const QString decoded = m_decoder.decode(m_bytes, m_bytesCodePage);
    m_bytes.clear();
    for (const QChar c : decoded)
        appendUnit(c.unicode());
}

void Reader::appendUnit(char16_t c)
{
    if (QChar::isHighSurrogate(c)) {
        if (m_highSurrogate)
            m_run.append(QChar(Replacement));
        m_highSurrogate = c;
        return;
    }
    if (QChar::isLowSurrogate(c)) {
        if (m_highSurrogate)
            m_run.append(QChar(m_highSurrogate));
        m_run.append(QChar(m_highSurrogate ? c : Replacement));
        m_highSurrogate = 0;
        return;
    }
    if (m_highSurrogate) {
        m_run.append(QChar(Replacement));
        m_highSurrogate = 0;
    }
    // QTextDocument makes new blocks of line feeds and of its own frame marks, and objects of
    // U+FFFC; here they are text, so they must not reach it.
    if ((c < 0x20 && c != '\t') || c == 0xFDD0 || c == 0xFDD1 || c == 0xFFFC)
        return;
    if (c == QChar::ParagraphSeparator)
        c = QChar::LineSeparator;
    m_run.append(QChar(c));
}

void Reader::flushRun()
{
    settleBytes();
    if (m_highSurrogate) {
        m_run.append(QChar(Replacement));
        m_highSurrogate = 0;
    }
    if (m_run.isEmpty())
        return;
    m_cursor.insertText(m_run, format(m_runProps));
    m_run.clear();
    m_atBlockStart = false;
}

void Reader::paragraph()
{
    if (m_breakPending)
        emitBreak();
    m_breakPending = true;
    m_breakAlignment = top().alignment;
    m_breakProps = top().chars;
}

void Reader::align(Qt::Alignment alignment)
{
    if (alignment == m_blockAlignment)
        return;
    QTextBlockFormat block;
    block.setAlignment(alignment);
    m_cursor.mergeBlockFormat(block);
    m_blockAlignment = alignment;
}

// A paragraph's alignment is the one in force at its \par. An empty paragraph takes its
// height from the formatting of its \par, so the block keeps that too.
void Reader::endParagraph(Qt::Alignment alignment, const CharProps &props)
{
    align(alignment);
    if (m_atBlockStart && m_blockMark != props) {
        m_cursor.setBlockCharFormat(format(props));
        m_blockMark = props;
    }
}

void Reader::emitBreak()
{
    flushRun();
    endParagraph(m_breakAlignment, m_breakProps);
    // The next paragraph most likely goes on as this one ended.
    m_cursor.insertBlock(m_baseBlock, format(m_breakProps));
    m_blockAlignment = m_baseBlock.alignment();
    m_blockMark = m_breakProps;
    m_atBlockStart = true;
    m_breakPending = false;
    m_textSinceBreak = false;
}

void Reader::finish()
{
    flushRun();
    if (m_breakPending) {
        if (m_keepFinalBreak)
            emitBreak();
        else
            endParagraph(m_breakAlignment, m_breakProps);
    } else if (m_textSinceBreak && !m_keepFinalBreak) {
        align(m_textAlignment);
    }
}

std::optional<QColor> Reader::color(int index) const
{
    if (index < 0 || std::size_t(index) >= m_colors.size())
        return std::nullopt;
    return m_colors[std::size_t(index)];
}

QTextCharFormat Reader::format(const CharProps &props) const
{
    if (const auto found = m_formats.constFind(props); found != m_formats.cend())
        return *found;
    if (m_formats.size() >= MaxCachedFormats)
        m_formats.clear();
    QTextCharFormat &result = m_formats[props];
    const auto font = m_fonts.constFind(props.font);
    const bool named = font != m_fonts.cend() && !font->family.isEmpty();
    if (named)
        result.setFontFamilies({font->family});
    result.setFontPointSize(props.halfPoints / 2.0);
    if (props.bold)
        result.setFontWeight(QFont::Bold);
    if (props.italic)
        result.setFontItalic(true);
    if (props.strike)
        result.setFontStrikeOut(true);
    switch (props.underline) {
    case Underline::None:
        break;
    case Underline::Single:
        result.setUnderlineStyle(QTextCharFormat::SingleUnderline);
        break;
    case Underline::Dotted:
        result.setUnderlineStyle(QTextCharFormat::DotLine);
        break;
    case Underline::Dashed:
        result.setUnderlineStyle(QTextCharFormat::DashUnderline);
        break;
    case Underline::Wave:
        result.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        break;
    }
    if (props.script == Script::Super)
        result.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (props.script == Script::Sub)
        result.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    const auto foreground = color(props.color);
    if (foreground)
        result.setForeground(*foreground);
    const auto background = color(props.background);
    if (background)
        result.setBackground(*background);

    // QTextDocument keeps each distinct format once, found by a hash that adds up the hashes
    // of its properties. A font list hashes as its type alone and a colour nearly as its
    // value, so markup with many fonts, or colour pairs of equal sum, puts thousands of
    // formats under one hash and every insertion compares them all. The whole format spelled
    // out once more as a short string, which hashes well, spreads them again. It names the
    // family by a number: a copy of a long name in every format would cost memory by the
    // square of the input.
    const QRgb fg = foreground ? foreground->rgb() : 0; // never 0 when given: alpha is 0xFF
    const QRgb bg = background ? background->rgb() : 0;
    const uint family = named ? uint(font->familyId) : 0;
    const int flags = int(props.bold) | int(props.italic) << 1 | int(props.strike) << 2
                      | int(props.underline) << 3 | int(props.script) << 6;
    const char16_t fields[] = {
        char16_t(family >> 16), char16_t(family), char16_t(props.halfPoints), char16_t(flags),
        char16_t(fg >> 16),     char16_t(fg),     char16_t(bg >> 16),         char16_t(bg)};
    result.setProperty(
        FormatKey, QString(reinterpret_cast<const QChar *>(fields), qsizetype(std::size(fields))));
    return result;
}

void Reader::fontNameUnit(char16_t c)
{
    if (!m_fontName.bytes.isEmpty()) {
        // A symbol font's name is in letters.
        const int page = pageOfFont(m_fontName.charset, m_fontName.codePage, {});
        m_fontName.name += m_decoder.decode(m_fontName.bytes,
                                            page == CodePage::Symbol ? m_documentCodePage : page);
        m_fontName.bytes.clear();
    }
    m_fontName.name += QChar(c);
}

void Reader::commitFont()
{
    if (m_fontName.number >= 0) {
        fontNameUnit(' '); // decodes what is left; trimmed off below
        const QString family = m_fontName.name.trimmed();
        auto id = m_familyIds.constFind(family);
        if (id == m_familyIds.cend())
            id = m_familyIds.insert(family, int(m_familyIds.size()) + 1);
        m_fonts.insert(m_fontName.number, {family, m_fontName.charset, m_fontName.codePage, *id});
        if (!m_fontOfFamily.contains(family))
            m_fontOfFamily.insert(family, m_fontName.number);
        m_formats.clear();
    }
    m_fontName = {};
}

void Reader::commitColor()
{
    // An entry with no component is "auto": the text keeps the editor's own colour.
    m_colors.push_back(m_colorGiven ? std::optional(QColor(m_red, m_green, m_blue)) : std::nullopt);
    m_red = m_green = m_blue = 0;
    m_colorGiven = false;
    m_formats.clear();
}

template<typename Char> bool startsMarkup(const Char *p, const Char *const end)
{
    while (p < end && (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n'))
        ++p;
    for (const char c : std::string_view("{\\rtf")) {
        if (p == end || *p != Char(c))
            return false;
        ++p;
    }
    return true;
}

const uchar *bytesOf(QByteArrayView data)
{
    return reinterpret_cast<const uchar *>(data.data());
}

} // namespace

bool isMarkup(QByteArrayView data)
{
    return startsMarkup(bytesOf(data), bytesOf(data) + data.size());
}

bool isMarkup(QStringView text)
{
    return startsMarkup(text.utf16(), text.utf16() + text.size());
}

void read(QByteArrayView data, QTextCursor &cursor)
{
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    Reader reader(cursor, true);
    reader.parse(bytesOf(data), bytesOf(data) + data.size());
    reader.finish();
    cursor.endEditBlock();
}

void read(QStringView markup, QTextCursor &cursor)
{
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    Reader reader(cursor, true);
    reader.parse(markup.utf16(), markup.utf16() + markup.size());
    reader.finish();
    cursor.endEditBlock();
}

void load(QByteArrayView data, QTextDocument &document)
{
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    Reader reader(cursor, false);
    reader.parse(bytesOf(data), bytesOf(data) + data.size());
    reader.finish();
    cursor.endEditBlock();
    document.setUndoRedoEnabled(undo);
    document.setModified(false);
}

} // namespace Rtf
