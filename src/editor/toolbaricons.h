#pragma once

#include <QIcon>
#include <QPixmap>
#include <QStringList>

// The editor's image list: 21 pictures of 16 x 16 pixels, each with a key.
namespace ToolbarIcons {

// The keys in the list's order; the toolbar uses the first 15.
const QStringList &keys();

// The desktop theme's icon for a key where the theme has one, else our own drawing.
QIcon icon(const QString &key);

// Our own drawing of a key, on the list's transparent light grey (192, 192, 192).
QPixmap drawing(const QString &key);

} // namespace ToolbarIcons
