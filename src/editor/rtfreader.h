#pragma once

#include <QByteArrayView>
#include <QStringView>

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

// Groups nested deeper than this are skipped with all they hold; reading goes on after
// their end. Real documents nest a few dozen deep at most.
constexpr int MaxGroupDepth = 1000;

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

} // namespace Rtf
