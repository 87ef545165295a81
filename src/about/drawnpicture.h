#pragma once

#include <QImage>
#include <QPixmap>

#include <functional>

class QWidget;

// A picture drawn for its frame's size in the screen's own pixels, at any scale, rather than a
// small one stretched. It is drawn when it is first shown, on the screen it is shown on, and
// again only when that size or the scale changes.
class DrawnPicture final
{
public:
    using Draw = std::function<QImage(QSize pixels)>;

    explicit DrawnPicture(Draw draw);

    // Paints the picture over the whole widget; called from the widget's paint event.
    void paint(QWidget *widget);

private:
    Draw m_draw;
    QPixmap m_picture;
};
