#include "toolcommands.h"

#include "common/pathtext.h"
#include "platform/windowsargs.h"

#include <QCoreApplication>

ToolNames ToolNames::native()
{
#ifdef Q_OS_WIN
    return {QStringLiteral("transfolio.exe"), PathText::separator()};
#else
    return {QStringLiteral("transfolio"), PathText::separator()};
#endif
}

ToolCommands::ToolCommands(const QString &toolFolder, const ToolNames &names)
    : m_toolPath(toolFolder + names.fileName)
    , m_program(WindowsArgs::quotedProgram(m_toolPath))
    , m_separator(names.pcSeparator)
{}

Status ToolCommands::checkToolFolder(const QString &toolFolder)
{
    for (const QChar c : toolFolder) {
        if (c == QLatin1Char('"') || c.unicode() < 0x20 || c.unicode() == 0x7f) {
            const QString shown =
                c == QLatin1Char('"')
                    ? QStringLiteral("\"")
                    : QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
            return Failure{QCoreApplication::translate(
                               "ToolCommands",
                               "The folder of transfolio.exe holds a character (%1) that a "
                               "command line cannot carry. Please choose another folder.")
                               .arg(shown)};
        }
    }
    return {};
}

QString ToolCommands::transmit(const QString &pcFolder, const QString &fileName,
                               const QString &pofoDrive, const QString &pofoFolder,
                               bool overwrite) const
{
    const QString pcFile = PathText::withSeparator(pcFolder, m_separator) + fileName;
    QString destinationSwitch;
    if (overwrite)
        destinationSwitch = QStringLiteral(" /t -f");
    else if (pofoFolder.isEmpty())
        destinationSwitch = QStringLiteral(" /t ");
    else
        destinationSwitch = QStringLiteral(" /t");
    return m_program + QLatin1Char(' ') + WindowsArgs::quoted(pcFile) + QLatin1Char(' ')
           + WindowsArgs::quoted(pofoDrive + pofoFolder) + destinationSwitch;
}

QString ToolCommands::receive(const QString &portfolioPath, const QString &pcDestination,
                              bool overwrite) const
{
    return m_program + (overwrite ? QStringLiteral(" -r -f ") : QStringLiteral(" -r "))
           + WindowsArgs::quoted(portfolioPath) + QLatin1Char(' ')
           + WindowsArgs::quoted(pcDestination);
}

QString ToolCommands::backup(const QString &portfolioFolder, const QString &pcFolder) const
{
    return m_program + QStringLiteral(" -r ")
           + WindowsArgs::quoted(portfolioFolder + QStringLiteral("*.*")) + QLatin1Char(' ')
           + WindowsArgs::quoted(pcFolder);
}

QString ToolCommands::portfolioPath(const QString &drive, const QString &folder,
                                    const QString &file)
{
    if (folder.isEmpty())
        return drive + file;
    return drive + folder + QLatin1Char('\\') + file;
}
