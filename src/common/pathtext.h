#pragma once

#include <QDir>
#include <QString>

// How PC paths are written: the platform's separator, and its letter case rule.
namespace PathText {

#ifdef Q_OS_WIN
inline constexpr Qt::CaseSensitivity Case = Qt::CaseInsensitive;
#else
inline constexpr Qt::CaseSensitivity Case = Qt::CaseSensitive;
#endif

inline QChar separator()
{
    return QDir::separator();
}

// The path as shown to the user and put into command lines.
inline QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
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

} // namespace PathText
