// The round trip through the real tools: random tables the program can hold are
// written by the program's writer into a temporary folder with a blank in its
// name, compiled (the compiler reads them with its own reader) and converted with
// the build pipeline's own command lines, and the compiled table opened through the
// real paper-table library. Every usable table builds, and the library hands out
// what the program wrote after the documented cuts; an unusable one is refused with
// its reason as the first error line.
// First, so that <windows.h> comes without the macros that would rename the methods
// of FileSystem.
// clang-format off
#include "win/win32_api.h"
// clang-format on
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "family/paper_data.h"
#include "familyapi/lyt_api.h"
#include "paperset/pipeline.h"
#include "papertable/source_writer.h"
#include "roundtrip_tables.h"
#include "tests/family/tools_fixture.h"
#include "tests/family/tools_win.h"
#include "win/path_name.h"
#include "win/win32_services.h"

namespace family_test {
namespace {

class RoundTripWithTools : public ToolsFixture {
protected:
    RoundTripWithTools() : ToolsFixture("family round trip") {}

    std::string Read(const std::string& path) { return files_.ReadFile(path).value_or(""); }

    // The records the library hands out for a table; false when it cannot open it.
    bool OpenTable(const std::string& path, DeviceInfoRecord& device,
                   std::vector<PaperInfoRecord>& papers) {
        LytHandle handle = nullptr;
        if (!lyt_.Open(&handle, path.c_str())) return false;
        uint32_t needed = 0, count = 0;
        bool ok = lyt_.GetDeviceInfo(handle, kLytInfoLevel, &device, sizeof device, &needed);
        lyt_.GetPaperList(handle, kLytInfoLevel, nullptr, 0, &needed, &count);
        papers.assign(count, PaperInfoRecord{});
        if (count > 0) {
            ok = ok &&
                 lyt_.GetPaperList(handle, kLytInfoLevel, papers.data(), needed, &needed, &count);
        }
        lyt_.Close(handle);
        return ok;
    }

    win::Win32FileSystem files_;
};

TEST_F(RoundTripWithTools, EveryUsableTableBuildsAndTheLibraryHandsOutWhatWasWritten) {
    const auto settings = RoundTripSettingsFromEnvironment(24);
    const std::string tools = win::FolderOf(WinPath(FAMILY_CONVERTER));
    for (int run = 0; run < settings.runs; ++run) {
        const unsigned seed = settings.seed + static_cast<unsigned>(run);
        SCOPED_TRACE("VELKOR_ROUNDTRIP_SEED=" + std::to_string(seed));
        RemoveFiles();
        const auto generated = RandomTable(seed);
        auto& table = *generated.table;
        const std::string series = table.device.bySeriesCode;
        const std::string model = table.device.byModelCode;
        const auto names = paperset::MakeBuildFiles(dir_, generated.modelPrefix, series, model);
        ASSERT_TRUE(papertable::WriteUserSource(files_, names.tempSource, table, table.paperCount));
        const auto expected = ExpectedFromWrittenTable(generated);

        RunTool(paperset::CompilerCommandLine(tools, names));
        RunTool(paperset::ConverterCommandLine(tools, names, series, model));
        const std::string compilerLog = Read(dir_ + "log.txt");
        const std::string converterLog = Read(names.tempPaperData + ".log");

        if (!expected.usable) {
            EXPECT_FALSE(files_.FileExists(names.tempTable));
            EXPECT_FALSE(files_.FileExists(names.tempPaperData));
            EXPECT_EQ(FirstError(compilerLog).find("error: " + expected.firstError), 0u)
                << compilerLog;
            EXPECT_EQ(FirstError(converterLog).find("error: cannot open table " + names.tempTable),
                      0u)
                << converterLog;
            continue;
        }
        ASSERT_EQ(FirstError(compilerLog), "") << compilerLog;
        ASSERT_EQ(FirstError(converterLog), "") << converterLog;

        DeviceInfoRecord device{};
        std::vector<PaperInfoRecord> papers;
        ASSERT_TRUE(OpenTable(names.tempTable, device, papers));
        EXPECT_EQ(Differences(expected.device, device), "");
        ASSERT_EQ(papers.size(), expected.papers.size());
        for (size_t i = 0; i < papers.size(); ++i) {
            EXPECT_EQ(Differences(expected.papers[i], papers[i]), "") << "paper " << i;
        }

        // The paper data: the table's codes and every paper, offsets as they are.
        const std::string data = Read(names.tempPaperData);
        ASSERT_EQ(data.size(), sizeof(family::PaperDataHeader) +
                                   papers.size() * sizeof(family::MediaRecord) + 4);
        family::PaperDataHeader header{};
        std::memcpy(&header, data.data(), sizeof header);
        EXPECT_EQ(header.seriesCode, expected.device.bySeriesCode);
        EXPECT_EQ(header.modelCode, expected.device.byModelCode);
        for (size_t i = 0; i < papers.size(); ++i) {
            family::MediaRecord media{};
            std::memcpy(&media, data.data() + sizeof header + i * sizeof media, sizeof media);
            EXPECT_EQ(media.paperId, expected.papers[i].nPaperSize) << i;
            EXPECT_EQ(media.offsetXDots, expected.papers[i].nPhysicalOffsetX) << i;
            EXPECT_EQ(media.offsetYDots, expected.papers[i].nPhysicalOffsetY) << i;
        }
    }
}

}  // namespace
}  // namespace family_test
