#include "editor/codepage.h"
#include "testhelpers.h"

#include <gtest/gtest.h>

namespace {

// ---- Code pages -------------------------------------------------------------------------

struct CodePoint
{
    int page;
    uchar byte;
    char16_t unicode;
};

class CodePageTable : public ::testing::TestWithParam<CodePoint>
{};

TEST_P(CodePageTable, DecodesTheByteAsPublished)
{
    const CodePoint &c = GetParam();
    EXPECT_EQ(CodePage::decode(QByteArray(1, char(c.byte)), c.page), QString(QChar(c.unicode)))
        << "cp" << c.page << " 0x" << std::hex << int(c.byte);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CodePageTable,
    ::testing::Values(
        CodePoint{1252, 0x80, 0x20AC}, CodePoint{1252, 0x9F, 0x0178}, CodePoint{1252, 0x8A, 0x0160},
        CodePoint{1252, 0xE9, 0x00E9}, CodePoint{1250, 0xA3, 0x0141}, CodePoint{1250, 0x9C, 0x015B},
        CodePoint{1250, 0xFF, 0x02D9}, CodePoint{1251, 0xC0, 0x0410}, CodePoint{1251, 0xFF, 0x044F},
        CodePoint{1251, 0xA8, 0x0401}, CodePoint{1251, 0x88, 0x20AC}, CodePoint{1253, 0xC1, 0x0391},
        CodePoint{1253, 0xF9, 0x03C9}, CodePoint{1253, 0xA2, 0x0386}, CodePoint{1254, 0xD0, 0x011E},
        CodePoint{1254, 0xFD, 0x0131}, CodePoint{1254, 0xDD, 0x0130}, CodePoint{1255, 0xE0, 0x05D0},
        CodePoint{1255, 0xFA, 0x05EA}, CodePoint{1255, 0xA4, 0x20AA}, CodePoint{1256, 0xC7, 0x0627},
        CodePoint{1256, 0x81, 0x067E}, CodePoint{1256, 0xFF, 0x06D2}, CodePoint{1257, 0xC0, 0x0104},
        CodePoint{1257, 0xFE, 0x017E}, CodePoint{1257, 0xA8, 0x00D8}, CodePoint{1258, 0xFE, 0x20AB},
        CodePoint{1258, 0xD5, 0x01A0}, CodePoint{1258, 0xCC, 0x0300}, CodePoint{874, 0xA1, 0x0E01},
        CodePoint{874, 0xDF, 0x0E3F}, CodePoint{874, 0xFB, 0x0E5B}, CodePoint{437, 0xB0, 0x2591},
        CodePoint{437, 0x80, 0x00C7}, CodePoint{437, 0xDB, 0x2588}, CodePoint{437, 0xE1, 0x00DF},
        CodePoint{437, 0x9E, 0x20A7}, CodePoint{437, 0xFF, 0x00A0}, CodePoint{850, 0x9B, 0x00F8},
        CodePoint{850, 0xD5, 0x0131}, CodePoint{850, 0xB8, 0x00A9}, CodePoint{850, 0xF2, 0x2017},
        // A byte the page leaves undefined: the code point of the same value.
        CodePoint{1252, 0x81, 0x0081}, CodePoint{1251, 0x98, 0x0098}, CodePoint{1253, 0xD2, 0x00D2},
        CodePoint{874, 0xDB, 0x00DB}));

class CodePageRoundTrip : public ::testing::TestWithParam<int>
{};

TEST_P(CodePageRoundTrip, EveryByteComesBackAsItWas)
{
    QByteArray all(256, Qt::Uninitialized);
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    const QString text = CodePage::decode(all, GetParam());
    ASSERT_EQ(text.size(), 256);
    const CodePage::Encoded back = CodePage::encode(text, GetParam());
    EXPECT_TRUE(back.complete);
    EXPECT_EQ(back.bytes, all);
}

INSTANTIATE_TEST_SUITE_P(Table, CodePageRoundTrip,
                         ::testing::Values(1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258,
                                           874, 437, 850));

struct EncodeCase
{
    int page;
    const char *text;
    QByteArray bytes;
    bool complete;
};

class CodePageEncode : public ::testing::TestWithParam<EncodeCase>
{};

TEST_P(CodePageEncode, SaysWhetherEveryCharacterFitted)
{
    const EncodeCase &c = GetParam();
    const CodePage::Encoded encoded = CodePage::encode(QString::fromUtf8(c.text), c.page);
    EXPECT_EQ(encoded.bytes, c.bytes);
    EXPECT_EQ(encoded.complete, c.complete);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CodePageEncode,
    ::testing::Values(EncodeCase{1252, "Café €", "Caf\xE9 \x80", true},
                      EncodeCase{1252, "Жук", "???", false},
                      EncodeCase{1251, "Жук", "\xC6\xF3\xEA", true},
                      // A character beyond the BMP is one character, so one '?'.
                      EncodeCase{1252, "a\U0001F600b", "a?b", false},
                      EncodeCase{437, "░ß", "\xB0\xE1", true},
                      EncodeCase{65001, "é\U0001F600", "\xC3\xA9\xF0\x9F\x98\x80", true},
                      // Pages without a table are written as 1252.
                      EncodeCase{932, "é", "\xE9", true}));

TEST(CodePage, LoneSurrogateHasNoUtf8)
{
    EXPECT_FALSE(CodePage::encode(QString(QChar(0xD800)), CodePage::Utf8).complete);
}

TEST(CodePage, UnsupportedPagesReadAsWestern)
{
    const QByteArray bytes("\x80\x82\xE9\xA0");
    EXPECT_EQ(CodePage::decode(bytes, 932), CodePage::decode(bytes, 1252));
    EXPECT_EQ(CodePage::decode(bytes, 0), CodePage::decode(bytes, 1252));
}

class CodePageSupport : public ::testing::TestWithParam<std::pair<int, bool>>
{};

TEST_P(CodePageSupport, KnowsItsPages)
{
    EXPECT_EQ(CodePage::isSupported(GetParam().first), GetParam().second) << GetParam().first;
}

INSTANTIATE_TEST_SUITE_P(Table, CodePageSupport,
                         ::testing::Values(std::pair(1252, true), std::pair(874, true),
                                           std::pair(850, true), std::pair(65001, true),
                                           std::pair(932, false), std::pair(10000, false),
                                           std::pair(0, false), std::pair(-1, false)));

struct CharsetCase
{
    int charset;
    int page;
};

class RtfCharset : public ::testing::TestWithParam<CharsetCase>
{};

TEST_P(RtfCharset, NamesItsCodePage)
{
    // The document's page is 1251, so a lookup that falls back to it shows.
    EXPECT_EQ(CodePage::forRtfCharset(GetParam().charset, 1251), GetParam().page)
        << GetParam().charset;
}

INSTANTIATE_TEST_SUITE_P(
    Table, RtfCharset,
    ::testing::Values(CharsetCase{0, 1252}, CharsetCase{1, 1251}, CharsetCase{2, 1251},
                      CharsetCase{161, 1253}, CharsetCase{162, 1254}, CharsetCase{163, 1258},
                      CharsetCase{177, 1255}, CharsetCase{178, 1256}, CharsetCase{186, 1257},
                      CharsetCase{204, 1251}, CharsetCase{222, 874}, CharsetCase{238, 1250},
                      CharsetCase{254, 437}, CharsetCase{255, 437}, CharsetCase{128, 932},
                      CharsetCase{136, 950}, CharsetCase{999, 1251}, CharsetCase{-1, 1251}));

} // namespace
