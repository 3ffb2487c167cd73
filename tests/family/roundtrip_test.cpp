// The round trip through the tools' logic, many times over under the sanitizers:
// random tables the program can hold, written by the program's writer, listed by
// the program's reader, compiled through the family's own reader, read back as the
// paper-table library reads a table, and converted. The two readers share no code,
// so a fault of either shows as a difference.
#include <gtest/gtest.h>

#include "family/paper_data.h"
#include "family/source_compiler.h"
#include "family/source_reader.h"
#include "family/table_file.h"
#include "papertable/source_reader.h"
#include "papertable/source_writer.h"
#include "roundtrip_tables.h"

namespace family_test {
namespace {

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += "\n  " + line;
    return text;
}

TEST(RoundTrip, TheTableHoldsWhatTheProgramWroteForEveryPaperItLists) {
    const auto settings = RoundTripSettingsFromEnvironment(150);
    for (int run = 0; run < settings.runs; ++run) {
        const unsigned seed = settings.seed + static_cast<unsigned>(run);
        SCOPED_TRACE("VELKOR_ROUNDTRIP_SEED=" + std::to_string(seed));
        const auto generated = RandomTable(seed);
        auto& table = *generated.table;
        const std::string text = papertable::UserSourceText(table, table.paperCount);
        const auto expected = ExpectedFromWrittenTable(generated);

        // The papers the program lists when it reads the file back.
        papertable::PaperTable listed;
        papertable::LoadPaperTable(listed, papertable::ProfileFile(),
                                   papertable::ProfileFile::Parse(text), false, nullptr);
        ASSERT_EQ(listed.paperCount, static_cast<int>(expected.papers.size()));

        const auto result = family::CompileSource(family::SourceReader::Parse(text));
        if (!expected.usable) {
            ASSERT_FALSE(result.table);
            ASSERT_FALSE(result.errors.empty());
            EXPECT_EQ(result.errors.front().find(expected.firstError), 0u) << Lines(result.errors);
            continue;
        }
        ASSERT_TRUE(result.table) << Lines(result.errors);
        std::string error;
        const auto compiled = family::ParseTable(family::SerializeTable(*result.table), &error);
        ASSERT_TRUE(compiled) << error;
        EXPECT_EQ(Differences(expected.device, compiled->device), "");
        ASSERT_EQ(compiled->papers.size(), expected.papers.size());
        for (size_t i = 0; i < expected.papers.size(); ++i) {
            EXPECT_EQ(Differences(expected.papers[i], compiled->papers[i]), "") << "paper " << i;
        }
        const auto data = family::BuildPaperData(compiled->device, compiled->papers, &error);
        ASSERT_TRUE(data) << error;
        EXPECT_EQ(data->size(), sizeof(family::PaperDataHeader) +
                                    expected.papers.size() * sizeof(family::MediaRecord) + 4);
    }
}

}  // namespace
}  // namespace family_test
