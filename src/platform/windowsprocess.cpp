#include "windowsprocess.h"

#include <windows.h>

#include <vector>

namespace {

std::wstring systemMessage(DWORD code)
{
    wchar_t *text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    std::wstring message(text ? text : L"", length);
    LocalFree(text);
    // The system's messages end in a line break.
    while (!message.empty()
           && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
        message.pop_back();
    if (message.empty())
        message = L"Windows error " + std::to_wstring(code) + L".";
    return message;
}

} // namespace

namespace WindowsProcess {

bool startDetached(const std::wstring &commandLine, std::wstring *error)
{
    // CreateProcessW may write into the line it is given.
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr,
                        nullptr, &startup, &process)) {
        const DWORD code = GetLastError();
        if (error)
            *error = systemMessage(code);
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

} // namespace WindowsProcess
