#pragma once

#include "platform/registrysettings.h"
#include "platform/settingsstore.h"

// The program's store on Windows: the registry, where settings of programs of this kind
// already are. Windows only.
class RegistrySettingsStore final : public SettingsStore
{
public:
    RegistrySettingsStore();

    QString read(const QString &section, const QString &key,
                 const QString &defaultValue) const override;
    bool write(const QList<Value> &values) override;
    QString location() const override;

private:
    RegistrySettings m_registry;
};
