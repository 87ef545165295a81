#include "geometry.h"

#include <QApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QLabel>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

void centerOnScreen(QWidget *window)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

QFont dialogFont(double pointSize, bool bold)
{
    QFont font = QApplication::font();
#ifndef Q_OS_WIN
    // The layouts were drawn for a narrow dialog font; this family has the widths they expect.
    // Where it is not installed, the desktop's own font stands in.
    font.setFamilies({QStringLiteral("Liberation Sans"), font.family()});
#endif
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

void shrinkFontToFit(QLabel *label)
{
    // Smaller than this is hard to read.
    constexpr double smallest = 8.0;
    QFont font = label->font();
    const double room = label->contentsRect().width();
    const auto widest = [label](const QFont &f) {
        const QFontMetricsF metrics(f);
        double width = 0;
        for (const QString &line : label->text().split(QLatin1Char('\n')))
            width = std::max(width, metrics.horizontalAdvance(line.trimmed()));
        return width;
    };
    // Text widths grow about in step with the size, so one guess lands close; each size costs
    // a font of its own, so the rest is found in quarter points from there.
    double width = widest(font);
    if (width > room && font.pointSizeF() > smallest) {
        font.setPointSizeF(
            std::max(smallest, std::floor(font.pointSizeF() * room / width * 4) / 4));
        width = widest(font);
    }
    while (width > room && font.pointSizeF() > smallest) {
        font.setPointSizeF(std::max(smallest, font.pointSizeF() - 0.25));
        width = widest(font);
    }
    label->setFont(font);
}
