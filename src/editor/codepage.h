#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows code pages for the editor's files, from tables of our own, so that a document reads
// and saves the same on every system. The single-byte pages 1250 to 1258, 874, 437 and 850 are
// tables; 65001 is UTF-8. In every table page a byte that the page leaves undefined stands for
// the code point of the same value (0x81 is U+0081), as Windows decodes it, so any byte string
// decodes and encodes back to itself.
//
// Every other page (the double-byte 932, 936, 949 and 950, Mac pages, unknown numbers) is read
// and written as 1252. Its bytes then show as Western letters instead of the right ones, but
// nothing is lost: saved again in the same page, they come back as they were read.
namespace CodePage {

constexpr int Western = 1252;
constexpr int Utf8 = 65001;

bool isSupported(int codePage);

QString decode(QByteArrayView bytes, int codePage);

struct Encoded
{
    QByteArray bytes;
    // False when a character has no byte in the page; it was written as '?'. The caller
    // must not let that pass silently.
    bool complete = true;
};
Encoded encode(QStringView text, int codePage);

// The page that text in a font of RTF's \fcharsetN is written in. Charsets that name no page
// of their own (0 is 1252, but 1 "default", 2 "symbol" and unknown numbers are not) use the
// document's \ansicpg.
int forRtfCharset(int charset, int documentCodePage);

} // namespace CodePage
