#include "rtfreader.h"

#include "editor/rtfbuilder.h"

#include <QTextCursor>
#include <QTextDocument>

#include <optional>
#include <string_view>

namespace Rtf {
namespace {

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

// Feeds the builder the tokens up to `stop`; true when no more are to come.
template<typename Char> bool feed(Tokenizer<Char> &tokens, Builder &builder, qsizetype stop)
{
    while (!builder.done()) {
        const Token token = tokens.next(stop);
        if (token.kind == Token::Kind::End)
            break;
        builder.take(token);
    }
    return builder.done() || tokens.position() >= tokens.size();
}

template<typename Char>
void readAll(Tokenizer<Char> tokens, QTextCursor &cursor, FinalBreak finalBreak)
{
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    Builder builder(std::move(cursor), finalBreak);
    feed(tokens, builder, tokens.size());
    builder.finish();
    cursor = std::move(builder.cursor());
    cursor.endEditBlock();
}

Tokenizer<char> tokensOf(QByteArrayView data)
{
    return Tokenizer<char>(data.data(), data.data() + data.size());
}

Tokenizer<char16_t> tokensOf(QStringView text)
{
    return Tokenizer<char16_t>(text.utf16(), text.utf16() + text.size());
}

} // namespace

bool isMarkup(QByteArrayView data)
{
    return startsMarkup(data.data(), data.data() + data.size());
}

bool isMarkup(QStringView text)
{
    return startsMarkup(text.utf16(), text.utf16() + text.size());
}

void read(QByteArrayView data, QTextCursor &cursor)
{
    readAll(tokensOf(data), cursor, FinalBreak::Keep);
}

void read(QStringView markup, QTextCursor &cursor)
{
    readAll(tokensOf(markup), cursor, FinalBreak::Keep);
}

void load(QByteArrayView data, QTextDocument &document)
{
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    QTextCursor cursor(&document);
    readAll(tokensOf(data), cursor, FinalBreak::EndsLastParagraph);
    document.setUndoRedoEnabled(undo);
    document.setModified(false);
}

struct Paste::State
{
    explicit State(const QString &text, const QTextCursor &at)
        : markup(text)
        , tokens(tokensOf(markup))
        , cursor(at)
    {}

    const QString markup;
    Tokenizer<char16_t> tokens;
    QTextCursor cursor; // until the builder takes it
    std::optional<Builder> builder;
    bool finished = false;
};

Paste::Paste(const QString &markup, const QTextCursor &cursor)
    : m_state(std::make_unique<State>(markup, cursor))
{}

Paste::~Paste() = default;

bool Paste::readMore(qsizetype units)
{
    return readWhile([] { return false; }, units);
}

bool Paste::readUntil(const QDeadlineTimer &deadline, qsizetype units)
{
    return readWhile([&deadline] { return !deadline.hasExpired(); }, units);
}

// One step, and more as long as `more` says so, in one edit block.
bool Paste::readWhile(const std::function<bool()> &more, qsizetype units)
{
    State &state = *m_state;
    if (state.finished || cursor().isNull())
        return true;
    // The first piece replaces the selection; the others join its undo step.
    if (!state.builder) {
        state.cursor.beginEditBlock();
        state.cursor.removeSelectedText();
        state.builder.emplace(std::move(state.cursor), FinalBreak::Keep);
    } else {
        state.builder->cursor().joinPreviousEditBlock();
    }
    do {
        state.finished = feed(state.tokens, *state.builder, state.tokens.position() + units);
    } while (!state.finished && more());
    if (state.finished)
        state.builder->finish();
    state.builder->cursor().endEditBlock();
    return state.finished;
}

qsizetype Paste::position() const
{
    return m_state->tokens.position();
}

qsizetype Paste::size() const
{
    return m_state->tokens.size();
}

QTextCursor Paste::cursor() const
{
    return m_state->builder ? m_state->builder->cursor() : m_state->cursor;
}

} // namespace Rtf
