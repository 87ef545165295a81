// The queue of tool runs and the handling of what the tool prints, each beside its floor:
// the same processes started and waited for one after another, the same bytes read from the
// pipe and dropped. The longest time the event loop was kept from running is reported too.
#include "memory.h"
#include "platform/processrunner.h"
#include "stallwatch.h"
#include "transfer/transferqueue.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

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

} // namespace
