#pragma once

#include <QString>

class QTextDocument;

// QTextDocument ends a paragraph at its frame marks U+FDD0 and U+FDD1 wherever they stand, so a
// plain text that holds them would come back from the document broken into more paragraphs. Each
// of the text's own is shown as U+FFFD instead, the mark kept in that character's format, and
// given back from there.
namespace FrameMarks {

// Makes the text the document's whole plain text, its frame marks stood in for. Leaves nothing to
// undo.
void setPlainText(QTextDocument &document, QString text);

// The document's text with paragraph marks and line breaks as U+2029 and U+2028, and the frame
// marks of the text back in place of their stand-ins.
QString rawText(const QTextDocument &document);

} // namespace FrameMarks
