#pragma once

#include "platform/result.h"

#include <QString>

class Volumes;

// Making and deleting PC folders for the folder list's pop-up menu. No widgets here: the
// window asks the questions and shows the messages these return.
namespace FolderCommands {

// The new folder's path: the folder, a separator unless it already ends in one, the name.
QString newFolderPath(const QString &folder, const QString &name);

// Makes the folder name in folder. The message of a failure names the new folder and the
// reason.
Status makeFolder(const QString &folder, const QString &name);

struct Removal
{
    bool removed = false; // it was empty and is gone
    // Otherwise what it holds directly: the files deleteFilesAndRemove() would take and the
    // folders (links to folders too) it would leave. The caller may ask to delete its files.
    int files = 0;
    int folders = 0;
};

// Removes a folder that is empty. A root of the volumes is refused; a failure's message names
// the folder and the reason.
Result<Removal> removeFolder(const QString &path, const Volumes &volumes);

// Deletes every file directly in the folder (subfolders, links to folders and their contents
// are not touched), then removes the folder. A root of the volumes is refused. What was deleted
// stays deleted when a later step fails. A failure's message names the folder and says what is
// left and why.
Status deleteFilesAndRemove(const QString &path, const Volumes &volumes);

} // namespace FolderCommands
