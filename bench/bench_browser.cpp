// The PC file list on a folder of 100,000 empty files, each beside its floor.
#include "benchwindow.h"
#include "memory.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr int Entries = 100000;

// A folder of 100,000 empty files beside an empty one, made once for every benchmark.
struct Folders
{
    Folders()
    {
        QDir(dir.path()).mkpath(QStringLiteral("big"));
        QDir(dir.path()).mkpath(QStringLiteral("empty"));
        big = dir.filePath(QStringLiteral("big"));
        empty = dir.filePath(QStringLiteral("empty"));
        for (int i = 0; i < Entries; ++i) {
            // Mixed letter case, so that sorting has real work to do.
            const QString name =
                QStringLiteral("%1%2.txt")
                    .arg(i % 3 == 0 ? QStringLiteral("Report") : QStringLiteral("note"))
                    .arg(i, 6, 10, QLatin1Char('0'));
            QFile file(big + QLatin1Char('/') + name);
            if (!file.open(QIODevice::WriteOnly))
                qFatal("cannot make %s", qPrintable(file.fileName()));
        }
    }

    QTemporaryDir dir;
    QString big;
    QString empty;
};

Folders &folders()
{
    static Folders made;
    return made;
}

// Resident memory of the window with 100,000 entries listed, less that of the window on an
// empty folder. Freed memory is handed back only before the first reading, so the figure is
// what the system sees afterwards.
void FileListMemory(benchmark::State &state)
{
    folders();
    for (auto _ : state) {
        BenchWindow window(folders().empty);
        releaseFreedMemory();
        const double empty = residentMegabytes();
        window.dir1->setPath(folders().big);
        QApplication::processEvents();
        const double listed = residentMegabytes();
        window.file1->selectAll();
        emit window.file1->entryClicked();
        QApplication::processEvents();
        const double selected = residentMegabytes();
        if (window.file1->count() != state.range(0))
            state.SkipWithError("the file list does not hold every entry");
        state.counters["ResidentMB"] = listed - empty;
        state.counters["ResidentMBAllSelected"] = selected - empty;
    }
}
BENCHMARK(FileListMemory)->Arg(Entries)->Iterations(1)->Unit(benchmark::kMillisecond);

// A folder change until File1 holds every entry and the view has laid them out.
void FileList(benchmark::State &state)
{
    BenchWindow window(folders().empty);
    for (auto _ : state) {
        window.dir1->setPath(folders().big);
        QApplication::processEvents();
        state.PauseTiming();
        if (window.file1->count() != state.range(0))
            state.SkipWithError("the file list does not hold every entry");
        window.dir1->setPath(folders().empty);
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(FileList)->Arg(Entries)->Unit(benchmark::kMillisecond);

// Reading the same folder's names with readdir, no widget.
void FileListFloor(benchmark::State &state)
{
    const QByteArray path = QFile::encodeName(folders().big);
    for (auto _ : state) {
        QStringList names;
        DIR *dir = opendir(path.constData());
        while (const dirent *entry = readdir(dir)) {
            if (entry->d_name[0] != '.')
                names.append(QFile::decodeName(entry->d_name));
        }
        closedir(dir);
        if (names.size() != state.range(0))
            state.SkipWithError("readdir does not see every entry");
        benchmark::DoNotOptimize(names);
    }
}
BENCHMARK(FileListFloor)->Arg(Entries)->Unit(benchmark::kMillisecond);

// All entries selected, one click, until the size line is set.
void SizeLine(benchmark::State &state)
{
    BenchWindow window(folders().big);
    window.file1->selectAll();
    for (auto _ : state) {
        emit window.file1->entryClicked();
        benchmark::DoNotOptimize(window.size->text());
    }
    if (window.size->text() != QLatin1String("File size: 0.00 kB (0 Bytes)")
        || window.file1->selectedNames().size() != state.range(0))
        state.SkipWithError("the size line was not set for every entry");
}
BENCHMARK(SizeLine)->Arg(Entries)->Unit(benchmark::kMillisecond);

// Reading the 100,000 lengths with stat.
void SizeLineFloor(benchmark::State &state)
{
    const std::string folder = QFile::encodeName(folders().big).toStdString() + '/';
    std::vector<std::string> names;
    DIR *dir = opendir(folder.c_str());
    while (const dirent *entry = readdir(dir)) {
        if (entry->d_name[0] != '.')
            names.emplace_back(entry->d_name);
    }
    closedir(dir);
    std::string path;
    for (auto _ : state) {
        unsigned long long total = 0;
        for (const std::string &name : names) {
            path.assign(folder).append(name);
            struct stat info;
            if (stat(path.c_str(), &info) == 0)
                total += static_cast<unsigned long long>(info.st_size);
        }
        benchmark::DoNotOptimize(total);
    }
    if (names.size() != size_t(state.range(0)))
        state.SkipWithError("readdir does not see every entry");
}
BENCHMARK(SizeLineFloor)->Arg(Entries)->Unit(benchmark::kMillisecond);

} // namespace
