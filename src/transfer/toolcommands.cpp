#include "toolcommands.h"

#include "common/pathtext.h"
#include "platform/windowsargs.h"

#include <QCoreApplication>

ToolNames ToolNames::native()
{
#ifdef Q_OS_WIN
    return {QStringLiteral("transfolio.exe"), PathText::separator(), QLatin1Char('/')};
#else
    return {QStringLiteral("transfolio"), PathText::separator(), QLatin1Char('-')};
#endif
}

ToolCommands::ToolCommands(const QString &toolFolder, const ToolNames &names)
    : m_toolFolder(toolFolder)
    , m_program(WindowsArgs::quotedProgram(toolFolder + names.fileName))
    , m_separator(names.pcSeparator)
    , m_switchMark(names.switchMark)
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
    const QString t = QStringLiteral(" ") + m_switchMark + QLatin1Char('t');
    QString destinationSwitch;
    if (overwrite)
        destinationSwitch = t + QStringLiteral(" -f");
    else if (pofoFolder.isEmpty())
        destinationSwitch = t + QLatin1Char(' ');
    else
        destinationSwitch = t;
    return m_program + QLatin1Char(' ') + WindowsArgs::quoted(pcFile) + QLatin1Char(' ')
           + WindowsArgs::quoted(transmitTarget(fileName, pofoDrive, pofoFolder))
           + destinationSwitch;
}

QString ToolCommands::transmitFolder(const QString &pofoDrive, const QString &pofoFolder)
{
    if (pofoFolder.isEmpty() || pofoFolder.endsWith(QLatin1Char('\\')))
        return pofoDrive + pofoFolder;
    return pofoDrive + pofoFolder + QLatin1Char('\\');
}

QString ToolCommands::transmitTarget(const QString &fileName, const QString &pofoDrive,
                                     const QString &pofoFolder)
{
    if (fileName.count(QLatin1Char('.')) >= 2)
        return portfolioName(fileName, pofoDrive, pofoFolder);
    return transmitFolder(pofoDrive, pofoFolder);
}

QString ToolCommands::portfolioName(const QString &fileName, const QString &pofoDrive,
                                    const QString &pofoFolder)
{
    QString folder = transmitFolder(pofoDrive, pofoFolder);
    if (folder.endsWith(QLatin1Char(':')))
        folder += QLatin1Char('\\');
    // Anything else names the file itself.
    if (!folder.endsWith(QLatin1Char('\\')))
        return folder;
    return folder + dosName(fileName);
}

QString ToolCommands::dosName(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    QString base = dot < 0 ? fileName : fileName.left(dot);
    const QString extension = dot < 0 ? QString() : fileName.mid(dot);
    base.replace(QLatin1Char('.'), QLatin1Char('_'));
    return base.left(8) + extension.left(4);
}

QString ToolCommands::receive(const QString &portfolioPath, const QString &pcDestination,
                              bool overwrite) const
{
    return m_program + (overwrite ? QStringLiteral(" -r -f ") : QStringLiteral(" -r "))
           + WindowsArgs::quoted(portfolioPath) + QLatin1Char(' ')
           + WindowsArgs::quoted(pcDestination);
}

QString ToolCommands::backupSource(const QString &portfolioFolder)
{
    // Without its "\" a folder would be the start of the names fetched: a:\DOCS*.* takes
    // a:\DOCSOLD.TXT and nothing of a:\DOCS.
    if (portfolioFolder.isEmpty() || portfolioFolder.endsWith(QLatin1Char('\\'))
        || portfolioFolder.endsWith(QLatin1Char(':')))
        return portfolioFolder + QStringLiteral("*.*");
    return portfolioFolder + QStringLiteral("\\*.*");
}

QString ToolCommands::backup(const QString &portfolioFolder, const QString &pcFolder) const
{
    return m_program + QStringLiteral(" -r ") + WindowsArgs::quoted(backupSource(portfolioFolder))
           + QLatin1Char(' ') + WindowsArgs::quoted(pcFolder);
}

QString ToolCommands::portfolioPath(const QString &drive, const QString &folder,
                                    const QString &file)
{
    if (folder.isEmpty())
        return drive + file;
    return drive + folder + QLatin1Char('\\') + file;
}
