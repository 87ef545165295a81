#include "sizeline.h"

#include "browser/folderaccess.h"
#include "common/pathtext.h"

#include <QCoreApplication>

#include <filesystem>

namespace SizeLine {

quint64 totalBytes(const QString &folder, const QStringList &names)
{
    const QString prefix = PathText::withSeparator(folder);
    quint64 total = 0;
    std::error_code error;
    for (const QString &name : names) {
        const std::uintmax_t length =
            std::filesystem::file_size(FolderAccess::fsPath(prefix + name), error);
        if (!error)
            total += length;
    }
    return total;
}

QString text(quint64 totalBytes, const QLocale &locale)
{
    // Whole hundredths of a kilobyte, rounded half up: (T + 5) / 10 without overflowing.
    const quint64 hundredths = totalBytes / 10 + (totalBytes % 10 >= 5 ? 1 : 0);
    const quint64 cents = hundredths % 100;
    const QString kilobytes = QString::number(hundredths / 100) + locale.decimalPoint()
                              + (cents < 10 ? QStringLiteral("0") : QString())
                              + QString::number(cents);
    // K * 1000 is the hundredths times ten, written out so that it cannot overflow either.
    const QString bytes =
        hundredths == 0 ? QStringLiteral("0") : QString::number(hundredths) + QLatin1Char('0');
    return QCoreApplication::translate("SizeLine", "File size: %1 kB (%2 Bytes)")
        .arg(kilobytes, bytes);
}

} // namespace SizeLine
