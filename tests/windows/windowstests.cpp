// The Windows-only pieces against the system itself (run under Wine here): the registry,
// CreateProcessW and the C runtime's reading of a command line. One line per case; the exit
// code is 1 when any case fails.
#include "platform/registrysettings.h"
#include "platform/windowsargscore.h"
#include "platform/windowsprocess.h"
#include "utf8.h"

#include <cstdio>
#include <filesystem>
#include <tuple>
#include <vector>

namespace {

using Args = std::vector<std::wstring>;

int failures = 0;

void report(bool ok, const std::string &name, const std::string &detail = {})
{
    std::printf("%s %s%s%s\n", ok ? "ok  " : "FAIL", name.c_str(), detail.empty() ? "" : ": ",
                detail.c_str());
    failures += ok ? 0 : 1;
}

std::string shown(const Args &args)
{
    std::string out;
    for (const std::wstring &a : args)
        out += (out.empty() ? "[\"" : ", \"") + toUtf8(a) + '"';
    return out + ']';
}

void check(const std::string &name, const Args &actual, const Args &expected)
{
    report(actual == expected, name,
           actual == expected ? "" : shown(actual) + ", expected " + shown(expected));
}

void registryCases()
{
    // A name of its own, so that no real settings are touched. Wine reuses process ids, so an
    // earlier run may have left it.
    RegistrySettings settings(L"Tarnwick-test-" + std::to_wstring(GetCurrentProcessId()));
    RegDeleteTreeW(HKEY_CURRENT_USER, settings.keyPath().c_str());
    const std::wstring fallback = L"fallback", ftort = settings.keyPath() + L"\\FTOrt";
    const auto readBack = [&] {
        return settings.read(L"FTOrt", L"Default", fallback);
    };

    check("registry: a missing key gives the default", {readBack()}, {fallback});

    // Each text goes into a section that is not there yet.
    const std::pair<const wchar_t *, std::wstring> texts[] = {
        {L"Path", L"c:\\tools\\"},
        {L"Empty", L""},
        {L"NonAscii", L"Ünïcödé ☃ c:\\tools\\ \U0001F600"},
        {L"Long", std::wstring(5000, L'x')},
    };
    for (const auto &[section, text] : texts) {
        const bool written = settings.write(section, L"Default", text);
        check("registry: round trip, new section " + toUtf8(section),
              {written ? settings.read(section, L"Default", fallback) : L"(not written)"}, {text});
    }

    // The value named "Default", not the key's unnamed default value (an empty name).
    RegSetKeyValueW(HKEY_CURRENT_USER, ftort.c_str(), nullptr, REG_SZ, L"unnamed",
                    sizeof L"unnamed");
    RegSetKeyValueW(HKEY_CURRENT_USER, ftort.c_str(), L"Default", REG_SZ, L"c:\\", sizeof L"c:\\");
    check("registry: reads the value named Default beside an unnamed one", {readBack()}, {L"c:\\"});
    settings.write(L"FTOrt", L"Default", L"d:\\");
    check("registry: writes the value named Default, the unnamed one stays",
          {readBack(), settings.read(L"FTOrt", L"", fallback)}, {L"d:\\", L"unnamed"});

    // Values of other types, as another program may have left them.
    SetEnvironmentVariableW(L"TARNWICK_TEST_DIR", L"c:\\pofo");
    RegSetKeyValueW(HKEY_CURRENT_USER, ftort.c_str(), L"Default", REG_EXPAND_SZ,
                    L"%TARNWICK_TEST_DIR%\\x", sizeof L"%TARNWICK_TEST_DIR%\\x");
    check("registry: REG_EXPAND_SZ is expanded", {readBack()}, {L"c:\\pofo\\x"});
    const DWORD number = 1;
    RegSetKeyValueW(HKEY_CURRENT_USER, ftort.c_str(), L"Default", REG_DWORD, &number,
                    sizeof number);
    check("registry: REG_DWORD gives the default", {readBack()}, {fallback});

    // Longer than a registry key name may be.
    report(!settings.write(std::wstring(300, L's'), L"Default", L"x"),
           "registry: a write that fails returns false");

    RegDeleteTreeW(HKEY_CURRENT_USER, settings.keyPath().c_str());
}

// Starts the line through our start and returns what the child's runtime handed to wmain, or
// what went wrong in parentheses. *ownConsole tells whether the child had a console of its own.
struct Run
{
    std::string output;
    unsigned long exitCode = 0;
    bool ended = false;
};

// Runs the line to its end (or, with stopAfterMs, ends it then) and takes what it printed.
Run run(const std::wstring &line, std::wstring *error = nullptr, int stopAfterMs = -1)
{
    WindowsProcess::Child child;
    Run result;
    if (!child.start(line, error))
        return result;
    for (int waited = 0; waited < 60000; waited += 5) {
        result.output += child.readAvailable();
        if (child.ended(&result.exitCode)) {
            result.ended = true;
            break;
        }
        if (waited == stopAfterMs)
            child.terminate();
        Sleep(5);
    }
    return result;
}

Args runChild(const std::wstring &line, bool *noWindow = nullptr)
{
    std::wstring error;
    const Run result = run(line, &error);
    if (!result.ended)
        return {L"(not started or not ended: " + error + L')'};
    // The runtime writes a line end as CR LF.
    std::string text;
    for (char c : result.output)
        if (c != '\r')
            text += c;
    // The first line tells about the console window.
    Args argv;
    for (size_t start = text.find('\n') + 1, end; (end = text.find('\n', start)) != text.npos;
         start = end + 1)
        argv.push_back(fromUtf8(text.substr(start, end - start)));
    if (noWindow)
        *noWindow = text.starts_with("no console window\n");
    return argv;
}

void startCases(const std::wstring &child)
{
    using namespace WindowsArgs;

    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder =
        temp + (L"tarnwick-test-" + std::to_wstring(GetCurrentProcessId())) + L'\\';
    const std::wstring plain = folder + L"argsecho.exe";
    const std::wstring blank = folder + L"Pofo tools ☃\\args echo.exe";
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored); // a leftover of an earlier run
    std::filesystem::create_directories(folder + L"Pofo tools ☃", ignored);
    CopyFileW(child.c_str(), plain.c_str(), FALSE);
    CopyFileW(child.c_str(), blank.c_str(), FALSE);

    // Lines built by our own quoting rule arrive as the intended arguments. An empty
    // argument is left out by the rule, and so disappears.
    const std::tuple<const char *, const std::wstring &, Args> built[] = {
        {"plain", plain, {L"-r", L"a:\\DOCS\\LETTER.TXT", L"C:\\POFO"}},
        {"blanks, also in the program path", blank, {L"C:\\My Pofo\\A B.TXT", L" lead", L"trail "}},
        {"double quotes", plain, {L"say \"hi\".txt", L"\"", L"\"\"", L"a\"\"b c"}},
        {"trailing backslashes", blank, {L"C:\\My Pofo\\", L"a b\\\\", L"c:\\"}},
        {"backslashes before quotes", plain, {L"a\\\"b", L"a b\\\\\"c", L"\\\"", L"\\\\\\\""}},
        {"empty arguments vanish", plain, {L"", L"x", L"", L"/t", L""}},
        {"tabs", plain, {L"a\tb", L"\t", L"\tfirst"}},
        {"non-ASCII", blank, {L"Ünïcödé ☃ c:\\tools\\", L"日本語.TXT", L"\U0001F600"}},
    };
    bool noWindows = true;
    for (const auto &[name, program, arguments] : built) {
        std::wstring line = quotedProgram(program);
        Args expected = {program};
        for (const std::wstring &a : arguments) {
            line += L' ' + quoted(a);
            if (!a.empty())
                expected.push_back(a);
        }
        bool noWindow = false;
        check(std::string("start: ") + name, runChild(line, &noWindow), expected);
        noWindows = noWindows && noWindow;
    }
    report(noWindows, "start: no child had a console window",
           noWindows ? "" : run(quotedProgram(plain)).output.substr(0, 20));

    // Our split gives what the runtime gives, for lines our rule would not build.
    const std::wstring quotedBlank = L'"' + blank + L'"', quotedPlain = L'"' + plain + L'"';
    const std::pair<const std::wstring &, std::wstring> lines[] = {
        {plain, LR"( a\\\"b c d)"},
        {plain, LR"( a\\\\"b c" d e)"},
        {plain, LR"( a"b"" c d)"},
        {plain, LR"( a""b """a""" b "")"},
        // The program name: quotes group and vanish, what follows them belongs to it.
        {quotedBlank, LR"(x "y z")"},
        {quotedPlain, LR"( a\"b)"},
    };
    for (const auto &[program, tail] : lines) {
        check("split: " + std::string(&program == &plain ? "argsecho.exe" : "\"...exe\"")
                  + toUtf8(tail),
              split(program + tail), runChild(program + tail));
    }

    std::wstring error;
    WindowsProcess::Child missing;
    const bool started = missing.start(
        quotedProgram(folder + L"no such folder\\transfolio.exe") + L" -r a:\\X C:\\", &error);
    report(!started && !error.empty(), "start: a missing program gives false and a message",
           toUtf8(error));

    // A failing run's status, a run that prints more than a pipe holds, and a stop.
    SetEnvironmentVariableW(L"TARNWICK_EXIT", L"1");
    const Run failed = run(quotedProgram(plain) + L" -r a:\\GONE.TXT");
    report(failed.ended && failed.exitCode == 1, "run: the exit status of a failed run",
           std::to_string(failed.exitCode));
    SetEnvironmentVariableW(L"TARNWICK_EXIT", nullptr);
    SetEnvironmentVariableW(L"TARNWICK_PRINT_BYTES", L"400000");
    const Run loud = run(quotedProgram(plain));
    SetEnvironmentVariableW(L"TARNWICK_PRINT_BYTES", nullptr);
    report(loud.ended && loud.exitCode == 0 && loud.output.size() > 400000,
           "run: every byte of a run that prints more than the pipe holds",
           std::to_string(loud.output.size()));
    SetEnvironmentVariableW(L"TARNWICK_WAIT_MS", L"forever");
    const Run stopped = run(quotedProgram(plain) + L" a:\\X C:\\", nullptr, 300);
    SetEnvironmentVariableW(L"TARNWICK_WAIT_MS", nullptr);
    report(
        stopped.ended && stopped.exitCode != 0 && stopped.output.find("a:\\X") != std::string::npos,
        "run: a stopped run ends, with what it printed before", std::to_string(stopped.exitCode));

    // The children may still be closing; a leftover goes at the next run's start.
    Sleep(500);
    std::filesystem::remove_all(folder, ignored);
}

} // namespace

int wmain()
{
    wchar_t self[MAX_PATH];
    const std::wstring path(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
    registryCases();
    startCases(path.substr(0, path.find_last_of(L'\\') + 1) + L"argsecho.exe");
    std::printf("%d failed.\n", failures);
    return failures == 0 ? 0 : 1;
}
