#include "folderaccess.h"

#include "common/pathtext.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#ifndef Q_OS_WIN
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace FolderAccess {

#ifdef Q_OS_WIN

Listing read(const QString &folder)
{
    Listing listing;
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        (it.fileInfo().isDir() ? listing.folders : listing.files).append(it.fileName());
    }
    return listing;
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

// The name as text, or a null text when it does not survive the encoding. Most names are
// ASCII, which every encoding of file names keeps as it is: those skip the round trip.
QString decodedExactly(const QByteArray &encoded)
{
    const auto ascii = [](char c) {
        return uchar(c) < 0x80;
    };
    if (std::all_of(encoded.begin(), encoded.end(), ascii))
        return QString::fromLatin1(encoded);
    QString decoded = QFile::decodeName(encoded);
    return QFile::encodeName(decoded) == encoded ? decoded : QString();
}

} // namespace

// Plain readdir: a large folder is read in one pass without a stat per entry.
Listing read(const QString &folder)
{
    Listing listing;
    const QByteArray encoded = QFile::encodeName(folder);
    DIR *dir = ::opendir(encoded.constData());
    if (!dir)
        return listing;
    while (const dirent *entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue; // hidden, and "." and ".."
        const EntryType type = typeOf(encoded, entry);
        if (type == EntryType::Other)
            continue;
        const QByteArray name = QByteArray::fromRawData(entry->d_name, qstrlen(entry->d_name));
        if (QString decoded = decodedExactly(name); !decoded.isNull())
            (type == EntryType::File ? listing.files : listing.folders).append(std::move(decoded));
        else
            (type == EntryType::File ? listing.unusableFiles : listing.unusableFolders)
                .append(shownName(name));
    }
    ::closedir(dir);
    return listing;
}

#endif

bool survives(const QByteArray &encoded)
{
    return QFile::encodeName(QFile::decodeName(encoded)) == encoded;
}

QString shownName(const QByteArray &encoded)
{
    return QFile::decodeName(encoded) + QStringLiteral(" \u27E8")
           + QString::fromLatin1(encoded.toHex(' ').toUpper()) + QStringLiteral("\u27E9");
}

QString unusableMessage(const QString &folder, const QString &shown)
{
    return QCoreApplication::translate("FolderAccess",
                                       "The name %1 in the folder %2 cannot be used exactly: "
                                       "its bytes are no valid text in the system's encoding "
                                       "of file names. Nothing is done to it; please rename "
                                       "it, for example in a file manager.")
        .arg(shown, PathText::native(folder));
}

Status usableInPath(const QByteArray &encodedPath)
{
    const QList<QByteArray> parts = encodedPath.split('/');
    QByteArray folder;
    for (const QByteArray &part : parts) {
        if (!survives(part)) {
            const QString in = folder.isEmpty() ? QStringLiteral("/") : QFile::decodeName(folder);
            return Failure{unusableMessage(in, shownName(part))};
        }
        if (!part.isEmpty())
            folder += '/' + part;
    }
    return {};
}

std::vector<qsizetype> displayOrder(const QStringList &names)
{
    // Every name folded once into one buffer of UTF-8, whose byte order is that of the code
    // points: the sort then compares with memcmp and allocates nothing per name. ASCII, most
    // names, is folded here; the rest by Qt. The first 16 bytes of each key, read as two
    // big-endian numbers, keep that same order and settle most comparisons on their own.
    std::string folded;
    struct Key
    {
        quint64 head[2];
        quint32 offset;
        quint32 length;
        qsizetype index;
    };
    std::vector<Key> keys;
    keys.reserve(size_t(names.size()));
    folded.reserve(size_t(names.size()) * 16);
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString &name = names.at(i);
        const size_t start = folded.size();
        for (const QChar c : name) {
            const char16_t u = c.unicode();
            if (u >= 0x80) {
                folded.resize(start);
                folded.append(name.toCaseFolded().toStdString());
                break;
            }
            folded.push_back(char(u >= u'A' && u <= u'Z' ? u + 32 : u));
        }
        // Names hold no zero byte, so a short key padded with zeros still sorts first.
        uchar head[16] = {};
        std::memcpy(head, folded.data() + start, std::min<size_t>(16, folded.size() - start));
        keys.push_back({{qFromBigEndian<quint64>(head), qFromBigEndian<quint64>(head + 8)},
                        quint32(start),
                        quint32(folded.size() - start),
                        i});
    }
    const std::string_view all(folded);
    std::sort(keys.begin(), keys.end(), [&](const Key &a, const Key &b) {
        if (a.head[0] != b.head[0])
            return a.head[0] < b.head[0];
        if (a.head[1] != b.head[1])
            return a.head[1] < b.head[1];
        const int byKey = all.substr(a.offset, a.length).compare(all.substr(b.offset, b.length));
        return byKey != 0 ? byKey < 0 : names.at(a.index) < names.at(b.index);
    });
    std::vector<qsizetype> order;
    order.reserve(keys.size());
    for (const Key &key : keys)
        order.push_back(key.index);
    return order;
}

void sortForDisplay(QStringList &names)
{
    QStringList sorted;
    sorted.reserve(names.size());
    for (const qsizetype index : displayOrder(names))
        sorted.append(std::move(names[index]));
    names = std::move(sorted);
}

Status canList(const QString &folder)
{
    if (folder.isEmpty())
        return Failure{QCoreApplication::translate("FolderAccess", "no folder is given")};
    std::error_code error;
    std::filesystem::directory_iterator it(fsPath(folder), error);
    if (error)
        return Failure{reason(error)};
    return {};
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
