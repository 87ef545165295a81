// From process start to the first window shown: the program's about box beside a bare
// QApplication showing an empty QDialog. Both run offscreen with settings of their own.
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace {

// Runs the probe once with its argument, if any, and waits for it; false when it failed.
bool runProbe(const char *argument)
{
    static QTemporaryDir home;
    static const QByteArray config = "XDG_CONFIG_HOME=" + home.path().toUtf8();
    std::vector<char *> env = {const_cast<char *>("QT_QPA_PLATFORM=offscreen"),
                               const_cast<char *>(config.constData())};
    for (char **e = environ; *e; ++e) {
        if (std::strncmp(*e, "XDG_CONFIG_HOME=", 16) != 0
            && std::strncmp(*e, "QT_QPA_PLATFORM=", 16))
            env.push_back(*e);
    }
    env.push_back(nullptr);
    char *argv[] = {const_cast<char *>(STARTUP_PROBE), const_cast<char *>(argument), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, STARTUP_PROBE, nullptr, nullptr, argv, env.data()) != 0)
        return false;
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void Startup(benchmark::State &state)
{
    for (auto _ : state) {
        if (!runProbe(nullptr))
            state.SkipWithError("the program did not start");
    }
}
BENCHMARK(Startup)->Unit(benchmark::kMillisecond)->UseRealTime();

void StartupFloor(benchmark::State &state)
{
    for (auto _ : state) {
        if (!runProbe("--floor"))
            state.SkipWithError("the bare dialog did not start");
    }
}
BENCHMARK(StartupFloor)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same dialog with one label: the fonts that any text needs are set up first.
void StartupFloorWithText(benchmark::State &state)
{
    for (auto _ : state) {
        if (!runProbe("--floor-text"))
            state.SkipWithError("the dialog with text did not start");
    }
}
BENCHMARK(StartupFloorWithText)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
