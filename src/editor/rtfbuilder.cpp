#include "rtfbuilder.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <iterator>

namespace Rtf {
namespace {

// One point to 1638 points, the range word processors offer.
constexpr int MinHalfPoints = 2;
constexpr int MaxHalfPoints = 3276;
constexpr char16_t Replacement = 0xFFFD;
// A property of our own on the formats made here; see Builder::format().
constexpr int FormatKey = QTextFormat::UserProperty + 0x7274;
// Formats made so far, as documents switch back and forth between a few. Bounded, for
// markup that makes a new one for every piece of text.
constexpr qsizetype MaxCachedFormats = 256;

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

// What goes into the document as it is. QTextDocument makes new blocks of line feeds and of
// its own frame marks, and objects of U+FFFC; here they are text, so they must not reach it.
// A paragraph separator in the text is a line break.
bool isPlain(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x20 || u == '\t') && !c.isSurrogate() && u != 0xFDD0 && u != 0xFDD1 && u != 0xFFFC
           && u != QChar::ParagraphSeparator;
}

} // namespace

size_t qHash(const CharProps &p, size_t seed)
{
    return qHashMulti(seed, p.font, p.halfPoints, p.color, p.background, p.bold, p.italic, p.strike,
                      int(p.underline), int(p.script));
}

Builder::Builder(QTextCursor cursor, FinalBreak finalBreak)
    : m_cursor(std::move(cursor))
    , m_finalBreak(finalBreak)
    , m_baseBlock(m_cursor.blockFormat())
    , m_blockAlignment(m_baseBlock.alignment())
    , m_atBlockStart(m_cursor.atBlockStart())
{
    m_stack.reserve(64);
    m_stack.emplace_back();
}

void Builder::take(const Token &token)
{
    switch (token.kind) {
    case Token::Kind::End:
        return;
    case Token::Kind::GroupOpen:
        openGroups(token.count);
        m_groupStart = true;
        m_starred = false;
        return;
    case Token::Kind::GroupClose:
        closeGroup();
        m_groupStart = m_starred = false;
        return;
    case Token::Kind::Word: {
        const ControlWord *entry = findControlWord(token.word);
        unstar(entry);
        if (entry)
            controlWord(*entry, token);
        break;
    }
    case Token::Kind::Binary:
        break;
    case Token::Kind::Star:
        // Marks the group as a destination that a reader may skip when it does not know it;
        // elsewhere it means nothing.
        m_starred = m_groupStart;
        break;
    case Token::Kind::Symbol:
        unstar(nullptr);
        symbol(token.symbol);
        break;
    case Token::Kind::Byte:
        unstar(nullptr);
        // A byte of the text, \{ too: a double-byte character may end in one.
        byte(token.byte);
        break;
    case Token::Kind::Text:
        unstar(nullptr);
        m_groupStart = false;
        text(token);
        return;
    }
    m_groupStart = m_starred;
}

void Builder::unstar(const ControlWord *entry)
{
    // Only a destination that the reader does not know is skipped.
    if (std::exchange(m_starred, false) && !entry && m_overflow == 0)
        top().destination = Destination::Skip;
}

void Builder::symbol(char16_t c)
{
    switch (c) {
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
    default: // the symbols of indexes and formulas show nothing
        break;
    }
}

void Builder::text(const Token &token)
{
    switch (destination()) {
    case Destination::Text:
        beginText();
        if (token.bytes.isEmpty())
            textUnits(token.units);
        else
            appendBytes(token.bytes, top().codePage);
        break;
    case Destination::FontTable:
    case Destination::ColorTable:
    case Destination::Instruction:
        tableText(token);
        break;
    case Destination::Shape:
    case Destination::Skip:
        break;
    }
}

// ASCII is bytes of the page, as in markup read as bytes; the rest is as it is.
void Builder::textUnits(QStringView units)
{
    const int page = top().codePage;
    while (!units.isEmpty()) {
        const auto wide =
            std::find_if(units.begin(), units.end(), [](QChar c) { return c.unicode() >= 0x80; });
        const qsizetype ascii = wide - units.begin();
        if (ascii > 0) {
            if (page != m_bytesCodePage) {
                settleBytes();
                m_bytesCodePage = page;
            }
            const qsizetype at = m_bytes.size();
            m_bytes.resize(at + ascii);
            std::transform(units.begin(), wide, m_bytes.begin() + at,
                           [](QChar c) { return char(c.unicode()); });
        }
        if (wide == units.end())
            break;
        settleBytes();
        appendUnit(wide->unicode());
        units = units.sliced(ascii + 1);
    }
}

// Text in a table or a field's code, a character at a time.
void Builder::tableText(const Token &token)
{
    const Destination where = destination();
    const qsizetype length = token.bytes.isEmpty() ? token.units.size() : token.bytes.size();
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t c =
            token.bytes.isEmpty() ? token.units[i].unicode() : char16_t(uchar(token.bytes[i]));
        const bool byte = !token.bytes.isEmpty() || c < 0x80;
        if (where == Destination::ColorTable) {
            if (c == ';')
                commitColor();
        } else if (where == Destination::Instruction) {
            if (byte) {
                const char b = char(c);
                instructionBytes(QByteArrayView(&b, 1));
            } else {
                instructionUnit(c);
            }
        } else if (c == ';') {
            commitFont();
        } else if (byte) {
            fontNameByte(uchar(c));
        } else {
            fontNameUnit(c);
        }
    }
}

void Builder::openGroups(qint64 count)
{
    for (; count > 0 && m_overflow == 0 && m_stack.size() <= std::size_t(MaxGroupDepth); --count)
        m_stack.push_back(m_stack.back());
    m_overflow += count;
}

void Builder::closeGroup()
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

void Builder::instructionBytes(QByteArrayView bytes)
{
    Field &field = m_fields.back();
    if (field.codePage != top().codePage) {
        settleInstruction();
        field.codePage = top().codePage;
    }
    field.bytes.append(bytes);
}

void Builder::instructionUnit(char16_t c)
{
    settleInstruction();
    m_fields.back().code += QChar(c);
}

void Builder::settleInstruction()
{
    Field &field = m_fields.back();
    if (!field.bytes.isEmpty()) {
        field.code += m_decoder.decode(field.bytes, field.codePage);
        field.bytes.clear();
    }
}

// A field whose result is empty or missing shows what its code gives where that is plain.
void Builder::finishField()
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

QString Builder::fieldFallback(QStringView code)
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
    return is(u"SYMBOL") ? symbolField(code, i) : QString();
}

QString Builder::symbolField(QStringView code, qsizetype i)
{
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

int Builder::codePageOf(int font) const
{
    const auto found = m_fonts.constFind(font);
    return found == m_fonts.cend() ? m_documentCodePage
                                   : pageOfFont(found->charset, found->codePage, found->family);
}

// A font's \cpg wins over its charset, where it names a page. The Symbol font has characters
// of its own, whatever charset it is given; other symbol fonts have their pictures.
int Builder::pageOfFont(int charset, int codePage, QStringView family) const
{
    if (codePage > 0 && codePage != CodePage::Symbol)
        return codePage;
    if (family.compare(u"Symbol", Qt::CaseInsensitive) == 0)
        return CodePage::SymbolFont;
    return CodePage::forRtfCharset(charset, m_documentCodePage);
}

void Builder::controlWord(const ControlWord &entry, const Token &token)
{
    if (entry.action == Action::Unicode) {
        if (token.hasParameter && destination() != Destination::Skip)
            unicode(token.parameter);
        return;
    }
    switch (destination()) {
    case Destination::Skip:
        break;
    case Destination::FontTable:
        fontTableWord(entry, token);
        break;
    case Destination::Shape:
        shapeWord(entry);
        break;
    case Destination::Instruction:
        if (entry.action == Action::Skip)
            top().destination = Destination::Skip;
        break;
    case Destination::ColorTable:
        colorTableWord(entry, token);
        break;
    case Destination::Text:
        if (!destinationWord(entry) && !characterWord(entry, token))
            documentWord(entry, token);
        break;
    }
}

void Builder::fontTableWord(const ControlWord &entry, const Token &token)
{
    switch (entry.action) {
    case Action::Font:
        commitFont();
        m_fontName.number = token.parameter;
        break;
    case Action::Charset:
        m_fontName.charset = token.parameter;
        break;
    case Action::FontCodePage:
        m_fontName.codePage = token.parameter;
        break;
    case Action::Skip:
        top().destination = Destination::Skip;
        break;
    default:
        break;
    }
}

void Builder::shapeWord(const ControlWord &entry)
{
    if (entry.action == Action::Skip)
        top().destination = Destination::Skip;
    else if (entry.action == Action::ShapeText && (entry.value != OpensTextBox || m_groupStart))
        top().destination = Destination::Text;
}

void Builder::colorTableWord(const ControlWord &entry, const Token &token)
{
    const int component = std::clamp(token.parameter, 0, 255);
    switch (entry.action) {
    case Action::Red:
        m_red = component;
        break;
    case Action::Green:
        m_green = component;
        break;
    case Action::Blue:
        m_blue = component;
        break;
    default:
        return;
    }
    m_colorGiven = true;
}

// Words that start a destination or a field; false for any other.
bool Builder::destinationWord(const ControlWord &entry)
{
    Group &group = top();
    switch (entry.action) {
    case Action::Skip:
        group.destination = Destination::Skip;
        return true;
    case Action::Shape:
        group.destination = Destination::Shape;
        return true;
    case Action::FontTable:
        group.destination = Destination::FontTable;
        m_fontName = {};
        return true;
    case Action::ColorTable:
        group.destination = Destination::ColorTable;
        m_colors.clear();
        m_formats.clear();
        m_red = m_green = m_blue = 0;
        m_colorGiven = false;
        return true;
    case Action::Field:
        // A second \field in the same group starts that group's field again, so that there
        // are no more fields than groups.
        if (!m_fields.empty() && m_fields.back().depth == m_stack.size())
            m_fields.pop_back();
        m_fields.push_back({m_stack.size(), m_textCount, {}, {}, group.codePage});
        return true;
    case Action::FieldInstruction:
        // Only the code of the field whose group holds it.
        group.destination = !m_fields.empty() && m_fields.back().depth + 1 == m_stack.size()
                                ? Destination::Instruction
                                : Destination::Skip;
        return true;
    default:
        return false;
    }
}

// Words of character formatting; false for any other.
bool Builder::characterWord(const ControlWord &entry, const Token &token)
{
    CharProps &chars = top().chars;
    const bool on = !token.hasParameter || token.parameter != 0;
    switch (entry.action) {
    case Action::FontSize:
        chars.halfPoints = token.hasParameter
                               ? std::clamp(token.parameter, MinHalfPoints, MaxHalfPoints)
                               : CharProps().halfPoints;
        return true;
    case Action::Bold:
        chars.bold = on;
        return true;
    case Action::Italic:
        chars.italic = on;
        return true;
    case Action::Strike:
        chars.strike = on;
        return true;
    case Action::Underline:
        chars.underline = on ? Underline(entry.value) : Underline::None;
        return true;
    case Action::Script:
        chars.script = Script(entry.value);
        return true;
    case Action::Foreground:
        chars.color = token.parameter;
        return true;
    case Action::Background:
        chars.background = token.parameter;
        return true;
    default:
        return false;
    }
}

void Builder::documentWord(const ControlWord &entry, const Token &token)
{
    Group &group = top();
    switch (entry.action) {
    case Action::CodePage:
    case Action::AnsiCodePage:
        m_documentCodePage = entry.action == Action::CodePage ? entry.value : token.parameter;
        group.codePage = codePageOf(group.chars.font);
        break;
    case Action::DefaultFont:
    case Action::Font:
        if (entry.action == Action::DefaultFont)
            m_defaultFont = token.parameter;
        group.chars.font = token.parameter;
        group.codePage = codePageOf(token.parameter);
        break;
    case Action::Plain:
        group.chars = CharProps();
        group.chars.font = m_defaultFont;
        group.codePage = codePageOf(m_defaultFont);
        break;
    case Action::ParagraphDefaults:
        group.alignment = Qt::AlignLeft;
        break;
    case Action::Align:
        group.alignment = Qt::Alignment(entry.value);
        break;
    case Action::Paragraph:
        paragraph();
        break;
    case Action::Char:
        character(char16_t(entry.value));
        break;
    case Action::FootnoteMark:
        for (const QChar digit : QString::number(m_footnote++))
            character(digit.unicode());
        break;
    case Action::FootnoteStart:
        m_footnote = token.parameter;
        break;
    default: // colour components outside the colour table
        break;
    }
}

void Builder::unicode(int parameter)
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
}

void Builder::character(char16_t c)
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

void Builder::byte(uchar b)
{
    switch (destination()) {
    case Destination::Text:
        // Control codes show nothing; left out here, they do not count as text either.
        if (b >= 0x20 || b == '\t') {
            beginText();
            appendBytes(QByteArrayView(reinterpret_cast<const char *>(&b), 1), top().codePage);
        }
        break;
    case Destination::FontTable:
        fontNameByte(b);
        break;
    case Destination::Instruction:
        instructionBytes(QByteArrayView(reinterpret_cast<const char *>(&b), 1));
        break;
    default:
        break;
    }
}

void Builder::beginText()
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

void Builder::appendBytes(QByteArrayView bytes, int codePage)
{
    if (codePage != m_bytesCodePage) {
        settleBytes();
        m_bytesCodePage = codePage;
    }
    m_bytes.append(bytes);
}

void Builder::settleBytes()
{
    if (m_bytes.isEmpty())
        return;
    // Printable ASCII is itself in the Windows pages and in UTF-8, and needs no decoder.
    const bool asciiPage =
        (m_bytesCodePage >= 1250 && m_bytesCodePage <= 1258) || m_bytesCodePage == CodePage::Utf8;
    if (asciiPage && !m_highSurrogate && std::all_of(m_bytes.cbegin(), m_bytes.cend(), [](char b) {
            return b >= 0x20 && b < 0x7F;
        })) {
        m_run.append(QLatin1StringView(m_bytes));
        m_bytes.clear();
        return;
    }
    const QString decoded = m_decoder.decode(m_bytes, m_bytesCodePage);
    m_bytes.clear();
    // Most text needs no care: it goes in at once.
    if (!m_highSurrogate
        && std::all_of(decoded.cbegin(), decoded.cend(), [](QChar c) { return isPlain(c); })) {
        m_run += decoded;
        return;
    }
    for (const QChar c : decoded)
        appendUnit(c.unicode());
}

void Builder::appendUnit(char16_t c)
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
    if (c == QChar::ParagraphSeparator)
        c = QChar::LineSeparator;
    if (isPlain(c))
        m_run.append(QChar(c));
}

void Builder::settleRun()
{
    settleBytes();
    if (m_highSurrogate) {
        m_run.append(QChar(Replacement));
        m_highSurrogate = 0;
    }
}

void Builder::flushRun()
{
    settleRun();
    if (m_run.isEmpty())
        return;
    m_cursor.insertText(m_run, format(m_runProps));
    m_atBlockStart = m_run.endsWith(QChar::ParagraphSeparator);
    m_run.clear();
}

void Builder::paragraph()
{
    if (m_breakPending)
        emitBreak();
    m_breakPending = true;
    m_breakAlignment = top().alignment;
    m_breakProps = top().chars;
}

void Builder::align(Qt::Alignment alignment)
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
void Builder::endParagraph(Qt::Alignment alignment, const CharProps &props)
{
    align(alignment);
    if (m_atBlockStart && m_blockMark != props) {
        m_cursor.setBlockCharFormat(format(props));
        m_blockMark = props;
    }
}

void Builder::emitBreak()
{
    settleRun();
    const bool empty = m_run.isEmpty() ? m_atBlockStart : m_run.endsWith(QChar::ParagraphSeparator);
    if (m_breakProps == m_runProps && m_breakAlignment == m_blockAlignment
        && m_blockAlignment == m_baseBlock.alignment() && !(empty && m_blockMark != m_breakProps)) {
        // Nothing about the paragraph's end needs the document: the break goes into the run,
        // where the cursor makes the same block of it for much less.
        m_run.append(QChar::ParagraphSeparator);
    } else {
        flushRun();
        endParagraph(m_breakAlignment, m_breakProps);
        // The next paragraph most likely goes on as this one ended.
        m_cursor.insertBlock(m_baseBlock, format(m_breakProps));
    }
    m_blockAlignment = m_baseBlock.alignment();
    m_blockMark = m_breakProps;
    m_atBlockStart = true;
    m_breakPending = false;
    m_textSinceBreak = false;
}

void Builder::finish()
{
    flushRun();
    if (m_breakPending) {
        if (m_finalBreak == FinalBreak::Keep) {
            emitBreak();
            flushRun();
        } else {
            endParagraph(m_breakAlignment, m_breakProps);
        }
    } else if (m_textSinceBreak && m_finalBreak == FinalBreak::EndsLastParagraph) {
        align(m_textAlignment);
    }
}

std::optional<QColor> Builder::color(int index) const
{
    if (index < 0 || std::size_t(index) >= m_colors.size())
        return std::nullopt;
    return m_colors[std::size_t(index)];
}

QTextCharFormat Builder::format(const CharProps &props) const
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

    result.setProperty(FormatKey,
                       formatKey(props, foreground, background, named ? font->familyId : 0));
    return result;
}

QString Builder::formatKey(const CharProps &props, std::optional<QColor> foreground,
                           std::optional<QColor> background, int familyId) const
{
    // QTextDocument keeps each distinct format once, found by a hash that adds up the hashes
    // of its properties. A font list hashes as its type alone and a colour nearly as its
    // value, so markup with many fonts, or colour pairs of equal sum, puts thousands of
    // formats under one hash and every insertion compares them all. The whole format spelled
    // out once more as a short string, which hashes well, spreads them again. It names the
    // family by a number: a copy of a long name in every format would cost memory by the
    // square of the input.
    const QRgb fg = foreground ? foreground->rgb() : 0; // never 0 when given: alpha is 0xFF
    const QRgb bg = background ? background->rgb() : 0;
    const uint family = uint(familyId);
    const int flags = int(props.bold) | int(props.italic) << 1 | int(props.strike) << 2
                      | int(props.underline) << 3 | int(props.script) << 6;
    const char16_t fields[] = {
        char16_t(family >> 16), char16_t(family), char16_t(props.halfPoints), char16_t(flags),
        char16_t(fg >> 16),     char16_t(fg),     char16_t(bg >> 16),         char16_t(bg)};
    return QString(reinterpret_cast<const QChar *>(fields), qsizetype(std::size(fields)));
}

void Builder::fontNameUnit(char16_t c)
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

void Builder::commitFont()
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

void Builder::commitColor()
{
    // An entry with no component is "auto": the text keeps the editor's own colour.
    m_colors.push_back(m_colorGiven ? std::optional(QColor(m_red, m_green, m_blue)) : std::nullopt);
    m_red = m_green = m_blue = 0;
    m_colorGiven = false;
    m_formats.clear();
}

} // namespace Rtf
