#pragma once

#include <windows.h>

#include <string>

inline std::string toUtf8(const std::wstring &text)
{
    std::string out(text.size() * 3, '\0');
    out.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), out.data(),
                                   int(out.size()), nullptr, nullptr));
    return out;
}

inline std::wstring fromUtf8(const std::string &text)
{
    std::wstring out(text.size(), L'\0');
    out.resize(MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), out.data(),
                                   int(out.size())));
    return out;
}
