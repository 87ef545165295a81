#pragma once

#include <QString>

class Volumes;

// Making and deleting PC folders for the folder list's pop-up menu. No widgets here: the
// window asks the questions and shows the messages these return.
namespace FolderCommands {

// The new folder's path: the folder, a separator unless it already ends in one, the name.
QString newFolderPath(const QString &folder, const QString &name);

// Makes the folder name in folder. Empty when made; otherwise a message that names the new
// folder and the reason.
QString makeFolder(const QString &folder, const QString &name);

enum class Removal {
    Removed,  // it was empty and is gone
    NotEmpty, // it holds files or folders; the caller may ask to delete its files
    Refused,  // a drive root
    Failed,   // anything else; see the message
};

struct RemoveResult
{
    Removal outcome;
    QString message; // for Refused and Failed: names the folder and the reason
    // For NotEmpty: what it holds directly, the files deleteFilesAndRemove() would take and the
    // folders (links to folders too) it would leave.
    int files = 0;
    int folders = 0;
};

// Removes a folder that is empty. A root of the volumes is refused.
RemoveResult removeFolder(const QString &path, const Volumes &volumes);

// Deletes every file directly in the folder (subfolders, links to folders and their contents
// are not touched), then removes the folder. A root of the volumes is refused. What was deleted
// stays deleted when a later step fails. Empty when the folder is gone; otherwise a message that
// names it and says what is left and why.
QString deleteFilesAndRemove(const QString &path, const Volumes &volumes);

} // namespace FolderCommands
