#pragma once

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QPaintEvent>

// Where the keyboard is in a list, in every theme: the style's own mark is a faint tint that
// can hardly be told from no mark at all. No state of its own.
namespace FocusMark {

// Draws onto the view's viewport, after the view has drawn itself: a frame around it while it
// has the focus, and a line around its current entry, selected or not.
void paint(QAbstractItemView &view);

} // namespace FocusMark

// A list view that draws the mark, and draws it anew when the focus comes or goes or the view
// scrolls: the mark covers the whole list, not only the current entry.
template<typename View> class FocusMarked : public View
{
public:
    using View::View;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        View::paintEvent(event);
        FocusMark::paint(*this);
    }
    void focusInEvent(QFocusEvent *event) override
    {
        View::focusInEvent(event);
        this->viewport()->update();
    }
    void focusOutEvent(QFocusEvent *event) override
    {
        View::focusOutEvent(event);
        this->viewport()->update();
    }
    void scrollContentsBy(int dx, int dy) override
    {
        View::scrollContentsBy(dx, dy);
        // Scrolling moves what was drawn, the frame with it.
        if (this->hasFocus())
            this->viewport()->update();
    }
};
