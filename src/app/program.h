#pragma once

#include <functional>

class QApplication;

// The whole program: the application, the real adapters, the main window and its start.
namespace Program {

// Runs the program to its end and returns its exit code. beforeStart, when given, sees the
// application just before the main window is made (a start-up probe watches it there).
int run(int argc, char *argv[], const std::function<void(QApplication &)> &beforeStart = {});

} // namespace Program
