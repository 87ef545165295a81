#pragma once

#include <QList>
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

// Where a window frame goes in a screen's available area: in its middle, except that a frame
// larger than the area starts at its top left edge, so that the title bar stays on the screen
// and the window can still be moved.
QPoint centredTopLeft(const QSize &frame, const QRect &available);

// Places a window by that rule on the screen it is on; a dialog on the screen of its owner.
void centerOnScreen(QWidget *window);
// Beside the other window (right, left, then below) where the screen has room, so that it
// covers nothing; else in the bottom right corner of the screen.
void placeBeside(QWidget *window, const QWidget *other);

// What every window of the program starts with: its name, its caption, the program's icon and
// the dialog font of 8.25 points.
void startWindow(QWidget *window, const QString &objectName, const QString &title);

// Tab moves through the controls in this order.
void setTabOrder(const QList<QWidget *> &order);

// Names a control for screen readers. An editable box gets the name on its text field too,
// which is where the focus is while the box has it.
void nameForScreenReaders(QWidget *control, const QString &name);

// A caption as it is shown: an access key's "&" is not drawn, and "&&" draws one "&".
QString withoutAccessKeys(const QString &caption);

// The dialog font of the fixed layouts at the given point size.
class QFont;
QFont dialogFont(double pointSize, bool bold = false);
// Whether the font lists name the family. A font asked for by one installed family alone loads
// faster than one given stand-ins: for a list, Qt asks fontconfig for every font that could
// stand in, at once.
bool fontInstalled(const QString &family);

// Where a label's longest line is still wider than the label, its font is made just small
// enough to fit, but never smaller than 8 points.
class QLabel;
void shrinkFontToFit(QLabel *label);
// The same for the caption of a push button or a check box, within the room the style leaves.
class QAbstractButton;
void shrinkFontToFit(QAbstractButton *button);
