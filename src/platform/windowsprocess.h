#pragma once

#include <string>

// Starting a program on Windows, free of Qt.
namespace WindowsProcess {

// Runs the command line exactly as given (CreateProcessW finds the program in it, and the
// program reads its arguments from it) in a console window of its own, without waiting.
// False, with the system's reason in *error when given, when no process was started.
bool startDetached(const std::wstring &commandLine, std::wstring *error = nullptr);

} // namespace WindowsProcess
