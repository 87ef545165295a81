#pragma once

#include <QString>

// The two values every window of the program shares for the whole run.
struct ProgramValues
{
    // Folder of the transfer tool exactly as typed; the tool's path is this text + its file name.
    QString toolFolder;
    // When on, transmit and receive ask the tool to overwrite existing files.
    bool overwriteFlag = false;
};
