#pragma once

#include <QString>

// The twelve lines of the about box, joined by CR LF, no break after the last.
QString aboutText();
