#pragma once

#include "platform/result.h"

#include <QString>
#include <QStringList>

#include <filesystem>
#include <system_error>
#include <vector>

// Reading PC folders, and saying why it failed. No widgets here.
namespace FolderAccess {

struct Listing
{
    QStringList files;
    QStringList folders;
    // Names that do not survive the system's file-name encoding, as shownName() writes them.
    // Nothing may act on them: any path built from such a text names another file or none.
    QStringList unusableFiles;
    QStringList unusableFolders;
};

// The names of the files and of the subfolders directly in a folder, in no particular order,
// in one pass. Hidden entries are left out; a link counts as what it points to, a broken or
// looping link not at all. Empty when the folder cannot be read.
Listing read(const QString &folder);

// True when a name the system gives as these bytes comes back as the same bytes once it has
// been decoded.
bool survives(const QByteArray &encoded);

// A name that does not survive as a user can tell it from its look-alikes: as it decodes,
// then its bytes in hex, such as "a\uFFFD.txt \u27E861 FF 2E 74 78 74\u27E9".
QString shownName(const QByteArray &encoded);

// Why nothing is done to such a name, shown as shownName() writes it, in a folder.
QString unusableMessage(const QString &folder, const QString &shown);

// Whether every part of a local path, given as the bytes of its URL, survives; the message
// names the first that does not.
Status usableInPath(const QByteArray &encodedPath);

// Sorts names as the lists show them: letter case does not count.
void sortForDisplay(QStringList &names);
// The same order as the indexes of the names.
std::vector<qsizetype> displayOrder(const QStringList &names);

// Whether the folder can be listed; the reason is in the system's words.
Status canList(const QString &folder);

// The path as the standard library's file functions take it.
std::filesystem::path fsPath(const QString &path);

// A name or path from the standard library's file functions.
QString fromFsPath(const std::filesystem::path &path);

// A system error as a user reads it, such as "Permission denied".
QString reason(const std::error_code &error);

} // namespace FolderAccess
