#include "geometry.h"

#include <QApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QLabel>
#include <QScreen>
#include <QWidget>

#include <algorithm>

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
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

void shrinkFontToFit(QLabel *label)
{
    constexpr double smallest = 6.0;
    QFont font = label->font();
    const double room = label->contentsRect().width();
    for (;;) {
        const QFontMetricsF metrics(font);
        double widest = 0;
        for (const QString &line : label->text().split(QLatin1Char('\n')))
            widest = std::max(widest, metrics.horizontalAdvance(line.trimmed()));
        if (widest <= room || font.pointSizeF() <= smallest)
            break;
        font.setPointSizeF(std::max(smallest, font.pointSizeF() - 0.25));
    }
    label->setFont(font);
}
