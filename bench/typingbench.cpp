// One keystroke on a big document of 80-character lines, in the editor as a double click opens
// it, beside a bare QTextEdit and a QPlainTextEdit holding the same text.
#include "benchwindow.h"
#include "editor/documentwindow.h"
#include "editor/textarea.h"

#include <QAbstractEventDispatcher>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <benchmark/benchmark.h>

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

void Typing(benchmark::State &state, int megabytes, bool atEnd)
{
    folder().document(megabytes);
    BenchWindow window(folder().path);
    const QString name = QStringLiteral("%1mb.txt").arg(megabytes);
    for (int row = 0; row < window.file1->count(); ++row) {
        if (window.file1->name(row) == name)
            window.file1->setCurrentIndex(window.file1->model()->index(row, 0));
    }
    emit window.file1->entryClicked();
    window.main->openDocument();
    DocumentWindow *document = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (auto *found = qobject_cast<DocumentWindow *>(top))
            document = found;
    }
    if (!document || document->windowTitle() != name) {
        state.SkipWithError("the document did not open");
        return;
    }
    moveCaret(state, document->textArea(), atEnd);
    typeOn(state, document->textArea());
    const QString shown = document->findChild<QLabel *>(QStringLiteral("Text"))->text();
    if (!shown.startsWith(QStringLiteral("Line Number: ")))
        state.SkipWithError("no line number shown");
    document->textArea()->document()->setModified(false);
    delete document;
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
    return true;
}();

} // namespace
