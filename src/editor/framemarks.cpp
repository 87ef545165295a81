#include "framemarks.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <utility>
#include <vector>

namespace FrameMarks {

namespace {

constexpr int StandsFor = QTextFormat::UserProperty + 0x6466;
constexpr char16_t StandIn = 0xFFFD;

bool isFrameMark(char16_t c)
{
    return c == 0xFDD0 || c == 0xFDD1;
}

// Puts the stand-in in place of each frame mark of the text; returns where they stood in the
// document that the text makes, in which CR LF is one paragraph end.
std::vector<std::pair<int, char16_t>> standIn(QString &text)
{
    std::vector<std::pair<int, char16_t>> marks;
    if (!text.contains(QChar(0xFDD0)) && !text.contains(QChar(0xFDD1)))
        return marks;
    int position = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++position) {
        const char16_t c = text[i].unicode();
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) {
            ++i;
        } else if (isFrameMark(c)) {
            marks.emplace_back(position, c);
            text[i] = QChar(StandIn);
        }
    }
    return marks;
}

} // namespace

void setPlainText(QTextDocument &document, QString text)
{
    const std::vector<std::pair<int, char16_t>> marks = standIn(text);
    document.setPlainText(text);
    if (marks.empty())
        return;
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    QTextCursor cursor(&document);
    for (const auto &[at, mark] : marks) {
        cursor.setPosition(at);
        cursor.setPosition(at + 1, QTextCursor::KeepAnchor);
        QTextCharFormat format;
        format.setProperty(StandsFor, int(mark));
        cursor.mergeCharFormat(format);
    }
    document.setUndoRedoEnabled(undo);
}

QString rawText(const QTextDocument &document)
{
    QString text = document.toRawText();
    const QList<QTextFormat> formats = document.allFormats();
    if (std::none_of(formats.cbegin(), formats.cend(),
                     [](const QTextFormat &format) { return format.hasProperty(StandsFor); }))
        return text;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QVariant original = fragment.charFormat().property(StandsFor);
            if (!original.isValid())
                continue;
            // Text typed behind a stand-in takes on its format; only the stand-in goes back.
            for (int i = fragment.position(); i < fragment.position() + fragment.length(); ++i) {
                if (text[i] == QChar(StandIn))
                    text[i] = QChar(char16_t(original.toInt()));
            }
        }
    }
    return text;
}

} // namespace FrameMarks
