#pragma once

#include <QString>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <vector>

class QTextCursor;
class QTextDocument;

// Finding and replacing text in a document, without widgets.
//
// Offsets are QTextCursor positions: characters counted from 0, a paragraph break counting as
// one. A line break in the text to find, of either kind, matches a line break or a paragraph
// break of the document, so text is found across lines. A whole word is an occurrence with no word
// character right before or after it; word characters are letters, numbers, combining marks and
// the underscore, so "cat" is not whole in "concatenate" nor in "cat_food". An empty find text
// has no occurrence.
namespace TextSearch {

struct Options
{
    bool wholeWord = false;
    bool matchCase = false; // otherwise letter case is ignored
};

// Looks for text from offset `from` to the end of the cursor's document. When found, the
// cursor selects the occurrence and its offset is returned; otherwise -1, cursor untouched.
int find(QTextCursor &cursor, const QString &text, int from, Options options);

// The offsets of every occurrence in a document's QTextDocument::toRawText(), in order, none
// overlapping another; a copy of the text, so that it may run in a thread of its own. `done`,
// when given, is kept at how many characters were searched; the search ends early, with what
// it found so far, once `stop` is set.
std::vector<int> findAllIn(QString rawText, const QString &text, Options options,
                           const std::atomic_bool *stop = nullptr,
                           std::atomic<qsizetype> *done = nullptr);

// Replaces the `length` characters at each of the offsets, which findAllIn() gave, in steps,
// so that the event loop runs between them, the whole one undo step. Each replacement takes
// the format of the text it replaces, as typing over a selection does. The cursor ends right
// after the last replacement. Between the steps nothing but these may change the document.
class Replacing final
{
public:
    // The raw text is the document's as it was searched.
    Replacing(QString rawText, std::vector<int> offsets, int length, QString replacement);

    // Makes replacements until all are made or the time is up; true once all are made.
    bool step(QTextCursor &cursor, std::chrono::nanoseconds budget);
    std::size_t made() const { return m_next; }
    std::size_t count() const { return m_offsets.size(); }

private:
    // How many occurrences from the next one lie in one run of one format; 1 when unsure.
    // With oneFormat, the whole document is known to hold one format.
    std::size_t runOfOneFormat(const QTextDocument &document, bool oneFormat) const;
    // How many occurrences from the next one end by that place in the searched text; at least 1.
    std::size_t endingBy(qint64 end) const;

    QString m_rawText;
    std::vector<int> m_offsets;
    int m_length;
    QString m_replacement;
    std::size_t m_next = 0;
    qint64 m_shift = 0;
};

// The report shown after replacements were made.
QString replacedMessage(std::int64_t count);

} // namespace TextSearch
