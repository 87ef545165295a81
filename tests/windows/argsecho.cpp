// Writes whether it has a console of its own, then the arguments its C runtime handed to
// wmain, one a line in UTF-8, into the file that TARNWICK_ARGS_OUT names. The file is written
// beside and renamed, so it appears whole.
#include "utf8.h"

#include <cstdio>

int wmain(int argc, wchar_t **argv)
{
    const wchar_t *target = _wgetenv(L"TARNWICK_ARGS_OUT");
    if (!target)
        return 2;
    DWORD attached[4];
    std::string text =
        GetConsoleProcessList(attached, 4) == 1 ? "own console\n" : "no console of its own\n";
    for (int i = 0; i < argc; ++i)
        text += toUtf8(argv[i]) + '\n';
    const std::wstring part = target + std::wstring(L".part");
    FILE *file = _wfopen(part.c_str(), L"wb");
    if (!file)
        return 3;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written && _wrename(part.c_str(), target) == 0 ? 0 : 4;
}
