#pragma once

#include <QString>
#include <QStringList>

// How the Windows C runtime turns a command line into arguments, and how to write an
// argument so that it comes back unchanged. The program name is read by a simpler rule than
// the arguments behind it: quotes group, but a backslash is always a plain character.
// The rules themselves are in windowsargscore.h, free of Qt.
namespace WindowsArgs {

// The argument as is when it holds no blank, tab or double quote; otherwise in double
// quotes, with the backslashes in front of a quote (or of the closing quote) doubled.
// An empty argument stays empty.
QString quoted(const QString &argument);

// The program name in double quotes when it holds a blank or tab. A program name cannot
// carry a double quote through the runtime (nor can a Windows file name hold one).
QString quotedProgram(const QString &program);

// The arguments the runtime would hand to main(), the program name first.
QStringList split(const QString &commandLine);

} // namespace WindowsArgs
