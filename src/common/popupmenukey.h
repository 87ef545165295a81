#pragma once

#include <QObject>

// Shift+F10 opens the pop-up menu of the control that has the focus, as the Menu key does:
// at the caret of a text, at the current entry of a list, else in the control's middle.
// Installed once on the application, for every window.
class PopupMenuKey final : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
