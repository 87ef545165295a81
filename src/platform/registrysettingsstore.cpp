#include "registrysettingsstore.h"

RegistrySettingsStore::RegistrySettingsStore()
    : m_registry(L"Tarnwick")
{}

QString RegistrySettingsStore::read(const QString &section, const QString &key,
                                    const QString &defaultValue) const
{
    return QString::fromStdWString(
        m_registry.read(section.toStdWString(), key.toStdWString(), defaultValue.toStdWString()));
}

bool RegistrySettingsStore::write(const QString &section, const QString &key, const QString &value)
{
    return m_registry.write(section.toStdWString(), key.toStdWString(), value.toStdWString());
}

QString RegistrySettingsStore::location() const
{
    return QString::fromStdWString(m_registry.location());
}
