#pragma once

#include <QList>
#include <QString>

// Per-user text values, addressed by section and key; the application is fixed by the store.
class SettingsStore
{
public:
    struct Value
    {
        QString section;
        QString key;
        QString text;
    };

    virtual ~SettingsStore() = default;

    // The stored text, or defaultValue when nothing usable is stored.
    virtual QString read(const QString &section, const QString &key,
                         const QString &defaultValue) const = 0;
    // Stores the values together; false when any of them could not be stored.
    virtual bool write(const QList<Value> &values) = 0;
    // Where the values live, for messages.
    virtual QString location() const = 0;
    // What the user must know about how the stored values were read, or nothing.
    virtual QString notice() const { return {}; }
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
    bool write(const QList<Value> &values) override;
    QString location() const override;
    QString notice() const override { return m_notice; }

    static QString defaultIniPath();

private:
    void setAsideUnreadable();

    QSettings *m_settings;
    QString m_notice;
    bool m_readOnly = false;
};
