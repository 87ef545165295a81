#include "focusmark.h"

#include <QAbstractItemView>
#include <QPainter>

namespace FocusMark {

void paint(QAbstractItemView &view)
{
    if (!view.hasFocus())
        return;
    QWidget *viewport = view.viewport();
    QPainter painter(viewport);
    const QPalette &palette = view.palette();
    // The highlight stands out against the list's ground; the text colour against both the
    // ground and a selected entry's highlight.
    painter.setPen(QPen(palette.color(QPalette::Highlight), 2));
    painter.drawRect(viewport->rect().adjusted(1, 1, -1, -1));
    const QModelIndex current = view.currentIndex();
    if (!current.isValid())
        return;
    const QRect entry =
        view.visualRect(current).intersected(viewport->rect().adjusted(2, 2, -2, -2));
    if (entry.isEmpty())
        return;
    painter.setPen(QPen(palette.color(QPalette::Text), 1, Qt::DotLine));
    painter.drawRect(entry.adjusted(0, 0, -1, -1));
}

} // namespace FocusMark
