#pragma once

class QIcon;
class QImage;
class QPixmap;

// Pictures drawn by the program itself.
namespace Artwork {

// A 32 x 32 picture of a palmtop with a transfer arrow, in 16 colours.
QPixmap programPicture();
// The same picture at another size, for the desktop's icon theme.
QImage programImage(int size);
QIcon programIcon();
// The donation button of the about box, 495 x 126 pixels.
QPixmap donationButton();

} // namespace Artwork
