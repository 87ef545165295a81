#pragma once

class QAbstractItemView;

// Where the keyboard is in a list, in every theme: the style's own mark is a faint tint that
// can hardly be told from no mark at all. No state of its own.
namespace FocusMark {

// Draws onto the view's viewport, after the view has drawn itself: a frame around it while it
// has the focus, and a line around its current entry, selected or not.
void paint(QAbstractItemView &view);

} // namespace FocusMark
