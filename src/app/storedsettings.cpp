#include "storedsettings.h"

#include "platform/settingsstore.h"
#include "platform/volumes.h"

#include <QLocale>

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

QString defaultFolder(const Volumes &volumes)
{
#ifdef Q_OS_WIN
    Q_UNUSED(volumes);
    return QStringLiteral("c:\\");
#else
    return volumes.home();
#endif
}

QString defaultDrive(const Volumes &volumes)
{
#ifdef Q_OS_WIN
    Q_UNUSED(volumes);
    return QStringLiteral("c:\\");
#else
    const QString root = volumes.rootOf(volumes.home());
    return root.isEmpty() ? QStringLiteral("/") : root;
#endif
}

QStringList startFolders(const Volumes &volumes)
{
    return {defaultFolder(volumes), defaultDrive(volumes), QStringLiteral("/")};
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

QString read(const SettingsStore &store, const QString &section, const Volumes &volumes)
{
    QString fallback;
    if (section == ToolFolder)
        fallback = defaultToolFolder();
    else if (section == Overwrite)
        fallback = defaultOverwrite();
    else if (section == Drive)
        fallback = defaultDrive(volumes);
    else
        fallback = defaultFolder(volumes);
    return store.read(section, Key, fallback);
}

} // namespace StoredSettings
