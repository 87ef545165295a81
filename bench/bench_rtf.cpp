// Loading a megabyte of RTF, each kind beside its floor: the same text and formats put into a
// document straight through a cursor, which is what QTextDocument itself costs for them.
#include "editor/rtfreader.h"
#include "memory.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr qsizetype Size = 1000000;

QByteArray fill(QByteArray head, const QByteArray &unit)
{
    while (head.size() < Size)
        head += unit;
    return head + '}';
}

QByteArray manyFonts()
{
    QByteArray rtf = "{\\rtf1{\\fonttbl";
    for (int i = 0; i < 30000; ++i)
        rtf += "{\\f" + QByteArray::number(i) + " Font" + QByteArray::number(i) + ";}";
    rtf += '}';
    for (int i = 0; rtf.size() < Size; ++i)
        rtf += "\\f" + QByteArray::number(i % 30000) + " x";
    return rtf + '}';
}

// Foreground and background indexes of equal sum, whose colours Qt hashes alike.
QByteArray colourPairs()
{
    constexpr int Colours = 20000;
    QByteArray rtf = "{\\rtf1{\\colortbl;";
    for (int i = 1; i <= Colours; ++i)
        rtf += "\\red" + QByteArray::number(i & 255) + "\\green" + QByteArray::number(i >> 8)
               + "\\blue0;";
    rtf += '}';
    for (int i = 1; rtf.size() < Size; ++i) {
        const int a = 1 + i % (Colours - 1);
        rtf +=
            "\\cf" + QByteArray::number(a) + "\\highlight" + QByteArray::number(Colours - a) + " x";
    }
    return rtf + '}';
}

// A font name of 100 KB in 10,000 formats: 2,500 sizes (half-points run to 3276 only), each
// plain, bold, italic and both, with a few words of text to each.
const QByteArray &longNameManyFormats()
{
    static const QByteArray rtf = [] {
        QByteArray made = "{\\rtf1\\ansi{\\fonttbl{\\f0 " + QByteArray(100000, 'N') + ";}}\\f0 ";
        for (int i = 0; made.size() < Size; ++i) {
            const int size = i % 2500;
            const int style = i / 2500 % 4;
            made += "\\fs" + QByteArray::number(2 + size) + (style & 1 ? "\\b" : "\\b0")
                    + (style & 2 ? "\\i" : "\\i0") + " a few words ";
        }
        return made + '}';
    }();
    return rtf;
}

const QByteArray &input(int kind)
{
    static const std::vector<QByteArray> inputs = {
        // What a word processor writes: paragraphs of text with a word formatted here and there.
        fill("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs22 ",
             "\\pard\\sa200 A paragraph of plain text, with {\\b a bold word} and "
             "{\\i an italic one}, caf\\'e9 and \\u8364? in it.\\par\n"),
        fill("{\\rtf1 ", "\\par "),
        fill("{\\rtf1 ", "{\\b a}b"),
        manyFonts(),
        colourPairs(),
        longNameManyFormats(),
    };
    return inputs[std::size_t(kind)];
}

const char *const Kinds[] = {"prose",        "empty paragraphs",
                             "bold toggles", "30,000 fonts",
                             "colour pairs", "a long font name in 10,000 formats"};

void RtfLoad(benchmark::State &state)
{
    const QByteArray &rtf = input(int(state.range(0)));
    state.SetLabel(Kinds[state.range(0)]);
    for (auto _ : state) {
        auto document = std::make_unique<QTextDocument>();
        Rtf::load(rtf, *document);
        benchmark::DoNotOptimize(document->characterCount());
        state.PauseTiming(); // the document's end is no part of reading
        document.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * rtf.size());
}
BENCHMARK(RtfLoad)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

struct Piece
{
    QString text;
    QTextCharFormat format;
};

void RtfLoadFloor(benchmark::State &state)
{
    QTextDocument loaded;
    Rtf::load(input(int(state.range(0))), loaded);
    std::vector<std::vector<Piece>> blocks;
    for (QTextBlock block = loaded.begin(); block.isValid(); block = block.next()) {
        blocks.emplace_back();
        for (auto it = block.begin(); !it.atEnd(); ++it)
            blocks.back().push_back({it.fragment().text(), it.fragment().charFormat()});
    }
    state.SetLabel(Kinds[state.range(0)]);
    for (auto _ : state) {
        auto document = std::make_unique<QTextDocument>();
        document->setUndoRedoEnabled(false);
        QTextCursor cursor(document.get());
        cursor.beginEditBlock();
        for (std::size_t b = 0; b < blocks.size(); ++b) {
            if (b > 0)
                cursor.insertBlock();
            for (const Piece &piece : blocks[b])
                cursor.insertText(piece.text, piece.format);
        }
        cursor.endEditBlock();
        benchmark::DoNotOptimize(document->characterCount());
        state.PauseTiming();
        cursor = QTextCursor();
        document.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(RtfLoadFloor)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// Reading it, with the memory that the document holds afterwards and the most held meanwhile.
void RtfFormats(benchmark::State &state)
{
    const QByteArray &rtf = longNameManyFormats();
    double added = 0;
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        releaseFreedMemory();
        const double before = residentMegabytes();
        resetPeakResident();
        state.ResumeTiming();
        auto document = std::make_unique<QTextDocument>();
        Rtf::load(rtf, *document);
        benchmark::DoNotOptimize(document->characterCount());
        state.PauseTiming();
        added = std::max(added, residentMegabytes() - before);
        peak = std::max(peak, peakResidentMegabytes() - before);
        document.reset();
        state.ResumeTiming();
    }
    state.counters["AddedMB"] = added;
    state.counters["PeakAddedMB"] = peak;
    state.SetBytesProcessed(state.iterations() * rtf.size());
}
BENCHMARK(RtfFormats)->Name("RtfFormats/1MB")->Unit(benchmark::kMillisecond);

// The same text as plain text: what QTextDocument costs for it without formats.
void RtfFormatsFloor(benchmark::State &state)
{
    QTextDocument loaded;
    Rtf::load(longNameManyFormats(), loaded);
    const QString text = loaded.toPlainText();
    for (auto _ : state) {
        auto document = std::make_unique<QTextDocument>();
        document->setPlainText(text);
        benchmark::DoNotOptimize(document->characterCount());
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(RtfFormatsFloor)->Name("RtfReadFloor/1MB")->Unit(benchmark::kMillisecond);

} // namespace
