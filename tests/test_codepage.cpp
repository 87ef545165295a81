#include "editor/codepage.h"
#include "testhelpers.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Bytes at the edges of each page's table, a byte a page leaves undefined as the code point of
// the same value, and characters that a page cannot hold; every byte of a page comes back too.
TEST(CodePage, EncodesAndDecodesAsPublished)
{
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all += char(i);
    const std::tuple<int, QByteArray, QString, bool> table[] = {
        {1252, "\x80\x9F\x81", u"\u20AC\u0178\u0081"_s, true},
        {1250, "\xA3\xFF", u"\u0141\u02D9"_s, true},
        {1251, "\xC0\x88\x98", u"\u0410\u20AC\u0098"_s, true},
        {1253, "\xC1\xA2\xD2", u"\u0391\u0386\u00D2"_s, true},
        {1254, "\xD0\xFD", u"\u011E\u0131"_s, true},
        {1255, "\xE0\xA4", u"\u05D0\u20AA"_s, true},
        {1256, "\x81\xFF", u"\u067E\u06D2"_s, true},
        {1257, "\xC0\xA8", u"\u0104\u00D8"_s, true},
        {1258, "\xFE\xCC", u"\u20AB\u0300"_s, true},
        {874, "\xA1\xFB\xDB", u"\u0E01\u0E5B\u00DB"_s, true},
        {437, "\x80\xB0\xFF\xE1", u"\u00C7\u2591\u00A0\u00DF"_s, true},
        {850, "\x9B\xF2", u"\u00F8\u2017"_s, true},
        {10000, "\xD5\xD0\x87\xDB", u"’–á€"_s, true},
        // A character beyond the BMP is one character, so one '?'.
        {1252, "a?b", u"a\U0001F600b"_s, false},
        {65001, "\xC3\xA9\xF0\x9F\x98\x80", u"é\U0001F600"_s, true},
        {65001, "?", u"\xDC00"_s, false},
        {12000, "\x00\xD8\x00\x00"_ba, u"\xD800"_s, false},
        // Pages without a table are written as 1252.
        {932, "\xE9", u"é"_s, true}};
    for (const auto &[page, bytes, text, complete] : table) {
        const CodePage::Encoded encoded = CodePage::encode(text, page);
        EXPECT_EQ(encoded.bytes.toHex(' '), bytes.toHex(' ')) << page;
        EXPECT_EQ(encoded.complete, complete) << page;
        if (!complete)
            continue;
        EXPECT_EQ(CodePage::decode(bytes, page), text) << page;
        if (page != CodePage::Utf8) {
            EXPECT_EQ(CodePage::encode(CodePage::decode(all, page), page).bytes, all) << page;
        }
    }
}

// A file's text in the form its bytes show, which writes the same bytes again.
TEST(CodePage, AFileIsReadInTheFormItsBytesShowAndWrittenBackAlike)
{
    const std::tuple<QByteArray, QString, int, bool> table[] = {
        {"", u""_s, 65001, false},
        {"\xEF\xBB\xBF\xC3\xA4\xE2\x98\x83", u"ä☃"_s, 65001, true},
        {"\xE4\x80\x81\xA0\r", u"ä€\u0081\u00A0\r"_s, 1252, false},
        {"\xFF\xFE\x0A\x4E\x00\xD8"_ba, u"\u4E0A\xD800"_s, 1200, true},
        {"\xFE\xFF\x4E\x0A\xD8\x3D\xDE\x00"_ba, u"\u4E0A\U0001F600"_s, 1201, true},
        {"\xFF\xFE\x00\x00\x00\xF6\x01\x00\x61\x00\x00\x00"_ba, u"\U0001F600a"_s, 12000, true},
        {"\x00\x00\xFE\xFF\x00\x00\x4E\x0A\x00\x00\x00\x61"_ba, u"\u4E0Aa"_s, 12001, true},
        // Not what their marks say: of odd length, beyond Unicode.
        {"\xFF\xFE\x41"_ba, u"ÿþA"_s, 1252, false},
        {"\xFF\xFE\x00\x00\x00\x00\x11\x00"_ba, u"\0\0\u0011"_s, 1200, true}};
    for (const auto &[bytes, text, page, mark] : table) {
        const CodePage::Decoded decoded = CodePage::decodeFile(bytes);
        const std::string hex = bytes.toHex(' ').toStdString();
        EXPECT_EQ(decoded.text, text) << hex;
        EXPECT_EQ(decoded.encoding.codePage, page) << hex;
        EXPECT_EQ(decoded.encoding.byteOrderMark, mark) << hex;
        const QByteArray written = (mark ? CodePage::byteOrderMark(page) : QByteArray())
                                   + CodePage::encode(text, page).bytes;
        EXPECT_EQ(written.toHex(' '), bytes.toHex(' ')) << hex;
    }
}

} // namespace
