#pragma once

#include <QString>
#include <QStringList>

#include <filesystem>
#include <system_error>

// Reading PC folders, and saying why it failed. No widgets here.
namespace FolderAccess {

struct Listing
{
    QStringList files;
    QStringList folders;
};

// The names of the files and of the subfolders directly in a folder, in no particular order,
// in one pass. Hidden entries are left out; a link counts as what it points to, a broken or
// looping link not at all. Empty when the folder cannot be read.
Listing read(const QString &folder);

// Sorts names as the lists show them: letter case does not count.
void sortForDisplay(QStringList &names);

// Empty when the folder can be listed; otherwise the reason, in the system's words.
QString listError(const QString &folder);

// The path as the standard library's file functions take it.
std::filesystem::path fsPath(const QString &path);

// A name or path from the standard library's file functions.
QString fromFsPath(const std::filesystem::path &path);

// A system error as a user reads it, such as "Permission denied".
QString reason(const std::error_code &error);

} // namespace FolderAccess
