#pragma once

#include <QByteArrayView>
#include <QStringView>

#include <string_view>
#include <vector>

namespace Rtf {

// Groups nested deeper than this are skipped with all they hold; reading goes on after
// their end. Real documents nest a few dozen deep at most.
constexpr int MaxGroupDepth = 1000;

struct Token
{
    enum class Kind : quint8 {
        End,
        GroupOpen, // `count` of them in a row
        GroupClose,
        Word,   // `word`, with `parameter` where `hasParameter`
        Binary, // \binN and its data, which show nowhere
        Star,   // \*
        Symbol, // any other control symbol, `symbol`; a malformed \'h is '\''
        Byte,   // \'hh, \\, \{ and \}: a byte of the text
        Text,   // `bytes` or `units`, whichever the markup is held in
    };
    Kind kind = Kind::End;
    bool hasParameter = false;
    char16_t symbol = 0;
    uchar byte = 0;
    int parameter = 0;
    qint64 count = 0;
    std::string_view word; // empty for a word longer than any known one
    QByteArrayView bytes;
    QStringView units;
};

// Cuts markup into tokens, from where it stopped up to a given position, so that a long read
// can go on in pieces. What stands before the document's first '{' gives none; nor do line
// ends and NULs outside escapes. The fallback characters after each \uN, as many as the \ucN
// of its group says, are dropped here.
template<typename Char> class Tokenizer final
{
public:
    explicit Tokenizer(const Char *begin, const Char *end);

    // The next token that starts before `stop`, where a text run is cut; End when none does.
    Token next(qsizetype stop);
    qsizetype position() const { return m_p - m_begin; }
    qsizetype size() const { return m_end - m_begin; }

private:
    const Char *skipToDocument(const Char *stopAt);
    Token group(Token::Kind kind, const Char *stopAt);
    Token escape();
    Token word();
    Token hex();
    Token text(const Char *stopAt);
    // A group's \uc, for its depth: fallbacks to drop after a \uN.
    int &unicodeSkip() { return m_unicodeSkips.back(); }

    const Char *const m_begin;
    const Char *m_p;
    const Char *const m_end;
    qint64 m_depth = 0;
    std::vector<int> m_unicodeSkips{1}; // [0] stands outside the document's group
    qint64 m_deeper = 0;                // groups beyond the depth kept for \uc
    qint64 m_skip = 0;                  // fallback characters still to drop
    char m_letters[32];
};

extern template class Tokenizer<char>;
extern template class Tokenizer<char16_t>;

} // namespace Rtf
