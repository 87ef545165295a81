#pragma once

#include <string>

// Per-user text values in the registry, where programs of this kind keep them:
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>, one value
// per key, held as REG_SZ. A key called "Default" is a value of that name, not the registry
// key's unnamed default value. Windows only, and free of Qt.
class RegistrySettings
{
public:
    explicit RegistrySettings(const std::wstring &application);

    // The stored text (REG_SZ, or REG_EXPAND_SZ with its variables expanded), or defaultValue
    // when the value is missing or of another type.
    std::wstring read(const std::wstring &section, const std::wstring &key,
                      const std::wstring &defaultValue) const;
    // Creates the section's key when needed; false when the value could not be stored.
    bool write(const std::wstring &section, const std::wstring &key, const std::wstring &value);

    // The application's key below HKEY_CURRENT_USER.
    const std::wstring &keyPath() const { return m_keyPath; }
    // The application's key with its root, for messages.
    std::wstring location() const;

private:
    std::wstring sectionPath(const std::wstring &section) const;

    std::wstring m_keyPath;
};
