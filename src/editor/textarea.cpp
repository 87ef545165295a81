#include "textarea.h"

#include "common/busywork.h"
#include "editor/documentlayout.h"
#include "editor/rtfreader.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>

namespace {

// Markup shorter than this is read at once: it takes less than the eye notices.
constexpr qsizetype PasteInPiecesFrom = 256 * 1024;
// A piece of a long paste takes about this long, so that the window goes on answering; it
// looks at the clock after each step of so many characters.
constexpr qint64 PieceMs = 40;
constexpr qsizetype PasteStep = 8192;

} // namespace

TextArea::TextArea(QWidget *parent)
    : QTextEdit(parent)
{
    m_pasteTimer.setInterval(0);
    connect(&m_pasteTimer, &QTimer::timeout, this, [this] { pasteMore(); });
    // The text edit sets its scroll bars anew before each scroll to the caret while the
    // horizontal one has nothing to scroll, which repaints the whole area at every keystroke.
    // The scroll to the caret is ours: the layout announces every new size as it finds it.
    for (QObject *child : children()) {
        const int request = child->metaObject()->indexOfSignal("visibilityRequest(QRectF)");
        if (request < 0)
            continue;
        disconnect(child, SIGNAL(visibilityRequest(QRectF)), this, nullptr);
        connect(child, child->metaObject()->method(request), this,
                metaObject()->method(metaObject()->indexOfMethod("scrollToShow(QRectF)")));
    }
    setLineWrapMode(QTextEdit::FixedPixelWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab moves on to the font boxes, as in the window's other controls.
    setTabChangesFocus(true);
    showDocument(document());
}

TextArea::~TextArea() = default;

void TextArea::showDocument(QTextDocument *shown)
{
    // A paste goes into the document it began in, or nowhere.
    if (m_paste && shown != document())
        endPaste();
    // Laid out by our own layout, which on a big document lays out only what changed and what
    // is seen. It is given first, so that the text edit never lays the document out its way.
    if (!shown->findChild<DocumentLayout *>(QString(), Qt::FindDirectChildrenOnly))
        shown->setDocumentLayout(new DocumentLayout(shown));
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
}

void TextArea::scrollToShow(const QRectF &area)
{
    if (auto *layout = qobject_cast<DocumentLayout *>(document()->documentLayout()))
        layout->announceSize();
    const QRect rect = area.toRect();
    QScrollBar *const across = horizontalScrollBar();
    QScrollBar *const down = verticalScrollBar();
    const bool mirrored = isRightToLeft();
    const int left = mirrored ? across->maximum() - across->value() : across->value();
    const auto scrollAcross = [&](int to) {
        across->setValue(mirrored ? across->maximum() - to : to);
    };
    if (rect.left() < left)
        scrollAcross(rect.left());
    else if (rect.right() + 1 > left + viewport()->width())
        scrollAcross(rect.right() + 1 - viewport()->width());
    if (rect.top() < down->value())
        down->setValue(rect.top());
    else if (rect.bottom() + 1 > down->value() + viewport()->height())
        down->setValue(rect.bottom() + 1 - viewport()->height());
}

void TextArea::setRightMargin(int pixels)
{
    setLineWrapColumnOrWidth(pixels);
}

qint64 TextArea::lineOf(int position) const
{
    const auto *layout = qobject_cast<const DocumentLayout *>(document()->documentLayout());
    return layout ? layout->lineOf(position) : document()->findBlock(position).blockNumber();
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
    if (m_paste)
        return;
    QTextCursor cursor = textCursor();
    if (Rtf::isMarkup(text) && text.size() >= PasteInPiecesFrom) {
        m_paste = std::make_unique<Rtf::Paste>(text, cursor);
        m_pasteBusy = std::make_unique<BusyWork>(window(), tr("Pasting..."));
        m_pasteTimer.start();
        return;
    }
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

void TextArea::pasteMore()
{
    const bool all = m_paste->readUntil(QDeadlineTimer(PieceMs), PasteStep);
    m_pasteBusy->setProgress(m_paste->position(), m_paste->size());
    if (!all)
        return;
    const QTextCursor end = m_paste->cursor();
    endPaste();
    if (!end.isNull() && end.document() == document()) {
        setTextCursor(end);
        ensureCursorVisible();
    }
}

void TextArea::endPaste()
{
    m_pasteTimer.stop();
    m_paste.reset();
    m_pasteBusy.reset();
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
