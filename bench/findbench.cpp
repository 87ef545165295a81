// Replace All of a three-letter word by a five-letter one, 200,000 times in a 10 MB document
// shown in the editor's text area, until the count would show; beside its floor, QString::replace
// of the same text, and beside the plain loop that replaces one occurrence after the other without
// an edit block.
#include "editor/textarea.h"
#include "find/finddialog.h"
#include "find/textsearch.h"
#include "platform/dialogs.h"
#include "stallwatch.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

namespace {

const QString Word = QStringLiteral("cat");
const QString Longer = QStringLiteral("tiger");

// Lines of 100 characters, each with the word twice.
QString text(int occurrences)
{
    const QString line = QStringLiteral("The cat and the dog ran over the hill to the old barn, "
                                        "where the cat slept all day long in the sun.")
                             .leftJustified(99, QLatin1Char('.'))
                         + QLatin1Char('\n');
    return line.repeated(occurrences / 2);
}

// The count message is where the measured time ends; it must not block on a modal box.
class CountingDialogs final : public Dialogs
{
public:
    void message(QWidget *, const QString &, const QString &, Icon) override
    {
        shownAt = std::chrono::steady_clock::now();
        ++messages;
    }
    bool okCancel(QWidget *, const QString &, const QString &) override { return false; }
    std::optional<QString> input(QWidget *, const QString &, const QString &,
                                 const QString &) override
    {
        return std::nullopt;
    }
    int messages = 0;
    std::chrono::steady_clock::time_point shownAt;
};

// A long Replace All goes on after the press; the count shows at its end.
void waitForCount(const CountingDialogs &dialogs, int count)
{
    while (dialogs.messages < count)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

// The editor's text area, shown, holding the text, with its end laid out as after a look at it.
struct Shown
{
    explicit Shown(const QString &text)
    {
        area.resize(900, 600);
        area.show();
        load(text);
    }
    void load(const QString &text)
    {
        area.setPlainText(text);
        QTextDocument *document = area.document();
        document->documentLayout()->blockBoundingRect(document->lastBlock());
    }
    TextArea area;
};

void ReplaceAll(benchmark::State &state)
{
    const int occurrences = int(state.range(0));
    const QString original = text(occurrences);
    Shown text(original);
    CountingDialogs dialogs;
    QPointer<FindDialog> dialog;
    FindDialog::showFor(dialog, text.area, dialogs, nullptr);
    dialog->findChild<QComboBox *>(QStringLiteral("cboFind"))->setEditText(Word);
    dialog->findChild<QComboBox *>(QStringLiteral("cboReplace"))->setEditText(Longer);
    auto *replace = dialog->findChild<QPushButton *>(QStringLiteral("cmdReplace"));
    auto *replaceAll = dialog->findChild<QPushButton *>(QStringLiteral("cmdReplaceAll"));
    auto *find = dialog->findChild<QPushButton *>(QStringLiteral("cmdFind"));
    replace->click();      // expands the dialog
    double wholePress = 0; // until the text area has the caret in view again
    qint64 stall = 0;
    for (auto _ : state) {
        const auto pressed = std::chrono::steady_clock::now();
        {
            StallWatch watch;
            replaceAll->click();
            waitForCount(dialogs, dialogs.messages + 1);
            stall = std::max(stall, watch.longestMs());
        }
        const auto done = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(dialogs.shownAt - pressed).count());
        wholePress += std::chrono::duration<double, std::milli>(done - pressed).count();
        text.load(original);
        find->click(); // Replace All is enabled again by a search that finds
    }
    if (dialogs.messages != int(state.iterations()))
        state.SkipWithError("no count was shown");
    state.counters["whole_press_ms"] = wholePress / double(state.iterations());
    state.counters["stall_ms"] = double(stall);
    delete dialog;
}
BENCHMARK(ReplaceAll)
    ->Arg(10000)
    ->Arg(20000)
    ->Arg(200000)
    ->Arg(400000) // 20 MB
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);

// The same without a text area: what the replacing itself takes.
void ReplaceAllDocument(benchmark::State &state)
{
    const int occurrences = int(state.range(0));
    const QString original = text(occurrences);
    QTextDocument document;
    std::int64_t replaced = 0;
    for (auto _ : state) {
        state.PauseTiming();
        document.setPlainText(original);
        state.ResumeTiming();
        QTextCursor cursor(&document);
        QString raw = document.toRawText();
        std::vector<int> found = TextSearch::findAllIn(raw, Word, {});
        TextSearch::Replacing replacing(std::move(raw), std::move(found), int(Word.size()), Longer);
        while (!replacing.step(cursor, std::chrono::hours(1))) {
        }
        replaced = std::int64_t(replacing.count());
    }
    if (replaced != occurrences)
        state.SkipWithError("not every occurrence was replaced");
}
BENCHMARK(ReplaceAllDocument)->Arg(200000)->Unit(benchmark::kMillisecond)->Iterations(5);

// The same replacements one after the other, each its own step, as a plain loop would make them.
void ReplaceAllNoEditBlock(benchmark::State &state)
{
    const int occurrences = int(state.range(0));
    const QString original = text(occurrences);
    Shown text(original);
    std::int64_t replaced = 0;
    for (auto _ : state) {
        QTextCursor cursor = text.area.textCursor();
        replaced = 0;
        for (int from = 0; TextSearch::find(cursor, Word, from, {}) >= 0; ++replaced) {
            cursor.insertText(Longer);
            from = cursor.position();
        }
        text.area.setTextCursor(cursor);
        state.PauseTiming();
        text.load(original);
        state.ResumeTiming();
    }
    if (replaced != occurrences)
        state.SkipWithError("not every occurrence was replaced");
}
BENCHMARK(ReplaceAllNoEditBlock)
    ->Arg(10000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

void ReplaceAllFloor(benchmark::State &state)
{
    const QString original = text(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        QString copy = original;
        copy.detach();
        state.ResumeTiming();
        copy.replace(Word, Longer, Qt::CaseInsensitive);
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(ReplaceAllFloor)->Arg(200000)->Unit(benchmark::kMillisecond);

} // namespace
