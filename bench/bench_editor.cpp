// The editor on a 10 MB document of 200,000 lines, each figure beside its floor.
#include "benchwindow.h"
#include "editor/documentfile.h"
#include "editor/documentwindow.h"
#include "editor/rtfreader.h"
#include "editor/textarea.h"
#include "memory.h"
#include "stallwatch.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

constexpr int Lines = 200000;

// The document as a plain-text file and as RTF, made once.
struct Documents
{
    Documents()
    {
        QDir(dir.path()).mkpath(QStringLiteral("docs"));
        folder = dir.filePath(QStringLiteral("docs"));
        for (int i = 0; i < Lines; ++i)
            text += QByteArray("Line ") + QByteArray::number(i).rightJustified(6, '0')
                    + " of a letter written on the Portfolio.\r\n";
        text.chop(2);
        QFile plain(folder + QStringLiteral("/letter.txt"));
        if (!plain.open(QIODevice::WriteOnly) || plain.write(text) != text.size())
            qFatal("cannot write the document");
        rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs20 ";
        for (const QByteArray &line : text.split('\n'))
            rtf += "\\pard " + line.trimmed().replace("Portfolio", "{\\b Portfolio}") + "\\par\n";
        rtf += '}';
    }

    // 50 MB of the same lines, in a folder of its own, made when first asked for.
    QString bigFolder()
    {
        const QString big = dir.filePath(QStringLiteral("big"));
        if (QDir().mkpath(big) && !QFileInfo::exists(big + QStringLiteral("/big.txt"))) {
            QFile file(big + QStringLiteral("/big.txt"));
            if (!file.open(QIODevice::WriteOnly))
                qFatal("cannot write the document");
            for (int i = 0; i < 5; ++i) {
                if (file.write(text) != text.size() || file.write("\r\n", 2) != 2)
                    qFatal("cannot write the document");
            }
        }
        return big;
    }

    QTemporaryDir dir;
    QString folder;
    QByteArray text;
    QByteArray rtf;
};

Documents &documents()
{
    static Documents made;
    return made;
}

DocumentWindow *documentWindow()
{
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<DocumentWindow *>(top))
            return window;
    }
    return nullptr;
}

// A long file is read after the press, behind the busy cursor, until its text shows.
void finishOpening()
{
    while (QApplication::overrideCursor())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    QApplication::processEvents();
}

// The main window with the document open in the editor, as a double click leaves it.
struct Opened
{
    Opened()
        : window(documents().folder)
    {
        window.file1->setCurrentIndex(window.file1->model()->index(0, 0));
        emit window.file1->entryClicked();
        open();
    }
    ~Opened() { delete documentWindow(); }
    void open()
    {
        window.main->openDocument();
        finishOpening();
    }
    BenchWindow window;
};

// The double click's work, from reading the file to the text shown.
void OpenDocument(benchmark::State &state)
{
    Opened opened;
    for (auto _ : state)
        opened.open();
    if (documentWindow()->textArea()->document()->blockCount() != Lines)
        state.SkipWithError("the document does not hold every line");
}
BENCHMARK(OpenDocument)->Name("OpenDocument/10MB")->Unit(benchmark::kMillisecond);

// A 50 MB file: read in a thread of its own behind the progress dialog, until its text shows.
void OpenBigDocument(benchmark::State &state)
{
    BenchWindow window(documents().bigFolder());
    window.file1->setCurrentIndex(window.file1->model()->index(0, 0));
    emit window.file1->entryClicked();
    qint64 stall = 0;
    for (auto _ : state) {
        StallWatch watch;
        const QTextDocument *before =
            documentWindow() ? documentWindow()->textArea()->document() : nullptr;
        window.main->openDocument();
        while (!documentWindow() || documentWindow()->textArea()->document() == before)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        QApplication::processEvents();
        stall = std::max(stall, watch.longestMs());
    }
    state.counters["stall_ms"] = double(stall);
    if (documentWindow()->textArea()->document()->blockCount() != 5 * Lines + 1)
        state.SkipWithError("the document does not hold every line");
    delete documentWindow();
}
BENCHMARK(OpenBigDocument)
    ->Name("OpenDocument/50MB")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);

// The same work in the window's thread, without the progress machinery.
void OpenBigDocumentFloor(benchmark::State &state)
{
    Opened opened;
    const QString path = documents().bigFolder() + QStringLiteral("/big.txt");
    TextArea *area = documentWindow()->textArea();
    qint64 stall = 0;
    for (auto _ : state) {
        StallWatch watch;
        const Result<QByteArray> bytes = DocumentFile::read(path);
        auto *document = new QTextDocument(area);
        DocumentFile::load(*bytes, *document);
        area->showDocument(document);
        QApplication::processEvents();
        stall = std::max(stall, watch.longestMs());
    }
    state.counters["stall_ms"] = double(stall);
}
BENCHMARK(OpenBigDocumentFloor)
    ->Name("OpenDocumentFloor/50MB")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);

// Pasting the 10 MB of RTF into an open document, until the event loop runs again.
void PasteRtf(benchmark::State &state)
{
    Opened opened;
    TextArea *area = documentWindow()->textArea();
    const QString markup = QString::fromLatin1(documents().rtf);
    qint64 stall = 0;
    for (auto _ : state) {
        state.PauseTiming();
        area->showDocument(new QTextDocument(area));
        QApplication::processEvents();
        state.ResumeTiming();
        StallWatch watch;
        QTimer::singleShot(0, area, [area, &markup] { area->pasteText(markup); });
        const int before = area->document()->blockCount();
        while (area->document()->blockCount() == before || QApplication::overrideCursor())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        QApplication::processEvents();
        stall = std::max(stall, watch.longestMs());
    }
    state.counters["stall_ms"] = double(stall);
    if (area->document()->blockCount() < Lines)
        state.SkipWithError("the paste does not hold every line");
}
BENCHMARK(PasteRtf)
    ->Name("PasteRtf/10MB")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);

// The same markup read at a cursor, without the text area.
void PasteRtfFloor(benchmark::State &state)
{
    const QString markup = QString::fromLatin1(documents().rtf);
    for (auto _ : state) {
        state.PauseTiming();
        auto document = std::make_unique<QTextDocument>();
        QTextCursor cursor(document.get());
        state.ResumeTiming();
        Rtf::read(markup, cursor);
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(PasteRtfFloor)->Name("PasteRtfFloor/10MB")->Unit(benchmark::kMillisecond)->Iterations(2);

void OpenDocumentFloor(benchmark::State &state)
{
    const QString text = QString::fromUtf8(documents().text);
    QTextEdit edit;
    edit.show();
    for (auto _ : state) {
        edit.setPlainText(text);
        QApplication::processEvents();
    }
}
BENCHMARK(OpenDocumentFloor)->Name("OpenDocumentFloor/10MB")->Unit(benchmark::kMillisecond);

// One status-line update with the caret on the last line.
void LineNumber(benchmark::State &state)
{
    Opened opened;
    DocumentWindow *window = documentWindow();
    window->textArea()->moveCursor(QTextCursor::End);
    // The move's own update of the status line, which counts the lines once.
    QApplication::processEvents();
    for (auto _ : state)
        window->showLineNumber();
    const QString shown = window->findChild<QLabel *>(QStringLiteral("Text"))->text();
    if (!shown.endsWith(QString::number(Lines)))
        state.SkipWithError(qPrintable(QStringLiteral("shows ") + shown));
}
BENCHMARK(LineNumber)->Arg(Lines)->Unit(benchmark::kMicrosecond);

void LineNumberFloor(benchmark::State &state)
{
    QTextEdit edit;
    edit.setPlainText(QString::fromUtf8(documents().text));
    edit.moveCursor(QTextCursor::End);
    for (auto _ : state)
        benchmark::DoNotOptimize(edit.textCursor().blockNumber());
}
BENCHMARK(LineNumberFloor)->Arg(Lines)->Unit(benchmark::kMicrosecond);

// Reading a 10 MB RTF file of the same lines, a word of each in bold.
void RtfRead(benchmark::State &state)
{
    for (auto _ : state) {
        auto document = std::make_unique<QTextDocument>();
        Rtf::load(documents().rtf, *document);
        benchmark::DoNotOptimize(document->blockCount());
        state.PauseTiming(); // the document's end is no part of reading
        document.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * documents().rtf.size());
}
BENCHMARK(RtfRead)->Name("RtfRead/10MB")->Unit(benchmark::kMillisecond);

void RtfReadFloor(benchmark::State &state)
{
    QTextDocument loaded;
    Rtf::load(documents().rtf, loaded);
    const QString text = loaded.toPlainText();
    for (auto _ : state) {
        auto document = std::make_unique<QTextDocument>();
        document->setPlainText(text);
        benchmark::DoNotOptimize(document->blockCount());
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(RtfReadFloor)->Name("RtfReadFloor/10MB")->Unit(benchmark::kMillisecond);

// Resident memory with the document open, beside a bare text edit holding the same text.
void DocumentMemory(benchmark::State &state)
{
    for (auto _ : state) {
        releaseFreedMemory();
        double before = residentMegabytes();
        {
            Opened opened;
            state.counters["EditorMB"] = residentMegabytes() - before;
        }
        releaseFreedMemory();
        before = residentMegabytes();
        QTextEdit edit;
        edit.setPlainText(QString::fromUtf8(documents().text));
        edit.show();
        QApplication::processEvents();
        state.counters["QTextEditMB"] = residentMegabytes() - before;
    }
}
BENCHMARK(DocumentMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// An unedited save, from the document to the file on disk.
void save(benchmark::State &state, const QByteArray &text)
{
    QTextDocument document;
    const CodePage::Encoding encoding = DocumentFile::load(text, document);
    const QString path = documents().dir.filePath(QStringLiteral("saved.txt"));
    for (auto _ : state) {
        if (const Status saved = DocumentFile::save(document, path, encoding); !saved)
            state.SkipWithError(qPrintable(saved.reason()));
    }
    if (QFileInfo(path).size() != text.size())
        state.SkipWithError("the file is not the document");
    state.SetBytesProcessed(state.iterations() * text.size());
}

void SaveDocument(benchmark::State &state)
{
    save(state, documents().text);
}
BENCHMARK(SaveDocument)->Name("SaveDocument/10MB")->Unit(benchmark::kMillisecond);

const QByteArray &hundredMegabytes()
{
    static const QByteArray text = [] {
        QByteArray made = documents().text;
        for (int i = 1; i < 10; ++i)
            made += "\r\n" + documents().text;
        return made;
    }();
    return text;
}

void SaveDocument100(benchmark::State &state)
{
    save(state, hundredMegabytes());
}
BENCHMARK(SaveDocument100)->Name("SaveDocument/100MB")->Unit(benchmark::kMillisecond);

// QSaveFile writing the same bytes.
void saveFloor(benchmark::State &state, const QByteArray &bytes)
{
    const QString path = documents().dir.filePath(QStringLiteral("saved.txt"));
    for (auto _ : state) {
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
            state.SkipWithError("cannot write the file");
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void SaveDocumentFloor(benchmark::State &state)
{
    saveFloor(state, documents().text);
}
BENCHMARK(SaveDocumentFloor)->Name("SaveDocumentFloor/10MB")->Unit(benchmark::kMillisecond);

// Getting the same document's text, and the same checked write of its bytes.
void SaveDocumentTextFloor(benchmark::State &state)
{
    QTextDocument document;
    DocumentFile::load(documents().text, document);
    const QString path = documents().dir.filePath(QStringLiteral("saved.txt"));
    for (auto _ : state) {
        const QString text = document.toRawText();
        benchmark::DoNotOptimize(text.constData());
        QSaveFile file(path);
        const QByteArray &bytes = documents().text;
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
            state.SkipWithError("cannot write the file");
    }
    state.SetBytesProcessed(state.iterations() * documents().text.size());
}
BENCHMARK(SaveDocumentTextFloor)->Name("SaveDocumentTextFloor/10MB")->Unit(benchmark::kMillisecond);

void SaveDocumentFloor100(benchmark::State &state)
{
    saveFloor(state, hundredMegabytes());
}
BENCHMARK(SaveDocumentFloor100)->Name("SaveDocumentFloor/100MB")->Unit(benchmark::kMillisecond);

// Resident memory after one open of a 20 MB file, and after three of it and one of 17 bytes,
// as the program holds it (HeldMB) and as it is in use once freed memory went back (InUseMB).
void OpenMemory(benchmark::State &state)
{
    const QString folder = documents().dir.filePath(QStringLiteral("memory"));
    QDir().mkpath(folder);
    QFile big(folder + QStringLiteral("/big.txt"));
    QFile small(folder + QStringLiteral("/small.txt"));
    const QByteArray twenty = documents().text + "\r\n" + documents().text;
    if (!big.open(QIODevice::WriteOnly) || big.write(twenty) != twenty.size() || !big.flush()
        || !small.open(QIODevice::WriteOnly) || small.write("seventeen bytes\r\n") != 17
        || !small.flush())
        state.SkipWithError("cannot write the files");
    for (auto _ : state) {
        releaseFreedMemory();
        const double before = residentMegabytes();
        BenchWindow window(folder);
        const auto open = [&window](const QString &name) {
            for (int row = 0; row < window.file1->count(); ++row) {
                if (window.file1->name(row) == name)
                    window.file1->setCurrentIndex(window.file1->model()->index(row, 0));
            }
            emit window.file1->entryClicked();
            window.main->openDocument();
            finishOpening();
        };
        open(QStringLiteral("big.txt"));
        state.counters["OnceHeldMB"] = residentMegabytes() - before;
        releaseFreedMemory();
        state.counters["OnceInUseMB"] = residentMegabytes() - before;
        open(QStringLiteral("big.txt"));
        open(QStringLiteral("big.txt"));
        state.counters["ThriceHeldMB"] = residentMegabytes() - before;
        open(QStringLiteral("small.txt"));
        state.counters["ThenSmallHeldMB"] = residentMegabytes() - before;
        releaseFreedMemory();
        state.counters["ThenSmallInUseMB"] = residentMegabytes() - before;
        delete documentWindow();
    }
}
BENCHMARK(OpenMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
