// The history as the paper set's keeper: every change keeps the set it replaces as
// one entry, entries are listed newest first and limited in number, and an entry
// restores its files exactly, or is marked damaged and refused.
#include "history/history.h"

#include <gtest/gtest.h>

#include <functional>

#include "history/entry_file.h"
#include "papertable/profile.h"
#include "tests/fakes/fake_clock.h"
#include "tests/paperset/stand_in_paper_set.h"
#include "tests/velkor/mainwindow/source_text.h"

namespace {

using paperset::ChangeDescription;
using paperset::ChangeStatus;
using Kind = paperset::ChangeDescription::Kind;
using papertable::ProfileFile;

using settest::kData;
using settest::kDriver;
using settest::kSource;
using settest::kTable;
const std::string kHistory = kDriver + "\\history\\kvx510";

std::string UserSource(int papers) {
    std::vector<mwtest::TestPaper> user;
    for (int i = 0; i < papers; ++i) {
        const std::string name = "U" + std::to_string(i);
        user.push_back({name + " mm", name + " in", 75, 500, 300, 2, 0, 513 + i});
    }
    return mwtest::SourceText(user, true);
}

// A paper set of kvx510 with the history as its keeper.
struct HistoryRun : settest::StandInPaperSet {
    fakes::FakeClock clock;
    history::History history{files, clock, kDriver, "kvx510"};

    HistoryRun() : StandInPaperSet(&history) {
        newPaperId = 600;
        const std::string builtIn = mwtest::SourceText({{"B0 mm", "B0 in"}}, false);
        files.Put(kDriver + "\\kvx510ad.txt", builtIn);
        files.Put(kSource, UserSource(3));
        files.Put(kTable, "installed table");
        files.Put(kData, "installed data");
        set.Load(ProfileFile::Parse(builtIn), ProfileFile::Parse(UserSource(3)), false);
    }
    // The driver folder's three files.
    paperset::SetBytes Installed() {
        return {{files.Get(kSource), files.Get(kTable), files.Get(kData)}};
    }
    std::string EntryFile(const std::string& id, const std::string& name) {
        return files.Get(kHistory + "\\" + id + "\\" + name).value_or("<none>");
    }
    std::vector<std::string> Ids() {
        std::vector<std::string> ids;
        for (const auto& entry : history.Entries()) ids.push_back(entry.id);
        return ids;
    }
};

struct History : ::testing::Test, HistoryRun {};

TEST_F(History, EachChangeKeepsTheSetItReplacesAsOneEntry) {
    struct Case {
        const char* what;
        std::function<paperset::ChangeResult(HistoryRun&)> change;
        ChangeDescription description;
    };
    const Case cases[] = {
        {"add",
         [](HistoryRun& t) { return t.set.Add(t.Paper("Roll 58")); },
         {Kind::Added, "Roll 58"}},
        {"overwrite",
         [](HistoryRun& t) { return t.set.Overwrite(2, t.Paper("Wider")); },
         {Kind::Overwritten, "Wider"}},
        {"delete", [](HistoryRun& t) { return t.set.Delete(1); }, {Kind::Deleted, "U0 mm"}},
        {"import",
         [](HistoryRun& t) {
             t.files.Put("D:\\set510.txt", UserSource(5));
             return t.set.Import("D:\\set510.txt", false);
         },
         {Kind::Imported, "set510.txt"}},
    };
    for (const auto& c : cases) {
        HistoryRun t;
        EXPECT_FALSE(t.history.HasEntries()) << c.what;
        const paperset::SetBytes before = t.Installed();
        const auto result = c.change(t);
        ASSERT_TRUE(result.Ok()) << c.what << ": " << result.reason;

        const auto entries = t.history.Entries();
        ASSERT_EQ(entries.size(), 1u) << c.what;
        const auto& entry = entries[0];
        EXPECT_EQ(entry.id, "000001-20240612-143000") << c.what;
        EXPECT_EQ(entry.kept, (win::LocalTime{2024, 6, 12, 14, 30, 0})) << c.what;
        ASSERT_TRUE(entry.change) << c.what;
        EXPECT_EQ(entry.change->kind, c.description.kind) << c.what;
        EXPECT_EQ(entry.change->subject, c.description.subject) << c.what;
        EXPECT_EQ(entry.paperCount, 3) << c.what;
        EXPECT_FALSE(entry.damaged) << c.what << ": " << entry.damage;
        EXPECT_TRUE(t.history.HasEntries()) << c.what;
        // The three files under their own names, as they were before the change.
        EXPECT_EQ(t.EntryFile(entry.id, "kvx510ed.txt"), before.bytes[0]) << c.what;
        EXPECT_EQ(t.EntryFile(entry.id, "kvx510ed.lyt"), "installed table") << c.what;
        EXPECT_EQ(t.EntryFile(entry.id, "lty5141.bin"), "installed data") << c.what;
        EXPECT_NE(t.Installed().bytes[1], before.bytes[1]) << c.what;
    }
}

TEST_F(History, TheDescriptionIsWrittenLastAndAtomically) {
    ASSERT_TRUE(set.Delete(1).Ok());
    std::vector<std::string> writes;
    for (const auto& line : files.log)
        if (line.rfind("write " + kHistory, 0) == 0) writes.push_back(line.substr(6));
    const std::string entry = kHistory + "\\000001-20240612-143000\\";
    EXPECT_EQ(writes, (std::vector<std::string>{entry + "kvx510ed.txt", entry + "kvx510ed.lyt",
                                                entry + "lty5141.bin", entry + "entry.ini"}));
}

TEST_F(History, EntriesAreListedNewestFirstAndTheOldestGoBeyondThirty) {
    // Names that are no entries are left alone.
    files.Put(kHistory + "\\notes.txt", "mine");
    files.Put(kHistory + "\\old sets\\kvx510ed.txt", "mine too");
    for (int i = 0; i < history::kMaxEntries + 3; ++i) {
        ASSERT_TRUE(set.Add(Paper("P" + std::to_string(i))).Ok()) << i;
    }
    const auto entries = history.Entries();
    ASSERT_EQ(entries.size(), static_cast<size_t>(history::kMaxEntries));
    for (size_t i = 0; i < entries.size(); ++i) {
        const int sequence = history::kMaxEntries + 3 - static_cast<int>(i);
        EXPECT_EQ(history::ParseEntryId(entries[i].id)->sequence, sequence) << i;
        EXPECT_EQ(entries[i].change->subject, "P" + std::to_string(sequence - 1)) << i;
        EXPECT_EQ(entries[i].paperCount, 3 + sequence - 1) << i;
    }
    // Entries 1 to 3 are gone with all their files.
    auto listing = files.ListFolder(kHistory);
    ASSERT_TRUE(listing);
    EXPECT_EQ(listing->size(), static_cast<size_t>(history::kMaxEntries) + 2);
    EXPECT_EQ(files.Get(kHistory + "\\notes.txt"), "mine");
    EXPECT_EQ(files.Get(kHistory + "\\old sets\\kvx510ed.txt"), "mine too");
    for (const char* gone : {"000001-", "000002-", "000003-"})
        for (const auto& item : *listing) EXPECT_NE(item.name.rfind(gone, 0), 0u) << item.name;
}

TEST_F(History, TheNumberOrdersEntriesWhenTheClockIsPutBack) {
    ASSERT_TRUE(set.Delete(1).Ok());
    clock.now = {2024, 6, 12, 13, 30, 0};  // an hour back, as when summer time ends
    ASSERT_TRUE(set.Delete(1).Ok());
    EXPECT_EQ(Ids(),
              (std::vector<std::string>{"000002-20240612-133000", "000001-20240612-143000"}));
}

TEST_F(History, RestoreInstallsTheEntryExactlyAndKeepsTheSetItReplaces) {
    const paperset::SetBytes original = Installed();
    ASSERT_TRUE(set.Delete(1).Ok());
    const paperset::SetBytes afterDelete = Installed();
    const std::string id = history.Entries()[0].id;

    paperset::LoadResult load;
    load.tooMany = true;
    const auto result = history.Restore(set, id, &load);
    ASSERT_TRUE(result.Ok()) << result.reason;
    EXPECT_EQ(result.index, 0);
    EXPECT_FALSE(load.tooMany);
    EXPECT_EQ(Installed().bytes, original.bytes);  // byte for byte, no build
    EXPECT_EQ(builds, 1);
    // The table is read anew from the driver folder: the deleted paper is back.
    EXPECT_EQ(Names(), (std::vector<std::string>{"B0 mm", "U0 mm", "U1 mm", "U2 mm"}));

    const auto entries = history.Entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].change->kind, Kind::Restored);
    EXPECT_EQ(entries[0].change->subject, id);
    EXPECT_EQ(entries[0].paperCount, 2);
    // The restore itself can be undone.
    ASSERT_TRUE(history.Restore(set, entries[0].id).Ok());
    EXPECT_EQ(Installed().bytes, afterDelete.bytes);
    EXPECT_EQ(Names(), (std::vector<std::string>{"B0 mm", "U1 mm", "U2 mm"}));
    EXPECT_EQ(history.Entries().size(), 3u);
}

TEST_F(History, ADamagedEntryIsMarkedAndRefusedWhileTheOthersStayUsable) {
    struct Damage {
        const char* what;
        std::function<void(HistoryRun&, const std::string& folder)> spoil;
        std::string reason;
    };
    const Damage damages[] = {
        {"table removed",
         [](HistoryRun& t, const std::string& f) { t.files.DeleteFile(f + "\\kvx510ed.lyt"); },
         "kvx510ed.lyt is missing"},
        {"paper data cut short",
         [](HistoryRun& t, const std::string& f) { t.files.Put(f + "\\lty5141.bin", "installed"); },
         "lty5141.bin is damaged"},
        {"source changed in place",
         [](HistoryRun& t, const std::string& f) {
             std::string source = *t.files.Get(f + "\\kvx510ed.txt");
             source[source.size() / 2] ^= 1;
             t.files.Put(f + "\\kvx510ed.txt", source);
         },
         "kvx510ed.txt is damaged"},
        {"description unreadable",
         [](HistoryRun& t, const std::string& f) { t.files.Put(f + "\\entry.ini", "[Entry]\r\n"); },
         "its description cannot be read"},
        {"description names a file outside",
         [](HistoryRun& t, const std::string& f) {
             std::string text = *t.files.Get(f + "\\entry.ini");
             text.replace(text.find("Table=kvx510ed.lyt"), 18, "Table=..\\kvx510ed.lyt");
             t.files.Put(f + "\\entry.ini", text);
         },
         "its description cannot be read"},
    };
    for (const auto& d : damages) {
        HistoryRun t;
        ASSERT_TRUE(t.set.Delete(1).Ok());
        ASSERT_TRUE(t.set.Delete(1).Ok());
        const auto ids = t.Ids();
        d.spoil(t, kHistory + "\\" + ids[1]);
        const paperset::SetBytes installed = t.Installed();

        const auto entries = t.history.Entries();
        ASSERT_EQ(entries.size(), 2u) << d.what;
        EXPECT_FALSE(entries[0].damaged) << d.what;
        EXPECT_TRUE(entries[1].damaged) << d.what;
        EXPECT_EQ(entries[1].damage, d.reason) << d.what;
        const auto refused = t.history.Restore(t.set, ids[1]);
        EXPECT_EQ(refused.status, ChangeStatus::Refused) << d.what;
        EXPECT_EQ(refused.reason, "the history entry is damaged: " + d.reason) << d.what;
        EXPECT_EQ(t.Installed().bytes, installed.bytes) << d.what;
        EXPECT_EQ(t.history.Entries().size(), 2u) << d.what;

        EXPECT_TRUE(t.history.Restore(t.set, ids[0]).Ok()) << d.what;
    }
}

// Sets that were kept whole but cannot be installed again.
TEST_F(History, AKeptSetThatIsNoWholeSourceOfTheModelCannotBeRestored) {
    std::string otherModel = UserSource(2);
    otherModel.replace(otherModel.find("kvx510ed.lyt"), 12, "kvx520ed.lyt");
    std::string noDevice = UserSource(2);
    noDevice.replace(noDevice.find("[Model]"), 7, "[Modell]");
    struct Case {
        const char* what;
        paperset::SetBytes bytes;
        std::string reason;
    };
    const Case cases[] = {
        {"another model's source",
         {{otherModel, "t", "d"}},
         "the source text is not one of kvx510"},
        {"no device section",
         {{noDevice, "t", "d"}},
         "the device section of the source text does not read"},
        {"no source was installed", {{std::nullopt, "t", "d"}}, "the source text is missing"},
    };
    for (const auto& c : cases) {
        HistoryRun t;
        const paperset::SetPaths paths{{kSource, kTable, kData}};
        ASSERT_TRUE(t.history.Keep({paths, c.bytes}, {Kind::Added, "X"}).Ok()) << c.what;
        const auto entries = t.history.Entries();
        ASSERT_EQ(entries.size(), 1u) << c.what;
        EXPECT_TRUE(entries[0].damaged) << c.what;
        EXPECT_EQ(entries[0].damage, c.reason) << c.what;
        EXPECT_EQ(t.history.Restore(t.set, entries[0].id).status, ChangeStatus::Refused) << c.what;
        EXPECT_EQ(t.files.Get(kTable), "installed table") << c.what;
    }
}

// Until the first change after an installation the driver folder holds the user
// source alone; such a set comes back with a table and paper data built from it.
TEST_F(History, ASetKeptWithoutItsTableAndDataIsBuiltFromItsSourceOnRestore) {
    const std::string shipped = UserSource(2);
    const paperset::SetPaths paths{{kSource, kTable, kData}};
    const paperset::SetBytes sourceAlone{{shipped, std::nullopt, std::nullopt}};
    for (const auto& kept : {sourceAlone, paperset::SetBytes{{shipped, "t", std::nullopt}}}) {
        HistoryRun t;
        ASSERT_TRUE(t.history.Keep({paths, kept}, {Kind::Added, "X"}).Ok());
        const auto entries = t.history.Entries();
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_FALSE(entries[0].damaged) << entries[0].damage;

        const auto restored = t.history.Restore(t.set, entries[0].id);
        ASSERT_TRUE(restored.Ok()) << restored.reason;
        EXPECT_EQ(t.builds, 1);
        EXPECT_EQ(t.Installed().bytes, (paperset::SetBytes{{shipped, "table 1", "data 1"}}.bytes));
        EXPECT_EQ(t.Names(), (std::vector<std::string>{"B0 mm", "U0 mm", "U1 mm"}));
    }
}

TEST_F(History, AnUnknownEntryIsRefused) {
    ASSERT_TRUE(set.Delete(1).Ok());
    for (const char* id : {"000002-20240612-143000", "", "..", "000001-20240612-143001"}) {
        const auto result = history.Restore(set, id);
        EXPECT_EQ(result.status, ChangeStatus::Refused) << id;
        EXPECT_EQ(result.reason, std::string("no history entry ") + id);
    }
}

TEST_F(History, AnEntryWithoutItsDescriptionIsNoEntryAndGoesAtTheNextKeep) {
    ASSERT_TRUE(set.Delete(1).Ok());
    const std::string first = kHistory + "\\" + Ids()[0];
    files.DeleteFile(first + "\\entry.ini");  // as if the keep had stopped short
    EXPECT_FALSE(history.HasEntries());
    EXPECT_TRUE(history.Entries().empty());
    EXPECT_EQ(history.Restore(set, Ids().empty() ? "000001-20240612-143000" : Ids()[0]).status,
              ChangeStatus::Refused);

    ASSERT_TRUE(set.Delete(1).Ok());
    EXPECT_EQ(Ids(), std::vector<std::string>{"000002-20240612-143001"});
    EXPECT_FALSE(files.HasFolder(first));
    EXPECT_TRUE(files.FilesUnder(first).empty());
}

TEST_F(History, AHistoryThatCannotBeWrittenStopsTheChange) {
    const std::string entry = kHistory + "\\000001-20240612-143000";
    const std::pair<const char*, std::function<void(HistoryRun&)>> failures[] = {
        {"history folder", [](HistoryRun& t) { t.files.FailCreateFolder(kDriver + "\\history"); }},
        {"model folder", [](HistoryRun& t) { t.files.FailCreateFolder(kHistory); }},
        {"entry folder", [&](HistoryRun& t) { t.files.FailCreateFolder(entry); }},
        {"kept file", [&](HistoryRun& t) { t.files.FailWrite(entry + "\\lty5141.bin"); }},
        {"description", [&](HistoryRun& t) { t.files.FailWrite(entry + "\\entry.ini"); }},
        {"history a file",
         [](HistoryRun& t) { t.files.Put(kDriver + "\\history", "a file of that name"); }},
    };
    for (const auto& [what, arrange] : failures) {
        HistoryRun t;
        arrange(t);
        const paperset::SetBytes before = t.Installed();
        const auto result = t.set.Delete(1);
        EXPECT_EQ(result.status, ChangeStatus::Failed) << what;
        EXPECT_EQ(result.reason, "cannot write the history folder " + kHistory) << what;
        EXPECT_EQ(t.Installed().bytes, before.bytes) << what;
        EXPECT_EQ(t.Names(), (std::vector<std::string>{"B0 mm", "U0 mm", "U1 mm", "U2 mm"}))
            << what;
        EXPECT_TRUE(t.files.FilesUnder(kHistory).empty()) << what;
        EXPECT_FALSE(t.history.HasEntries()) << what;
    }
}

TEST_F(History, AChangeThatFailsAfterItsSetWasKeptLeavesNoEntry) {
    ASSERT_TRUE(set.Delete(1).Ok());
    files.FailCopy(kData);
    EXPECT_EQ(set.Delete(1).status, ChangeStatus::Failed);
    EXPECT_EQ(Ids(), std::vector<std::string>{"000001-20240612-143000"});
    EXPECT_EQ(files.ListFolder(kHistory)->size(), 1u);
}

TEST_F(History, EachModelKeepsItsOwnEntries) {
    history::History other(files, clock, kDriver, "kvx520");
    files.Put(kDriver + "\\history\\kvx520\\000001-20240101-000000\\entry.ini", "[Entry]\r\n");
    ASSERT_TRUE(set.Delete(1).Ok());
    EXPECT_EQ(other.Folder(), kDriver + "\\history\\kvx520");
    ASSERT_EQ(other.Entries().size(), 1u);
    EXPECT_EQ(other.Entries()[0].id, "000001-20240101-000000");
    // kvx510 numbered its entry on its own and left kvx520's alone.
    EXPECT_EQ(Ids(), std::vector<std::string>{"000001-20240612-143000"});
    EXPECT_EQ(history.Restore(set, "000001-20240101-000000").status, ChangeStatus::Refused);
    EXPECT_TRUE(files.Has(kDriver + "\\history\\kvx520\\000001-20240101-000000\\entry.ini"));
}

}  // namespace
