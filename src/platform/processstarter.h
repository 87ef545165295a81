#pragma once

#include "platform/commandstarter.h"

#include <QStringList>

// Starts command lines as real processes, without waiting for them and never through a shell.
// Windows: the command line exactly as given, in a new console window.
// Elsewhere: the line is split as the Windows runtime would split it, the program must be an
// executable file (a path, or a bare name on the PATH), and it runs inside a terminal window
// when one is installed, so that the tool's own messages can be read.
class ProcessStarter final : public CommandStarter
{
public:
    enum class Terminal { WhenInstalled, Never };

    explicit ProcessStarter(Terminal terminal = Terminal::WhenInstalled);

    bool start(const QString &commandLine, QString *error = nullptr) override;

    // What start() runs for a command line outside Windows, or why it cannot.
    struct Launch
    {
        QString program;
        QStringList arguments;
        QString error; // empty when the launch can go ahead
    };
    // terminal: the terminal program to run the tool in, or empty for none.
    static Launch plan(const QString &commandLine, const QString &terminal);
    // x-terminal-emulator, else xterm, on the PATH; empty when neither is installed.
    static QString findTerminal();

private:
    Terminal m_terminal;
};
