#include "drawnpicture.h"

#include <QPainter>
#include <QWidget>

#include <utility>

DrawnPicture::DrawnPicture(Draw draw)
    : m_draw(std::move(draw))
{}

void DrawnPicture::paint(QWidget *widget)
{
    const qreal ratio = widget->devicePixelRatioF();
    const QSize pixels = (QSizeF(widget->size()) * ratio).toSize();
    if (m_picture.size() != pixels || m_picture.devicePixelRatio() != ratio) {
        m_picture = QPixmap::fromImage(m_draw(pixels));
        m_picture.setDevicePixelRatio(ratio);
    }
    QPainter(widget).drawPixmap(0, 0, m_picture);
}
