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

bool RegistrySettingsStore::write(const QList<Value> &values)
{
    bool stored = true;
    for (const Value &value : values) {
        stored = m_registry.write(value.section.toStdWString(), value.key.toStdWString(),
                                  value.text.toStdWString())
                 && stored;
    }
    return stored;
}

QString RegistrySettingsStore::location() const
{
    return QString::fromStdWString(m_registry.location());
}
