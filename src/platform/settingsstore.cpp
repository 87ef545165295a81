#include "settingsstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

QtSettingsStore::QtSettingsStore()
    : QtSettingsStore(defaultIniPath())
{}

QtSettingsStore::QtSettingsStore(const QString &iniPath)
    : m_settings(new QSettings(iniPath, QSettings::IniFormat))
{
    // The file is read lazily, and not every lookup reports a format error: listing does.
    m_settings->childGroups();
    if (m_settings->status() == QSettings::FormatError)
        setAsideUnreadable();
}

// A file that cannot be read would be rewritten with only our values at the first sync: the
// user's bytes are moved aside first, and the store starts empty.
void QtSettingsStore::setAsideUnreadable()
{
    const QString path = m_settings->fileName();
    QString aside = path + QStringLiteral(".unreadable");
    for (int n = 2; QFile::exists(aside) || QFileInfo(aside).isSymLink(); ++n)
        aside = path + QStringLiteral(".unreadable-%1").arg(n);
    if (!QFile::rename(path, aside)) {
        m_readOnly = true;
        m_notice = QCoreApplication::translate("SettingsStore",
                                               "The settings in %1 could not be read, and the "
                                               "file could not be set aside. Tarnwick starts "
                                               "with its own settings and leaves the file as it "
                                               "is.")
                       .arg(QDir::toNativeSeparators(path));
        return;
    }
    delete m_settings;
    m_settings = new QSettings(path, QSettings::IniFormat);
    m_notice = QCoreApplication::translate("SettingsStore",
                                           "The settings in %1 could not be read. Tarnwick "
                                           "starts with its own settings; the file was kept as "
                                           "%2.")
                   .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(aside));
}

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

bool QtSettingsStore::write(const QList<Value> &values)
{
    if (m_readOnly || !m_settings->isWritable())
        return false;
    for (const Value &value : values)
        m_settings->setValue(value.section + QLatin1Char('/') + value.key, value.text);
    // One sync for all: each rewrites the whole file.
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

QString QtSettingsStore::location() const
{
    return QDir::toNativeSeparators(m_settings->fileName());
}
