// The family's conversions in the ANSI code page of the test systems, Windows-1252.
#include "family/code_page.h"

#include <gtest/gtest.h>

#include <string>

namespace family {
namespace {

TEST(CodePage, EveryByteConvertsToUtf16AndBack) {
    for (int byte = 1; byte < 256; ++byte) {
        const std::string ansi(1, static_cast<char>(byte));
        const std::u16string wide = AnsiToUtf16(ansi);
        ASSERT_EQ(wide.size(), 1u) << byte;
        EXPECT_EQ(Utf16ToAnsi(wide), ansi) << byte;
        EXPECT_FALSE(IsAnsiLeadByte(ansi[0])) << byte;
    }
}

TEST(CodePage, Windows1252Characters) {
    const std::pair<char, char16_t> cases[] = {
        {'A', u'A'},      {'\x7f', 0x7F},   {'\x80', 0x20AC}, {'\x81', 0x0081}, {'\x8a', 0x0160},
        {'\x9f', 0x0178}, {'\xa0', 0x00A0}, {'\xe9', 0x00E9}, {'\xff', 0x00FF},
    };
    for (const auto& [ansi, unit] : cases) {
        SCOPED_TRACE(static_cast<int>(static_cast<unsigned char>(ansi)));
        EXPECT_EQ(AnsiToUtf16(std::string(1, ansi)), std::u16string(1, unit));
        EXPECT_EQ(Utf16ToAnsi(std::u16string(1, unit)), std::string(1, ansi));
    }
    EXPECT_EQ(Utf16ToAnsi(u"a\u4e2db"), "a?b");  // not in the code page
    EXPECT_EQ(AnsiToUtf16(""), u"");
    EXPECT_EQ(Utf16ToAnsi(u""), "");
}

}  // namespace
}  // namespace family
