#include "version/display_version.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplayVersion, ShowsTheMinorInTwoDigitsAndThePatchOnlyWhenSet) {
    struct Case {
        unsigned major, minor, patch;
        const char* text;
    };
    const Case cases[] = {
        {1, 0, 0, "1.00"},
        {1, 2, 0, "1.02"},
        {1, 12, 0, "1.12"},
        {1, 0, 1, "1.00.1"},
        {2, 5, 17, "2.05.17"},
        {0, 0, 0, "0.00"},
        {255, 255, 65535, "255.255.65535"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(version::DisplayVersion(c.major, c.minor, c.patch), c.text) << c.text;
}

TEST(DisplayVersion, TheProgramShowsTheVersionItWasBuiltAs) {
    EXPECT_EQ(
        version::ProgramDisplayVersion(),
        version::DisplayVersion(VELKOR_VERSION_MAJOR, VELKOR_VERSION_MINOR, VELKOR_VERSION_PATCH));
    const std::string text = VELKOR_VERSION_TEXT;
    EXPECT_EQ(text, std::to_string(VELKOR_VERSION_MAJOR) + "." +
                        std::to_string(VELKOR_VERSION_MINOR) + "." +
                        std::to_string(VELKOR_VERSION_PATCH));
}

}  // namespace
