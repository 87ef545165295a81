#pragma once

#include <QRect>
#include <QString>

class QWidget;

// Window layouts are given in twips; 15 twips make one logical pixel.
constexpr int twips(int t)
{
    return t / 15;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

// Names a control of a window and puts it where the window's layout table says.
template<typename Widget> Widget *place(Widget *widget, const QString &name, const QRect &geometry)
{
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

// Places a window in the middle of the screen it is on.
void centerOnScreen(QWidget *window);

// The dialog font of the fixed layouts at the given point size.
class QFont;
QFont dialogFont(double pointSize, bool bold = false);

// Where a label's longest line is still wider than the label, its font is made just small
// enough to fit, but never smaller than 8 points.
class QLabel;
void shrinkFontToFit(QLabel *label);
// The same for the caption of a push button or a check box, within the room the style leaves.
class QAbstractButton;
void shrinkFontToFit(QAbstractButton *button);
