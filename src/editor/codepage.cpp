#include "codepage.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace CodePage {
namespace {

// Bytes 0x80 to 0xFF of a page as UTF-16; below 0x80 every page here is ASCII.
using High = std::array<char16_t, 128>;

// Reads the four-digit hex values of a table written one row of sixteen to a line. A table of
// the wrong length or with a stray character does not compile.
template<std::size_t Count = 128> consteval std::array<char16_t, Count> table(std::string_view rows)
{
    std::array<char16_t, Count> high{};
    std::size_t count = 0;
    for (std::size_t i = 0; i < rows.size();) {
        if (rows[i] == ' ') {
            ++i;
            continue;
        }
        char16_t value = 0;
        for (int digit = 0; digit < 4; ++digit, ++i) {
            const char c = rows.at(i);
            if (c >= '0' && c <= '9')
                value = char16_t(value * 16 + (c - '0'));
            else if (c >= 'A' && c <= 'F')
                value = char16_t(value * 16 + (c - 'A' + 10));
            else
                throw "a code page table holds four-digit upper-case hex values";
        }
        high.at(count++) = value;
    }
    if (count != high.size())
        throw "a code page table has a value for each of its bytes";
    return high;
}

struct Page
{
    int number;
    High high;
};

// clang-format off
constexpr Page Pages[] = {
    {1252, table(
        "20AC 0081 201A 0192 201E 2026 2020 2021 02C6 2030 0160 2039 0152 008D 017D 008F "
        "0090 2018 2019 201C 201D 2022 2013 2014 02DC 2122 0161 203A 0153 009D 017E 0178 "
        "00A0 00A1 00A2 00A3 00A4 00A5 00A6 00A7 00A8 00A9 00AA 00AB 00AC 00AD 00AE 00AF "
        "00B0 00B1 00B2 00B3 00B4 00B5 00B6 00B7 00B8 00B9 00BA 00BB 00BC 00BD 00BE 00BF "
        "00C0 00C1 00C2 00C3 00C4 00C5 00C6 00C7 00C8 00C9 00CA 00CB 00CC 00CD 00CE 00CF "
        "00D0 00D1 00D2 00D3 00D4 00D5 00D6 00D7 00D8 00D9 00DA 00DB 00DC 00DD 00DE 00DF "
        "00E0 00E1 00E2 00E3 00E4 00E5 00E6 00E7 00E8 00E9 00EA 00EB 00EC 00ED 00EE 00EF "
        "00F0 00F1 00F2 00F3 00F4 00F5 00F6 00F7 00F8 00F9 00FA 00FB 00FC 00FD 00FE 00FF")},
    // Central European
    {1250, table(
        "20AC 0081 201A 0083 201E 2026 2020 2021 0088 2030 0160 2039 015A 0164 017D 0179 "
        "0090 2018 2019 201C 201D 2022 2013 2014 0098 2122 0161 203A 015B 0165 017E 017A "
        "00A0 02C7 02D8 0141 00A4 0104 00A6 00A7 00A8 00A9 015E 00AB 00AC 00AD 00AE 017B "
        "00B0 00B1 02DB 0142 00B4 00B5 00B6 00B7 00B8 0105 015F 00BB 013D 02DD 013E 017C "
        "0154 00C1 00C2 0102 00C4 0139 0106 00C7 010C 00C9 0118 00CB 011A 00CD 00CE 010E "
        "0110 0143 0147 00D3 00D4 0150 00D6 00D7 0158 016E 00DA 0170 00DC 00DD 0162 00DF "
        "0155 00E1 00E2 0103 00E4 013A 0107 00E7 010D 00E9 0119 00EB 011B 00ED 00EE 010F "
        "0111 0144 0148 00F3 00F4 0151 00F6 00F7 0159 016F 00FA 0171 00FC 00FD 0163 02D9")},
    // Cyrillic
    {1251, table(
        "0402 0403 201A 0453 201E 2026 2020 2021 20AC 2030 0409 2039 040A 040C 040B 040F "
        "0452 2018 2019 201C 201D 2022 2013 2014 0098 2122 0459 203A 045A 045C 045B 045F "
        "00A0 040E 045E 0408 00A4 0490 00A6 00A7 0401 00A9 0404 00AB 00AC 00AD 00AE 0407 "
        "00B0 00B1 0406 0456 0491 00B5 00B6 00B7 0451 2116 0454 00BB 0458 0405 0455 0457 "
        "0410 0411 0412 0413 0414 0415 0416 0417 0418 0419 041A 041B 041C 041D 041E 041F "
        "0420 0421 0422 0423 0424 0425 0426 0427 0428 0429 042A 042B 042C 042D 042E 042F "
        "0430 0431 0432 0433 0434 0435 0436 0437 0438 0439 043A 043B 043C 043D 043E 043F "
        "0440 0441 0442 0443 0444 0445 0446 0447 0448 0449 044A 044B 044C 044D 044E 044F")},
    // Greek
    {1253, table(
        "20AC 0081 201A 0192 201E 2026 2020 2021 0088 2030 008A 2039 008C 008D 008E 008F "
        "0090 2018 2019 201C 201D 2022 2013 2014 0098 2122 009A 203A 009C 009D 009E 009F "
        "00A0 0385 0386 00A3 00A4 00A5 00A6 00A7 00A8 00A9 00AA 00AB 00AC 00AD 00AE 2015 "
        "00B0 00B1 00B2 00B3 0384 00B5 00B6 00B7 0388 0389 038A 00BB 038C 00BD 038E 038F "
        "0390 0391 0392 0393 0394 0395 0396 0397 0398 0399 039A 039B 039C 039D 039E 039F "
        "03A0 03A1 00D2 03A3 03A4 03A5 03A6 03A7 03A8 03A9 03AA 03AB 03AC 03AD 03AE 03AF "
        "03B0 03B1 03B2 03B3 03B4 03B5 03B6 03B7 03B8 03B9 03BA 03BB 03BC 03BD 03BE 03BF "
        "03C0 03C1 03C2 03C3 03C4 03C5 03C6 03C7 03C8 03C9 03CA 03CB 03CC 03CD 03CE 00FF")},
    // Turkish
    {1254, table(
        "20AC 0081 201A 0192 201E 2026 2020 2021 02C6 2030 0160 2039 0152 008D 008E 008F "
        "0090 2018 2019 201C 201D 2022 2013 2014 02DC 2122 0161 203A 0153 009D 009E 0178 "
        "00A0 00A1 00A2 00A3 00A4 00A5 00A6 00A7 00A8 00A9 00AA 00AB 00AC 00AD 00AE 00AF "
        "00B0 00B1 00B2 00B3 00B4 00B5 00B6 00B7 00B8 00B9 00BA 00BB 00BC 00BD 00BE 00BF "
        "00C0 00C1 00C2 00C3 00C4 00C5 00C6 00C7 00C8 00C9 00CA 00CB 00CC 00CD 00CE 00CF "
        "011E 00D1 00D2 00D3 00D4 00D5 00D6 00D7 00D8 00D9 00DA 00DB 00DC 0130 015E 00DF "
        "00E0 00E1 00E2 00E3 00E4 00E5 00E6 00E7 00E8 00E9 00EA 00EB 00EC 00ED 00EE 00EF "
        "011F 00F1 00F2 00F3 00F4 00F5 00F6 00F7 00F8 00F9 00FA 00FB 00FC 0131 015F 00FF")},
    // Hebrew
    {1255, table(
        "20AC 0081 201A 0192 201E 2026 2020 2021 02C6 2030 008A 2039 008C 008D 008E 008F "
        "0090 2018 2019 201C 201D 2022 2013 2014 02DC 2122 009A 203A 009C 009D 009E 009F "
        "00A0 00A1 00A2 00A3 20AA 00A5 00A6 00A7 00A8 00A9 00D7 00AB 00AC 00AD 00AE 00AF "
        "00B0 00B1 00B2 00B3 00B4 00B5 00B6 00B7 00B8 00B9 00F7 00BB 00BC 00BD 00BE 00BF "
        "05B0 05B1 05B2 05B3 05B4 05B5 05B6 05B7 05B8 05B9 05BA 05BB 05BC 05BD 05BE 05BF "
        "05C0 05C1 05C2 05C3 05F0 05F1 05F2 05F3 05F4 00D9 00DA 00DB 00DC 00DD 00DE 00DF "
        "05D0 05D1 05D2 05D3 05D4 05D5 05D6 05D7 05D8 05D9 05DA 05DB 05DC 05DD 05DE 05DF "
        "05E0 05E1 05E2 05E3 05E4 05E5 05E6 05E7 05E8 05E9 05EA 00FB 00FC 200E 200F 00FF")},
    // Arabic
    {1256, table(
        "20AC 067E 201A 0192 201E 2026 2020 2021 02C6 2030 0679 2039 0152 0686 0698 0688 "
        "06AF 2018 2019 201C 201D 2022 2013 2014 06A9 2122 0691 203A 0153 200C 200D 06BA "
        "00A0 060C 00A2 00A3 00A4 00A5 00A6 00A7 00A8 00A9 06BE 00AB 00AC 00AD 00AE 00AF "
        "00B0 00B1 00B2 00B3 00B4 00B5 00B6 00B7 00B8 00B9 061B 00BB 00BC 00BD 00BE 061F "
        "06C1 0621 0622 0623 0624 0625 0626 0627 0628 0629 062A 062B 062C 062D 062E 062F "
        "0630 0631 0632 0633 0634 0635 0636 00D7 0637 0638 0639 063A 0640 0641 0642 0643 "
        "00E0 0644 00E2 0645 0646 0647 0648 00E7 00E8 00E9 00EA 00EB 0649 064A 00EE 00EF "
        "064B 064C 064D 064E 00F4 064F 0650 00F7 0651 00F9 0652 00FB 00FC 200E 200F 06D2")},
    // Baltic
    {1257, table(
        "20AC 0081 201A 0083 201E 2026 2020 2021 0088 2030 008A 2039 008C 00A8 02C7 00B8 "
        "0090 2018 2019 201C 201D 2022 2013 2014 0098 2122 009A 203A 009C 00AF 02DB 009F "
        "00A0 00A1 00A2 00A3 00A4 00A5 00A6 00A7 00D8 00A9 0156 00AB 00AC 00AD 00AE 00C6 "
        "00B0 00B1 00B2 00B3 00B4 00B5 00B6 00B7 00F8 00B9 0157 00BB 00BC 00BD 00BE 00E6 "
        "0104 012E 0100 0106 00C4 00C5 0118 0112 010C 00C9 0179 0116 0122 0136 012A 013B "
        "0160 0143 0145 00D3 014C 00D5 00D6 00D7 0172 0141 015A 016A 00DC 017B 017D 00DF "
        "0105 012F 0101 0107 00E4 00E5 0119 0113 010D 00E9 017A 0117 0123 0137 012B 013C "
        "0161 0144 0146 00F3 014D 00F5 00F6 00F7 0173 0142 015B 016B 00FC 017C 017E 02D9")},
    // Vietnamese: some letters are written as a base letter and a combining accent.
    {1258, table(
        "20AC 0081 201A 0192 201E 2026 2020 2021 02C6 2030 008A 2039 0152 008D 008E 008F "
        "0090 2018 2019 201C 201D 2022 2013 2014 02DC 2122 009A 203A 0153 009D 009E 0178 "
        "00A0 00A1 00A2 00A3 00A4 00A5 00A6 00A7 00A8 00A9 00AA 00AB 00AC 00AD 00AE 00AF "
        "00B0 00B1 00B2 00B3 00B4 00B5 00B6 00B7 00B8 00B9 00BA 00BB 00BC 00BD 00BE 00BF "
        "00C0 00C1 00C2 0102 00C4 00C5 00C6 00C7 00C8 00C9 00CA 00CB 0300 00CD 00CE 00CF "
        "0110 00D1 0309 00D3 00D4 01A0 00D6 00D7 00D8 00D9 00DA 00DB 00DC 01AF 0303 00DF "
        "00E0 00E1 00E2 0103 00E4 00E5 00E6 00E7 00E8 00E9 00EA 00EB 0301 00ED 00EE 00EF "
        "0111 00F1 0323 00F3 00F4 01A1 00F6 00F7 00F8 00F9 00FA 00FB 00FC 01B0 20AB 00FF")},
    // Thai
    {874, table(
        "20AC 0081 0082 0083 0084 2026 0086 0087 0088 0089 008A 008B 008C 008D 008E 008F "
        "0090 2018 2019 201C 201D 2022 2013 2014 0098 0099 009A 009B 009C 009D 009E 009F "
        "00A0 0E01 0E02 0E03 0E04 0E05 0E06 0E07 0E08 0E09 0E0A 0E0B 0E0C 0E0D 0E0E 0E0F "
        "0E10 0E11 0E12 0E13 0E14 0E15 0E16 0E17 0E18 0E19 0E1A 0E1B 0E1C 0E1D 0E1E 0E1F "
        "0E20 0E21 0E22 0E23 0E24 0E25 0E26 0E27 0E28 0E29 0E2A 0E2B 0E2C 0E2D 0E2E 0E2F "
        "0E30 0E31 0E32 0E33 0E34 0E35 0E36 0E37 0E38 0E39 0E3A 00DB 00DC 00DD 00DE 0E3F "
        "0E40 0E41 0E42 0E43 0E44 0E45 0E46 0E47 0E48 0E49 0E4A 0E4B 0E4C 0E4D 0E4E 0E4F "
        "0E50 0E51 0E52 0E53 0E54 0E55 0E56 0E57 0E58 0E59 0E5A 0E5B 00FC 00FD 00FE 00FF")},
    // The original PC's: accented letters, box drawing, Greek for mathematics.
    {437, table(
        "00C7 00FC 00E9 00E2 00E4 00E0 00E5 00E7 00EA 00EB 00E8 00EF 00EE 00EC 00C4 00C5 "
        "00C9 00E6 00C6 00F4 00F6 00F2 00FB 00F9 00FF 00D6 00DC 00A2 00A3 00A5 20A7 0192 "
        "00E1 00ED 00F3 00FA 00F1 00D1 00AA 00BA 00BF 2310 00AC 00BD 00BC 00A1 00AB 00BB "
        "2591 2592 2593 2502 2524 2561 2562 2556 2555 2563 2551 2557 255D 255C 255B 2510 "
        "2514 2534 252C 251C 2500 253C 255E 255F 255A 2554 2569 2566 2560 2550 256C 2567 "
        "2568 2564 2565 2559 2558 2552 2553 256B 256A 2518 250C 2588 2584 258C 2590 2580 "
        "03B1 00DF 0393 03C0 03A3 03C3 00B5 03C4 03A6 0398 03A9 03B4 221E 03C6 03B5 2229 "
        "2261 00B1 2265 2264 2320 2321 00F7 2248 00B0 2219 00B7 221A 207F 00B2 25A0 00A0")},
    // DOS Western European: 437 with more letters in place of some box drawing.
    {850, table(
        "00C7 00FC 00E9 00E2 00E4 00E0 00E5 00E7 00EA 00EB 00E8 00EF 00EE 00EC 00C4 00C5 "
        "00C9 00E6 00C6 00F4 00F6 00F2 00FB 00F9 00FF 00D6 00DC 00F8 00A3 00D8 00D7 0192 "
        "00E1 00ED 00F3 00FA 00F1 00D1 00AA 00BA 00BF 00AE 00AC 00BD 00BC 00A1 00AB 00BB "
        "2591 2592 2593 2502 2524 00C1 00C2 00C0 00A9 2563 2551 2557 255D 00A2 00A5 2510 "
        "2514 2534 252C 251C 2500 253C 00E3 00C3 255A 2554 2569 2566 2560 2550 256C 00A4 "
        "00F0 00D0 00CA 00CB 00C8 0131 00CD 00CE 00CF 2518 250C 2588 2584 00A6 00CC 2580 "
        "00D3 00DF 00D4 00D2 00F5 00D5 00B5 00FE 00DE 00DA 00DB 00D9 00FD 00DD 00AF 00B4 "
        "00AD 00B1 2017 00BE 00B6 00A7 00F7 00B8 00B0 00A8 00B7 00B9 00B3 00B2 25A0 00A0")},
    // Mac Roman, as Mac programs have written it since the euro.
    {10000, table(
        "00C4 00C5 00C7 00C9 00D1 00D6 00DC 00E1 00E0 00E2 00E4 00E3 00E5 00E7 00E9 00E8 "
        "00EA 00EB 00ED 00EC 00EE 00EF 00F1 00F3 00F2 00F4 00F6 00F5 00FA 00F9 00FB 00FC "
        "2020 00B0 00A2 00A3 00A7 2022 00B6 00DF 00AE 00A9 2122 00B4 00A8 2260 00C6 00D8 "
        "221E 00B1 2264 2265 00A5 00B5 2202 2211 220F 03C0 222B 00AA 00BA 03A9 00E6 00F8 "
        "00BF 00A1 00AC 221A 0192 2248 2206 00AB 00BB 2026 00A0 00C0 00C3 00D5 0152 0153 "
        "2013 2014 201C 201D 2018 2019 00F7 25CA 00FF 0178 2044 20AC 2039 203A FB01 FB02 "
        "2021 00B7 201A 201E 2030 00C2 00CA 00C1 00CB 00C8 00CD 00CE 00CF 00CC 00D3 00D4 "
        "F8FF 00D2 00DA 00DB 00D9 0131 02C6 02DC 00AF 02D8 02D9 02DA 00B8 02DD 02DB 02C7")},
};
// clang-format on

// clang-format off
// The Symbol font's characters for bytes 0x20 to 0xFF. Bytes it leaves empty stay in the range
// that Windows gives to symbol fonts, as do pieces of large brackets that have no character.
constexpr auto SymbolFontHigh = table<224>(
    "0020 0021 2200 0023 2203 0025 0026 220B 0028 0029 2217 002B 002C 2212 002E 002F "
    "0030 0031 0032 0033 0034 0035 0036 0037 0038 0039 003A 003B 003C 003D 003E 003F "
    "2245 0391 0392 03A7 0394 0395 03A6 0393 0397 0399 03D1 039A 039B 039C 039D 039F "
    "03A0 0398 03A1 03A3 03A4 03A5 03C2 03A9 039E 03A8 0396 005B 2234 005D 22A5 005F "
    "F060 03B1 03B2 03C7 03B4 03B5 03C6 03B3 03B7 03B9 03D5 03BA 03BB 03BC 03BD 03BF "
    "03C0 03B8 03C1 03C3 03C4 03C5 03D6 03C9 03BE 03C8 03B6 007B 007C 007D 223C F07F "
    "F080 F081 F082 F083 F084 F085 F086 F087 F088 F089 F08A F08B F08C F08D F08E F08F "
    "F090 F091 F092 F093 F094 F095 F096 F097 F098 F099 F09A F09B F09C F09D F09E F09F "
    "20AC 03D2 2032 2264 2044 221E 0192 2663 2666 2665 2660 2194 2190 2191 2192 2193 "
    "00B0 00B1 2033 2265 00D7 221D 2202 2022 00F7 2260 2261 2248 2026 23D0 23AF 21B5 "
    "2135 2111 211C 2118 2297 2295 2205 2229 222A 2283 2287 2284 2282 2286 2208 2209 "
    "2220 2207 00AE 00A9 2122 220F 221A 22C5 00AC 2227 2228 21D4 21D0 21D1 21D2 21D3 "
    "25CA 2329 00AE 00A9 2122 2211 239B 239C 239D 23A1 23A2 23A3 23A7 23A8 23A9 23AA "
    "F0F0 232A 222B 2320 23AE 2321 239E 239F 23A0 23A4 23A5 23A6 23AB 23AC 23AD F0FF");
// clang-format on

constexpr std::size_t PageCount = std::size(Pages);

// Index into Pages of the table a page is read with; pages without one use 1252, the first.
std::size_t tableIndex(int codePage)
{
    for (std::size_t i = 0; i < PageCount; ++i) {
        if (Pages[i].number == codePage)
            return i;
    }
    return 0;
}

// Each table turned round, sorted by code point, for encoding.
using Reverse = std::array<std::pair<char16_t, uchar>, 128>;

const Reverse &reverse(std::size_t index)
{
    static const std::array<Reverse, PageCount> all = [] {
        std::array<Reverse, PageCount> tables{};
        for (std::size_t p = 0; p < PageCount; ++p) {
            for (std::size_t i = 0; i < 128; ++i)
                tables[p][i] = {Pages[p].high[i], uchar(0x80 + i)};
            std::sort(tables[p].begin(), tables[p].end());
        }
        return tables;
    }();
    return all[index];
}

const QByteArray Utf8Mark("\xEF\xBB\xBF");

int ansiCodePage()
{
#ifdef Q_OS_WIN
    return int(GetACP());
#else
    return Western;
#endif
}

bool isUtf16(int codePage)
{
    return codePage == Utf16Le || codePage == Utf16Be;
}

bool isUtf32(int codePage)
{
    return codePage == Utf32Le || codePage == Utf32Be;
}

// Text in UTF-16 or UTF-32 behind its mark, or nothing when the bytes are not that. Any
// sequence of UTF-16 units is kept as it is, lone surrogates too, so it is written back alike.
std::optional<Decoded> decodeUnicode(const QByteArray &bytes, int codePage)
{
    const QByteArray mark = byteOrderMark(codePage);
    const qsizetype unit = isUtf16(codePage) ? 2 : 4;
    if (!bytes.startsWith(mark) || bytes.size() % unit != 0)
        return std::nullopt;
    const bool little = codePage == Utf16Le || codePage == Utf32Le;
    const uchar *p = reinterpret_cast<const uchar *>(bytes.constData()) + mark.size();
    const uchar *const end = reinterpret_cast<const uchar *>(bytes.constData()) + bytes.size();
    QString text;
    text.reserve((end - p) / unit);
    for (; p < end; p += unit) {
        if (unit == 2) {
            text.append(QChar(little ? qFromLittleEndian<quint16>(p) : qFromBigEndian<quint16>(p)));
            continue;
        }
        const char32_t code = little ? qFromLittleEndian<quint32>(p) : qFromBigEndian<quint32>(p);
        if (code > 0x10FFFF || QChar::isSurrogate(code))
            return std::nullopt;
        for (const char16_t c : QChar::fromUcs4(code))
            text.append(QChar(c));
    }
    return Decoded{std::move(text), {codePage, true}};
}

QByteArray utf16(QStringView text, int codePage)
{
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    uchar *p = reinterpret_cast<uchar *>(bytes.data());
    for (const QChar c : text) {
        if (codePage == Utf16Le)
            qToLittleEndian<quint16>(c.unicode(), p);
        else
            qToBigEndian<quint16>(c.unicode(), p);
        p += 2;
    }
    return bytes;
}

Encoded utf32(QStringView text, int codePage)
{
    Encoded result;
    result.bytes.reserve(text.size() * 4);
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t code = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            code = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        } else if (text[i].isSurrogate()) {
            result.complete = false;
        }
        char bytes[4];
        if (codePage == Utf32Le)
            qToLittleEndian<quint32>(code, bytes);
        else
            qToBigEndian<quint32>(code, bytes);
        result.bytes.append(bytes, 4);
    }
    return result;
}

} // namespace

QString decode(QByteArrayView bytes, int codePage)
{
    if (codePage == Utf8)
        return QString::fromUtf8(bytes);
    const High &high = Pages[tableIndex(codePage)].high;
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes) {
        const uchar byte = uchar(c);
        *out++ = QChar(byte < 0x80 ? char16_t(byte) : high[byte - 0x80]);
    }
    return text;
}

Encoded encode(QStringView text, int codePage)
{
    if (isUtf16(codePage))
        return {utf16(text, codePage), true};
    if (isUtf32(codePage))
        return utf32(text, codePage);
    Encoded result;
    if (codePage == Utf8) {
        // Only a lone surrogate has no UTF-8 form.
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                ++i;
            else if (text[i].isSurrogate())
                result.complete = false;
        }
        result.bytes = text.toUtf8();
        return result;
    }
    const Reverse &table = reverse(tableIndex(codePage));
    result.bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            result.bytes.append(char(c));
            continue;
        }
        const auto found =
            std::lower_bound(table.begin(), table.end(), std::pair<char16_t, uchar>(c, 0));
        if (found != table.end() && found->first == c) {
            result.bytes.append(char(found->second));
            continue;
        }
        // A character beyond the BMP is one '?', not two.
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        result.bytes.append('?');
        result.complete = false;
    }
    return result;
}

Encoding systemEncoding()
{
#ifdef Q_OS_WIN
    return {ansiCodePage(), false};
#else
    return {Utf8, false};
#endif
}

Decoded decodeFile(const QByteArray &bytes)
{
    // UTF-32 first: its little-endian mark begins like UTF-16's.
    for (const int form : {Utf32Le, Utf32Be, Utf16Le, Utf16Be}) {
        if (std::optional<Decoded> decoded = decodeUnicode(bytes, form))
            return std::move(*decoded);
    }
#ifndef Q_OS_WIN
    const bool marked = bytes.startsWith(Utf8Mark);
    const QByteArrayView body = marked ? QByteArrayView(bytes).sliced(Utf8Mark.size()) : bytes;
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless
                                                    | QStringConverter::Flag::ConvertInitialBom);
    QString text = utf8.decode(body);
    if (!utf8.hasError())
        return {std::move(text), {Utf8, marked}};
#endif
    return {decode(bytes, ansiCodePage()), {ansiCodePage(), false}};
}

QByteArray byteOrderMark(int codePage)
{
    switch (codePage) {
    case Utf16Le:
        return QByteArray("\xFF\xFE", 2);
    case Utf16Be:
        return QByteArray("\xFE\xFF", 2);
    case Utf32Le:
        return QByteArray("\xFF\xFE\0\0", 4);
    case Utf32Be:
        return QByteArray("\0\0\xFE\xFF", 4);
    default:
        return Utf8Mark;
    }
}

QString ReadingDecoder::decode(QByteArrayView bytes, int codePage)
{
    if (codePage == Symbol || codePage == SymbolFont) {
        QString text(bytes.size(), Qt::Uninitialized);
        QChar *out = text.data();
        for (const char c : bytes) {
            const uchar byte = uchar(c);
            *out++ = QChar(byte < 0x20          ? char16_t(byte)
                           : codePage == Symbol ? char16_t(0xF000 + byte)
                                                : SymbolFontHigh[byte - 0x20]);
        }
        return text;
    }
    std::size_t slot = 0;
    for (; slot < std::size(DoubleBytePages) && DoubleBytePages[slot] != codePage; ++slot) {
    }
    if (slot == std::size(DoubleBytePages))
        return CodePage::decode(bytes, codePage);
    auto &decoder = m_doubleByte[slot];
    if (!decoder) {
        const QByteArray name = "windows-" + QByteArray::number(codePage);
        decoder.emplace(name.constData(), QStringConverter::Flag::Stateless);
    }
    if (!decoder->isValid())
        return CodePage::decode(bytes, codePage);
    // The converter keeps a lead byte at the end for a trail byte that will never come; a line
    // feed, never a trail byte, makes it give the lead byte up. It marks bytes that the page
    // leaves empty as SUB, a control code that would show nothing.
    QByteArray padded(bytes.size() + 1, Qt::Uninitialized);
    std::copy(bytes.begin(), bytes.end(), padded.begin());
    padded.back() = '\n';
    QString text = decoder->decode(padded);
    text.chop(1);
    text.replace(QChar(0x1A), QChar(0xFFFD));
    return text;
}

int forRtfCharset(int charset, int documentCodePage)
{
    switch (charset) {
    case 0:
        return 1252;
    case 2:
        return Symbol;
    case 77:
        return 10000; // Mac Roman
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254: // PC 437
    case 255: // OEM, which is 437 on the systems that write it
        return 437;
    default:
        return documentCodePage;
    }
}

} // namespace CodePage
