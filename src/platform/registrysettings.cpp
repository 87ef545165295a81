#include "registrysettings.h"

#include <windows.h>

#include <cwchar>

RegistrySettings::RegistrySettings(const std::wstring &application)
    : m_keyPath(L"Software\\VB and VBA Program Settings\\" + application)
{}

std::wstring RegistrySettings::location() const
{
    return L"HKEY_CURRENT_USER\\" + m_keyPath;
}

std::wstring RegistrySettings::sectionPath(const std::wstring &section) const
{
    return m_keyPath + L'\\' + section;
}

std::wstring RegistrySettings::read(const std::wstring &section, const std::wstring &key,
                                    const std::wstring &defaultValue) const
{
    const std::wstring path = sectionPath(section);
    // RRF_RT_REG_SZ also takes REG_EXPAND_SZ, expanded; every other type is refused.
    const DWORD flags = RRF_RT_REG_SZ;
    std::wstring text;
    DWORD bytes = 0;
    LSTATUS status =
        RegGetValueW(HKEY_CURRENT_USER, path.c_str(), key.c_str(), flags, nullptr, nullptr, &bytes);
    // The value may grow between asking its size and reading it.
    while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        text.resize(bytes / sizeof(wchar_t) + 1);
        bytes = DWORD(text.size() * sizeof(wchar_t));
        status = RegGetValueW(HKEY_CURRENT_USER, path.c_str(), key.c_str(), flags, nullptr,
                              text.data(), &bytes);
        if (status == ERROR_SUCCESS) {
            text.resize(wcsnlen(text.c_str(), bytes / sizeof(wchar_t)));
            return text;
        }
    }
    return defaultValue;
}

bool RegistrySettings::write(const std::wstring &section, const std::wstring &key,
                             const std::wstring &value)
{
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, sectionPath(section).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &handle, nullptr)
        != ERROR_SUCCESS)
        return false;
    const DWORD bytes = DWORD((value.size() + 1) * sizeof(wchar_t));
    const LSTATUS status = RegSetValueExW(handle, key.c_str(), 0, REG_SZ,
                                          reinterpret_cast<const BYTE *>(value.c_str()), bytes);
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}
