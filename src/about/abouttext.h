#pragma once

#include <QString>

// The program's title line: the main window's caption and the folder commands' box titles.
QString titleLine();

// The twelve lines of the about box, joined by CR LF, no break after the last.
QString aboutText();
