// The queue of tool runs and the handling of what the tool prints, each beside its floor:
// the same processes started and waited for one after another, the same bytes read from the
// pipe and dropped. The longest time the event loop was kept from running is reported too.
#include "app/transferswindow.h"
#include "memory.h"
#include "platform/dialogs.h"
#include "platform/processrunner.h"
#include "stallwatch.h"
#include "transfer/transferqueue.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

// Sleeps between events: the overload with a time limit would spin, taking the processor from
// the runs it waits for.
void runUntilIdle(const TransferQueue &queue)
{
    while (queue.busy())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

QString trueProgram()
{
    return QStandardPaths::findExecutable(QStringLiteral("true"));
}

void TransferQueue_(benchmark::State &state)
{
    const int runs = int(state.range(0));
    const QString line = trueProgram() + QStringLiteral(" /pc/file.txt a:\\ -t");
    qint64 stall = 0;
    for (auto _ : state) {
        ProcessRunner runner;
        TransferQueue queue(runner);
        StallWatch watch;
        std::vector<ToolRun> press(std::size_t(runs), ToolRun{QStringLiteral("file"), line});
        queue.add(press, [&state] { state.SkipWithError("a start failed"); });
        runUntilIdle(queue);
        stall = std::max(stall, watch.longestMs());
    }
    state.counters["stall_ms"] = double(stall);
    state.SetItemsProcessed(state.iterations() * runs);
}
BENCHMARK(TransferQueue_)
    ->Name("TransferQueue")
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void TransferQueueFloor(benchmark::State &state)
{
    const int runs = int(state.range(0));
    const QString program = trueProgram();
    const QStringList arguments = {QStringLiteral("/pc/file.txt"), QStringLiteral("a:\\"),
                                   QStringLiteral("-t")};
    for (auto _ : state) {
        for (int i = 0; i < runs; ++i) {
            QProcess process;
            process.start(program, arguments);
            if (!process.waitForFinished())
                state.SkipWithError("a run failed");
        }
    }
    state.SetItemsProcessed(state.iterations() * runs);
}
BENCHMARK(TransferQueueFloor)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

// What the tool prints while it sends a 1 MB file: a progress line for every byte.
struct Progress
{
    Progress()
    {
        QFile file(dir.filePath(QStringLiteral("progress")));
        QByteArray bytes;
        const int total = 1 << 20;
        bytes.reserve(27 * total);
        for (int i = 1; i <= total; ++i)
            bytes +=
                "Sent " + QByteArray::number(i) + " of " + QByteArray::number(total) + " bytes.\r";
        if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
            path = file.fileName();
        size = bytes.size();
    }
    QTemporaryDir dir;
    QString path;
    qint64 size = 0;
};

const Progress &progress()
{
    static const Progress p;
    return p;
}

void ToolOutput_(benchmark::State &state)
{
    const Progress &p = progress();
    const QString line =
        QStandardPaths::findExecutable(QStringLiteral("cat")) + QLatin1Char(' ') + p.path;
    qint64 stall = 0;
    double kept = 0;
    double added = 0;
    for (auto _ : state) {
        releaseFreedMemory();
        const double before = residentMegabytes();
        ProcessRunner runner;
        TransferQueue queue(runner);
        StallWatch watch;
        queue.add({{QStringLiteral("progress"), line}},
                  [&state] { state.SkipWithError("no start"); });
        runUntilIdle(queue);
        stall = std::max(stall, watch.longestMs());
        kept = double(queue.entry(0).output.keptBytes());
        added = std::max(added, residentMegabytes() - before);
        if (queue.entry(0).state != TransferQueue::State::Done)
            state.SkipWithError("the run failed");
    }
    state.counters["stall_ms"] = double(stall);
    state.counters["kept_bytes"] = kept;
    state.counters["resident_added_MB"] = added;
    state.SetBytesProcessed(state.iterations() * p.size);
}
BENCHMARK(ToolOutput_)->Name("ToolOutput/26MB")->Unit(benchmark::kMillisecond)->UseRealTime();

void ToolOutputFloor(benchmark::State &state)
{
    const Progress &p = progress();
    const QString cat = QStandardPaths::findExecutable(QStringLiteral("cat"));
    for (auto _ : state) {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        qint64 read = 0;
        QObject::connect(&process, &QProcess::readyReadStandardOutput,
                         [&] { read += process.readAllStandardOutput().size(); });
        process.start(cat, {p.path});
        while (process.state() != QProcess::NotRunning || process.bytesAvailable() > 0)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        read += process.readAllStandardOutput().size();
        if (read != p.size)
            state.SkipWithError("not every byte was read");
    }
    state.SetBytesProcessed(state.iterations() * p.size);
}
BENCHMARK(ToolOutputFloor)
    ->Name("ToolOutputFloor/26MB")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// One press of many runs, listed in the Transfers window that opens with it; beside its floor,
// the same rows put at once into a bare list alike.
class IdleRunner final : public ToolRunner
{
public:
    Status start(const QString &) override { return {}; }
    void stop() override {}
};

std::vector<ToolRun> bigPress(int runs)
{
    std::vector<ToolRun> press;
    for (int i = 0; i < runs; ++i) {
        const QString file =
            QStringLiteral("/home/ann/pofo/f%1.txt").arg(i, 5, 10, QLatin1Char('0'));
        press.push_back({file + QStringLiteral(" \u2192 a:\\"),
                         QStringLiteral("transfolio ") + file + QStringLiteral(" a:\\ -t")});
    }
    return press;
}

void TransfersList(benchmark::State &state)
{
    const std::vector<ToolRun> press = bigPress(int(state.range(0)));
    QtDialogs dialogs;
    for (auto _ : state) {
        IdleRunner runner;
        TransferQueue queue(runner);
        TransfersWindow window(queue, dialogs);
        window.show();
        queue.add(press, [] {});
        QCoreApplication::processEvents();
    }
}
BENCHMARK(TransfersList)->Arg(20000)->Unit(benchmark::kMillisecond)->UseRealTime();

void TransfersListFloor(benchmark::State &state)
{
    const std::vector<ToolRun> press = bigPress(int(state.range(0)));
    for (auto _ : state) {
        QTreeWidget list;
        list.setRootIsDecorated(false);
        list.setUniformRowHeights(true);
        list.setHeaderLabels({QStringLiteral("Transfer"), QStringLiteral("State")});
        list.header()->setStretchLastSection(false);
        list.header()->setSectionResizeMode(0, QHeaderView::Stretch);
        list.header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
        list.resize(600, 200);
        list.show();
        QList<QTreeWidgetItem *> rows;
        for (const ToolRun &run : press)
            rows.append(new QTreeWidgetItem(QStringList{run.what, QStringLiteral("Waiting")}));
        list.addTopLevelItems(rows);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(TransfersListFloor)->Arg(20000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
