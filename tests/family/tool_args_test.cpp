#include "family/tool_args.h"

#include <gtest/gtest.h>

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
        {"t.lyt d.bin kvx500i3.dll", "t.lyt", "d.bin", "kvx500i3.dll", 0, 0},
        {"t.lyt d.bin kvx500i3.dll \x1f \xff", "t.lyt", "d.bin", "kvx500i3.dll", 0x1f, 0xff},
        {"t.lyt d.bin k.dll \"\" \"Q\"", "t.lyt", "d.bin", "k.dll", 0, 'Q'},
        // Codes that are a double quote or a tab keep their places, as the pipeline
        // writes them.
        {"t.lyt d.bin kvx500i3.dll \" Q", "t.lyt", "d.bin", "kvx500i3.dll", '"', 'Q'},
        {"t.lyt d.bin kvx500i3.dll A \"", "t.lyt", "d.bin", "kvx500i3.dll", 'A', '"'},
        {"t.lyt d.bin kvx500i3.dll \" ", "t.lyt", "d.bin", "kvx500i3.dll", '"', 0},
        {"t.lyt d.bin kvx500i3.dll \t ", "t.lyt", "d.bin", "kvx500i3.dll", '\t', 0},
        {"t.lyt d.bin kvx500i3.dll  \t", "t.lyt", "d.bin", "kvx500i3.dll", 0, '\t'},
        {"t.lyt d.bin kvx500i3.dll A\tQ", "t.lyt", "d.bin", "kvx500i3.dll", 'A', 'Q'},
        {"t.lyt d.bin k.dll \"Q\"", "t.lyt", "d.bin", "k.dll", 'Q', 0},
        {"C:\\a b\\t.lyt C:\\a b\\lty.bin kvx500i3.dll A Q", "C:\\a b\\t.lyt", "C:\\a b\\lty.bin",
         "kvx500i3.dll", 'A', 'Q'},
        {"\"C:\\a b\\t.lyt\" \"C:\\a b\\d.bin\" \"C:\\a b\\k.DLL\" A Q", "C:\\a b\\t.lyt",
         "C:\\a b\\d.bin", "C:\\a b\\k.DLL", 'A', 'Q'},
    };
    for (const Case& c : cases) {
        std::string error;
        const auto args = ParseConverterArgs(c.line, &error);
        ASSERT_TRUE(args) << c.line << ": " << error;
        EXPECT_EQ(args->table, c.table) << c.line;
        EXPECT_EQ(args->paperData, c.data) << c.line;
        EXPECT_EQ(args->library, c.library) << c.line;
        EXPECT_EQ(args->seriesCode, c.series) << c.line;
        EXPECT_EQ(args->modelCode, c.model) << c.line;
    }
    for (const char* bad : {"", "t.lyt d.bin", "t.lyt d.bin k.dll AB Q", "t.lyt d.bin k.dll A Q R",
                            "t.lyt k.dll A Q"}) {
        std::string error;
        EXPECT_FALSE(ParseConverterArgs(bad, &error)) << bad;
    }
}

}  // namespace
}  // namespace family
