#include "textsearch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringMatcher>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

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

// A line break, within a paragraph or between two, is one break to a reader: the search sees
// each as a paragraph break, one character for one, so offsets stay as they were.
QString withParagraphBreaks(QString text)
{
    for (QChar &c : text) {
        if (c == QChar::LineSeparator || c == QLatin1Char('\n'))
            c = QChar::ParagraphSeparator;
    }
    return text;
}

// Stands for the marks of a table or frame, which hold a place but are no line break.
constexpr QChar Unmatched(0xFDD0);

// What ends a paragraph: a break, or the mark of a table or frame.
QChar endOf(const QTextBlock &block)
{
    const QChar end = block.document()->characterAt(block.position() + block.length() - 1);
    return end == QChar::ParagraphSeparator ? end : Unmatched;
}

// Finds one text in a text.
class Finder final
{
public:
    Finder(const QString &text, Options options)
        : m_matcher(text, options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive)
        , m_length(text.size())
        , m_wholeWord(options.wholeWord)
    {}

    // The first occurrence at or after `from`, or -1.
    qsizetype indexIn(const QString &text, qsizetype from) const
    {
        for (qsizetype i = m_matcher.indexIn(text, from); i >= 0;
             i = m_matcher.indexIn(text, i + 1)) {
            if (!m_wholeWord || standsAlone(text, i, m_length))
                return i;
        }
        return -1;
    }

private:
    QStringMatcher m_matcher;
    qsizetype m_length;
    bool m_wholeWord;
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
    const QString wanted = withParagraphBreaks(text);
    const Finder finder(wanted, options);
    // An occurrence that starts in a paragraph lies within it and as many more as the text
    // holds breaks.
    const auto breaks = wanted.count(QChar::ParagraphSeparator);
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
        const qsizetype i = finder.indexIn(withParagraphBreaks(std::move(window)), offset);
        if (i >= 0 && i < block.length()) {
            const int start = block.position() + int(i);
            cursor.setPosition(start);
            cursor.setPosition(start + int(text.size()), QTextCursor::KeepAnchor);
            return start;
        }
    }
    return -1;
}

std::vector<int> findAll(const QTextDocument &document, const QString &text, Options options)
{
    return findAllIn(document.toRawText(), text, options);
}

std::vector<int> findAllIn(QString rawText, const QString &text, Options options,
                           const std::atomic_bool *stop, std::atomic<qsizetype> *done)
{
    std::vector<int> offsets;
    if (text.isEmpty())
        return offsets;
    const QString wanted = withParagraphBreaks(text);
    const Finder finder(wanted, options);
    // Offsets in the raw text are cursor positions. Each paragraph ends in a break or in the
    // mark of a table or frame, which matches nothing.
    QString all = std::move(rawText);
    for (QChar &c : all) {
        const char16_t u = c.unicode();
        if (u == QChar::LineSeparator || u == '\n')
            c = QChar::ParagraphSeparator;
        else if (u == 0xFDD1)
            c = Unmatched;
    }
    for (qsizetype i = finder.indexIn(all, 0); i >= 0; i = finder.indexIn(all, i + text.size())) {
        offsets.push_back(int(i));
        if (done)
            done->store(i, std::memory_order_relaxed);
        if (stop && stop->load(std::memory_order_relaxed))
            break;
    }
    return offsets;
}

std::int64_t replaceAt(QTextCursor &cursor, const std::vector<int> &offsets, int length,
                       const QString &replacement)
{
    Replacing replacing({}, offsets, length, replacement);
    while (!replacing.step(cursor, std::chrono::hours(1))) {
    }
    return std::int64_t(replacing.count());
}

Replacing::Replacing(QString rawText, std::vector<int> offsets, int length, QString replacement)
    : m_rawText(std::move(rawText))
    , m_offsets(std::move(offsets))
    , m_length(length)
    , m_replacement(std::move(replacement))
{}

std::size_t Replacing::runOfOneFormat(const QTextDocument &document) const
{
    if (m_next + 1 >= m_offsets.size())
        return 1;
    const int start = int(m_offsets[m_next] + m_shift);
    const QTextBlock block = document.findBlock(start);
    // Looked for among the block's first few runs only, so that a long paragraph of many
    // formats costs no more than one replacement at a time.
    int runs = 16;
    for (auto it = block.begin(); !it.atEnd() && runs-- > 0; ++it) {
        const QTextFragment fragment = it.fragment();
        const qint64 end = qint64(fragment.position()) + fragment.length() - m_shift;
        if (start >= fragment.position() + fragment.length())
            continue;
        if (start < fragment.position())
            return 1;
        std::size_t n = 0;
        while (m_next + n < m_offsets.size() && m_offsets[m_next + n] + m_length <= end)
            ++n;
        return std::max<std::size_t>(n, 1);
    }
    return 1;
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
    if (m_rawText.isEmpty())
        m_rawText = cursor.document()->toRawText();
    const qint64 growth = m_replacement.size() - m_length;
    while (m_next < m_offsets.size()) {
        // Occurrences within one run of one format are replaced as one piece, the text
        // between them put back as it was: each replacement takes that format either way,
        // and the document splits its runs once instead of once for each.
        const std::size_t n = runOfOneFormat(*cursor.document());
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

std::int64_t replaceAll(QTextCursor &cursor, const QString &text, const QString &replacement,
                        Options options)
{
    const QTextDocument *document = cursor.document();
    if (!document)
        return 0;
    // Everything is found before the first change, so no replacement is ever searched.
    QString raw = document->toRawText();
    std::vector<int> offsets = findAllIn(raw, text, options);
    Replacing replacing(std::move(raw), std::move(offsets), int(text.size()), replacement);
    while (!replacing.step(cursor, std::chrono::hours(1))) {
    }
    return std::int64_t(replacing.count());
}

QString replacedMessage(std::int64_t count)
{
    return QCoreApplication::translate("TextSearch",
                                       "The specified region has been searched. \r\n%1 "
                                       "replacements have been made.")
        .arg(count);
}

} // namespace TextSearch
