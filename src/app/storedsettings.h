#pragma once

#include <QString>
#include <QStringList>

class SettingsStore;
class Volumes;

// The stored settings: their sections, defaults and conversions. No widgets here.
namespace StoredSettings {

inline const QString Key = QStringLiteral("Default");
inline const QString ToolFolder = QStringLiteral("FTOrt");
inline const QString Overwrite = QStringLiteral("Over");
inline const QString FileFolder = QStringLiteral("File");
inline const QString Folder = QStringLiteral("Dir");
inline const QString Drive = QStringLiteral("Drive");

// "c:\" on Windows; empty elsewhere, so that the tool is looked up on the PATH.
QString defaultToolFolder();
// "c:\" on Windows; the user's home folder elsewhere.
QString defaultFolder(const Volumes &volumes);
// "c:\" on Windows; the root of the volume that holds the home folder elsewhere, else "/".
QString defaultDrive(const Volumes &volumes);
// Where the folder list starts when no stored folder can be opened, best first: the default
// folder, then (when the home folder is gone) the root of its drive, then "/".
QStringList startFolders(const Volumes &volumes);
inline QString defaultOverwrite()
{
    return QStringLiteral("0");
}

// "True"/"False" in any case and numbers (0 is off) convert; anything else is off.
bool toOverwriteFlag(const QString &text);
QString fromOverwriteFlag(bool on);

// Reads a section with its default.
QString read(const SettingsStore &store, const QString &section, const Volumes &volumes);

} // namespace StoredSettings
