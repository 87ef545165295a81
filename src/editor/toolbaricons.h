#pragma once

#include <QIcon>
#include <QImage>
#include <QStringList>

class QPalette;

// The editor's image list: 21 pictures of 16 x 16 pixels, each with a key.
namespace ToolbarIcons {

// The desktop theme's icon for a key where the theme has one, else our own drawing in the
// palette's colours at the size and scale where it is shown.
QIcon icon(const QString &key, const QPalette &palette);

// Our own drawing of a key, 16 x 16 scaled to pixels x pixels, on a transparent ground.
QImage drawing(const QString &key, const QPalette &palette, int pixels = 16);

} // namespace ToolbarIcons
