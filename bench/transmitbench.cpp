// A Transmit press with 1,000 selected files, through the window and the real starter, beside
// its floor: the same trivial tool started 1,000 times in a plain loop.
#include "app/mainwindow.h"
#include "browser/filelist.h"
#include "common/programvalues.h"
#include "platform/dialogs.h"
#include "platform/keyboardindicators.h"
#include "platform/platform.h"
#include "platform/processstarter.h"
#include "platform/settingsstore.h"
#include "platform/urlopener.h"
#include "platform/volumes.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <benchmark/benchmark.h>

#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#include <sys/wait.h>
#endif

namespace {

// A folder of files and a tool that does nothing, named like the transfer tool.
struct Setting
{
    explicit Setting(int files)
    {
        QDir root(dir.path());
        root.mkpath(QStringLiteral("pc"));
        root.mkpath(QStringLiteral("tool"));
        pcFolder = root.filePath(QStringLiteral("pc"));
        for (int i = 0; i < files; ++i) {
            QFile file(pcFolder + QStringLiteral("/file%1.txt").arg(i, 4, 10, QLatin1Char('0')));
            if (file.open(QIODevice::WriteOnly))
                pcFiles << file.fileName();
        }
        toolFolder = root.filePath(QStringLiteral("tool")) + QLatin1Char('/');
        tool = toolFolder + QStringLiteral("transfolio");
        QFile::link(QStandardPaths::findExecutable(QStringLiteral("true")), tool);
    }

    QTemporaryDir dir;
    QString pcFolder, toolFolder, tool;
    QStringList pcFiles;
};

Setting &setting(int files)
{
    static Setting s(files);
    return s;
}

// Started tools outlive their starter; this process adopts and buries them, so that
// thousands of finished tools do not pile up while the benchmark runs.
void adoptOrphans()
{
#ifdef Q_OS_LINUX
    prctl(PR_SET_CHILD_SUBREAPER, 1);
#endif
}

void buryOrphans()
{
#ifdef Q_OS_LINUX
    while (waitpid(-1, nullptr, WNOHANG) > 0) {
    }
#endif
}

class NoSettings final : public SettingsStore
{
public:
    explicit NoSettings(const Setting &s)
        : m_setting(s)
    {}
    QString read(const QString &section, const QString &, const QString &fallback) const override
    {
        if (section == QLatin1String("FTOrt"))
            return m_setting.toolFolder;
        if (section == QLatin1String("File") || section == QLatin1String("Dir"))
            return m_setting.pcFolder;
        return fallback;
    }
    bool write(const QString &, const QString &, const QString &) override { return true; }
    QString location() const override { return {}; }

private:
    const Setting &m_setting;
};

// A message during the run means a failed start; it must not block on a modal box.
class CountingDialogs final : public Dialogs
{
public:
    void message(QWidget *, const QString &, const QString &, Icon) override { ++messages; }
    bool okCancel(QWidget *, const QString &, const QString &) override { return false; }
    std::optional<QString> input(QWidget *, const QString &, const QString &,
                                 const QString &) override
    {
        return std::nullopt;
    }
    int messages = 0;
};

class NoUrls final : public UrlOpener
{
public:
    void open(const QUrl &) override {}
};

void Transmit(benchmark::State &state)
{
    const int files = int(state.range(0));
    Setting &s = setting(files);
    adoptOrphans();
    NoSettings settings(s);
    CountingDialogs dialogs;
    NoUrls urls;
    ProcessStarter starter(ProcessStarter::Terminal::Never);
    SystemVolumes volumes;
    SystemKeyboardIndicators keyboard;
    Platform platform{settings, dialogs, urls, starter, volumes, keyboard};
    ProgramValues values;
    MainWindow window(platform, values);
    auto *file1 = window.findChild<FileList *>(QStringLiteral("File1"));
    auto *transmit = window.findChild<QPushButton *>(QStringLiteral("Command1"));
    file1->selectAll();
    transmit->setEnabled(true); // as a click in the file list does
    if (file1->selectedNames().size() != files) {
        state.SkipWithError("the files could not be made");
        return;
    }

    for (auto _ : state) {
        transmit->click();
        state.PauseTiming();
        buryOrphans();
        state.ResumeTiming();
    }
    if (dialogs.messages > 0)
        state.SkipWithError("a start failed");
    state.SetItemsProcessed(state.iterations() * files);
}
BENCHMARK(Transmit)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

void TransmitFloor(benchmark::State &state)
{
    const int files = int(state.range(0));
    Setting &s = setting(files);
    adoptOrphans();
    const QString drive = QStringLiteral("a:\\");
    const QString transmitSwitch = QStringLiteral("/t");
    bool allStarted = true;
    for (auto _ : state) {
        for (const QString &file : s.pcFiles)
            allStarted =
                QProcess::startDetached(s.tool, {file, drive, transmitSwitch}) && allStarted;
        state.PauseTiming();
        buryOrphans();
        state.ResumeTiming();
    }
    if (!allStarted)
        state.SkipWithError("a start failed");
    state.SetItemsProcessed(state.iterations() * files);
}
BENCHMARK(TransmitFloor)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
