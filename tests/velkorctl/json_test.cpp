// JSON strings as velkorctl writes them: escapes, and UTF-8 from UTF-16 and ANSI.
#include "velkorctl/json.h"

#include <gtest/gtest.h>

namespace {

TEST(Json, StringsFromUtf16) {
    struct Case {
        std::u16string text;
        std::string json;
    };
    const Case cases[] = {
        {u"Label 50 x 30", "\"Label 50 x 30\""},
        {u"a\"b\\c", "\"a\\\"b\\\\c\""},
        {u"tab\there\nline\r\x01", "\"tab\\there\\nline\\r\\u0001\""},
        {u"caf\u00e9 \u20ac", "\"caf\xC3\xA9 \xE2\x82\xAC\""},
        {u"\U0001F600", "\"\xF0\x9F\x98\x80\""},
        {std::u16string(1, char16_t(0xD800)) + u"x", "\"\xEF\xBF\xBDx\""},  // a lone surrogate
        {std::u16string(u"cut") + char16_t(0) + u"after", "\"cut\""},
    };
    for (const auto& c : cases) EXPECT_EQ(velkorctl::JsonString(c.text), c.json) << c.json;
}

TEST(Json, StringsFromAnsi) {
    EXPECT_EQ(velkorctl::JsonStringFromAnsi("C:\\sets\\mine.txt"), "\"C:\\\\sets\\\\mine.txt\"");
    EXPECT_EQ(velkorctl::JsonStringFromAnsi("caf\xE9"), "\"caf\xC3\xA9\"");  // Windows-1252
    EXPECT_EQ(velkorctl::JsonStringFromAnsi(""), "\"\"");
}

}  // namespace
