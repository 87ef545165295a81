#pragma once

#include "platform/pathcase.h"

#include <QDir>
#include <QString>
#include <QUrl>

// How PC paths are written: the platform's separator, and its letter case rule.
namespace PathText {

inline constexpr Qt::CaseSensitivity Case = PathCase;

inline QChar separator()
{
    return QDir::separator();
}

// The path as shown to the user and put into command lines.
inline QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Whether two paths are written alike, whatever their separators and "." or ".." steps.
inline bool samePath(const QString &a, const QString &b)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(a))
               .compare(QDir::cleanPath(QDir::fromNativeSeparators(b)), Case)
           == 0;
}

// The folder with the separator appended only when it does not already end in one.
inline QString withSeparator(const QString &folder, QChar separator)
{
    return folder.endsWith(separator) ? folder : folder + separator;
}

inline QString withSeparator(const QString &folder)
{
    return withSeparator(folder, separator());
}

// The path on this computer that an address names, or nothing: only file addresses without a
// host, or with "localhost", are on this computer.
inline QString localPath(QUrl url)
{
    if (!url.isLocalFile())
        return {};
    if (url.host().compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        url.setHost({});
    if (!url.host().isEmpty())
        return {};
    return native(url.toLocalFile());
}

} // namespace PathText
