#pragma once

#include <QTextEdit>
#include <QTimer>

#include <memory>

class BusyWork;
namespace Rtf {
class Paste;
}

// The editor's rich-text area. The clipboard carries plain text only; pasted text that is RTF
// markup arrives formatted. Insert toggles overwriting. Lines wrap at the right margin and are
// counted as they are laid out.
class TextArea final : public QTextEdit
{
    Q_OBJECT
public:
    explicit TextArea(QWidget *parent = nullptr);
    ~TextArea() override;

    // Shows another document in place of the one shown, which goes if the area owned it.
    void showDocument(QTextDocument *document);

    // The width at which lines wrap, in pixels from the left edge of the text.
    int rightMargin() const { return lineWrapColumnOrWidth(); }
    void setRightMargin(int pixels);
    // The line, counted from 0 as laid out, that holds the character at a position.
    qint64 lineOf(int position) const;

    // The selection as plain text on the clipboard, also when nothing is selected.
    void copyPlain();
    // As copyPlain, then the selection is removed.
    void cutPlain();
    // Replaces the selection with the text: formatted when it is RTF markup, else as it is.
    // Long markup is read a piece at a time, the window held busy until all is in.
    void pasteText(const QString &text);
    bool isPasting() const { return bool(m_paste); }

signals:
    void overwriteModeToggled();

private slots:
    // Scrolls as little as shows the area, given in document pixels.
    void scrollToShow(const QRectF &area);

protected:
    QMimeData *createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void pasteMore();
    void endPaste();

    std::unique_ptr<Rtf::Paste> m_paste;
    std::unique_ptr<BusyWork> m_pasteBusy;
    QTimer m_pasteTimer;
};
