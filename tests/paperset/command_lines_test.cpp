#include <gtest/gtest.h>

#include "paperset/pipeline.h"

namespace {

TEST(BuildFiles, NamesComeFromPrefixAndTheCodesLastTwoCharacters) {
    struct Case {
        const char* series;
        const char* model;
        const char* paperDataName;
    };
    const Case cases[] = {
        {"0x41", "0x1F", "lty1F41.bin"},  // model code first, series second
        {"A", "0x1F", "lty1FA.bin"},      // a one-character code stays one character
        {"", "", "lty.bin"},
        {"0x141", "0x0200", "lty0041.bin"},
    };
    for (const auto& c : cases) {
        const auto names = paperset::MakeBuildFiles("C:\\Temp\\", "kvx510", c.series, c.model);
        EXPECT_EQ(names.paperDataName, c.paperDataName) << c.series << " " << c.model;
        EXPECT_EQ(names.tempSource, "C:\\Temp\\kvx510ed.txt");
        EXPECT_EQ(names.tempTable, "C:\\Temp\\kvx510ed.lyt");
        EXPECT_EQ(names.tempPaperData, std::string("C:\\Temp\\") + c.paperDataName);
    }
}

TEST(BuildFiles, CodeCharacterIsTheLowByteOfAHexadecimalReading) {
    struct Case {
        const char* code;
        std::string character;
    };
    const Case cases[] = {
        {"0x41", "\x41"}, {"0x1F", "\x1F"}, {"0x141", "\x41"}, {"  41", "\x41"},
        {"0x100", ""},    {"", ""},         {"zz", ""},        {"4G", "\x04"},
    };
    for (const auto& c : cases) EXPECT_EQ(paperset::CodeCharacter(c.code), c.character) << c.code;
}

TEST(CommandLines, CodesACommandLineWouldLoseGoAsHexadecimal) {
    struct Case {
        const char* code;
        std::string argument;
    };
    const Case cases[] = {
        {"0x41", "A"},    {"0x1F", "\x1F"}, {"0x22", "\""},    {"0x20", "0x20"},
        {"0x09", "0x09"}, {"0x0d", "0x0D"}, {"0x10A", "0x0A"}, {"0", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(paperset::CodeArgument(c.code), c.argument) << c.code;
}

TEST(CommandLines, ProgramIsQuotedAndSoArePathsWithBlanks) {
    const auto names = paperset::MakeBuildFiles("C:\\Temp\\", "kvx510", "0x41", "0x1F");
    EXPECT_EQ(paperset::CompilerCommandLine("C:\\Tools", names),
              "\"C:\\Tools\\kvx500pc.exe\" /S /L=C:\\Temp\\log.txt C:\\Temp\\kvx510ed.txt "
              "C:\\Temp\\kvx510ed.lyt");
    EXPECT_EQ(paperset::ConverterCommandLine("C:\\Tools", names, "0x41", "0x1F"),
              "\"C:\\Tools\\kvx500cv.exe\" C:\\Temp\\kvx510ed.lyt C:\\Temp\\lty1F41.bin "
              "kvx500i3.dll A \x1F");

    const auto spaced = paperset::MakeBuildFiles("C:\\My Temp\\", "kvx520", "0x00", "0x20");
    EXPECT_EQ(paperset::CompilerCommandLine("C:\\Program Files\\Mertavo", spaced),
              "\"C:\\Program Files\\Mertavo\\kvx500pc.exe\" /S /L=\"C:\\My Temp\\log.txt\" "
              "\"C:\\My Temp\\kvx520ed.txt\" \"C:\\My Temp\\kvx520ed.lyt\"");
    EXPECT_EQ(paperset::ConverterCommandLine("C:\\Program Files\\Mertavo", spaced, "0x00", "0x20"),
              "\"C:\\Program Files\\Mertavo\\kvx500cv.exe\" \"C:\\My Temp\\kvx520ed.lyt\" "
              "\"C:\\My Temp\\lty2000.bin\" kvx500i3.dll  0x20");
}

}  // namespace
