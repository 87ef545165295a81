#include "toolbaricons.h"

#include "common/artwork.h"

#include <QCoreApplication>
#include <QFont>
#include <QHash>
#include <QPainter>
#include <QPalette>

namespace ToolbarIcons {

namespace {

// The names the freedesktop icon theme gives these pictures, where it has one.
const QHash<QString, QString> &themeNames()
{
    static const QHash<QString, QString> names = {
        {"New", "document-new"},
        {"Open", "document-open"},
        {"Save", "document-save"},
        {"Print", "document-print"},
        {"Cut", "edit-cut"},
        {"Copy", "edit-copy"},
        {"Paste", "edit-paste"},
        {"Bold", "format-text-bold"},
        {"Italic", "format-text-italic"},
        {"Underline", "format-text-underline"},
        {"Align Left", "format-justify-left"},
        {"Center", "format-justify-center"},
        {"Align Right", "format-justify-right"},
        {"Find", "edit-find"},
        {"Preview", "document-print-preview"},
        {"Help", "help-contents"},
        {"Spelling", "tools-check-spelling"},
        {"FSreen", "view-fullscreen"},
    };
    return names;
}

// Lines and letters take the colour of the theme's text, and the paper they are drawn on that
// of its text fields, so that every picture reads on a light and on a dark toolbar alike.
struct Ink
{
    QColor line;
    QColor paper;
};

void page(QPainter &p, int left, const Ink &ink)
{
    p.setBrush(ink.paper);
    p.drawPolygon(
        QPolygon({{left, 1}, {left + 7, 1}, {left + 10, 4}, {left + 10, 14}, {left, 14}}));
}

void lines(QPainter &p, int count, const QList<int> &lefts, const QList<int> &rights)
{
    for (int i = 0; i < count; ++i)
        p.drawLine(lefts[i % lefts.size()], 3 + 3 * i, rights[i % rights.size()], 3 + 3 * i);
}

void letter(QPainter &p, const QString &text, bool bold, bool italic, bool underline)
{
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(13);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    p.setFont(font);
    p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, text);
}

void paint(QPainter &p, const QString &key, const Ink &ink)
{
    p.setPen(ink.line);
    if (key == QLatin1String("New")) {
        page(p, 3, ink);
    } else if (key == QLatin1String("Open")) {
        p.setBrush(QColor(255, 255, 0));
        p.drawPolygon(QPolygon({{1, 4}, {5, 4}, {6, 5}, {12, 5}, {12, 13}, {1, 13}}));
    } else if (key == QLatin1String("Save")) {
        p.setBrush(QColor(0, 0, 128));
        p.drawRect(1, 1, 13, 13);
        p.fillRect(4, 2, 8, 5, Qt::white);
        p.fillRect(5, 10, 6, 4, QColor(192, 192, 192).darker(110));
    } else if (key == QLatin1String("Print") || key == QLatin1String("Preview")) {
        p.setBrush(ink.paper);
        p.drawRect(4, 1, 8, 6);
        p.setBrush(QColor(128, 128, 128));
        p.drawRect(1, 7, 14, 6);
        if (key == QLatin1String("Preview")) {
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(7, 5, 6, 6);
            p.drawLine(12, 11, 15, 14);
        }
    } else if (key == QLatin1String("Cut")) {
        p.drawLine(5, 1, 10, 9);
        p.drawLine(10, 1, 5, 9);
        p.drawEllipse(2, 9, 4, 5);
        p.drawEllipse(9, 9, 4, 5);
    } else if (key == QLatin1String("Copy")) {
        page(p, 1, ink);
        page(p, 5, ink);
    } else if (key == QLatin1String("Paste")) {
        p.setBrush(QColor(128, 64, 0));
        p.drawRect(1, 2, 10, 12);
        page(p, 5, ink);
    } else if (key == QLatin1String("Bold")) {
        letter(p, QCoreApplication::translate("ToolbarIcons", "B", "the letter on the Bold button"),
               true, false, false);
    } else if (key == QLatin1String("Italic")) {
        letter(p,
               QCoreApplication::translate("ToolbarIcons", "I", "the letter on the Italic button"),
               false, true, false);
    } else if (key == QLatin1String("Underline")) {
        letter(
            p,
            QCoreApplication::translate("ToolbarIcons", "U", "the letter on the Underline button"),
            false, false, true);
    } else if (key == QLatin1String("Align Left")) {
        lines(p, 4, {1}, {14, 9});
    } else if (key == QLatin1String("Center")) {
        lines(p, 4, {1, 4}, {14, 11});
    } else if (key == QLatin1String("Align Right")) {
        lines(p, 4, {1, 6}, {14});
    } else if (key == QLatin1String("Find")) {
        p.drawEllipse(1, 1, 9, 9);
        p.setPen(QPen(ink.line, 2));
        p.drawLine(9, 9, 14, 14);
    } else if (key == QLatin1String("Painter")) {
        p.setBrush(QColor(255, 255, 0));
        p.drawRect(2, 1, 11, 5);
        p.drawLine(7, 6, 7, 14);
    } else if (key == QLatin1String("Help")) {
        letter(p, QStringLiteral("?"), true, false, false);
    } else if (key == QLatin1String("Spelling")) {
        letter(p, QStringLiteral("abc"), false, false, true);
    } else if (key == QLatin1String("Bullets")) {
        for (int y : {3, 8, 13}) {
            p.fillRect(1, y - 1, 2, 2, ink.line);
            p.drawLine(5, y, 14, y);
        }
    } else if (key == QLatin1String("FSreen")) {
        p.drawRect(1, 2, 13, 11);
        p.fillRect(2, 3, 12, 2, QColor(0, 0, 128));
    } else if (key == QLatin1String("Time")) {
        p.setBrush(ink.paper);
        p.drawEllipse(1, 1, 13, 13);
        p.drawLine(7, 7, 7, 3);
        p.drawLine(7, 7, 11, 7);
    }
}

} // namespace

QImage drawing(const QString &key, const QPalette &palette, int pixels)
{
    // Drawn on the grid of 16 and scaled as a whole, for the screen's pixels.
    QImage picture(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.scale(pixels / 16.0, pixels / 16.0);
    paint(p, key, {palette.color(QPalette::WindowText), palette.color(QPalette::Base)});
    return picture;
}

QIcon icon(const QString &key, const QPalette &palette)
{
    const QString name = themeNames().value(key);
    const QIcon own =
        Artwork::drawnIcon([key, palette](int pixels) { return drawing(key, palette, pixels); });
    return name.isEmpty() ? own : QIcon::fromTheme(name, own);
}

} // namespace ToolbarIcons
