#pragma once

#include <QString>

// Per-user text values, addressed by section and key; the application is fixed by the store.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    // The stored text, or defaultValue when nothing usable is stored.
    virtual QString read(const QString &section, const QString &key,
                         const QString &defaultValue) const = 0;
    // False when the value could not be stored.
    virtual bool write(const QString &section, const QString &key, const QString &value) = 0;
    // Where the values live, for messages.
    virtual QString location() const = 0;
};

class QSettings;

// An INI file: the program's store outside Windows (RegistrySettingsStore is the one there).
class QtSettingsStore final : public SettingsStore
{
public:
    // The program's own place for its settings.
    QtSettingsStore();
    // An INI file at the given path (tests, other places).
    explicit QtSettingsStore(const QString &iniPath);
    ~QtSettingsStore() override;

    QString read(const QString &section, const QString &key,
                 const QString &defaultValue) const override;
    bool write(const QString &section, const QString &key, const QString &value) override;
    QString location() const override;

    static QString defaultIniPath();

private:
    QSettings *m_settings;
};
