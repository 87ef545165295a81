#include "windowsargs.h"

#include "platform/windowsargscore.h"

namespace WindowsArgs {

QString quoted(const QString &argument)
{
    return QString::fromStdU16String(quoted(argument.toStdU16String()));
}

QString quotedProgram(const QString &program)
{
    return QString::fromStdU16String(quotedProgram(program.toStdU16String()));
}

QStringList split(const QString &commandLine)
{
    QStringList arguments;
    for (const std::u16string &argument : split(commandLine.toStdU16String()))
        arguments.append(QString::fromStdU16String(argument));
    return arguments;
}

} // namespace WindowsArgs
