// Loading a megabyte of RTF, each kind beside its floor: the same text and formats put into a
// document straight through a cursor, which is what QTextDocument itself costs for them.
#include "editor/rtfreader.h"

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
    };
    return inputs[std::size_t(kind)];
}

const char *const Kinds[] = {"prose", "empty paragraphs", "bold toggles", "30,000 fonts",
                             "colour pairs"};

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
BENCHMARK(RtfLoad)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

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
BENCHMARK(RtfLoadFloor)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

} // namespace
