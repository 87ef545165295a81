#include "geometry.h"

#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

QPoint centredTopLeft(const QSize &frame, const QRect &available)
{
    return {available.x() + std::max(0, (available.width() - frame.width()) / 2),
            available.y() + std::max(0, (available.height() - frame.height()) / 2)};
}

void centerOnScreen(QWidget *window)
{
    // A dialog opens on the screen of the window that owns it, wherever that one was moved.
    const QWidget *owner = window->parentWidget() ? window->parentWidget()->window() : window;
    QScreen *screen = owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // Before its first showing a window's position is that of its frame, title bar included.
    window->move(centredTopLeft(window->frameGeometry().size(), screen->availableGeometry()));
}

void nameForScreenReaders(QWidget *control, const QString &name)
{
    control->setAccessibleName(name);
    if (const auto *box = qobject_cast<QComboBox *>(control); box && box->lineEdit())
        box->lineEdit()->setAccessibleName(name);
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
