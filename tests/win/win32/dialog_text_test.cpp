#include <gtest/gtest.h>

#include "win/file_dialog_text.h"
#include "win/temporary_name.h"

namespace {

using namespace std::string_literals;

TEST(FileDialogText, FilterPartsAreNulSeparatedAndDoublyEnded) {
    const struct {
        std::string filter;
        std::string expected;  // without the string's own terminator
    } cases[] = {
        {"Text files|*.txt|", "Text files\0*.txt\0"s},
        {"Text files|*.txt", "Text files\0*.txt\0"s},
        {"Text files|*.txt||", "Text files\0*.txt\0\0"s},
        {"Data|*.bin|All|*.*|", "Data\0*.bin\0All\0*.*\0"s},
        {"", "\0"s},
        {"Text|*.txt|\0junk|x|"s, "Text\0*.txt\0"s},  // a NUL ends the filter
    };
    for (const auto& c : cases) {
        const std::string result = win::FilterForFileDialog(c.filter);
        EXPECT_EQ(result, c.expected) << c.filter;
        // What the dialog reads: the bytes up to and including the two NULs.
        EXPECT_EQ(std::string(result.c_str(), result.size() + 1).substr(result.size() - 1),
                  "\0\0"s);
    }
}

TEST(FileDialogText, SuggestedNameFitsOrIsLeftOut) {
    const std::string fits(259, 'n');
    const std::string tooLong(260, 'n');
    const struct {
        std::string name;
        std::string expected;
    } cases[] = {
        {"", ""}, {"ltyAB.bin", "ltyAB.bin"}, {fits, fits}, {tooLong, ""}, {"a\0b"s, ""},
    };
    for (const auto& c : cases) {
        const auto buffer = win::InitialPathBuffer(c.name);
        ASSERT_EQ(buffer.size(), win::kDialogPathBytes);
        EXPECT_EQ(buffer.back(), '\0');
        EXPECT_EQ(std::string(buffer.data()), c.expected) << c.name.size();
    }
}

TEST(TemporaryName, SitsBesideTheDestination) {
    EXPECT_EQ(win::TemporarySiblingName("C:\\d\\kvx510ed.txt", 0x1a2b),
              "C:\\d\\kvx510ed.txt.00001a2b.tmp");
    EXPECT_EQ(win::TemporarySiblingName("x", 0xffffffffu), "x.ffffffff.tmp");
}

}  // namespace
