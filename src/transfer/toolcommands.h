#pragma once

#include "platform/result.h"

#include <QChar>
#include <QString>

// The tool's file name, the PC's path separator and the mark of the transmit switch on one
// platform.
struct ToolNames
{
    QString fileName;
    QChar pcSeparator;
    QChar switchMark;

    // "transfolio.exe", "\" and "/" on Windows; "transfolio", "/" and "-" elsewhere, where the
    // tool reads "/t" as a file name.
    static ToolNames native();
};

// The transfer tool's command lines, built from the texts exactly as the user typed them.
// A part that holds a blank, tab or double quote is quoted so that it reaches the tool as one
// argument; every other command line is the plain concatenation, byte for byte.
class ToolCommands final
{
public:
    // The tool's path is the folder immediately followed by the file name: nothing inserted.
    explicit ToolCommands(const QString &toolFolder, const ToolNames &names = ToolNames::native());

    // Fails when the folder holds a character that the program part of a command line cannot
    // carry (a double quote, a control character): the line would start another program.
    static Status checkToolFolder(const QString &toolFolder);
    // The same for this tool's folder.
    Status checkToolFolder() const { return checkToolFolder(m_toolFolder); }

    // Sends pcFolder + fileName to the drive and folder; the PC folder gets a separator only
    // when it lacks one. The switch is " /t", " /t " with no Portfolio folder, or " /t -f".
    // The destination is transmitTarget().
    QString transmit(const QString &pcFolder, const QString &fileName, const QString &pofoDrive,
                     const QString &pofoFolder, bool overwrite) const;
    // Fetches one Portfolio path into the PC destination.
    QString receive(const QString &portfolioPath, const QString &pcDestination,
                    bool overwrite) const;
    // Fetches every file of a Portfolio folder; never with the overwrite switch.
    QString backup(const QString &portfolioFolder, const QString &pcFolder) const;
    // The Portfolio files a backup of the folder fetches: all files of that folder.
    static QString backupSource(const QString &portfolioFolder);

    // Where the tool is told to put a file: the folder of transmitFolder(), or, for a name with
    // two dots or more, the whole path of portfolioName() (the tool would otherwise look for
    // the DOS name on the PC).
    static QString transmitTarget(const QString &fileName, const QString &pofoDrive,
                                  const QString &pofoFolder);
    // The drive and folder, the folder ended by "\" so that the tool takes it as a folder.
    static QString transmitFolder(const QString &pofoDrive, const QString &pofoFolder);
    // The Portfolio path the file gets: in a folder, its DOS name.
    static QString portfolioName(const QString &fileName, const QString &pofoDrive,
                                 const QString &pofoFolder);
    // The name in the tool's DOS form: every dot before the last becomes "_", the name is cut
    // to 8 characters and the extension, with its dot, to 4.
    static QString dosName(const QString &fileName);
    // The longest Portfolio path the tool uses whole.
    static constexpr int LongestPortfolioPath = 79;

    // The Portfolio path of the drive, folder and file fields.
    static QString portfolioPath(const QString &drive, const QString &folder, const QString &file);

private:
    QString m_toolFolder;
    QString m_program; // the tool's path as written on the command line
    QChar m_separator;
    QChar m_switchMark;
};
