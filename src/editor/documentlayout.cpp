#include "documentlayout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>

#include <cmath>

namespace {

// A change of more blocks than this (a file read, a big paste) is laid out when it is seen.
constexpr int LaidOutAtOnce = 64;
// Counting the lines of more blocks than this takes the document's text whole.
constexpr int ManyBlocks = 4096;

// A block's state, kept in the block itself, says at which width and font it was laid out.
// The text edit's own users of that state (syntax highlighters) are not used here.
bool laidOutAt(const QTextBlock &block, int generation)
{
    return block.userState() == generation && block.layout()->lineCount() > 0;
}

} // namespace

DocumentLayout::DocumentLayout(QTextDocument *document)
    : QAbstractTextDocumentLayout(document)
{}

qreal DocumentLayout::top(const QTextBlock &block) const
{
    return document()->documentMargin() + block.firstLineNumber();
}

QTextBlock DocumentLayout::blockAt(qreal y) const
{
    const qreal inside = y - document()->documentMargin();
    if (inside < 0)
        return document()->firstBlock();
    const QTextBlock block = document()->findBlockByLineNumber(int(inside));
    return block.isValid() ? block : document()->lastBlock();
}

void DocumentLayout::layOut(const QTextBlock &block) const
{
    QTextDocument *const doc = document();
    const QTextBlockFormat format = block.blockFormat();
    QTextOption option = doc->defaultTextOption();
    const Qt::LayoutDirection direction = format.hasProperty(QTextFormat::LayoutDirection)
                                              ? format.layoutDirection()
                                              : block.textDirection();
    option.setTextDirection(direction);
    // A paragraph written right to left is aligned to the right unless told otherwise.
    const Qt::Alignment alignment =
        format.hasProperty(QTextFormat::BlockAlignment) ? format.alignment() : option.alignment();
    option.setAlignment(QStyle::visualAlignment(direction, alignment));
    QTextLayout *const layout = block.layout();
    layout->setTextOption(option);
    const qreal textWidth = width();
    const qreal available = textWidth < 0 ? qreal(1 << 24)
                                          : textWidth - 2 * doc->documentMargin()
                                                - format.leftMargin() - format.rightMargin();
    qreal y = format.topMargin();
    layout->beginLayout();
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        const qreal indent = line.lineNumber() == 0 ? format.textIndent() : 0;
        line.setLeadingIncluded(true);
        line.setLineWidth(qMax<qreal>(1, available - indent));
        line.setPosition(QPointF(format.leftMargin() + indent, y));
        y += line.height();
    }
    layout->endLayout();
    QTextBlock changed = block;
    changed.setUserState(m_generation);
    changed.setLineCount(qMax(1, int(std::ceil(y + format.bottomMargin()))));
}

qreal DocumentLayout::width() const
{
    return document()->pageSize().isNull() && m_width > -2 ? m_width : document()->textWidth();
}

void DocumentLayout::ensureLaidOut(const QTextBlock &block) const
{
    if (laidOutAt(block, m_generation))
        return;
    const int before = block.lineCount();
    layOut(block);
    if (block.lineCount() != before)
        sizeChangeDue();
}

void DocumentLayout::sizeChangeDue() const
{
    if (m_announcing)
        return;
    m_announcing = true;
    // Found while painting or measuring: the text edit hears of it after that is done.
    QTimer::singleShot(0, this, [this] { announceSize(); });
}

void DocumentLayout::announceSize() const
{
    m_announcing = false;
    const QSizeF size = documentSize();
    if (size != m_announced) {
        m_announced = size;
        emit const_cast<DocumentLayout *>(this)->documentSizeChanged(size);
    }
}

void DocumentLayout::documentChanged(int from, int charsRemoved, int charsAdded)
{
    Q_UNUSED(charsRemoved);
    QTextDocument *const doc = document();
    // A new width or font, or the document put in place: every block is laid out anew, as
    // it is seen.
    const bool whole = from == 0 && charsAdded >= doc->characterCount();
    const bool paused = doc->pageSize().isNull();
    if (whole || (!paused && doc->textWidth() != m_width)) {
        if (!paused)
            m_width = doc->textWidth();
        ++m_generation;
        m_counted = 0;
        m_estimate = qMax(1, int(std::ceil(QFontMetricsF(doc->defaultFont()).height())));
    }
    const QTextBlock first = doc->findBlock(from);
    const QTextBlock last = doc->findBlock(from + charsAdded);
    m_counted = qMin(m_counted, first.blockNumber() + 1);
    if (!whole || doc->blockCount() <= LaidOutAtOnce) {
        const int count =
            (last.isValid() ? last.blockNumber() : doc->blockCount() - 1) - first.blockNumber() + 1;
        const bool atOnce = !paused && count <= LaidOutAtOnce;
        for (QTextBlock block = first; block.isValid(); block = block.next()) {
            if (atOnce) {
                layOut(block);
            } else {
                block.setUserState(-1);
                block.setLineCount(m_estimate);
            }
            if (block == last)
                break;
        }
    } else if (!m_estimated) {
        m_estimated = true;
        // Read in before this layout was given the document: each block still has the height
        // of a line without a font.
        for (QTextBlock block = doc->firstBlock(); block.isValid(); block = block.next())
            block.setLineCount(m_estimate);
    }
    const QSizeF size = documentSize();
    if (size != m_announced || whole) {
        // What lies below the change moved.
        const bool moved = size != m_announced;
        m_announced = size;
        if (moved)
            emit documentSizeChanged(size);
        emit update(QRectF(0, whole ? 0 : top(first), qreal(1 << 30), qreal(1 << 30)));
        return;
    }
    const qreal bottom = last.isValid() ? top(last) + last.lineCount() : size.height();
    emit update(QRectF(0, top(first), size.width(), bottom - top(first)));
}

QSizeF DocumentLayout::documentSize() const
{
    const QTextDocument *const doc = document();
    const qreal margin = doc->documentMargin();
    return {qMax<qreal>(0, width()), 2 * margin + doc->lineCount()};
}

QRectF DocumentLayout::frameBoundingRect(QTextFrame *frame) const
{
    if (frame != document()->rootFrame())
        return {};
    return {QPointF(0, 0), documentSize()};
}

QRectF DocumentLayout::blockBoundingRect(const QTextBlock &block) const
{
    if (!block.isValid())
        return {};
    ensureLaidOut(block);
    const qreal margin = document()->documentMargin();
    return {margin, top(block), documentSize().width() - 2 * margin, qreal(block.lineCount())};
}

int DocumentLayout::hitTest(const QPointF &point, Qt::HitTestAccuracy accuracy) const
{
    // Above the text is its start, below it its end; a point on the line between two blocks
    // is on the upper one: as the text edit's own layout has it.
    const QTextDocument *const doc = document();
    const qreal y = point.y() - doc->documentMargin();
    if (y < 0 || y > doc->lineCount())
        return accuracy == Qt::ExactHit ? -1 : (y < 0 ? 0 : doc->characterCount() - 1);
    QTextBlock block = doc->findBlockByLineNumber(qMax(0, int(std::ceil(y)) - 1));
    if (!block.isValid())
        block = doc->lastBlock();
    // Laying a block out may change its height, never its top: the point may now lie in a
    // later block.
    for (int step = 0; step < 4; ++step) {
        ensureLaidOut(block);
        if (point.y() <= top(block) + block.lineCount() || !block.next().isValid())
            break;
        block = block.next();
    }
    const QPointF inside = point - QPointF(doc->documentMargin(), top(block));
    // Above a line is its start, below it its end.
    const QTextLayout *const layout = block.layout();
    int offset = 0;
    for (int i = 0; i < layout->lineCount(); ++i) {
        const QTextLine line = layout->lineAt(i);
        const QRectF rect = line.naturalTextRect();
        if (rect.top() > inside.y()) {
            offset = qMin(offset, line.textStart());
        } else if (rect.bottom() <= inside.y()) {
            offset = qMax(offset, line.textStart() + line.textLength());
        } else if (accuracy == Qt::ExactHit) {
            if (inside.x() < rect.left() || inside.x() > rect.right())
                return -1;
            return block.position() + line.xToCursor(inside.x(), QTextLine::CursorOnCharacter);
        } else {
            return block.position() + line.xToCursor(inside.x());
        }
    }
    return accuracy == Qt::ExactHit ? -1 : block.position() + offset;
}

void DocumentLayout::draw(QPainter *painter, const PaintContext &context)
{
    const QRectF clip =
        context.clip.isValid() ? context.clip : QRectF(QPointF(0, 0), documentSize());
    const int cursorWidth = property("cursorWidth").isValid() ? property("cursorWidth").toInt() : 1;
    const qreal margin = document()->documentMargin();
    painter->setPen(context.palette.color(QPalette::Text));
    for (QTextBlock block = blockAt(clip.top()); block.isValid(); block = block.next()) {
        ensureLaidOut(block);
        const QPointF offset(margin, top(block));
        if (offset.y() > clip.bottom())
            break;
        const int position = block.position();
        const int length = block.length();
        QList<QTextLayout::FormatRange> selections;
        for (const Selection &selection : context.selections) {
            const int start = selection.cursor.selectionStart() - position;
            const int end = selection.cursor.selectionEnd() - position;
            if (start < end && end > 0 && start < length)
                selections.append({start, end - start, selection.format});
        }
        QTextLayout *const layout = block.layout();
        layout->draw(painter, offset, selections, clip);
        int caret = context.cursorPosition;
        if (caret < -1)
            caret = layout->preeditAreaPosition() - (caret + 2) + position;
        if (caret >= position && caret < position + length)
            layout->drawCursor(painter, offset, caret - position, cursorWidth);
    }
}

qint64 DocumentLayout::lineOf(int position) const
{
    const QTextBlock target = document()->findBlock(position);
    if (!target.isValid())
        return 0;
    const int number = target.blockNumber();
    if (m_linesBefore.size() < size_t(document()->blockCount()))
        m_linesBefore.resize(document()->blockCount());
    if (m_counted == 0) {
        m_linesBefore[0] = 0;
        m_counted = 1;
    }
    QTextBlock block = document()->findBlockByNumber(m_counted - 1);
    // Many blocks at once are looked through in the document's text taken whole, as finding
    // each block's text costs more than looking at it; that needs the blocks one after the
    // other, with no table or frame between them.
    const Advances *const any = number - m_counted > ManyBlocks ? advancesOfAny() : nullptr;
    const QString all = any ? document()->toRawText() : QString();
    qsizetype at = any ? block.position() : 0;
    for (; m_counted <= number; block = block.next(), ++m_counted) {
        const bool one =
            laidOutAt(block, m_generation) || !any
                ? fitsOnOneLine(block)
                : fits(QStringView(all).sliced(at, block.length() - 1), *any, room(block));
        at += block.length();
        int lines = 1;
        if (!one) {
            ensureLaidOut(block);
            lines = qMax(1, block.layout()->lineCount());
        }
        m_linesBefore[m_counted] = m_linesBefore[m_counted - 1] + lines;
    }
    ensureLaidOut(target);
    const QTextLine line = target.layout()->lineForTextPosition(position - target.position());
    return m_linesBefore[number] + (line.isValid() ? line.lineNumber() : 0);
}

bool DocumentLayout::fitsOnOneLine(const QTextBlock &block) const
{
    if (laidOutAt(block, m_generation))
        return block.layout()->lineCount() <= 1;
    const qreal available = room(block);
    qreal width = 0;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const Advances *const advances = advancesOf(fragment);
        if (!advances || !fits(fragment.text(), *advances, available, &width))
            return false;
    }
    return true;
}

bool DocumentLayout::fits(QStringView text, const Advances &advances, qreal available,
                          qreal *before)
{
    // Each character at its own advance, with room to spare for kerning, is still narrower
    // than the line: the block takes one line, and need not be laid out to be counted. A run
    // whose every character would fit at the widest advance is only looked through for
    // characters without a known advance, not summed.
    qreal width = before ? *before : 0;
    const auto known = [&](char16_t c) {
        return c >= 32 && c < advances.each.size();
    };
    if ((width + qreal(text.size()) * advances.widest) * 1.1 + 2 <= available) {
        bool unknown = false;
        for (const QChar c : text)
            unknown |= !known(c.unicode());
        width += qreal(text.size()) * advances.widest;
        if (unknown)
            return false;
    } else {
        for (const QChar c : text) {
            if (!known(c.unicode()))
                return false;
            width += advances.each[c.unicode()];
        }
    }
    if (before)
        *before = width;
    return width * 1.1 + 2 <= available;
}

qreal DocumentLayout::room(const QTextBlock &block) const
{
    forgetMeasuresOfAnEarlierGeneration();
    const int index = block.blockFormatIndex();
    if (index >= int(m_room.size()))
        m_room.resize(index + 1, -1);
    qreal &room = m_room[index];
    if (room < 0) {
        const QTextDocument *const doc = document();
        const QTextBlockFormat format = block.blockFormat();
        room = qMax<qreal>(0, width() - 2 * doc->documentMargin() - format.leftMargin()
                                  - format.rightMargin() - qAbs(format.textIndent()));
    }
    return room;
}

void DocumentLayout::forgetMeasuresOfAnEarlierGeneration() const
{
    if (m_measuredAt == m_generation)
        return;
    m_measuredAt = m_generation;
    m_room.clear();
    m_formats.clear();
    m_formatsSeen = 0;
}

const DocumentLayout::Advances *DocumentLayout::advancesOf(const QTextCharFormat &chars) const
{
    // Spacing and stretch change the advances: such a run is laid out to be counted.
    if (chars.hasProperty(QTextFormat::FontLetterSpacing)
        || chars.hasProperty(QTextFormat::FontWordSpacing)
        || chars.hasProperty(QTextFormat::FontStretch))
        return nullptr;
    const QFont font = chars.font().resolve(document()->defaultFont());
    Advances &measured = m_advances[font.key()];
    if (measured.each.empty()) {
        const QFontMetricsF metrics(font);
        for (int c = 0; c < 256; ++c) {
            measured.each.push_back(metrics.horizontalAdvance(QChar(c)));
            if (c >= 32)
                measured.widest = qMax(measured.widest, measured.each.back());
        }
    }
    return &measured;
}

const DocumentLayout::Advances *DocumentLayout::advancesOf(const QTextFragment &fragment) const
{
    forgetMeasuresOfAnEarlierGeneration();
    const int index = fragment.charFormatIndex();
    if (index >= int(m_formats.size()))
        m_formats.resize(index + 1, {false, nullptr});
    auto &[known, advances] = m_formats[index];
    if (!known) {
        known = true;
        advances = advancesOf(fragment.charFormat());
    }
    return advances;
}

const DocumentLayout::Advances *DocumentLayout::advancesOfAny() const
{
    forgetMeasuresOfAnEarlierGeneration();
    if (!document()->rootFrame()->childFrames().isEmpty())
        return nullptr;
    // Each character at the widest of its advances in every character format the document
    // holds, used or not: a bound for a block whatever its formats.
    const QList<QTextFormat> formats = document()->allFormats();
    if (formats.size() != m_formatsSeen) {
        m_formatsSeen = formats.size();
        m_any = Advances{std::vector<qreal>(256, 0), 0};
        for (const QTextFormat &format : formats) {
            if (!format.isCharFormat())
                continue;
            const Advances *const advances = advancesOf(format.toCharFormat());
            if (!advances) {
                m_any.each.clear();
                break;
            }
            for (std::size_t c = 0; c < 256; ++c)
                m_any.each[c] = qMax(m_any.each[c], advances->each[c]);
            m_any.widest = qMax(m_any.widest, advances->widest);
        }
    }
    return m_any.each.empty() ? nullptr : &m_any;
}
