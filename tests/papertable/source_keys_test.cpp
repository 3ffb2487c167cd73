// The key table against the record, the writer and the reader: every field is a
// key or kept only in memory, every key is written once in table order, and every
// key's values at the limits of its width come back from a written file.
#include "papertable/source_keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

#include "papertable/source_reader.h"
#include "papertable/source_writer.h"
#include "sample_source.h"

namespace {

using namespace papertable;

const void* FieldAddress(const PaperRecord& record, const PaperKey& key) {
    return std::visit([&](auto member) -> const void* { return &(record.*member); }, key.field);
}

bool SameField(const PaperRecord& a, const PaperRecord& b, const PaperKey& key) {
    return std::visit([&](auto member) { return a.*member == b.*member; }, key.field);
}

// The names of the keys whose fields differ, for a readable failure.
std::string DifferingKeys(const PaperRecord& a, const PaperRecord& b) {
    std::string names;
    for (const PaperKey& key : kPaperKeys) {
        if (!SameField(a, b, key)) names += std::string(key.name) + " ";
    }
    return names;
}

// A paper as read from the sample section; its reserved_12_ does not make kind 76.
PaperRecord SamplePaper() {
    PaperRecord paper;
    EXPECT_TRUE(ReadPaperRecord(
        ProfileFile::Parse(sample::Device() + sample::Section("Paper00", sample::PaperKeys("P"))),
        0, paper));
    return paper;
}

PaperRecord WrittenAndReadBack(const PaperRecord& paper) {
    PaperTable table;
    table.papers[0] = paper;
    table.paperCount = 1;
    PaperRecord back;
    EXPECT_TRUE(ReadPaperRecord(ProfileFile::Parse(UserSourceText(table, 1)), 0, back));
    return back;
}

std::vector<std::string> SectionKeys(const std::string& text, const std::string& section) {
    std::vector<std::string> keys;
    size_t at = text.find("[" + section + "]\r\n");
    if (at == std::string::npos) return keys;
    at = text.find("\r\n", at) + 2;
    for (size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
        const std::string line = text.substr(at, end - at);
        const size_t equals = line.find('=');
        if (equals == std::string::npos) break;  // the "0" line ends the section
        keys.push_back(line.substr(0, equals));
    }
    return keys;
}

TEST(PaperKeysTest, EveryRecordFieldIsOneKeyOrKeptOnlyInMemory) {
    PaperRecord r;
    // One binding per field: this stops compiling when a field is added or removed.
    auto& [f01, f02, f03, f04, f05, f06, f07, f08, f09, f10, f11, f12, f13, f14, f15, f16, f17, f18,
           f19, f20, f21, f22, f23, f24, f25, f26, f27, f28, f29, f30, f31, f32, f33, f34, f35, f36,
           f37, f38, f39, f40, f41, f42, f43, f44, f45, f46, f47, f48, f49, f50, f51, f52, f53, f54,
           f55, f56, f57] = r;
    const void* fields[] = {&f01, &f02, &f03, &f04, &f05, &f06, &f07, &f08, &f09, &f10, &f11, &f12,
                            &f13, &f14, &f15, &f16, &f17, &f18, &f19, &f20, &f21, &f22, &f23, &f24,
                            &f25, &f26, &f27, &f28, &f29, &f30, &f31, &f32, &f33, &f34, &f35, &f36,
                            &f37, &f38, &f39, &f40, &f41, &f42, &f43, &f44, &f45, &f46, &f47, &f48,
                            &f49, &f50, &f51, &f52, &f53, &f54, &f55, &f56, &f57};

    std::vector<const void*> known = {&r.builtIn, &r.editLocked, &r.markLength, &r.markOffset};
    for (const PaperKey& key : kPaperKeys) known.push_back(FieldAddress(r, key));
    ASSERT_EQ(known.size(), std::size(fields));
    for (size_t i = 0; i < std::size(fields); ++i) {
        EXPECT_EQ(std::count(known.begin(), known.end(), fields[i]), 1) << "field " << i + 1;
    }
}

TEST(PaperKeysTest, NamesDifferAsTheReaderComparesThem) {
    std::set<std::string> folded;
    for (const PaperKey& key : kPaperKeys) {
        EXPECT_TRUE(folded.insert(FoldProfileName(key.name)).second) << key.name;
    }
    for (const DeviceKey& key : kVersionKeys) folded.insert(FoldProfileName(key.name));
    for (const DeviceKey& key : kModelKeys) {
        EXPECT_TRUE(folded.insert(FoldProfileName(key.name)).second) << key.name;
    }
}

TEST(PaperKeysTest, SectionHoldsEveryKeyOnceInTableOrder) {
    std::vector<std::string> names;
    for (const PaperKey& key : kPaperKeys) names.emplace_back(key.name);

    PaperTable table;
    table.papers[0] = SamplePaper();
    EXPECT_EQ(SectionKeys(UserSourceText(table, 1), "Paper00"), names);

    // The sample sections of the other tests list the same keys.
    std::vector<std::string> sampleNames;
    for (const auto& [key, value] : sample::PaperKeys("P")) sampleNames.push_back(key);
    EXPECT_EQ(sampleNames, names);
}

TEST(PaperKeysTest, DeviceKeysAreWrittenAndReadByTheTable) {
    DeviceRecord device;
    ASSERT_TRUE(ReadDevice(ProfileFile::Parse(sample::Device()), device));
    for (const DeviceKey& key : kModelKeys) device.*key.field = "new " + std::string(key.name);
    PaperTable table;
    table.device = device;
    const std::string text = UserSourceText(table, 0);

    std::vector<std::string> version, model;
    for (const DeviceKey& key : kVersionKeys) version.emplace_back(key.name);
    for (const DeviceKey& key : kModelKeys) model.emplace_back(key.name);
    EXPECT_EQ(SectionKeys(text, "Version"), version);
    EXPECT_EQ(SectionKeys(text, "Model"), model);
    DeviceRecord back;
    ASSERT_TRUE(ReadDevice(ProfileFile::Parse(text), back));
    for (const DeviceKey& key : kVersionKeys) EXPECT_EQ(back.*key.field, device.*key.field);
    for (const DeviceKey& key : kModelKeys) EXPECT_EQ(back.*key.field, device.*key.field);
}

// Values at the limits of each kind of field.
template <class Field>
std::vector<Field> LimitValues(const PaperKey& key) {
    if constexpr (std::is_integral_v<Field>) {
        using Limits = std::numeric_limits<Field>;
        return {Limits::min(), Field(-1), Field(0), Field(1), Limits::max()};
    } else if constexpr (std::is_same_v<Field, std::string>) {
        std::vector<std::string> texts = {std::string(key.readBytes - 1, '7'),
                                          "1",
                                          " ",
                                          "  blanks at both ends  ",
                                          "\"quoted\"",
                                          "'",
                                          "a=b;c [d]",
                                          "\xc9\x80\xff"};
        if (key.presence == Presence::EmptyAllowed) texts.emplace_back();
        return texts;
    } else {
        const size_t length = std::tuple_size_v<Field> - 1;
        std::vector<std::u16string> texts = {std::u16string(length, u'n'),
                                             std::u16string(length, u'\u20ac'), u"1", u" x ",
                                             u"\u00c9tiquette \u00ff"};
        if (key.presence == Presence::EmptyAllowed) texts.emplace_back();
        std::vector<Field> values;
        for (const auto& text : texts) {
            Field value{};
            std::copy(text.begin(), text.end(), value.begin());
            values.push_back(value);
        }
        return values;
    }
}

TEST(PaperKeysTest, EveryKeyRoundTripsAtTheLimitsOfItsWidth) {
    const PaperRecord base = SamplePaper();
    for (const PaperKey& key : kPaperKeys) {
        SCOPED_TRACE(std::string(key.name));
        std::visit(
            [&](auto member) {
                using Field = std::remove_cvref_t<decltype(base.*member)>;
                const auto values = LimitValues<Field>(key);
                for (size_t i = 0; i < values.size(); ++i) {
                    SCOPED_TRACE("value " + std::to_string(i));
                    PaperRecord paper = base;
                    paper.*member = values[i];
                    // The fields kept in memory as the reader derives them.
                    paper.editLocked = (paper.dwPaperAbility01 & kEditLockedBit) != 0;
                    ApplyReservedItems(paper);
                    const PaperRecord back = WrittenAndReadBack(paper);
                    EXPECT_EQ(DifferingKeys(back, paper), "");
                    EXPECT_TRUE(back == paper);
                }
            },
            key.field);
    }
}

// The order the file format prescribes for reading: the writing order, except that
// byReserved001 comes before nCompatiblePaperSizes.
TEST(PaperKeysTest, ReadingOrderMovesOnlyByReserved001) {
    std::vector<std::string_view> expected;
    for (const PaperKey& key : kPaperKeys) {
        if (key.name == "nCompatiblePaperSizes") expected.push_back("byReserved001");
        if (key.name != "byReserved001") expected.push_back(key.name);
    }
    std::vector<std::string_view> reading;
    for (const size_t index : kPaperKeyReadingOrder) reading.push_back(kPaperKeys[index].name);
    EXPECT_EQ(reading, expected);
}

// A missing key ends reading at its place in the reading order: the keys before it
// are read, it and the keys after it keep their earlier values.
TEST(PaperKeysTest, ReadingStopsAtTheFirstMissingKeyInReadingOrder) {
    const PaperRecord untouched;
    const PaperRecord sample = SamplePaper();
    for (const PaperKey& key : kPaperKeys) {
        ASSERT_FALSE(SameField(sample, untouched, key)) << key.name << " must differ from empty";
    }

    for (size_t position = 0; position < kPaperKeyCount; ++position) {
        const PaperKey& missing = kPaperKeys[kPaperKeyReadingOrder[position]];
        const bool canBeMissing = KindOf(missing) == KeyKind::Text ||
                                  KindOf(missing) == KeyKind::WideName ||
                                  KindOf(missing) == KeyKind::WideInch;
        if (!canBeMissing || missing.presence == Presence::BlankIfMissing) continue;
        SCOPED_TRACE(std::string(missing.name));
        const auto keys =
            sample::With(sample::PaperKeys("P"), {{std::string(missing.name), std::nullopt}});
        PaperRecord paper;
        EXPECT_FALSE(ReadPaperRecord(
            ProfileFile::Parse(sample::Device() + sample::Section("Paper00", keys)), 0, paper));
        for (size_t i = 0; i < kPaperKeyCount; ++i) {
            const PaperKey& key = kPaperKeys[kPaperKeyReadingOrder[i]];
            EXPECT_EQ(SameField(paper, untouched, key), i >= position) << key.name;
        }
    }
}

}  // namespace
