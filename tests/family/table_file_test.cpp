#include "family/table_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>

#include "family/source_compiler.h"
#include "family_test_util.h"

namespace family {
namespace {

// Kept out of line: inlined into the lambdas below, GCC 12 mistakes the write for an
// overflow of a short string.
[[gnu::noinline]] std::string SetByte(std::string bytes, size_t at, char value) {
    if (at < bytes.size()) bytes[at] = value;
    return bytes;
}

CompiledTable DemoTable(const std::string& file) {
    auto result = CompileSource(SourceReader::Parse(family_test::ReadDataFile(file)));
    EXPECT_TRUE(result.table);
    return result.table.value_or(CompiledTable{});
}

TEST(TableFile, RoundTripsEveryByte) {
    const CompiledTable table = DemoTable("kvx610ad.txt");
    const std::string bytes = SerializeTable(table);
    EXPECT_EQ(bytes.size(), 32 + 118 + 15 * 252u);
    EXPECT_EQ(bytes.substr(0, 4), "KLYT");
    const auto back = ParseTable(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(SerializeTable(*back), bytes);
    EXPECT_EQ(std::memcmp(&back->papers[14], &table.papers[14], sizeof(PaperInfoRecord)), 0);
}

TEST(TableFile, EmptyTableIsValid) {
    const auto back = ParseTable(SerializeTable(DemoTable("kvx520ed.txt")));
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->papers.empty());
}

TEST(TableFile, RefusesDamage) {
    const std::string good = SerializeTable(DemoTable("kvx510ad.txt"));
    const size_t paper0 = 32 + 118;
    const auto withCrc = [](std::string bytes) {  // damage that the checksum alone misses
        const uint32_t crc = Crc32(std::string_view(bytes).substr(32));
        std::memcpy(bytes.data() + 16, &crc, 4);
        return bytes;
    };
    struct Case {
        const char* what;
        std::function<std::string(std::string)> damage;
    };
    const Case cases[] = {
        {"empty", [](std::string) { return std::string(); }},
        {"cut", [](std::string b) { return b.substr(0, b.size() - 1); }},
        {"longer", [](std::string b) { return b + '\0'; }},
        {"magic", [](std::string b) { return SetByte(b, 0, 'X'); }},
        {"version", [](std::string b) { return SetByte(b, 4, 2); }},
        {"one bit",
         [=](std::string b) {
             return SetByte(b, paper0 + 200, static_cast<char>(b.at(paper0 + 200) ^ 1));
         }},
        {"count", [=](std::string b) { return withCrc(SetByte(b, 12, 101)); }},
        {"unterminated name",
         [=](std::string b) {
             for (size_t i = 0; i < 64; i += 2) b = SetByte(b, paper0 + i, 'x');
             return withCrc(b);
         }},
        {"unknown flag", [=](std::string b) { return withCrc(SetByte(b, paper0 + 244, 0x10)); }},
        {"zero resolution",
         [=](std::string b) { return withCrc(SetByte(SetByte(b, 32 + 98, 0), 32 + 99, 0)); }},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(ParseTable(c.damage(good), &error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
    }
}

TEST(TableFile, UserTableBesideABuiltInOne) {
    struct Case {
        const char* path;
        std::optional<std::string> user;
    };
    const Case cases[] = {
        {"KVX610ad.lyt", "KVX610ed.lyt"}, {"C:\\drv\\3\\kvx510AD.LYT", "C:\\drv\\3\\kvx510ED.LYT"},
        {"kvx510ed.lyt", std::nullopt},   {"kvx510ad.txt", std::nullopt},
        {"d.lyt", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(UserTableBeside(c.path), c.user) << c.path;
}

std::map<std::string, std::string> g_files;
std::optional<std::string> FakeRead(const std::string& path) {
    const auto it = g_files.find(path);
    return it == g_files.end() ? std::nullopt : std::optional(it->second);
}

TEST(TableFile, BuiltInTableBringsTheUserPapers) {
    const CompiledTable builtIn = DemoTable("kvx610ad.txt");
    CompiledTable user = DemoTable("kvx610ed.txt");
    user.papers = {builtIn.papers[0], builtIn.papers[5]};
    user.papers[0].nPaperSize = 513;
    // As many user papers as the program lists after the 15 built-in ones, and more.
    CompiledTable full = user;
    full.papers.assign(kMaxTablePapers, builtIn.papers[3]);
    for (size_t i = 0; i < full.papers.size(); ++i) {
        full.papers[i].nPaperSize = static_cast<int16_t>(513 + i);
    }
    CompiledTable otherModel = user;
    otherModel.device.byModelCode = 0x62;
    std::string damaged = SerializeTable(user);
    damaged[40] ^= 1;

    struct Case {
        const char* what;
        std::optional<std::string> userFile;
        size_t papers;
    };
    const Case cases[] = {
        {"no user table", std::nullopt, 15},
        {"user table", SerializeTable(user), 17},
        {"another model's", SerializeTable(otherModel), 15},
        {"more user papers than the program lists", SerializeTable(full), kMaxTablePapers},
        {"damaged user table", damaged, 15},
    };
    for (const Case& c : cases) {
        g_files = {{"D:\\3\\KVX610ad.lyt", SerializeTable(builtIn)}};
        if (c.userFile) g_files["D:\\3\\KVX610ed.lyt"] = *c.userFile;
        const auto table = OpenTableWithUserPapers("D:\\3\\KVX610ad.lyt", &FakeRead);
        ASSERT_TRUE(table) << c.what;
        EXPECT_EQ(table->papers.size(), c.papers) << c.what;
    }
    EXPECT_EQ(OpenTableWithUserPapers("D:\\3\\KVX610ad.lyt", &FakeRead)->papers.back().nPaperSize,
              builtIn.papers.back().nPaperSize);
    // The program lists the first of them: so does the library.
    g_files["D:\\3\\KVX610ed.lyt"] = SerializeTable(full);
    EXPECT_EQ(OpenTableWithUserPapers("D:\\3\\KVX610ad.lyt", &FakeRead)->papers.back().nPaperSize,
              513 + kMaxTablePapers - 15 - 1);

    // A user table opened by its own name stands alone; a damaged main table fails.
    g_files = {{"u\\kvx610ed.lyt", SerializeTable(user)}, {"u\\kvx610ad.lyt", damaged}};
    EXPECT_EQ(OpenTableWithUserPapers("u\\kvx610ed.lyt", &FakeRead)->papers.size(), 2u);
    std::string error;
    EXPECT_FALSE(OpenTableWithUserPapers("u\\kvx610ad.lyt", &FakeRead, &error));
    EXPECT_FALSE(OpenTableWithUserPapers("missing.lyt", &FakeRead, &error));
}

TEST(Crc32, KnownValue) {
    EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
}

}  // namespace
}  // namespace family
