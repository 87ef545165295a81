#include "textsearch.h"

#include <QCoreApplication>
#include <QStringMatcher>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

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

// Finds one text in the text of single paragraphs.
class Finder final
{
public:
    Finder(const QString &text, Options options)
        : m_matcher(text, options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive)
        , m_length(text.size())
        , m_wholeWord(options.wholeWord)
    {}

    // The first occurrence at or after `from`, or -1.
    qsizetype indexIn(const QString &paragraph, qsizetype from) const
    {
        for (qsizetype i = m_matcher.indexIn(paragraph, from); i >= 0;
             i = m_matcher.indexIn(paragraph, i + 1)) {
            if (!m_wholeWord || standsAlone(paragraph, i, m_length))
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
    const Finder finder(text, options);
    QTextBlock block = document->findBlock(qMax(0, from));
    qsizetype offset = qMax(0, from) - block.position();
    for (; block.isValid(); block = block.next(), offset = 0) {
        const qsizetype i = finder.indexIn(block.text(), offset);
        if (i >= 0) {
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
    const Finder finder(text, options);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QString paragraph = block.text();
        const int position = block.position();
        for (qsizetype i = finder.indexIn(paragraph, 0); i >= 0;
             i = finder.indexIn(paragraph, i + text.size()))
            offsets.push_back(position + int(i));
    }
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
