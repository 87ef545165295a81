#pragma once

#include <QAbstractTextDocumentLayout>
#include <QTextFragment>

#include <map>
#include <utility>
#include <vector>

// Lays a rich-text document out paragraph by paragraph, each with its own alignment and
// character formats, as a column of blocks at the document's text width. Only the blocks that
// changed and those looked at are laid out: a keystroke costs as much on a big document as on a
// small one. Each block's height in pixels is kept in the document's block index, which sums
// them, so that a block is found at a height, and a height at a block, without walking the
// blocks before it. Blocks not laid out yet count as one line of the default font.
class DocumentLayout final : public QAbstractTextDocumentLayout
{
    Q_OBJECT
public:
    explicit DocumentLayout(QTextDocument *document);

    void draw(QPainter *painter, const PaintContext &context) override;
    int hitTest(const QPointF &point, Qt::HitTestAccuracy accuracy) const override;
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override;
    QRectF frameBoundingRect(QTextFrame *frame) const override;
    QRectF blockBoundingRect(const QTextBlock &block) const override;

    // The line, counted from 0 as laid out, that holds the character at a position. The blocks
    // before it are laid out once; their counts are kept until a change before them.
    qint64 lineOf(int position) const;
    // Tells the text edit now of a size that changed as blocks were laid out when seen.
    void announceSize() const;

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;

private:
    void ensureLaidOut(const QTextBlock &block) const;
    void layOut(const QTextBlock &block) const;
    qreal top(const QTextBlock &block) const;
    QTextBlock blockAt(qreal y) const;
    // Surely one line, as far as can be told without laying the block out.
    bool fitsOnOneLine(const QTextBlock &block) const;
    // The advance of each of the first 256 characters in a font, and the widest of them.
    struct Advances
    {
        std::vector<qreal> each;
        qreal widest = 0;
    };
    // Those of a format, or of a run's; none where spacing changes them.
    const Advances *advancesOf(const QTextCharFormat &chars) const;
    const Advances *advancesOf(const QTextFragment &fragment) const;
    // The widest of each character's advances in all formats of a document without tables
    // or frames; none where spacing changes them.
    const Advances *advancesOfAny() const;
    // Whether the text fits in the width after `before`, which it then adds to.
    static bool fits(QStringView text, const Advances &advances, qreal available,
                     qreal *before = nullptr);
    void forgetMeasuresOfAnEarlierGeneration() const;
    // The width a block's lines may take.
    qreal room(const QTextBlock &block) const;
    // The text's width. A null page size asks for no layout while many edits are made (as Qt's
    // own layout takes it): what changes then is laid out when seen, at the width of before.
    qreal width() const;
    // Tells the text edit of a new size once the work at hand is done.
    void sizeChangeDue() const;

    // Block states below this were laid out at an earlier width or font.
    int m_generation = 0;
    qreal m_width = -2;
    int m_estimate = 1;
    bool m_estimated = false;
    mutable QSizeF m_announced;
    mutable bool m_announcing = false;
    // The lines before each block, known for the first m_counted blocks.
    mutable std::vector<qint64> m_linesBefore;
    mutable int m_counted = 0;
    mutable std::map<QString, Advances> m_advances; // kept in place: m_formats points in
    // By format index, for the generation they were measured at.
    mutable int m_measuredAt = -1;
    mutable std::vector<qreal> m_room;
    mutable std::vector<std::pair<bool, const Advances *>> m_formats;
    mutable qsizetype m_formatsSeen = 0;
    mutable Advances m_any;
};
