// One keystroke on a big document of 80-character lines, in the editor as a double click opens
// it, beside a bare QTextEdit and a QPlainTextEdit holding the same text; and Ctrl+End on such
// a document just opened, beside a QPlainTextEdit.
#include "benchwindow.h"
#include "editor/documentwindow.h"
#include "editor/textarea.h"

#include <QAbstractEventDispatcher>
#include <QFile>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <benchmark/benchmark.h>

#include <chrono>
#include <map>

namespace {

// 78 characters and a line end.
QByteArray lines(qint64 bytes)
{
    QByteArray text;
    text.reserve(bytes);
    for (int i = 0; text.size() + 80 <= bytes; ++i) {
        QByteArray line = "Line " + QByteArray::number(i).rightJustified(7, '0')
                          + " of a letter typed on the Portfolio, kept on its memory card";
        text += line.leftJustified(78, '.') + "\r\n";
    }
    return text;
}

// The documents as files in one folder, each made when first asked for.
struct Folder
{
    Folder()
    {
        QDir(dir.path()).mkpath(QStringLiteral("docs"));
        path = dir.filePath(QStringLiteral("docs"));
    }
    const QByteArray &document(int megabytes)
    {
        QByteArray &text = texts[megabytes];
        if (text.isEmpty()) {
            text = lines(qint64(megabytes) << 20);
            QFile file(path + QStringLiteral("/%1mb.txt").arg(megabytes));
            if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()
                || !file.flush())
                qFatal("cannot write the document");
        }
        return text;
    }
    QTemporaryDir dir;
    QString path;
    std::map<int, QByteArray> texts;
};

Folder &folder()
{
    static Folder made;
    return made;
}

// Every event that is due, painting included, until none is left.
void runUntilIdle()
{
    while (QAbstractEventDispatcher::instance()->processEvents(QEventLoop::AllEvents)) {
    }
}

void typeOn(benchmark::State &state, QWidget *typed)
{
    for (auto _ : state) {
        QTest::keyClick(typed, Qt::Key_X);
        runUntilIdle();
        // Taken back, so that every keystroke meets the same document.
        state.PauseTiming();
        QTest::keyClick(typed, Qt::Key_Backspace);
        runUntilIdle();
        state.ResumeTiming();
    }
}

void moveCaret(benchmark::State &state, QTextEdit *edit, bool atEnd)
{
    edit->moveCursor(atEnd ? QTextCursor::End : QTextCursor::Start);
    runUntilIdle();
    state.counters["Blocks"] = edit->document()->blockCount();
}

// Opens the document as a double click does and waits until it shows: a long one is read in
// the background.
DocumentWindow *open(benchmark::State &state, BenchWindow &window, int megabytes)
{
    const auto shown = [] {
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (auto *found = qobject_cast<DocumentWindow *>(top))
                return found;
        }
        return static_cast<DocumentWindow *>(nullptr);
    };
    // A window already open keeps its caption until the new document is in place.
    DocumentWindow *const before = shown();
    const QTextDocument *const old = before ? before->textArea()->document() : nullptr;
    const QString name = QStringLiteral("%1mb.txt").arg(megabytes);
    for (int row = 0; row < window.file1->count(); ++row) {
        if (window.file1->name(row) == name)
            window.file1->setCurrentIndex(window.file1->model()->index(row, 0));
    }
    emit window.file1->entryClicked();
    window.main->openDocument();
    DocumentWindow *const document = shown();
    const auto opened = [&] {
        return document->windowTitle() == name && document->textArea()->document() != old;
    };
    if (!document || !QTest::qWaitFor(opened, 120'000)) {
        state.SkipWithError("the document did not open");
        return nullptr;
    }
    runUntilIdle();
    return document;
}

QString lineShown(const DocumentWindow &document)
{
    return document.findChild<QLabel *>(QStringLiteral("Text"))->text();
}

void Typing(benchmark::State &state, int megabytes, bool atEnd)
{
    folder().document(megabytes);
    BenchWindow window(folder().path);
    DocumentWindow *document = open(state, window, megabytes);
    if (!document)
        return;
    moveCaret(state, document->textArea(), atEnd);
    typeOn(state, document->textArea());
    if (!lineShown(*document).startsWith(QStringLiteral("Line Number: ")))
        state.SkipWithError("no line number shown");
    document->textArea()->document()->setModified(false);
    delete document;
}

// Ctrl+End on a document just opened, until the window has painted the end and shows its
// line; and beside it, as a counter, the scroll bar dragged to the end of another fresh one.
void JumpToEnd(benchmark::State &state, int megabytes)
{
    folder().document(megabytes);
    BenchWindow window(folder().path);
    const QString last =
        QStringLiteral("Line Number: %1").arg(folder().document(megabytes).count('\n') + 1);
    double scrolled = 0;
    DocumentWindow *opened = nullptr; // one window, given each document in turn
    for (auto _ : state) {
        DocumentWindow *document = opened = open(state, window, megabytes);
        if (!document)
            return;
        QScrollBar *const bar = document->textArea()->verticalScrollBar();
        auto start = std::chrono::steady_clock::now();
        bar->setValue(bar->maximum());
        runUntilIdle();
        scrolled +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        document = open(state, window, megabytes);
        if (!document)
            return;
        start = std::chrono::steady_clock::now();
        QTest::keyClick(document->textArea(), Qt::Key_End, Qt::ControlModifier);
        runUntilIdle();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (lineShown(*document) != last)
            state.SkipWithError("the line of the end is not shown");
    }
    state.counters["scroll_bar_ms"] = scrolled / double(state.iterations());
    delete opened;
}

// The same on a QPlainTextEdit holding the text.
void JumpToEndFloor(benchmark::State &state, int megabytes)
{
    const QString text =
        QString::fromLatin1(folder().document(megabytes)).remove(QLatin1Char('\r'));
    for (auto _ : state) {
        QPlainTextEdit edit;
        edit.resize(790, 378);
        edit.setPlainText(text);
        edit.show();
        runUntilIdle();
        const auto start = std::chrono::steady_clock::now();
        QTest::keyClick(&edit, Qt::Key_End, Qt::ControlModifier);
        runUntilIdle();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}

template<typename Edit> void bare(benchmark::State &state, int megabytes, bool atEnd)
{
    Edit edit;
    edit.resize(790, 378);
    edit.setPlainText(QString::fromLatin1(folder().document(megabytes)).remove(QLatin1Char('\r')));
    edit.show();
    runUntilIdle();
    edit.moveCursor(atEnd ? QTextCursor::End : QTextCursor::Start);
    runUntilIdle();
    state.counters["Blocks"] = edit.document()->blockCount();
    typeOn(state, &edit);
}

// Registered by hand for names that say the size and the caret's place.
const bool registered = [] {
    using Run = void (*)(benchmark::State &, int, bool);
    const std::pair<const char *, Run> kinds[] = {{"Typing", Typing},
                                                  {"TypingFloor", bare<QTextEdit>},
                                                  {"TypingPlain", bare<QPlainTextEdit>}};
    for (int megabytes : {4, 50}) {
        for (bool atEnd : {false, true}) {
            for (const auto &[kind, run] : kinds) {
                const std::string name = std::string(kind) + '/' + std::to_string(megabytes) + "MB/"
                                         + (atEnd ? "end" : "start");
                benchmark::RegisterBenchmark(name.c_str(),
                                             [run = run, megabytes, atEnd](benchmark::State &s) {
                                                 run(s, megabytes, atEnd);
                                             })
                    ->Unit(benchmark::kMillisecond)
                    ->UseRealTime();
            }
        }
    }
    using Jump = void (*)(benchmark::State &, int);
    const std::pair<const char *, Jump> jumps[] = {{"JumpToEnd", JumpToEnd},
                                                   {"JumpToEndFloor", JumpToEndFloor}};
    for (const auto &[kind, run] : jumps) {
        benchmark::RegisterBenchmark((std::string(kind) + "/50MB").c_str(),
                                     [run = run](benchmark::State &s) { run(s, 50); })
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime()
            ->Iterations(3);
    }
    return true;
}();

} // namespace
