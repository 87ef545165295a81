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

Child::~Child()
{
    if (m_output)
        CloseHandle(m_output);
    if (m_process)
        CloseHandle(m_process);
}

bool Child::start(const std::wstring &commandLine, std::wstring *error)
{
    const auto fail = [error] {
        const DWORD code = GetLastError();
        if (error)
            *error = systemMessage(code);
        return false;
    };
    SECURITY_ATTRIBUTES inherited{};
    inherited.nLength = sizeof inherited;
    inherited.bInheritHandle = TRUE;
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherited, 1 << 16))
        return fail();
    // Only the child's end is handed down.
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    HANDLE nothing = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 &inherited, OPEN_EXISTING, 0, nullptr);

    // CreateProcessW may write into the line it is given.
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nothing;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
    const DWORD code = GetLastError();
    CloseHandle(writeEnd);
    if (nothing != INVALID_HANDLE_VALUE)
        CloseHandle(nothing);
    if (!started) {
        CloseHandle(readEnd);
        SetLastError(code);
        return fail();
    }
    CloseHandle(process.hThread);
    m_process = process.hProcess;
    m_output = readEnd;
    return true;
}

std::string Child::readAvailable(std::size_t limit)
{
    std::string out;
    char buffer[1 << 16];
    while (m_output && out.size() < limit) {
        DWORD available = 0;
        if (!PeekNamedPipe(m_output, nullptr, 0, nullptr, &available, nullptr) || available == 0)
            break;
        DWORD got = 0;
        const DWORD want = available < sizeof buffer ? available : DWORD(sizeof buffer);
        if (!ReadFile(m_output, buffer, want, &got, nullptr) || got == 0)
            break;
        out.append(buffer, got);
    }
    return out;
}

bool Child::ended(unsigned long *exitCode)
{
    if (!m_process || WaitForSingleObject(m_process, 0) != WAIT_OBJECT_0)
        return false;
    DWORD available = 0;
    // A pipe still holding bytes is read first; a broken one has nothing more.
    if (m_output && PeekNamedPipe(m_output, nullptr, 0, nullptr, &available, nullptr)
        && available > 0)
        return false;
    DWORD code = 1;
    GetExitCodeProcess(m_process, &code);
    if (exitCode)
        *exitCode = code;
    return true;
}

void Child::terminate()
{
    if (m_process)
        TerminateProcess(m_process, 1);
}

} // namespace WindowsProcess
