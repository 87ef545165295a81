#include "textsearch.h"

#include <QCoreApplication>
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
    explicit EditBlock(QTextCursor &cursor)
        : m_cursor(cursor)
    {
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
    std::vector<int> offsets;
    if (text.isEmpty())
        return offsets;
    const QString wanted = withParagraphBreaks(text);
    const Finder finder(wanted, options);
    // Offsets in this text are cursor positions: each paragraph is followed by what ends it,
    // and the marks of a table or frame keep their places.
    QString all;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        all.resize(block.position(), Unmatched);
        all += block.text();
        if (block.next().isValid())
            all += endOf(block);
    }
    all = withParagraphBreaks(std::move(all));
    for (qsizetype i = finder.indexIn(all, 0); i >= 0; i = finder.indexIn(all, i + text.size()))
        offsets.push_back(int(i));
    return offsets;
}

std::int64_t replaceAt(QTextCursor &cursor, const std::vector<int> &offsets, int length,
                       const QString &replacement)
{
    if (offsets.empty())
        return 0;
    // One edit block makes the whole run one undo step, and lets the document tell its views
    // of the change once instead of once per replacement.
    const EditBlock block(cursor);
    const qint64 growth = replacement.size() - length;
    qint64 shift = 0;
    for (const int offset : offsets) {
        cursor.setPosition(int(offset + shift));
        cursor.setPosition(int(offset + shift + length), QTextCursor::KeepAnchor);
        cursor.insertText(replacement);
        shift += growth;
    }
    return std::int64_t(offsets.size());
}

std::int64_t replaceAll(QTextCursor &cursor, const QString &text, const QString &replacement,
                        Options options)
{
    const QTextDocument *document = cursor.document();
    if (!document)
        return 0;
    // Everything is found before the first change, so no replacement is ever searched.
    return replaceAt(cursor, findAll(*document, text, options), int(text.size()), replacement);
}

QString replacedMessage(std::int64_t count)
{
    return QCoreApplication::translate("TextSearch",
                                       "The specified region has been searched. \r\n%1 "
                                       "replacements have been made.")
        .arg(count);
}

} // namespace TextSearch
