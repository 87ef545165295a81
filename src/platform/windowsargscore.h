#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The Qt-free core of windowsargs.h, for any character type: Qt's UTF-16 as well as
// Windows' wchar_t, so the rules can be checked against the real runtime.
namespace WindowsArgs {

namespace Detail {

template<class CharT> bool isBlank(CharT c)
{
    return c == CharT(' ') || c == CharT('\t');
}

template<class CharT> bool needsQuotes(const std::basic_string<CharT> &text, bool quoteToo)
{
    for (CharT c : text) {
        if (isBlank(c) || (quoteToo && c == CharT('"')))
            return true;
    }
    return false;
}

} // namespace Detail

template<class CharT> std::basic_string<CharT> quoted(const std::basic_string<CharT> &argument)
{
    if (!Detail::needsQuotes(argument, true))
        return argument;
    std::basic_string<CharT> out(1, CharT('"'));
    std::size_t backslashes = 0;
    for (CharT c : argument) {
        if (c == CharT('\\')) {
            ++backslashes;
            continue;
        }
        if (c == CharT('"'))
            backslashes = backslashes * 2 + 1;
        out.append(backslashes, CharT('\\'));
        out += c;
        backslashes = 0;
    }
    // Backslashes before the closing quote would escape it.
    out.append(backslashes * 2, CharT('\\'));
    out += CharT('"');
    return out;
}

template<class CharT>
std::basic_string<CharT> quotedProgram(const std::basic_string<CharT> &program)
{
    if (!Detail::needsQuotes(program, false))
        return program;
    return CharT('"') + program + CharT('"');
}

template<class CharT>
std::vector<std::basic_string<CharT>> split(const std::basic_string<CharT> &commandLine)
{
    using Detail::isBlank;
    std::vector<std::basic_string<CharT>> arguments;
    const std::size_t n = commandLine.size();
    std::size_t i = 0;

    if (n == 0)
        return arguments;

    // The program name: quotes group and vanish, nothing is escaped. Like the runtime, the
    // first character is taken whatever it is.
    std::basic_string<CharT> program;
    bool inQuotes = false;
    do {
        if (commandLine[i] == CharT('"'))
            inQuotes = !inQuotes;
        else
            program += commandLine[i];
        ++i;
    } while (i < n && (inQuotes || !isBlank(commandLine[i])));
    arguments.push_back(program);

    for (;;) {
        while (i < n && isBlank(commandLine[i]))
            ++i;
        if (i >= n)
            break;
        std::basic_string<CharT> argument;
        inQuotes = false;
        while (i < n) {
            std::size_t backslashes = 0;
            while (i < n && commandLine[i] == CharT('\\')) {
                ++backslashes;
                ++i;
            }
            if (i < n && commandLine[i] == CharT('"')) {
                argument.append(backslashes / 2, CharT('\\'));
                if (backslashes % 2 == 1) {
                    argument += CharT('"');
                } else if (inQuotes && i + 1 < n && commandLine[i + 1] == CharT('"')) {
                    // "" inside quotes is one literal quote, and the quotes go on.
                    argument += CharT('"');
                    ++i;
                } else {
                    inQuotes = !inQuotes;
                }
                ++i;
                continue;
            }
            argument.append(backslashes, CharT('\\'));
            if (i >= n || (!inQuotes && isBlank(commandLine[i])))
                break;
            argument += commandLine[i];
            ++i;
        }
        arguments.push_back(argument);
    }
    return arguments;
}

} // namespace WindowsArgs
