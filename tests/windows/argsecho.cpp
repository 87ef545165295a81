// Prints whether it has a console window, then the arguments its C runtime handed to wmain,
// one a line in UTF-8, to its standard output. As the transfer tool may: with
// TARNWICK_PRINT_BYTES it prints that many more bytes of progress, with TARNWICK_WAIT_MS it
// waits that long first ("forever": until it is ended), and TARNWICK_EXIT is its exit status.
#include "utf8.h"

#include <cstdio>
#include <cstdlib>
#include <cwchar>

int wmain(int argc, wchar_t **argv)
{
    std::string text = GetConsoleWindow() ? "console window\n" : "no console window\n";
    for (int i = 0; i < argc; ++i)
        text += toUtf8(argv[i]) + '\n';
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
    if (const wchar_t *bytes = _wgetenv(L"TARNWICK_PRINT_BYTES")) {
        for (long n = std::wcstol(bytes, nullptr, 10); n > 0; n -= 8)
            std::fputs("Sent 1\r\n", stdout);
        std::fflush(stdout);
    }
    if (const wchar_t *wait = _wgetenv(L"TARNWICK_WAIT_MS")) {
        if (std::wcscmp(wait, L"forever") == 0)
            for (;;)
                Sleep(1000);
        Sleep(DWORD(std::wcstol(wait, nullptr, 10)));
    }
    const wchar_t *status = _wgetenv(L"TARNWICK_EXIT");
    return status ? int(std::wcstol(status, nullptr, 10)) : 0;
}
