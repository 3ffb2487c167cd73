#include "family/tool_args.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "paperset/pipeline.h"

namespace family {
namespace {

TEST(ToolArgs, SkipsTheProgramName) {
    EXPECT_EQ(SkipProgramName("C:\\t\\kvx500pc.exe /S a"), "/S a");
    EXPECT_EQ(SkipProgramName("\"C:\\my tools\\kvx500cv.exe\" a  "), "a  ");
    EXPECT_EQ(SkipProgramName("kvx500cv.exe"), "");
}

TEST(ToolArgs, CompilerCommandLines) {
    struct Case {
        const char* line;
        bool silent;
        const char* log;
        const char* source;
        const char* table;
    };
    const Case cases[] = {
        {"/S /L=C:\\t\\log.txt C:\\t\\kvx510ed.txt C:\\t\\kvx510ed.lyt", true, "C:\\t\\log.txt",
         "C:\\t\\kvx510ed.txt", "C:\\t\\kvx510ed.lyt"},
        {"a.txt b.lyt", false, "", "a.txt", "b.lyt"},
        {"/s \"/L=C:\\a b\\log.txt\" \"C:\\a b\\x.txt\" \"C:\\a b\\x.lyt\"", true,
         "C:\\a b\\log.txt", "C:\\a b\\x.txt", "C:\\a b\\x.lyt"},
        // The pipeline's unquoted paths with blanks in the temporary folder.
        {"/S /L=C:\\my  temp\\log.txt C:\\my  temp\\kvx510ed.txt C:\\my  temp\\kvx510ed.lyt", true,
         "C:\\my  temp\\log.txt", "C:\\my  temp\\kvx510ed.txt", "C:\\my  temp\\kvx510ed.lyt"},
        {"/S /L=\"C:\\a b\\log.txt\" C:\\a b\\s.TXT C:\\a b\\t.lyt", true, "C:\\a b\\log.txt",
         "C:\\a b\\s.TXT", "C:\\a b\\t.lyt"},
    };
    for (const Case& c : cases) {
        std::string error;
        const auto args = ParseCompilerArgs(c.line, &error);
        ASSERT_TRUE(args) << c.line << ": " << error;
        EXPECT_EQ(args->silent, c.silent) << c.line;
        EXPECT_EQ(args->logPath, c.log) << c.line;
        EXPECT_EQ(args->source, c.source) << c.line;
        EXPECT_EQ(args->table, c.table) << c.line;
    }
    for (const char* bad : {"", "/S", "/S /L=log.txt a.txt", "a b c", "\"\" b.lyt"}) {
        std::string error;
        EXPECT_FALSE(ParseCompilerArgs(bad, &error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
}

TEST(ToolArgs, ConverterCommandLines) {
    struct Case {
        const char* line;
        const char* table;
        const char* data;
        const char* library;
        unsigned char series;
        unsigned char model;
    };
    const Case cases[] = {
        {"C:\\t\\kvx510ed.lyt C:\\t\\ltyQA.bin kvx500i3.dll A Q", "C:\\t\\kvx510ed.lyt",
         "C:\\t\\ltyQA.bin", "kvx500i3.dll", 'A', 'Q'},
        {"t.lyt d.bin kvx500i3.dll  Q", "t.lyt", "d.bin", "kvx500i3.dll", 0, 'Q'},
        {"t.lyt d.bin kvx500i3.dll A ", "t.lyt", "d.bin", "kvx500i3.dll", 'A', 0},
        {"t.lyt d.bin kvx500i3.dll A", "t.lyt", "d.bin", "kvx500i3.dll", 'A', 0},
        {"t.lyt d.bin kvx500i3.dll  ", "t.lyt", "d.bin", "kvx500i3.dll", 0, 0},
        {"t.lyt d.bin kvx500i3.dll ", "t.lyt", "d.bin", "kvx500i3.dll", 0, 0},
        {"t.lyt d.bin kvx500i3.dll", "t.lyt", "d.bin", "kvx500i3.dll", 0, 0},
        {"t.lyt d.bin kvx500i3.dll \x1f \xff", "t.lyt", "d.bin", "kvx500i3.dll", 0x1f, 0xff},
        // Characters as they are, the double quote among them.
        {"t.lyt d.bin kvx500i3.dll \" Q", "t.lyt", "d.bin", "kvx500i3.dll", '"', 'Q'},
        {"t.lyt d.bin kvx500i3.dll A \"", "t.lyt", "d.bin", "kvx500i3.dll", 'A', '"'},
        {"t.lyt d.bin kvx500i3.dll \" ", "t.lyt", "d.bin", "kvx500i3.dll", '"', 0},
        {"t.lyt d.bin kvx500i3.dll \" \"", "t.lyt", "d.bin", "kvx500i3.dll", '"', '"'},
        {"t.lyt d.bin kvx500i3.dll 0 x", "t.lyt", "d.bin", "kvx500i3.dll", '0', 'x'},
        // The four bytes a command line would lose, in hexadecimal; any other too.
        {"t.lyt d.bin kvx500i3.dll 0x20 0x09", "t.lyt", "d.bin", "kvx500i3.dll", ' ', '\t'},
        {"t.lyt d.bin kvx500i3.dll 0x0D 0x0a", "t.lyt", "d.bin", "kvx500i3.dll", '\r', '\n'},
        {"t.lyt d.bin kvx500i3.dll  0x20", "t.lyt", "d.bin", "kvx500i3.dll", 0, ' '},
        {"t.lyt d.bin kvx500i3.dll 0x20 ", "t.lyt", "d.bin", "kvx500i3.dll", ' ', 0},
        {"t.lyt d.bin kvx500i3.dll 0x20", "t.lyt", "d.bin", "kvx500i3.dll", ' ', 0},
        {"t.lyt d.bin kvx500i3.dll 0x41 Q", "t.lyt", "d.bin", "kvx500i3.dll", 'A', 'Q'},
        {"t.lyt d.bin kvx500i3.dll 0 0x00", "t.lyt", "d.bin", "kvx500i3.dll", '0', 0},
        {"t.lyt d.bin kvx500i3.dll A\tQ", "t.lyt", "d.bin", "kvx500i3.dll", 'A', 'Q'},
        {"t.lyt d.bin kvx500i3.dll A Q\r\n", "t.lyt", "d.bin", "kvx500i3.dll", 'A', 'Q'},
        {"C:\\a b\\t.lyt C:\\a b\\lty.bin kvx500i3.dll A Q", "C:\\a b\\t.lyt", "C:\\a b\\lty.bin",
         "kvx500i3.dll", 'A', 'Q'},
        {"\"C:\\a b\\t.lyt\" \"C:\\a b\\d.bin\" \"C:\\a b\\k.DLL\" A Q", "C:\\a b\\t.lyt",
         "C:\\a b\\d.bin", "C:\\a b\\k.DLL", 'A', 'Q'},
    };
    for (const Case& c : cases) {
        std::string error;
        ConverterArgs args;
        ASSERT_TRUE(ParseConverterArgs(c.line, args, &error)) << c.line << ": " << error;
        EXPECT_EQ(args.table, c.table) << c.line;
        EXPECT_EQ(args.paperData, c.data) << c.line;
        EXPECT_EQ(args.library, c.library) << c.line;
        EXPECT_EQ(args.seriesCode, c.series) << c.line;
        EXPECT_EQ(args.modelCode, c.model) << c.line;
    }
    for (const char* bad :
         {"", "t.lyt d.bin", "t.lyt d.bin k.dll AB Q", "t.lyt d.bin k.dll A Q R", "t.lyt k.dll A Q",
          "t.lyt d.bin k.dll \"\" \"Q\"", "t.lyt d.bin k.dll 0x4 Q", "t.lyt d.bin k.dll 0x4g Q",
          "t.lyt d.bin k.dll 0X41 Q", "t.lyt d.bin k.dll A   Q", "t.lyt d.bin k.dll A\rQ",
          "t.lyt d.bin k.dll 0x41Q"}) {
        std::string error;
        ConverterArgs args;
        EXPECT_FALSE(ParseConverterArgs(bad, args, &error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
}

TEST(ToolArgs, FileNamesOfARefusedConverterLineAreKept) {
    ConverterArgs args;
    std::string error;
    EXPECT_FALSE(ParseConverterArgs("C:\\t\\a.lyt C:\\t\\lty.bin kvx500i3.dll AB", args, &error));
    EXPECT_EQ(args.paperData, "C:\\t\\lty.bin");
    EXPECT_NE(error.find("\" AB\""), std::string::npos) << error;
}

TEST(ToolArgs, CodeArgumentForms) {
    EXPECT_EQ(ParseCodeArgument(""), 0);
    EXPECT_EQ(ParseCodeArgument("A"), 'A');
    EXPECT_EQ(ParseCodeArgument("\x01"), 0x01);
    EXPECT_EQ(ParseCodeArgument("0x7f"), 0x7F);
    EXPECT_EQ(ParseCodeArgument("0xFF"), 0xFF);
    for (const char* bad : {" ", "\t", "\r", "\n", "AB", "0x1", "0x123", "0X12", "1x12", "0xgg"}) {
        EXPECT_EQ(ParseCodeArgument(bad), std::nullopt) << bad;
    }
}

// Every pair of code bytes, as the build pipeline puts them on the converter's
// command line, arrives as it was meant: what the table holds is what is compared.
TEST(ToolArgs, EveryCodeTheBuildPipelinePassesArrives) {
    const auto names = paperset::MakeBuildFiles("C:\\My Temp\\", "kvx510", "0x41", "0x1F");
    auto hex = [](int value) {
        char text[8];
        std::snprintf(text, sizeof text, "0x%02x", value);
        return std::string(text);
    };
    for (int series = 0; series < 256; ++series) {
        for (int model : {0, 0x09, 0x0A, 0x0D, 0x20, 0x22, 0x30, 0x41, 0x78, 0xFF, series}) {
            const std::string line = paperset::ConverterCommandLine("C:\\Program Files\\Mertavo",
                                                                 names, hex(series), hex(model));
            ConverterArgs args;
            std::string error;
            ASSERT_TRUE(ParseConverterArgs(SkipProgramName(line), args, &error))
                << series << " " << model << ": " << error;
            ASSERT_EQ(args.seriesCode, series) << line;
            ASSERT_EQ(args.modelCode, model) << line;
            EXPECT_EQ(args.library, "kvx500i3.dll");
            EXPECT_EQ(args.paperData, names.tempPaperData);
        }
    }
}

}  // namespace
}  // namespace family
