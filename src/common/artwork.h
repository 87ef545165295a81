#pragma once

#include <QSize>

#include <functional>

class QIcon;
class QFont;
class QImage;

// Pictures drawn by the program itself.
namespace Artwork {

// A picture of a palmtop with a transfer arrow, in 16 colours, drawn on a grid of 32 x 32 and
// stretched to the size asked for.
QImage programImage(const QSize &size);
QImage programImage(int size);
// That picture as the program's icon, drawn for the size and scale where it is shown.
QIcon programIcon();
// An icon that draw() paints anew, square, at the number of device pixels asked for.
QIcon drawnIcon(std::function<QImage(int pixels)> draw);
// A window icon of clear pixels, for windows that show none where the system lets them.
QIcon noIcon();
// The donation button of the about box, drawn on a grid of 495 x 126 and stretched to the
// size asked for (drawing it large to show it small costs the start of the program). Its word
// is drawn in the face given, at whatever size that face has: the about box gives its title's,
// since every size of a face that is loaded costs the start a font of its own.
QImage donationButton(const QSize &pixels, const QFont &face);

} // namespace Artwork
