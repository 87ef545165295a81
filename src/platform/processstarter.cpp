#include "processstarter.h"

#include "platform/windowsargs.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include "platform/windowsprocess.h"
#endif

namespace {

QString noProgram()
{
    return QCoreApplication::translate("ProcessStarter", "The command line names no program.");
}

} // namespace

ProcessStarter::ProcessStarter(Terminal terminal)
    : m_terminal(terminal)
{}

ProcessStarter::Launch ProcessStarter::plan(const QString &commandLine, const QString &terminal)
{
    QStringList arguments = WindowsArgs::split(commandLine);
    if (arguments.isEmpty() || arguments.first().isEmpty())
        return {{}, {}, noProgram()};

    const QString name = arguments.takeFirst();
    QString program;
    if (name.contains(QLatin1Char('/'))) {
        const QFileInfo info(name);
        if (!info.exists())
            return {{}, {}, QStringLiteral("%1 does not exist.").arg(name)};
        if (!info.isFile() || !info.isExecutable())
            return {{}, {}, QStringLiteral("%1 is not an executable file.").arg(name)};
        program = info.absoluteFilePath();
    } else {
        program = QStandardPaths::findExecutable(name);
        if (program.isEmpty())
            return {{}, {}, QStringLiteral("%1 was not found on the PATH.").arg(name)};
    }

    if (terminal.isEmpty())
        return {program, arguments, {}};
    // Both terminals take the program and its arguments, one by one, behind -e.
    arguments.prepend(program);
    arguments.prepend(QStringLiteral("-e"));
    return {terminal, arguments, {}};
}

QString ProcessStarter::findTerminal()
{
    for (const QString &name : {QStringLiteral("x-terminal-emulator"), QStringLiteral("xterm")}) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

bool ProcessStarter::start(const QString &commandLine, QString *error)
{
#ifdef Q_OS_WIN
    const QStringList arguments = WindowsArgs::split(commandLine);
    if (arguments.isEmpty() || arguments.first().isEmpty()) {
        if (error)
            *error = noProgram();
        return false;
    }
    // Not QProcess: it would write the program again in its own spelling (slashes turned,
    // quotes its own way). The tool gets the line exactly as built.
    std::wstring reason;
    if (WindowsProcess::startDetached(commandLine.toStdWString(), &reason))
        return true;
    if (error)
        *error = QString::fromStdWString(reason);
    return false;
#else
    const Launch launch =
        plan(commandLine, m_terminal == Terminal::WhenInstalled ? findTerminal() : QString());
    if (!launch.error.isEmpty()) {
        if (error)
            *error = launch.error;
        return false;
    }
    QProcess process;
    process.setProgram(launch.program);
    process.setArguments(launch.arguments);
    if (process.startDetached())
        return true;
    if (error)
        *error = process.errorString();
    return false;
#endif
}
