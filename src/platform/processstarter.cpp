#include "processstarter.h"

#include <QProcess>

bool ProcessStarter::start(const QString &commandLine, QString *error)
{
    QStringList arguments = QProcess::splitCommand(commandLine);
    if (arguments.isEmpty()) {
        if (error)
            *error = QStringLiteral("empty command line");
        return false;
    }
    const QString program = arguments.takeFirst();
    const bool started = QProcess::startDetached(program, arguments);
    if (!started && error)
        *error = QStringLiteral("%1 could not be started").arg(program);
    return started;
}
