#pragma once

#include "editor/rtftokenizer.h"

#include <QByteArrayView>
#include <QDeadlineTimer>
#include <QString>
#include <QStringView>

#include <functional>
#include <memory>

class QTextCursor;
class QTextDocument;

// Reads RTF as word processors write it (WordPad, Word, LibreOffice, TextEdit) into a
// QTextDocument: text, fonts, sizes, bold, italic, underline, strike-out, raised and lowered
// text, colours and paragraph alignment. Text boxes show where they are anchored, footnotes
// as their numbered marks, and a field without a result as what its code plainly gives
// (SYMBOL, PAGE, QUOTE). What the editor cannot show (pictures, objects, headers and footers,
// footnotes' own text, document info, field codes, style sheets, list tables) is skipped.
// Malformed markup never fails: what can be read is read, in time and memory that grow
// with the input alone. No widgets here.
//
// Text names its font only when the document does; otherwise it takes the document's
// default font. Its size is the one the markup gives, or RTF's own default of 12 points.
// Each character format made here also holds QTextFormat::UserProperty + 0x7274, a string
// that keeps QTextDocument quick with thousands of formats; it shows nowhere, and anything
// that writes the document out may leave it out.
namespace Rtf {

// Whether the text is RTF markup: "{\rtf" after optional leading white space.
bool isMarkup(QByteArrayView data);
bool isMarkup(QStringView text);

// Pasting: inserts the markup at the cursor, in place of its selection, as one undo step.
// A final \par is kept, so a copied whole paragraph arrives as a paragraph of its own. A
// paragraph's alignment goes with its \par; the text after the last \par keeps the
// alignment of the paragraph it lands in.
// Bytes from 0x80 up outside escapes are decoded with the code page in force, like \'hh.
void read(QByteArrayView data, QTextCursor &cursor);
// Markup held as text (from the clipboard): characters from 0x80 up are taken as they are.
void read(QStringView markup, QTextCursor &cursor);

// Loading a file: replaces the document's content, leaves nothing to undo, and marks the
// document unmodified. A file's last \par ends its last paragraph and so leaves no empty
// paragraph after it, as in the word processor that wrote it.
void load(QByteArrayView data, QTextDocument &document);

// A paste of markup held as text, read a piece at a time so that a long one need not hold up
// the window: each piece puts in what it read, and all of them make one undo step. The
// result is the same as read() gives.
class Paste final
{
public:
    Paste(const QString &markup, const QTextCursor &cursor);
    ~Paste();
    Paste(const Paste &) = delete;
    Paste &operator=(const Paste &) = delete;

    // Reads about `units` more characters of the markup; true once all of it is in (or the
    // document has gone).
    bool readMore(qsizetype units);
    // Reads on, a step of `units` at a time, until the deadline has passed; true as above.
    bool readUntil(const QDeadlineTimer &deadline, qsizetype units);
    qsizetype position() const;
    qsizetype size() const;
    // Where the pasted text ends, once all is in.
    QTextCursor cursor() const;

private:
    bool readWhile(const std::function<bool()> &more, qsizetype units);

    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace Rtf
