#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

// The size line under the PC file list. No widgets here.
namespace SizeLine {

// The bytes of the named files in a folder, each length read now; a file that cannot be
// measured (gone, or not a file any more) counts nothing.
quint64 totalBytes(const QString &folder, const QStringList &names);

// "File size: K kB (B Bytes)": K in kilobytes of 1000 bytes with two decimals rounded half
// up and the locale's decimal separator, B = K * 1000.
QString text(quint64 totalBytes, const QLocale &locale = QLocale());

} // namespace SizeLine
