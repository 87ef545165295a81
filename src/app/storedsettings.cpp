#include "storedsettings.h"

#include "platform/settingsstore.h"

#include <QDir>
#include <QLocale>
#include <QStorageInfo>

#include <cmath>

namespace StoredSettings {

QString defaultToolFolder()
{
#ifdef Q_OS_WIN
    return QStringLiteral("c:\\");
#else
    return {};
#endif
}

QString defaultFolder()
{
#ifdef Q_OS_WIN
    return QStringLiteral("c:\\");
#else
    return QDir::homePath();
#endif
}

QString defaultDrive()
{
#ifdef Q_OS_WIN
    return QStringLiteral("c:\\");
#else
    const QString root = QStorageInfo(QDir::homePath()).rootPath();
    return root.isEmpty() ? QStringLiteral("/") : root;
#endif
}

bool toOverwriteFlag(const QString &text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool isNumber = false;
    const double number = QLocale::c().toDouble(t, &isNumber);
    return isNumber && std::isfinite(number) && number != 0.0;
}

QString fromOverwriteFlag(bool on)
{
    return on ? QStringLiteral("True") : QStringLiteral("False");
}

QString read(const SettingsStore &store, const QString &section)
{
    QString fallback;
    if (section == ToolFolder)
        fallback = defaultToolFolder();
    else if (section == Overwrite)
        fallback = defaultOverwrite();
    else if (section == Drive)
        fallback = defaultDrive();
    else
        fallback = defaultFolder();
    return store.read(section, Key, fallback);
}

} // namespace StoredSettings
