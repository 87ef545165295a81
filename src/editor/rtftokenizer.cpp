#include "rtftokenizer.h"

#include <algorithm>

namespace Rtf {
namespace {

// Numbers are clamped to this as they are read, so no digit string can overflow.
constexpr qint64 ParameterLimit = 0x7FFFFFFF;
// RTF's own limit; a longer control word is nobody's and is ignored.
constexpr qsizetype MaxWordLetters = 32;

template<typename Char> constexpr char16_t unit(Char c)
{
    if constexpr (sizeof(Char) == 1)
        return uchar(c);
    else
        return c;
}

template<typename Char> constexpr bool isLetter(Char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

template<typename Char> constexpr bool isDigit(Char c)
{
    return c >= '0' && c <= '9';
}

template<typename Char> constexpr int hexValue(Char c)
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
template<typename Char> constexpr bool isSpecial(Char c)
{
    return c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n' || c == 0;
}

Token token(Token::Kind kind)
{
    Token made;
    made.kind = kind;
    return made;
}

} // namespace

template<typename Char>
Tokenizer<Char>::Tokenizer(const Char *begin, const Char *end)
    : m_begin(begin)
    , m_p(begin)
    , m_end(end)
{
    static_assert(sizeof(m_letters) == MaxWordLetters);
}

template<typename Char> Token Tokenizer<Char>::next(qsizetype stop)
{
    const Char *const stopAt = m_begin + std::clamp<qsizetype>(stop, 0, size());
    while (m_p < stopAt) {
        // Whatever stands before the document's group is not part of it.
        if (m_depth == 0 && (m_p = skipToDocument(stopAt)) == stopAt)
            break;
        Token made;
        switch (*m_p) {
        case '{':
            made = group(Token::Kind::GroupOpen, stopAt);
            break;
        case '}':
            made = group(Token::Kind::GroupClose, stopAt);
            break;
        case '\\':
            ++m_p;
            made = escape();
            break;
        case '\r':
        case '\n':
        case 0:
            ++m_p;
            break;
        default:
            made = text(stopAt);
            break;
        }
        if (made.kind != Token::Kind::End)
            return made;
    }
    return {};
}

template<typename Char> const Char *Tokenizer<Char>::skipToDocument(const Char *stopAt)
{
    return std::find(m_p, stopAt, Char('{'));
}

template<typename Char> Token Tokenizer<Char>::group(Token::Kind kind, const Char *stopAt)
{
    m_skip = 0;
    Token made = token(kind);
    if (kind == Token::Kind::GroupClose) {
        ++m_p;
        --m_depth;
        if (m_deeper > 0)
            --m_deeper;
        else if (m_unicodeSkips.size() > 1)
            m_unicodeSkips.pop_back();
        return made;
    }
    // A run at once: beyond the depth limit groups are only counted.
    const Char *const run = m_p;
    m_p = std::find_if(m_p, stopAt, [](Char c) { return c != '{'; });
    made.count = m_p - run;
    m_depth += made.count;
    const qint64 room =
        m_deeper > 0 ? 0 : qint64(MaxGroupDepth) + 1 - qint64(m_unicodeSkips.size());
    const qint64 kept = std::clamp<qint64>(made.count, 0, room);
    m_unicodeSkips.insert(m_unicodeSkips.end(), std::size_t(kept), unicodeSkip());
    m_deeper += made.count - kept;
    return made;
}

template<typename Char> Token Tokenizer<Char>::escape()
{
    if (m_p == m_end)
        return {};
    const Char first = *m_p;
    if (isLetter(first))
        return word();
    ++m_p;
    if (first == '\'')
        return hex();
    if (m_skip > 0) {
        --m_skip;
        return {};
    }
    Token made;
    switch (first) {
    case '\\':
    case '{':
    case '}':
        made = token(Token::Kind::Byte);
        made.byte = uchar(first);
        break;
    case '*':
        made = token(Token::Kind::Star);
        break;
    default:
        made = token(Token::Kind::Symbol);
        made.symbol = unit(first);
        break;
    }
    return made;
}

template<typename Char> Token Tokenizer<Char>::word()
{
    qsizetype length = 0;
    for (; m_p < m_end && isLetter(*m_p); ++m_p) {
        if (length < MaxWordLetters)
            m_letters[length] = char(*m_p);
        ++length;
    }
    const bool negative = m_end - m_p >= 2 && *m_p == '-' && isDigit(m_p[1]);
    m_p += negative ? 1 : 0;
    bool hasParameter = false;
    qint64 value = 0;
    for (; m_p < m_end && isDigit(*m_p); ++m_p) {
        hasParameter = true;
        if (value < ParameterLimit)
            value = value * 10 + (*m_p - '0');
    }
    value = std::min(value, ParameterLimit);
    if (m_p < m_end && *m_p == ' ')
        ++m_p;
    const std::string_view name =
        length <= MaxWordLetters ? std::string_view(m_letters, std::size_t(length)) : "";
    if (name == "bin" && hasParameter && !negative)
        m_p += std::min<qint64>(value, m_end - m_p);
    // One place for the fallbacks: a word is one, whatever it is.
    if (m_skip > 0) {
        --m_skip;
        return {};
    }
    if (name == "bin")
        return token(Token::Kind::Binary);
    Token made = token(Token::Kind::Word);
    made.word = name;
    made.hasParameter = hasParameter;
    made.parameter = int(negative ? -value : value);
    if (name == "uc")
        unicodeSkip() = hasParameter ? std::clamp(made.parameter, 0, 0xFFFF) : 1;
    else if (name == "u" && hasParameter)
        m_skip = unicodeSkip();
    return made;
}

template<typename Char> Token Tokenizer<Char>::hex()
{
    int value = 0;
    int digits = 0;
    for (; digits < 2 && m_p < m_end && hexValue(*m_p) >= 0; ++m_p, ++digits)
        value = value * 16 + hexValue(*m_p);
    if (m_skip > 0) {
        // A fallback is one character, malformed or not: it takes its two characters.
        for (; digits < 2 && m_p < m_end && !isSpecial(*m_p); ++m_p, ++digits) {
        }
        --m_skip;
        return {};
    }
    if (digits < 2) {
        Token made = token(Token::Kind::Symbol);
        made.symbol = '\'';
        return made;
    }
    Token made = token(Token::Kind::Byte);
    made.byte = uchar(value);
    return made;
}

template<typename Char> Token Tokenizer<Char>::text(const Char *stopAt)
{
    const Char *const stop = std::find_if(m_p, stopAt, [](Char c) { return isSpecial(c); });
    const qint64 skipped = std::min<qint64>(m_skip, stop - m_p);
    m_skip -= skipped;
    const Char *const start = m_p + skipped;
    m_p = stop;
    if (start == stop)
        return {};
    Token made = token(Token::Kind::Text);
    if constexpr (sizeof(Char) == 1)
        made.bytes = QByteArrayView(start, stop - start);
    else
        made.units = QStringView(start, stop - start);
    return made;
}

template class Tokenizer<char>;
template class Tokenizer<char16_t>;

} // namespace Rtf
