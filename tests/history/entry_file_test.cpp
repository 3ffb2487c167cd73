// Entry names and description files: what is written reads back the same, and
// anything else is refused rather than taken for an entry.
#include "history/entry_file.h"

#include <gtest/gtest.h>

#include "history/entry_id.h"

namespace {

using history::EntryId;
using paperset::ChangeDescription;

TEST(EntryId, NamesSortByNumberAndCarryTheTime) {
    const EntryId id{42, {2024, 6, 12, 14, 30, 5}};
    EXPECT_EQ(history::FormatEntryId(id), "000042-20240612-143005");
    EXPECT_EQ(history::ParseEntryId("000042-20240612-143005"), id);
    EXPECT_EQ(history::FormatEntryId({1234567, {1999, 12, 31, 23, 59, 59}}),
              "1234567-19991231-235959");
    EXPECT_EQ(history::ParseEntryId("1234567-19991231-235959")->sequence, 1234567);
}

TEST(EntryId, OtherNamesAreNoEntries) {
    for (const char* name :
         {"", "history", "00042-20240612-143005", "000042-20240612-14300", "000042-20240612_143005",
          "000042-20241312-143005", "000042-20240600-143005", "000042-20240612-246000",
          "00004x-20240612-143005", "000042-20240612-143005.tmp", "-000042-20240612-143005"}) {
        EXPECT_FALSE(history::ParseEntryId(name)) << name;
    }
}

TEST(KeptTime, ReadsBackAndRefusesOtherForms) {
    const win::LocalTime time{2024, 2, 29, 0, 0, 7};
    EXPECT_EQ(history::FormatKeptTime(time), "2024-02-29 00:00:07");
    EXPECT_EQ(history::ParseKeptTime("2024-02-29 00:00:07"), time);
    for (const char* text : {"2024-02-29 00:00", "2024/02/29 00:00:07", "2024-02-29T00:00:07",
                             "2024-00-29 00:00:07", " 2024-02-29 00:00:07"}) {
        EXPECT_FALSE(history::ParseKeptTime(text)) << text;
    }
}

history::EntryDescription Sample(std::string subject) {
    history::EntryDescription d;
    d.kept = {2024, 6, 12, 14, 30, 5};
    d.change = {ChangeDescription::Kind::Deleted, std::move(subject)};
    d.paperCount = 7;
    d.files[0] = history::KeptFile{"kvx510ed.txt", 1234, 0x0123456789abcdefull};
    d.files[2] = history::KeptFile{"lty5141.bin", 0, history::ContentHash("")};
    return d;
}

void ExpectSame(const history::EntryDescription& a, const history::EntryDescription& b,
                const std::string& what) {
    EXPECT_EQ(a.kept, b.kept) << what;
    EXPECT_EQ(a.change.kind, b.change.kind) << what;
    EXPECT_EQ(a.change.subject, b.change.subject) << what;
    EXPECT_EQ(a.paperCount, b.paperCount) << what;
    EXPECT_EQ(a.files, b.files) << what;
}

TEST(Description, EverySubjectAndKindReadsBackAsWritten) {
    const std::vector<std::string> subjects = {"Roll 58 mm",
                                               "",
                                               "  blanks at both ends  ",
                                               "\"quoted\"",
                                               "100% = all; [x]",
                                               "line\r\nbreak\ttab\x7f",
                                               "\xe9tiquette 50\xd7"
                                               "30",
                                               "set510.txt",
                                               "000001-20240612-143005"};
    for (const auto& subject : subjects) {
        for (const auto kind :
             {ChangeDescription::Kind::Added, ChangeDescription::Kind::Overwritten,
              ChangeDescription::Kind::Deleted, ChangeDescription::Kind::Imported,
              ChangeDescription::Kind::Restored}) {
            auto written = Sample(subject);
            written.change.kind = kind;
            const std::string text = history::FormatDescription(written);
            const auto read = history::ParseDescription(text);
            ASSERT_TRUE(read) << subject << "\n" << text;
            ExpectSame(*read, written, subject);
        }
    }
}

TEST(Description, TheKindIsStoredAsAWordNotAsTheShownText) {
    const std::string text = history::FormatDescription(Sample("U0 mm"));
    EXPECT_NE(text.find("Change=deleted\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Subject=\"U0 mm\"\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Table=\r\n"), std::string::npos) << text;  // no table was kept
}

TEST(Description, AnyMissingOrBadKeyMakesItUnreadable) {
    const std::string good = history::FormatDescription(Sample("U0 mm"));
    const std::pair<const char*, const char*> damages[] = {
        {"Kept=2024-06-12 14:30:05", "Kept=yesterday"},
        {"Change=deleted", "Change=burnt"},
        {"Subject=\"U0 mm\"", "Subject=\"U0 %4\""},
        {"Subject=\"U0 mm\"", "Subjects=\"U0 mm\""},
        {"Papers=7", "Papers=seven"},
        {"Papers=7", "Papers=1001"},
        {"SourceBytes=1234", "SourceBytes=-1"},
        {"SourceHash=0123456789abcdef", "SourceHash=0123456789abcde"},
        {"Data=lty5141.bin", "Date=lty5141.bin"},
        {"\r\n[Files]\r\n", "\r\n[Filez]\r\n"},
    };
    for (const auto& [from, to] : damages) {
        std::string text = good;
        ASSERT_NE(text.find(from), std::string::npos) << from;
        text.replace(text.find(from), std::string(from).size(), to);
        EXPECT_FALSE(history::ParseDescription(text)) << to;
    }
    EXPECT_FALSE(history::ParseDescription(""));
    EXPECT_TRUE(history::ParseDescription(good));
}

TEST(Description, TheHashIsFnv1a64) {
    EXPECT_EQ(history::ContentHash(""), 0xcbf29ce484222325ull);
    EXPECT_EQ(history::ContentHash("a"), 0xaf63dc4c8601ec8cull);
    EXPECT_NE(history::ContentHash(std::string("a\0b", 3)), history::ContentHash("a"));
}

}  // namespace
