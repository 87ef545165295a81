#include "textarea.h"

#include "common/busywork.h"
#include "editor/rtfreader.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextLayout>

TextArea::TextArea(QWidget *parent)
    : QTextEdit(parent)
{
    setLineWrapMode(QTextEdit::FixedPixelWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab moves on to the font boxes, as in the window's other controls.
    setTabChangesFocus(true);
    showDocument(document());
}

void TextArea::showDocument(QTextDocument *shown)
{
    // A new document starts with the cursor at its start, where setting a cursor into the old
    // one would first lay all of the old one out.
    QTextDocument *const old = document();
    if (shown != old) {
        // The text edit deletes only the document it made itself.
        const bool ours = old->parent() == this;
        setDocument(shown);
        if (ours)
            delete old;
    }
    m_countedBlocks = 0;
    // A change lays its blocks out anew; their line counts are taken again from there on.
    connect(shown, &QTextDocument::contentsChange, this, [this, shown](int from) {
        m_countedBlocks = qMin(m_countedBlocks, shown->findBlock(from).blockNumber());
    });
}

void TextArea::setRightMargin(int pixels)
{
    setLineWrapColumnOrWidth(pixels);
    m_countedBlocks = 0;
}

qint64 TextArea::lineOf(int position) const
{
    const QTextBlock target = document()->findBlock(position);
    if (!target.isValid())
        return 0;
    // Lays the text out up to this block, then tells the document how many lines each block
    // before it took, so that it counts the lines before the block itself. Only blocks laid out
    // anew since the last call are visited.
    document()->documentLayout()->blockBoundingRect(target);
    const int targetNumber = target.blockNumber();
    for (QTextBlock block = document()->findBlockByNumber(m_countedBlocks);
         block.isValid() && m_countedBlocks <= targetNumber; block = block.next()) {
        const int lines = block.layout() ? qMax(1, block.layout()->lineCount()) : 1;
        if (block.lineCount() != lines)
            block.setLineCount(lines);
        ++m_countedBlocks;
    }
    const QTextLine line = target.layout()->lineForTextPosition(position - target.position());
    return qint64(target.firstLineNumber()) + (line.isValid() ? line.lineNumber() : 0);
}

QMimeData *TextArea::createMimeDataFromSelection() const
{
    // The raw selection keeps no-break spaces, which a fragment's plain text would blank.
    QString text = textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    auto *data = new QMimeData;
    data->setText(text);
    return data;
}

void TextArea::copyPlain()
{
    QGuiApplication::clipboard()->setMimeData(createMimeDataFromSelection());
}

void TextArea::cutPlain()
{
    copyPlain();
    textCursor().removeSelectedText();
}

void TextArea::pasteText(const QString &text)
{
    QTextCursor cursor = textCursor();
    if (Rtf::isMarkup(text)) {
        const WaitCursor busy;
        Rtf::read(text, cursor);
    } else {
        // Nothing on the clipboard still replaces the selection, with nothing.
        cursor.insertText(text);
    }
    setTextCursor(cursor);
    ensureCursorVisible();
}

bool TextArea::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasText();
}

void TextArea::insertFromMimeData(const QMimeData *source)
{
    pasteText(source->text());
}

void TextArea::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier) {
        setOverwriteMode(!overwriteMode());
        emit overwriteModeToggled();
        return;
    }
    QTextEdit::keyPressEvent(event);
}
