// Damaged and hostile source files: the reader gives the documented outcome
// (paper not read, device partly read) and never fails in any other way.
#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace std::string_literals;

#include "papertable/source_reader.h"
#include "sample_source.h"
#include "tests/support/headless.h"

namespace {

using namespace papertable;

int LoadCount(const std::string& bytes) {
    PaperTable table;
    win::headless::HeadlessUi ui;
    ReadDevice(ProfileFile::Parse(bytes), table.device);
    LoadPaperTable(table, ProfileFile::Parse(bytes), ProfileFile{}, false, ui, nullptr);
    return table.paperCount;
}

TEST(BadInputTest, TruncatedFilesLoseOnlyTheCutPaper) {
    const std::string full = sample::File(3);
    const size_t paper01 = full.find("[Paper01]");
    const size_t paper02 = full.find("[Paper02]");
    // Cut anywhere inside Paper01: Paper00 stays, Paper01 is incomplete.
    for (size_t cut = paper01; cut < paper02 - 40; cut += 7) {
        EXPECT_EQ(LoadCount(full.substr(0, cut)), 1) << cut;
    }
    for (size_t cut = 0; cut < full.size(); cut += 13) LoadCount(full.substr(0, cut));
}

TEST(BadInputTest, BinaryGarbageReadsNothing) {
    std::mt19937 random(7);
    for (int i = 0; i < 50; ++i) {
        std::string bytes(static_cast<size_t>(random() % 5000), '\0');
        for (char& c : bytes) c = static_cast<char>(random());
        EXPECT_EQ(LoadCount(bytes), 0);
    }
    // Garbage around a valid paper does not stop it being read.
    EXPECT_EQ(LoadCount("\xff\x00\x13garbage\r\n"s + sample::File(1) + "\x80\x81[[[\r\n"), 1);
}

TEST(BadInputTest, TenMegabyteFile) {
    std::string bytes = sample::File(2);
    bytes += "[Filler]\r\n";
    while (bytes.size() < 10u * 1024 * 1024) bytes += "k=" + std::string(200, 'v') + "\r\n";
    EXPECT_EQ(LoadCount(bytes), 2);
    const std::string oneLine = sample::File(1) + "[Long]\r\nk=" + std::string(10u << 20, 'x');
    EXPECT_EQ(ProfileFile::Parse(oneLine).GetString("Long", "k", "", 260).size(), 259u);
}

TEST(BadInputTest, SectionsOutOfOrderAreFoundByName) {
    const std::string bytes = sample::Section("Paper01", sample::PaperKeys("P1")) +
                              sample::Section("Model", sample::ModelKeys()) +
                              sample::Section("Paper00", sample::PaperKeys("P0")) +
                              sample::Section("Version", sample::VersionKeys());
    EXPECT_EQ(LoadCount(bytes), 2);
    DeviceRecord d;
    EXPECT_TRUE(ReadDevice(ProfileFile::Parse(bytes), d));
}

TEST(BadInputTest, MissingVersionKeysLeaveTheDeviceUnread) {
    DeviceRecord d;
    d.dmDeviceName = "kept";
    EXPECT_FALSE(ReadDevice(ProfileFile::Parse(sample::Section("Model", sample::ModelKeys())), d));
    EXPECT_EQ(d.dmDeviceName, "kept");
    EXPECT_TRUE(d.modelSectionText.empty());
}

}  // namespace
