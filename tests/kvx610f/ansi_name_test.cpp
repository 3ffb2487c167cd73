#include "kvx610f/ansi_name.h"

#include <gtest/gtest.h>

#include <string>

#include "kvx610f/caps_records.h"

namespace kvx610f {
namespace {

bool HighIsLead(uint8_t byte) {
    return byte >= 0x81 && byte <= 0x9F;
}

TEST(FitAnsiNameTest, TruncationRule) {
    const std::string pair = "\x88\x40";
    struct Case {
        const char* what;
        std::string input;
        std::string expected;
    } cases[] = {
        {"short", "Label 1", "Label 1"},
        {"empty", "", ""},
        {"exactly 49", std::string(49, 'a'), std::string(49, 'a')},
        {"longer than 49", std::string(60, 'a'), std::string(49, 'a')},
        {"pair fits", std::string(47, 'a') + pair, std::string(47, 'a') + pair},
        {"pair straddles the limit", std::string(48, 'a') + pair + "b", std::string(48, 'a')},
        {"lone lead byte at the end", "ab\x88", "ab\x88"},
        {"pairs only",
         [&] {
             std::string s;
             for (int i = 0; i < 30; ++i) s += pair;
             return s;
         }(),
         [&] {
             std::string s;
             for (int i = 0; i < 24; ++i) s += pair;
             return s;
         }()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        char out[kAnsiNameSize];
        std::memset(out, 'Z', sizeof out);
        FitAnsiName(c.input.c_str(), out, HighIsLead);
        EXPECT_EQ(std::string(out), c.expected);
        for (size_t i = c.expected.size(); i < kAnsiNameSize; ++i) EXPECT_EQ(out[i], '\0');
    }
}

}  // namespace
}  // namespace kvx610f
