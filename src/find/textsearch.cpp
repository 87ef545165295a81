#include "textsearch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <utility>

namespace TextSearch {

namespace {

bool isWordCharacter(char32_t c)
{
    return c == U'_' || QChar::isLetterOrNumber(c) || QChar::isMark(c);
}

// Whole code points, so that a letter outside the basic plane counts as one.
char32_t codePointBefore(const QString &text, qsizetype i)
{
    if (i >= 2 && text[i - 1].isLowSurrogate() && text[i - 2].isHighSurrogate())
        return QChar::surrogateToUcs4(text[i - 2], text[i - 1]);
    return text[i - 1].unicode();
}

char32_t codePointAt(const QString &text, qsizetype i)
{
    if (i + 1 < text.size() && text[i].isHighSurrogate() && text[i + 1].isLowSurrogate())
        return QChar::surrogateToUcs4(text[i], text[i + 1]);
    return text[i].unicode();
}

bool standsAlone(const QString &text, qsizetype start, qsizetype length)
{
    const qsizetype end = start + length;
    return (start == 0 || !isWordCharacter(codePointBefore(text, start)))
           && (end == text.size() || !isWordCharacter(codePointAt(text, end)));
}

// Stands for the marks of a table or frame, which hold a place but are no line break.
constexpr char16_t Unmatched = 0xFDD0;
constexpr char16_t EndOfFrame = 0xFDD1;
constexpr char16_t ParagraphBreak = QChar::ParagraphSeparator;

// What ends a paragraph: a break, or the mark of a table or frame.
char16_t endOf(const QTextBlock &block)
{
    const QChar end = block.document()->characterAt(block.position() + block.length() - 1);
    return end == QChar::ParagraphSeparator ? ParagraphBreak : Unmatched;
}

// Finds one text in a text, comparing each character as a reader would: a line break, within
// a paragraph or between two, is one break, and the marks of tables and frames are no break.
// Each character keeps its place, so offsets stay as they were. Skips ahead by the character
// under the end of the text sought, as far as the text allows, instead of trying every place.
class Finder final
{
public:
    Finder(const QString &text, Options options)
        : m_caseless(!options.matchCase)
        , m_wholeWord(options.wholeWord)
    {
        for (char16_t c = 0; c < 128; ++c)
            m_ascii[c] = c == u'\n'                             ? ParagraphBreak
                         : m_caseless && c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a')
                                                                : c;
        m_wanted.reserve(text.size());
        for (qsizetype i = 0; i < text.size(); ++i)
            m_wanted.push_back(foldAt(text, i));
        const qsizetype length = qsizetype(m_wanted.size());
        m_skip.fill(length);
        for (qsizetype i = 0; i + 1 < length; ++i)
            m_skip[m_wanted[i] & 0xFF] = length - 1 - i;
    }

    // The first occurrence at or after `from`, or -1.
    qsizetype indexIn(const QString &text, qsizetype from) const
    {
        const qsizetype length = qsizetype(m_wanted.size());
        if (length == 0)
            return -1;
        const char16_t last = m_wanted.back();
        for (qsizetype i = qMax<qsizetype>(0, from); i + length <= text.size();) {
            const char16_t c = foldAt(text, i + length - 1);
            if (c == last && matchesAt(text, i) && (!m_wholeWord || standsAlone(text, i, length)))
                return i;
            i += m_skip[c & 0xFF];
        }
        return -1;
    }

private:
    bool matchesAt(const QString &text, qsizetype at) const
    {
        for (qsizetype k = qsizetype(m_wanted.size()) - 2; k >= 0; --k) {
            if (foldAt(text, at + k) != m_wanted[std::size_t(k)])
                return false;
        }
        return true;
    }

    char16_t foldAt(const QString &text, qsizetype i) const
    {
        const char16_t c = text[i].unicode();
        return c < 128 ? m_ascii[c] : foldWide(text, i);
    }

    // Letter case is folded by whole code points, so that a letter outside the basic plane
    // matches its other case too.
    char16_t foldWide(const QString &text, qsizetype i) const
    {
        const char16_t c = text[i].unicode();
        if (c == QChar::LineSeparator)
            return ParagraphBreak;
        if (c == EndOfFrame)
            return Unmatched;
        if (!m_caseless)
            return c;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            return QChar::highSurrogate(
                QChar::toCaseFolded(QChar::surrogateToUcs4(text[i], text[i + 1])));
        if (QChar::isLowSurrogate(c) && i > 0 && text[i - 1].isHighSurrogate())
            return QChar::lowSurrogate(
                QChar::toCaseFolded(QChar::surrogateToUcs4(text[i - 1], text[i])));
        return char16_t(QChar::toCaseFolded(char32_t(c)));
    }

    bool m_caseless;
    bool m_wholeWord;
    std::array<char16_t, 128> m_ascii{};
    std::vector<char16_t> m_wanted;
    std::array<qsizetype, 256> m_skip{};
};

// Keeps the document's edit block balanced even when a replacement throws.
class EditBlock final
{
public:
    // Opens the block, or only closes one already opened.
    explicit EditBlock(QTextCursor &cursor, bool open = true)
        : m_cursor(cursor)
    {
        if (open)
            m_cursor.beginEditBlock();
    }
    ~EditBlock() { m_cursor.endEditBlock(); }
    EditBlock(const EditBlock &) = delete;
    EditBlock &operator=(const EditBlock &) = delete;

private:
    QTextCursor &m_cursor;
};

} // namespace

int find(QTextCursor &cursor, const QString &text, int from, Options options)
{
    const QTextDocument *document = cursor.document();
    if (text.isEmpty() || !document)
        return -1;
    const Finder finder(text, options);
    // An occurrence that starts in a paragraph lies within it and as many more as the text
    // holds breaks.
    const auto breaks = std::count_if(text.begin(), text.end(), [](QChar c) {
        return c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == u'\n';
    });
    QTextBlock block = document->findBlock(qMax(0, from));
    qsizetype offset = qMax(0, from) - block.position();
    for (; block.isValid(); block = block.next(), offset = 0) {
        QString window = block.text();
        QTextBlock last = block;
        for (qsizetype n = 0; n < breaks; ++n) {
            // Only a paragraph right after a break: no mark of a table or frame between.
            const QTextBlock next = last.next();
            if (!next.isValid() || endOf(last) == Unmatched
                || next.position() != last.position() + last.length())
                break;
            window += QChar::ParagraphSeparator + next.text();
            last = next;
        }
        const qsizetype i = finder.indexIn(window, offset);
        if (i >= 0 && i < block.length()) {
            const int start = block.position() + int(i);
            cursor.setPosition(start);
            cursor.setPosition(start + int(text.size()), QTextCursor::KeepAnchor);
            return start;
        }
    }
    return -1;
}

std::vector<int> findAllIn(QString rawText, const QString &text, Options options,
                           const std::atomic_bool *stop, std::atomic<qsizetype> *done)
{
    std::vector<int> offsets;
    if (text.isEmpty())
        return offsets;
    // Offsets in the raw text are cursor positions. Each paragraph ends in a break or in the
    // mark of a table or frame, which matches nothing.
    const Finder finder(text, options);
    const QString &all = rawText;
    for (qsizetype i = finder.indexIn(all, 0); i >= 0; i = finder.indexIn(all, i + text.size())) {
        offsets.push_back(int(i));
        if (done)
            done->store(i, std::memory_order_relaxed);
        if (stop && stop->load(std::memory_order_relaxed))
            break;
    }
    return offsets;
}

Replacing::Replacing(QString rawText, std::vector<int> offsets, int length, QString replacement)
    : m_rawText(std::move(rawText))
    , m_offsets(std::move(offsets))
    , m_length(length)
    , m_replacement(std::move(replacement))
{}

namespace {

// A piece replaced as one stays short enough that one insertion never stalls the window.
constexpr qint64 LongestPiece = 1 << 16;

// Formats are compared by their index: the document keeps each format once, so two runs of the
// same format have the same index, and comparing numbers spares building the formats.
bool holdsOnly(const QTextBlock &block, int format)
{
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().charFormatIndex() != format)
            return false;
    }
    return true;
}

// Where a run that ends its paragraph ends when the paragraphs after it are taken into it, as
// long as each has the same paragraph format and holds only text of the run's format: the
// paragraph breaks that the piece puts back then come out as they were, and a plain text is
// replaced many lines at a time. The marks of a table carry the table's format, so a table
// ends it. Looks no further than `limit`.
qint64 runOnward(QTextBlock block, int format, qint64 limit)
{
    const int shape = block.blockFormatIndex();
    qint64 end = block.position() + block.length() - 1;
    for (block = block.next(); block.isValid() && end < limit; block = block.next()) {
        if (block.blockFormatIndex() != shape || block.charFormatIndex() != format
            || !holdsOnly(block, format))
            break;
        end = block.position() + block.length() - 1;
    }
    return end;
}

// Whether every character and paragraph of the document has one and the same format, as in a
// plain text: then no run needs looking at. The document keeps each format once and each frame,
// table, list or picture adds one of its own, so one of each kind, besides the root frame's,
// says it; a format left over from an earlier edit only leaves the runs to be looked at.
bool holdsOneFormat(const QTextDocument &document)
{
    int chars = 0, blocks = 0, frames = 0;
    for (const QTextFormat &format : document.allFormats()) {
        const bool counted = format.isCharFormat()    ? ++chars == 1
                             : format.isBlockFormat() ? ++blocks == 1
                                                      : format.isFrameFormat() && ++frames == 1;
        if (!counted)
            return false;
    }
    return true;
}

} // namespace

std::size_t Replacing::runOfOneFormat(const QTextDocument &document, bool oneFormat) const
{
    if (m_next + 1 >= m_offsets.size())
        return 1;
    if (oneFormat)
        return endingBy(m_offsets[m_next] + LongestPiece);
    const int start = int(m_offsets[m_next] + m_shift);
    const QTextBlock block = document.findBlock(start);
    // Looked for among the block's first few runs only, so that a long paragraph of many
    // formats costs no more than one replacement at a time.
    int runs = 16;
    for (auto it = block.begin(); !it.atEnd() && runs-- > 0; ++it) {
        const QTextFragment fragment = it.fragment();
        qint64 end = qint64(fragment.position()) + fragment.length();
        if (start >= end)
            continue;
        if (start < fragment.position())
            return 1;
        const qint64 limit = start + LongestPiece;
        if ((++it).atEnd()) // the paragraph's last run
            end = runOnward(block, fragment.charFormatIndex(), limit);
        return endingBy(std::min(end, limit) - m_shift);
    }
    return 1;
}

std::size_t Replacing::endingBy(qint64 end) const
{
    std::size_t n = 0;
    while (m_next + n < m_offsets.size() && m_offsets[m_next + n] + m_length <= end)
        ++n;
    return std::max<std::size_t>(n, 1);
}

bool Replacing::step(QTextCursor &cursor, std::chrono::nanoseconds budget)
{
    if (m_next >= m_offsets.size())
        return true;
    QElapsedTimer clock;
    clock.start();
    // The first step opens the undo step, the later ones join it. One edit block also lets
    // the document tell its views of the change once instead of once per replacement.
    if (m_next == 0)
        cursor.beginEditBlock();
    else
        cursor.joinPreviousEditBlock();
    const EditBlock block(cursor, false);
    const qint64 growth = m_replacement.size() - m_length;
    const bool oneFormat = holdsOneFormat(*cursor.document());
    while (m_next < m_offsets.size()) {
        // Occurrences within one run of one format are replaced as one piece, the text
        // between them put back as it was: each replacement takes that format either way,
        // and the document splits its runs once instead of once for each.
        const std::size_t n = runOfOneFormat(*cursor.document(), oneFormat);
        const int first = m_offsets[m_next];
        const int last = m_offsets[m_next + n - 1];
        QString piece;
        if (n > 1) {
            piece.reserve(last + m_length - first + qsizetype(n) * growth);
            for (std::size_t k = m_next; k < m_next + n; ++k) {
                piece += m_replacement;
                if (k + 1 < m_next + n)
                    piece += QStringView(m_rawText).sliced(
                        m_offsets[k] + m_length, m_offsets[k + 1] - m_offsets[k] - m_length);
            }
        }
        cursor.setPosition(int(first + m_shift));
        cursor.setPosition(int(last + m_length + m_shift), QTextCursor::KeepAnchor);
        cursor.insertText(n > 1 ? piece : m_replacement);
        m_shift += growth * qint64(n);
        m_next += n;
        if (std::chrono::nanoseconds(clock.nsecsElapsed()) >= budget)
            break;
    }
    return m_next >= m_offsets.size();
}

QString replacedMessage(std::int64_t count)
{
    return QCoreApplication::translate("TextSearch",
                                       "The specified region has been searched. \r\n%1 "
                                       "replacements have been made.")
        .arg(count);
}

} // namespace TextSearch
