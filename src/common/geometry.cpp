#include "geometry.h"

#include "common/artwork.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
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

void startWindow(QWidget *window, const QString &objectName, const QString &title)
{
    window->setObjectName(objectName);
    window->setWindowTitle(title);
    window->setWindowIcon(Artwork::programIcon());
    window->setFont(dialogFont(8.25));
}

void setTabOrder(const QList<QWidget *> &order)
{
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void nameForScreenReaders(QWidget *control, const QString &name)
{
    control->setAccessibleName(name);
    if (const auto *box = qobject_cast<QComboBox *>(control); box && box->lineEdit())
        box->lineEdit()->setAccessibleName(name);
}

// A loop: a regular expression would be compiled at each call, which costs the start of the
// about box more than the loop.
QString withoutAccessKeys(const QString &caption)
{
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        shown.append(caption[i]);
    }
    return shown;
}

QFont dialogFont(double pointSize, bool bold)
{
    QFont font = QApplication::font();
#ifndef Q_OS_WIN
    // The layouts were drawn for a narrow dialog font; this family has the widths they expect.
    // Where it is not installed, the desktop's own font stands in.
    static const bool installed = fontInstalled(QStringLiteral("Liberation Sans"));
    if (installed)
        font.setFamilies({QStringLiteral("Liberation Sans")});
#endif
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

bool fontInstalled(const QString &family)
{
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

namespace {

// Where the widest line of a caption is wider than its room, the widget's font is made just
// small enough to fit, but never smaller than 8 points.
void shrinkToRoom(QWidget *widget, const QString &caption, double room)
{
    // Smaller than this is hard to read.
    constexpr double smallest = 8.0;
    QFont font = widget->font();
    const QString text = withoutAccessKeys(caption);
    const auto widest = [&text](const QFont &f) {
        const QFontMetricsF metrics(f);
        double width = 0;
        for (const QString &line : text.split(QLatin1Char('\n')))
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
    widget->setFont(font);
}

} // namespace

void shrinkFontToFit(QLabel *label)
{
    shrinkToRoom(label, label->text(), label->contentsRect().width());
}

void shrinkFontToFit(QAbstractButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    const QStyle::SubElement contents = qobject_cast<QPushButton *>(button)
                                            ? QStyle::SE_PushButtonContents
                                            : QStyle::SE_CheckBoxContents;
    shrinkToRoom(button, button->text(),
                 button->style()->subElementRect(contents, &option, button).width());
}

void placeBeside(QWidget *window, const QWidget *other)
{
    const QScreen *screen = other->screen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    const QRect beside = other->frameGeometry();
    const QSize size = window->size();
    const QPoint candidates[] = {{beside.right() + 1, beside.top()},
                                 {beside.left() - size.width(), beside.top()},
                                 {beside.left(), beside.bottom() + 1}};
    for (const QPoint &topLeft : candidates) {
        if (room.contains(QRect(topLeft, size))) {
            window->move(topLeft);
            return;
        }
    }
    // No room anywhere: the corner away from the other window's buttons and lists' tops.
    window->move(room.right() + 1 - size.width(), room.bottom() + 1 - size.height());
}
