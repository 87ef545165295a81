#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <QStringView>

#include <array>
#include <optional>

// Windows code pages for the editor's files, from tables of our own, so that a document reads
// and saves the same on every system. The single-byte pages 1250 to 1258, 874, 437 and 850 are
// tables; 65001 is UTF-8, and 1200, 1201, 12000 and 12001 are UTF-16 and UTF-32, which a file
// announces with a byte-order mark. In every table page a byte that the page leaves undefined
// stands for the code point of the same value (0x81 is U+0081), as Windows decodes it, so any byte
// string decodes and encodes back to itself.
//
// 10000 (Mac Roman) is a table too. Every other page (the double-byte 932, 936, 949 and 950,
// other Mac pages, unknown numbers) is read and written as 1252. Its bytes then show as Western
// letters instead of the right ones, but nothing is lost: saved again in the same page, they
// come back as they were read. Text that is only read uses ReadingDecoder instead.
namespace CodePage {

constexpr int Western = 1252;
constexpr int Utf8 = 65001;
constexpr int Utf16Le = 1200;
constexpr int Utf16Be = 1201;
constexpr int Utf32Le = 12000;
constexpr int Utf32Be = 12001;
// Windows' page of symbol fonts (Wingdings and the like): byte b is U+F000 + b, where such a font
// keeps its pictures.
constexpr int Symbol = 42;
// No Windows page: the Symbol font's own characters, Greek letters and mathematics.
constexpr int SymbolFont = -42;

// Any page but the Unicode forms, which only a file's mark tells: decodeFile().
QString decode(QByteArrayView bytes, int codePage);

struct Encoded
{
    QByteArray bytes;
    // False when a character has no form in the page; it was written as '?', or in UTF-32 as a
    // lone surrogate. The caller must not let that pass silently.
    bool complete = true;
};
// Any page, the Unicode forms too, without a byte-order mark.
Encoded encode(QStringView text, int codePage);

// How a plain-text file's bytes became text, so that saving writes the same bytes again.
struct Encoding
{
    int codePage = 0; // Utf8, a single-byte page or a Unicode form
    bool byteOrderMark = false;
};

// What a document read from RTF, or typed afresh, is saved in: the ANSI code page on Windows,
// UTF-8 elsewhere.
Encoding systemEncoding();

// Plain text as read from a file: UTF-16 or UTF-32 after their byte-order mark; on Windows
// otherwise in the ANSI code page; elsewhere UTF-8 when the bytes are valid UTF-8, else
// Windows-1252, which gives every byte a character of its own.
struct Decoded
{
    QString text;
    Encoding encoding;
};
Decoded decodeFile(const QByteArray &bytes);

// The mark that a file in the page begins with when it has one: UTF-8's for the pages that have
// none of their own.
QByteArray byteOrderMark(int codePage);

// Decodes text that is only read, never saved back (rich text): as decode(), and besides the
// double-byte pages 932, 936, 949 and 950 as what they are where the system's converters know
// them (else as decode()), and Symbol and SymbolFont. A lead byte without its trail byte, and a
// byte that a double-byte page leaves empty, is U+FFFD.
class ReadingDecoder final
{
public:
    QString decode(QByteArrayView bytes, int codePage);

private:
    static constexpr int DoubleBytePages[] = {932, 936, 949, 950};
    std::array<std::optional<QStringDecoder>, std::size(DoubleBytePages)> m_doubleByte;
};

// The page that text in a font of RTF's \fcharsetN is written in: symbol fonts (2) are Symbol.
// Charsets that name no page of their own (0 is 1252, but 1 "default" and unknown numbers are
// not) use the document's \ansicpg.
int forRtfCharset(int charset, int documentCodePage);

} // namespace CodePage
