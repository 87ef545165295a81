#include "artwork.h"

#include <QApplication>
#include <QFontInfo>
#include <QIcon>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <utility>

namespace {

// The classic 16-colour palette: the picture stays true to its small size.
const QColor Black(0, 0, 0);
const QColor DarkGray(128, 128, 128);
const QColor LightGray(192, 192, 192);
const QColor White(255, 255, 255);
const QColor DarkGreen(0, 128, 0);
const QColor Green(0, 255, 0);
const QColor DarkBlue(0, 0, 128);
const QColor Yellow(255, 255, 0);
const QColor DarkYellow(128, 128, 0);

// Draws an icon afresh at each size asked for: sharp at any scale of the screen.
class DrawnIconEngine final : public QIconEngine
{
public:
    explicit DrawnIconEngine(std::function<QImage(int pixels)> draw)
        : m_draw(std::move(draw))
    {}

    QIconEngine *clone() const override { return new DrawnIconEngine(m_draw); }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override { return size; }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        if (side <= 0)
            return {};
        const QPixmap drawn = QPixmap::fromImage(m_draw(side));
        // Greyed out and highlighted pictures look as the style makes them for every icon.
        if (mode == QIcon::Normal || mode == QIcon::Active || !qobject_cast<QApplication *>(qApp))
            return drawn;
        QStyleOption option;
        option.palette = QApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, drawn, &option);
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device()->devicePixelRatioF();
        QPixmap picture = pixmap((QSizeF(rect.size()) * ratio).toSize(), mode, state);
        picture.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect.topLeft(), picture);
    }

private:
    std::function<QImage(int pixels)> m_draw;
};

} // namespace

namespace Artwork {

QImage programImage(int size)
{
    return programImage(QSize(size, size));
}

QImage programImage(const QSize &size)
{
    // Drawn on a grid of 32; larger sizes scale the drawing, smaller ones the picture.
    if (size.width() < 32 || size.height() < 32)
        return programImage(32).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.scale(size.width() / 32.0, size.height() / 32.0);
    // Lid with the screen.
    p.fillRect(3, 4, 26, 12, LightGray);
    p.setPen(Black);
    p.drawRect(3, 4, 25, 11);
    p.fillRect(6, 6, 20, 8, DarkGreen);
    p.fillRect(7, 7, 8, 1, Green);
    p.fillRect(7, 9, 12, 1, Green);
    p.fillRect(7, 11, 6, 1, Green);
    // Keyboard half.
    p.fillRect(2, 17, 28, 11, DarkGray);
    p.drawRect(2, 17, 27, 10);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 8; ++col)
            p.fillRect(4 + col * 3, 19 + row * 3, 2, 2, White);
    }
    // The transfer arrow.
    p.setPen(DarkBlue);
    p.setBrush(Yellow);
    const QPoint arrow[] = {{19, 0}, {27, 0}, {27, 3}, {31, 3}, {23, 10}, {15, 3}, {19, 3}};
    p.drawPolygon(arrow, 7);
    p.end();
    return image;
}

QIcon drawnIcon(std::function<QImage(int pixels)> draw)
{
    return QIcon(new DrawnIconEngine(std::move(draw)));
}

QIcon programIcon()
{
    return drawnIcon([](int pixels) { return programImage(pixels); });
}

QIcon noIcon()
{
    return drawnIcon([](int pixels) {
        QImage image(pixels, pixels, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        return image;
    });
}

QImage donationButton(const QSize &pixels, const QFont &face)
{
    QImage image(pixels, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(pixels.width() / 495.0, pixels.height() / 126.0);
    p.setPen(QPen(DarkYellow, 6));
    p.setBrush(Yellow);
    p.drawRoundedRect(QRectF(4, 4, 487, 118), 56, 56);
    // The word is 64 units high.
    const qreal scale = 64.0 / QFontInfo(face).pixelSize();
    p.scale(scale, scale);
    p.setFont(face);
    p.setPen(DarkBlue);
    p.drawText(QRectF(0, 0, 495 / scale, 126 / scale), Qt::AlignCenter,
               QCoreApplication::translate("Artwork", "Donate", "the donation button's word"));
    p.end();
    return image;
}

} // namespace Artwork
