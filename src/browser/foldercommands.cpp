#include "foldercommands.h"

#include "browser/folderaccess.h"
#include "common/pathtext.h"
#include "platform/volumes.h"

#include <QCoreApplication>
#include <QDir>

#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace FolderCommands {

namespace {

QString shown(const QString &path)
{
    return QLatin1Char('"') + PathText::native(path) + QLatin1Char('"');
}

bool isNotEmpty(const std::error_code &error)
{
    // POSIX allows either code for a folder that still holds entries.
    return error == std::errc::directory_not_empty || error == std::errc::file_exists;
}

// Empty for a real folder; otherwise why the path is none to delete. A link is never followed:
// only a real folder is removed, and a file is never deleted.
Status isFolder(const fs::path &target)
{
    std::error_code error;
    const fs::file_status status = fs::symlink_status(target, error);
    if (error)
        return Failure{FolderAccess::reason(error)};
    if (fs::is_directory(status))
        return {};
    // The lists show such a link as a folder, so "not a folder" would puzzle.
    if (fs::is_symlink(status) && fs::is_directory(fs::status(target, error)))
        return Failure{QCoreApplication::translate(
            "FolderCommands", "it is a link to a folder, and links are not deleted")};
    return Failure{QCoreApplication::translate("FolderCommands", "it is not a folder")};
}

// Characters the file system takes as a separator or refuses in a name.
QString forbiddenCharacters()
{
#ifdef Q_OS_WIN
    return QStringLiteral("\\/:*?\"<>|");
#else
    return QStringLiteral("/");
#endif
}

struct Contents
{
    std::vector<fs::path> files;
    int folders = 0;
};

// What a folder holds directly. A link to a folder is a subfolder, as the folder list shows
// it; a broken or looping link is a file.
Contents contentsOf(const fs::path &folder, std::error_code &error)
{
    Contents contents;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code unreadable;
        if (fs::is_directory(it->status(unreadable)))
            ++contents.folders;
        else
            contents.files.push_back(it->path());
    }
    return contents;
}

} // namespace

QString newFolderPath(const QString &folder, const QString &name)
{
    return PathText::withSeparator(folder) + name;
}

Status makeFolder(const QString &folder, const QString &name)
{
    const QString path = newFolderPath(folder, name);
    const auto failed = [&path](const QString &why) {
        return Failure{
            QCoreApplication::translate("FolderCommands", "The folder %1 could not be made: %2.")
                .arg(shown(path), why)};
    };
    if (!QDir::isAbsolutePath(folder))
        return failed(QCoreApplication::translate("FolderCommands", "no PC folder is chosen"));
    for (const QChar c : forbiddenCharacters()) {
        if (name.contains(c))
            return failed(
                QCoreApplication::translate("FolderCommands", "a folder name cannot hold %1")
                    .arg(c));
    }
    std::error_code error;
    if (fs::create_directory(FolderAccess::fsPath(path), error))
        return {};
    // No error and nothing made: something of that name is already there.
    if (!error || error == std::errc::file_exists)
        return failed(QCoreApplication::translate("FolderCommands",
                                                  "a file or folder of that name already exists"));
    return failed(FolderAccess::reason(error));
}

Result<Removal> removeFolder(const QString &path, const Volumes &volumes)
{
    const auto failed = [&path](const QString &why) {
        return Failure{
            QCoreApplication::translate("FolderCommands", "The folder %1 could not be deleted: %2.")
                .arg(shown(path), why)};
    };
    if (!QDir::isAbsolutePath(path))
        return failed(QCoreApplication::translate("FolderCommands", "no PC folder is chosen"));
    if (volumes.isRoot(path)) {
        return Failure{QCoreApplication::translate(
                           "FolderCommands", "%1 is the root of a drive; it cannot be deleted.")
                           .arg(shown(path))};
    }
    const fs::path target = FolderAccess::fsPath(path);
    if (const Status folder = isFolder(target); !folder)
        return failed(folder.reason());
    std::error_code error;
    if (fs::remove(target, error))
        return Removal{.removed = true};
    if (isNotEmpty(error)) {
        const Contents contents = contentsOf(target, error);
        return Removal{.files = int(contents.files.size()), .folders = contents.folders};
    }
    return failed(FolderAccess::reason(error));
}

Status deleteFilesAndRemove(const QString &path, const Volumes &volumes)
{
    const auto failed = [&path](const QString &why) {
        return Failure{
            QCoreApplication::translate("FolderCommands", "The folder %1 could not be deleted: %2.")
                .arg(shown(path), why)};
    };
    // Only ever called after removeFolder said NotEmpty, but the checks cost nothing.
    if (!QDir::isAbsolutePath(path))
        return failed(QCoreApplication::translate("FolderCommands", "no PC folder is chosen"));
    if (volumes.isRoot(path))
        return failed(QCoreApplication::translate("FolderCommands", "it is the root of a drive"));
    const fs::path target = FolderAccess::fsPath(path);
    if (const Status folder = isFolder(target); !folder)
        return failed(folder.reason());
    std::error_code error;

    const Contents contents = contentsOf(target, error);
    if (error)
        return failed(FolderAccess::reason(error));
    const bool holdsFolders = contents.folders > 0;

    int undeleted = 0;
    QString firstFailure;
    for (const fs::path &file : contents.files) {
        if (fs::remove(file, error) || !error)
            continue;
        if (undeleted++ == 0) {
            firstFailure = QStringLiteral("%1: %2").arg(FolderAccess::fromFsPath(file.filename()),
                                                        FolderAccess::reason(error));
        }
    }
    if (undeleted > 0) {
        return failed(QCoreApplication::translate("FolderCommands",
                                                  "%1 of its files could not be deleted (%2)")
                          .arg(undeleted)
                          .arg(firstFailure));
    }
    if (fs::remove(target, error))
        return {};
    if (isNotEmpty(error) && holdsFolders)
        return failed(QCoreApplication::translate("FolderCommands",
                                                  "it still holds folders, which are not deleted"));
    return failed(FolderAccess::reason(error));
}

} // namespace FolderCommands
