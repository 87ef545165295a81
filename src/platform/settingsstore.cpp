#include "settingsstore.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

QtSettingsStore::QtSettingsStore()
    : m_settings(new QSettings(defaultIniPath(), QSettings::IniFormat))
{}

QtSettingsStore::QtSettingsStore(const QString &iniPath)
    : m_settings(new QSettings(iniPath, QSettings::IniFormat))
{}

QtSettingsStore::~QtSettingsStore()
{
    delete m_settings;
}

QString QtSettingsStore::defaultIniPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/Tarnwick/Tarnwick.conf");
}

QString QtSettingsStore::read(const QString &section, const QString &key,
                              const QString &defaultValue) const
{
    const QVariant value = m_settings->value(section + QLatin1Char('/') + key);
    if (!value.isValid())
        return defaultValue;
    // An INI line with a comma reads back as a list; the user meant one text.
    if (value.userType() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    if (!value.canConvert<QString>())
        return defaultValue;
    return value.toString();
}

bool QtSettingsStore::write(const QString &section, const QString &key, const QString &value)
{
    m_settings->setValue(section + QLatin1Char('/') + key, value);
    m_settings->sync();
    return m_settings->status() == QSettings::NoError && m_settings->isWritable();
}

QString QtSettingsStore::location() const
{
    return QDir::toNativeSeparators(m_settings->fileName());
}
