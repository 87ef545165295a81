#include "popupmenukey.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QWidget>

bool PopupMenuKey::eventFilter(QObject *watched, QEvent *event)
{
    // A key press reaches the focused control first; only a control that ignores it passes it
    // on to its parent, and this one is taken at once.
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_F10 || key->modifiers() != Qt::ShiftModifier)
        return false;
    auto *control = static_cast<QWidget *>(watched);
    const QRect caret = control->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const QPoint at =
        control->rect().contains(caret.center()) ? caret.center() : control->rect().center();
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, control->mapToGlobal(at),
                           key->modifiers());
    QApplication::sendEvent(control, &menu);
    return true;
}
