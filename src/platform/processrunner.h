#pragma once

#include "platform/toolrunner.h"

#include <QStringList>

#include <memory>

class QProcess;
class QTimer;

namespace WindowsProcess {
class Child;
}

// Runs command lines as real processes, never through a shell and never in a window of their
// own; what they print is read through a pipe.
// Windows: the command line exactly as given, no console window.
// Elsewhere: the line is split as the Windows runtime would split it, and the program must be
// an executable file (a path, or a bare name on the PATH).
class ProcessRunner final : public ToolRunner
{
    Q_OBJECT
public:
    explicit ProcessRunner(QObject *parent = nullptr);
    ~ProcessRunner() override;

    Status start(const QString &commandLine) override;
    void stop() override;

    // What start() runs for a command line outside Windows: the program and its arguments.
    struct Launch
    {
        QString program;
        QStringList arguments;
    };
    static Result<Launch> plan(const QString &commandLine);

private:
#ifdef Q_OS_WIN
    void poll();
    std::unique_ptr<WindowsProcess::Child> m_child;
    QTimer *m_poll = nullptr;
#else
    QProcess *m_process = nullptr;
#endif
};
