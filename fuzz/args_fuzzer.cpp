// The command-line rules under libFuzzer: any line splits without harm, and arguments written
// by the quoting rules come back whole. The input is cut at NUL bytes into a program name and
// its arguments; each byte is one character.
#include "platform/windowsargscore.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using Text = std::u16string;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::vector<Text> parts(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            parts.emplace_back();
        else
            parts.back() += char16_t(data[i]);
    }
    // Any line at all: split must come back.
    Text whole;
    for (const Text &part : parts)
        whole += part + u' ';
    WindowsArgs::split(whole);

    // A program name holds no quote and is not empty; an empty argument is left out.
    Text program = parts.front();
    std::erase(program, u'"');
    if (program.empty())
        return 0;
    Text line = WindowsArgs::quotedProgram(program);
    std::vector<Text> expected = {program};
    for (size_t i = 1; i < parts.size(); ++i) {
        line += u' ' + WindowsArgs::quoted(parts[i]);
        if (!parts[i].empty())
            expected.push_back(parts[i]);
    }
    if (WindowsArgs::split(line) != expected)
        std::abort();
    return 0;
}
