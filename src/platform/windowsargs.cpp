#include "windowsargs.h"

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool needsQuotes(const QString &text, bool quoteToo)
{
    for (QChar c : text) {
        if (isBlank(c) || (quoteToo && c == QLatin1Char('"')))
            return true;
    }
    return false;
}

} // namespace

namespace WindowsArgs {

QString quoted(const QString &argument)
{
    if (!needsQuotes(argument, true))
        return argument;
    QString out = QStringLiteral("\"");
    qsizetype backslashes = 0;
    for (QChar c : argument) {
        if (c == QLatin1Char('\\')) {
            ++backslashes;
            continue;
        }
        if (c == QLatin1Char('"'))
            backslashes = backslashes * 2 + 1;
        out += QString(backslashes, QLatin1Char('\\'));
        out += c;
        backslashes = 0;
    }
    // Backslashes before the closing quote would escape it.
    out += QString(backslashes * 2, QLatin1Char('\\'));
    out += QLatin1Char('"');
    return out;
}

QString quotedProgram(const QString &program)
{
    if (!needsQuotes(program, false))
        return program;
    return QLatin1Char('"') + program + QLatin1Char('"');
}

QStringList split(const QString &commandLine)
{
    QStringList arguments;
    const qsizetype n = commandLine.size();
    qsizetype i = 0;

    if (n == 0)
        return arguments;

    // The program name: quotes group and vanish, nothing is escaped. Like the runtime, the
    // first character is taken whatever it is.
    QString program;
    bool inQuotes = false;
    do {
        if (commandLine[i] == QLatin1Char('"'))
            inQuotes = !inQuotes;
        else
            program += commandLine[i];
        ++i;
    } while (i < n && (inQuotes || !isBlank(commandLine[i])));
    arguments.append(program);

    for (;;) {
        while (i < n && isBlank(commandLine[i]))
            ++i;
        if (i >= n)
            break;
        QString argument;
        inQuotes = false;
        while (i < n) {
            qsizetype backslashes = 0;
            while (i < n && commandLine[i] == QLatin1Char('\\')) {
                ++backslashes;
                ++i;
            }
            if (i < n && commandLine[i] == QLatin1Char('"')) {
                argument += QString(backslashes / 2, QLatin1Char('\\'));
                if (backslashes % 2 == 1) {
                    argument += QLatin1Char('"');
                } else if (inQuotes && i + 1 < n && commandLine[i + 1] == QLatin1Char('"')) {
                    // "" inside quotes is one literal quote, and the quotes go on.
                    argument += QLatin1Char('"');
                    ++i;
                } else {
                    inQuotes = !inQuotes;
                }
                ++i;
                continue;
            }
            argument += QString(backslashes, QLatin1Char('\\'));
            if (i >= n || (!inQuotes && isBlank(commandLine[i])))
                break;
            argument += commandLine[i];
            ++i;
        }
        arguments.append(argument);
    }
    return arguments;
}

} // namespace WindowsArgs
