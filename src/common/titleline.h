#pragma once

#include "common/maker.h"

#include <QString>

// The program's title line: the main window's caption and the title of the folder commands'
// boxes.
inline QString titleLine()
{
    return QStringLiteral("Tarnwick v1.0 - ") + Maker::Copyright;
}
