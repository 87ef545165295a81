#pragma once

#include <QStringList>

// The font names the editor offers. No widgets here.
namespace FontNames {

// Each family once, in the order listed, without the maker that the font list adds in brackets
// where several makers ship a family ("C059 [urw]"): the text area reports the bare family.
QStringList families(const QStringList &listed);

} // namespace FontNames
