#include "artwork.h"

#include <QCoreApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>

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

} // namespace

namespace Artwork {

QImage programImage(int size)
{
    // Drawn on a grid of 32; larger sizes scale the drawing, smaller ones the picture.
    if (size < 32)
        return programImage(32).scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.scale(size / 32.0, size / 32.0);
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

QPixmap programPicture()
{
    return QPixmap::fromImage(programImage(32));
}

QIcon programIcon()
{
    return QIcon(programPicture());
}

QPixmap donationButton()
{
    QImage image(495, 126, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(DarkYellow, 6));
    p.setBrush(Yellow);
    p.drawRoundedRect(QRectF(4, 4, 487, 118), 56, 56);
    QFont font;
    font.setPixelSize(64);
    font.setBold(true);
    p.setFont(font);
    p.setPen(DarkBlue);
    p.drawText(image.rect(), Qt::AlignCenter,
               QCoreApplication::translate("Artwork", "Donate", "the donation button's word"));
    p.end();
    return QPixmap::fromImage(image);
}

} // namespace Artwork
