#include "folderaccess.h"

#include <QDirIterator>
#include <QFile>

#include <algorithm>
#include <vector>

#ifndef Q_OS_WIN
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace FolderAccess {

#ifdef Q_OS_WIN

QStringList names(const QString &folder, Kind kind)
{
    const QDir::Filters filters =
        kind == Kind::Files ? QDir::Files : QDir::Dirs | QDir::NoDotAndDotDot;
    QStringList found;
    QDirIterator it(folder, filters);
    while (it.hasNext()) {
        it.next();
        found.append(it.fileName());
    }
    return found;
}

#else

namespace {

// What a directory entry is once links are followed; Other for anything not listed.
enum class EntryType { File, Folder, Other };

EntryType typeOf(const QByteArray &folder, const dirent *entry)
{
    switch (entry->d_type) {
    case DT_REG:
        return EntryType::File;
    case DT_DIR:
        return EntryType::Folder;
    case DT_LNK:
    case DT_UNKNOWN:
        break;
    default:
        return EntryType::Other;
    }
    // Only links and file systems without types cost a stat.
    struct stat info;
    const QByteArray path = folder + '/' + entry->d_name;
    if (::stat(path.constData(), &info) != 0)
        return EntryType::Other;
    if (S_ISREG(info.st_mode))
        return EntryType::File;
    return S_ISDIR(info.st_mode) ? EntryType::Folder : EntryType::Other;
}

} // namespace

// Plain readdir: the file list of a large folder is read in one pass without a stat per entry.
QStringList names(const QString &folder, Kind kind)
{
    QStringList found;
    const QByteArray encoded = QFile::encodeName(folder);
    DIR *dir = ::opendir(encoded.constData());
    if (!dir)
        return found;
    const EntryType wanted = kind == Kind::Files ? EntryType::File : EntryType::Folder;
    while (const dirent *entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue; // hidden, and "." and ".."
        if (typeOf(encoded, entry) == wanted)
            found.append(QFile::decodeName(entry->d_name));
    }
    ::closedir(dir);
    return found;
}

#endif

void sortForDisplay(QStringList &names)
{
    // Folding each name once keeps the comparisons down to plain ones.
    struct Keyed
    {
        QString key;
        QString name;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(names.size());
    for (QString &name : names)
        keyed.push_back({name.toCaseFolded(), std::move(name)});
    std::sort(keyed.begin(), keyed.end(), [](const Keyed &a, const Keyed &b) {
        const int byKey = QString::compare(a.key, b.key);
        return byKey != 0 ? byKey < 0 : a.name < b.name;
    });
    for (qsizetype i = 0; i < names.size(); ++i)
        names[i] = std::move(keyed[size_t(i)].name);
}

QString listError(const QString &folder)
{
    if (folder.isEmpty())
        return QStringLiteral("no folder is given");
    std::error_code error;
    std::filesystem::directory_iterator it(fsPath(folder), error);
    return error ? reason(error) : QString();
}

std::filesystem::path fsPath(const QString &path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

QString fromFsPath(const std::filesystem::path &path)
{
#ifdef Q_OS_WIN
    return QString::fromStdWString(path.wstring());
#else
    return QFile::decodeName(path.c_str());
#endif
}

QString reason(const std::error_code &error)
{
    return QString::fromLocal8Bit(error.message());
}

} // namespace FolderAccess
