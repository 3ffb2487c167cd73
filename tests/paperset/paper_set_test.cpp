// The paper set: every change edits the table, builds and installs it, and on any
// failure leaves both the table and the driver folder as they were.
#include "paperset/paper_set.h"

#include <gtest/gtest.h>

#include "papertable/profile.h"
#include "tests/paperset/stand_in_paper_set.h"
#include "tests/velkor/mainwindow/source_text.h"

namespace {

using paperset::ChangeDescription;
using paperset::ChangeStatus;
using papertable::ProfileFile;

using settest::kData;
using settest::kDriver;
using settest::kSource;
using settest::kTable;

struct RecordingKeeper : paperset::ReplacedSetKeeper {
    std::vector<std::pair<paperset::ReplacedSet, ChangeDescription>> kept;
    std::string failure;
    int withdrawn = 0;
    void Withdraw() override { ++withdrawn; }
    paperset::Outcome Keep(const paperset::ReplacedSet& replaced,
                           const ChangeDescription& change) override {
        if (!failure.empty()) return paperset::Outcome::Failed(failure);
        kept.emplace_back(replaced, change);
        return {};
    }
};

struct SetRun : settest::StandInPaperSet {
    RecordingKeeper keeper;

    SetRun() : StandInPaperSet(&keeper) {
        const std::string builtIn = mwtest::SourceText({{"B0 mm", "B0 in"}}, true);
        const std::string user = mwtest::SourceText({{"U0 mm", "U0 in", 75, 500, 300, 2, 0, 513},
                                                     {"U1 mm", "U1 in", 75, 600, 300, 2, 0, 514}},
                                                    true);
        files.Put(kDriver + "\\kvx510ad.txt", builtIn);
        files.Put(kSource, user);
        files.Put(kTable, "installed table");
        files.Put(kData, "installed data");
        set.Load(ProfileFile::Parse(builtIn), ProfileFile::Parse(user), false);
    }
    std::string Installed() { return files.Get(kSource).value_or(""); }
};

struct PaperSetTest : ::testing::Test, SetRun {};

TEST_F(PaperSetTest, EachChangeInstallsTheTableAndKeepsWhatItReplaced) {
    struct Case {
        const char* what;
        std::function<paperset::ChangeResult(SetRun&)> change;
        std::vector<std::string> names;
        int index;
        ChangeDescription description;
    };
    const Case cases[] = {
        {"add",
         [](SetRun& t) { return t.set.Add(t.Paper("Roll 58")); },
         {"B0 mm", "U0 mm", "U1 mm", "Roll 58"},
         3,
         {ChangeDescription::Kind::Added, "Roll 58"}},
        {"overwrite",
         [](SetRun& t) { return t.set.Overwrite(2, t.Paper("Wider")); },
         {"B0 mm", "U0 mm", "Wider"},
         2,
         {ChangeDescription::Kind::Overwritten, "Wider"}},
        {"delete",
         [](SetRun& t) { return t.set.Delete(1); },
         {"B0 mm", "U1 mm"},
         1,
         {ChangeDescription::Kind::Deleted, "U0 mm"}},
    };
    for (const auto& c : cases) {
        SetRun t;
        const std::string before = t.Installed();
        const auto result = c.change(t);
        ASSERT_TRUE(result.Ok()) << c.what << ": " << result.reason;
        EXPECT_EQ(result.index, c.index) << c.what;
        EXPECT_EQ(t.Names(), c.names) << c.what;
        for (size_t i = 1; i < c.names.size(); ++i)
            EXPECT_EQ(t.Installed().find(c.names[i]) != std::string::npos, true) << c.what;
        EXPECT_EQ(t.files.Get(kTable), "table 1") << c.what;
        EXPECT_EQ(t.files.Get(kData), "data 1") << c.what;
        ASSERT_EQ(t.keeper.kept.size(), 1u) << c.what;
        const auto& [replaced, description] = t.keeper.kept[0];
        EXPECT_EQ(replaced.bytes.bytes[0], before) << c.what;
        EXPECT_EQ(replaced.bytes.bytes[1], "installed table") << c.what;
        EXPECT_EQ(replaced.bytes.bytes[2], "installed data") << c.what;
        EXPECT_EQ(replaced.paths.paths[0], kSource) << c.what;
        EXPECT_EQ(description.kind, c.description.kind) << c.what;
        EXPECT_EQ(description.subject, c.description.subject) << c.what;
    }
}

// Whatever fails, the table matches the driver folder, which holds the previous set.
TEST_F(PaperSetTest, AFailedChangeLeavesTableAndDriverFolderAsTheyWere) {
    struct Failure {
        const char* what;
        std::function<void(SetRun&)> arrange;
    };
    const Failure failures[] = {
        {"temporary source not writable",
         [](SetRun& t) { t.files.FailWrite("C:\\Temp\\kvx510ed.txt"); }},
        {"converter library missing",
         [](SetRun& t) {
             t.processes.onRun = [&t](const std::string& line) {
                 if (line.find("pc.exe") != std::string::npos)
                     t.files.Put("C:\\Temp\\kvx510ed.lyt", "table");
                 if (line.find("cv.exe") != std::string::npos)
                     t.files.Put("C:\\Temp\\lty5141.bin.log", "error: cannot load kvx500i3.dll\n");
             };
         }},
        {"second copy", [](SetRun& t) { t.files.FailCopy(kTable); }},
        {"third copy", [](SetRun& t) { t.files.FailCopy(kData); }},
        {"keeper", [](SetRun& t) { t.keeper.failure = "cannot write the history"; }},
    };
    const std::function<paperset::ChangeResult(SetRun&)> changes[] = {
        [](SetRun& t) { return t.set.Add(t.Paper("Roll 58")); },
        [](SetRun& t) { return t.set.Overwrite(2, t.Paper("Wider")); },
        [](SetRun& t) { return t.set.Delete(1); },
    };
    for (const auto& failure : failures) {
        for (size_t i = 0; i < std::size(changes); ++i) {
            SetRun t;
            failure.arrange(t);
            const auto table = std::make_unique<papertable::PaperTable>(t.set.Table());
            const auto source = t.files.Get(kSource);
            const auto result = changes[i](t);
            EXPECT_EQ(result.status, ChangeStatus::Failed) << failure.what << " " << i;
            EXPECT_FALSE(result.reason.empty()) << failure.what;
            EXPECT_TRUE(t.set.Table() == *table) << failure.what << " " << i;
            EXPECT_EQ(t.files.Get(kSource), source) << failure.what << " " << i;
            EXPECT_EQ(t.files.Get(kTable), "installed table") << failure.what << " " << i;
            EXPECT_EQ(t.files.Get(kData), "installed data") << failure.what << " " << i;
        }
    }
}

TEST_F(PaperSetTest, TheReasonNamesWhatFailed) {
    files.FailWrite("C:\\Temp\\kvx510ed.txt");
    EXPECT_EQ(set.Delete(1).reason, "cannot write C:\\Temp\\kvx510ed.txt");
    keeper.failure = "the history folder cannot be written";
    files = fakes::FakeFileSystem();
    files.Put(kDriver + "\\kvx510ad.txt", "");
    EXPECT_EQ(set.Delete(1).reason, "the history folder cannot be written");
}

TEST_F(PaperSetTest, ImpossibleChangesAreRefusedWithoutABuild) {
    struct Case {
        const char* what;
        std::function<paperset::ChangeResult(SetRun&)> change;
    };
    const Case cases[] = {
        {"delete a built-in paper", [](SetRun& t) { return t.set.Delete(0); }},
        {"delete past the end", [](SetRun& t) { return t.set.Delete(3); }},
        {"overwrite a built-in paper", [](SetRun& t) { return t.set.Overwrite(0, t.Paper("X")); }},
        {"overwrite nothing", [](SetRun& t) { return t.set.Overwrite(-1, t.Paper("X")); }},
        {"delete a locked paper",
         [](SetRun& t) {
             t.set.Table().papers[1].editLocked = true;
             return t.set.Delete(1);
         }},
        {"overwrite a locked paper",
         [](SetRun& t) {
             t.set.Table().papers[2].editLocked = true;
             return t.set.Overwrite(2, t.Paper("X"));
         }},
        {"add to a full table",
         [](SetRun& t) {
             t.set.Table().paperCount = papertable::kMaxPapers;
             return t.set.Add(t.Paper("X"));
         }},
    };
    for (const auto& c : cases) {
        SetRun t;
        EXPECT_EQ(c.change(t).status, ChangeStatus::Refused) << c.what;
        EXPECT_TRUE(t.processes.runs.empty()) << c.what;
        EXPECT_TRUE(t.keeper.kept.empty()) << c.what;
    }
}

TEST_F(PaperSetTest, OpensFromTheDriverFoldersTwoSources) {
    SetRun t;
    const auto opened = t.set.Open(true);
    ASSERT_TRUE(opened);
    EXPECT_FALSE(opened->tooMany);
    EXPECT_EQ(t.Names(), (std::vector<std::string>{"B0 in", "U0 in", "U1 in"}));
    t.files.DeleteFile(kSource);
    EXPECT_FALSE(t.set.Open(false));
    EXPECT_EQ(t.set.Table().paperCount, 3);  // nothing loaded
}

TEST_F(PaperSetTest, ImportInstallsTheChosenFileAsItIs) {
    const std::string chosen =
        mwtest::SourceText({{"I0 mm", "I0 in"}, {"I1 mm", "I1 in"}, {"I2 mm", "I2 in"}}, true) +
        "; a comment the file keeps\n";
    files.Put("D:\\set510.txt", chosen);
    const auto result = set.Import("D:\\set510.txt", false);
    ASSERT_TRUE(result.Ok()) << result.reason;
    EXPECT_EQ(Names(), (std::vector<std::string>{"B0 mm", "I0 mm", "I1 mm", "I2 mm"}));
    EXPECT_EQ(Installed(), chosen);
    ASSERT_EQ(keeper.kept.size(), 1u);
    EXPECT_EQ(keeper.kept[0].second.kind, ChangeDescription::Kind::Imported);
    EXPECT_EQ(keeper.kept[0].second.subject, "set510.txt");
}

TEST_F(PaperSetTest, AnInstallThatFailsAfterTheKeepWithdrawsIt) {
    files.FailCopy(kData);
    EXPECT_EQ(set.Delete(1).status, ChangeStatus::Failed);
    EXPECT_EQ(keeper.kept.size(), 1u);
    EXPECT_EQ(keeper.withdrawn, 1);
    keeper.failure = "no room";
    EXPECT_EQ(set.Delete(1).status, ChangeStatus::Failed);
    EXPECT_EQ(keeper.withdrawn, 1);  // nothing was kept that time
}

// A kept set: two user papers, with the device codes of the data name lty5141.bin.
paperset::SetBytes KeptSet(const std::string& device = mwtest::DeviceSections()) {
    std::string source = device;
    source += mwtest::PaperSection(0, {"K0 mm", "K0 in", 75, 500, 300, 2, 0, 513});
    source += mwtest::PaperSection(1, {"K1 mm", "K1 in", 75, 500, 300, 2, 0, 514});
    return {{source + "; kept as it was\n", "kept table", "kept data"}};
}

TEST_F(PaperSetTest, RestoreInstallsTheKeptBytesAsTheyAreAndReadsTheTableAnew) {
    const std::string before = Installed();
    const paperset::SetBytes kept = KeptSet();
    const auto result = set.Restore(kept, {ChangeDescription::Kind::Restored, "000001"});
    ASSERT_TRUE(result.Ok()) << result.reason;
    EXPECT_EQ(result.index, 0);
    EXPECT_EQ(files.Get(kSource), kept.bytes[0]);
    EXPECT_EQ(files.Get(kTable), "kept table");
    EXPECT_EQ(files.Get(kData), "kept data");
    EXPECT_TRUE(processes.runs.empty());
    EXPECT_EQ(Names(), (std::vector<std::string>{"B0 mm", "K0 mm", "K1 mm"}));
    ASSERT_EQ(keeper.kept.size(), 1u);
    EXPECT_EQ(keeper.kept[0].first.bytes.bytes[0], before);
    EXPECT_EQ(keeper.kept[0].first.bytes.bytes[1], "installed table");
    EXPECT_EQ(keeper.kept[0].second.kind, ChangeDescription::Kind::Restored);
    EXPECT_EQ(keeper.kept[0].second.subject, "000001");

    // The paper data goes under the name of the kept source's codes.
    std::string device = mwtest::DeviceSections();
    device.replace(device.find("bySeriesCode=0x41"), 17, "bySeriesCode=0x42");
    device.replace(device.find("byModelCode=0x51"), 16, "byModelCode=0x52");
    ASSERT_TRUE(set.Restore(KeptSet(device), {ChangeDescription::Kind::Restored, "2"}).Ok());
    EXPECT_EQ(files.Get(kDriver + "\\lty5242.bin"), "kept data");
    EXPECT_EQ(files.Get(kData), "kept data");  // from the first restore
}

TEST_F(PaperSetTest, ARestoreThatFailsOrIsRefusedChangesNothing) {
    paperset::SetBytes otherModel = KeptSet();
    auto& source = *otherModel.bytes[0];
    source.replace(source.find("kvx510ed.lyt"), 12, "kvx520ed.lyt");
    paperset::SetBytes noSource = KeptSet();
    noSource.bytes[0].reset();
    paperset::SetBytes sourceAlone = KeptSet();
    sourceAlone.bytes[1].reset();
    sourceAlone.bytes[2].reset();
    struct Case {
        const char* what;
        paperset::SetBytes set;
        std::function<void(SetRun&)> arrange;
        ChangeStatus status;
    };
    const Case cases[] = {
        {"another model", otherModel, [](SetRun&) {}, ChangeStatus::Refused},
        {"no source", noSource, [](SetRun&) {}, ChangeStatus::Refused},
        {"the build of a source kept alone", sourceAlone,
         [](SetRun& t) { t.processes.onRun = [](const std::string&) {}; }, ChangeStatus::Failed},
        {"temporary table not writable", KeptSet(),
         [](SetRun& t) { t.files.FailWrite("C:\\Temp\\kvx510ed.lyt"); }, ChangeStatus::Failed},
        {"keeper", KeptSet(), [](SetRun& t) { t.keeper.failure = "full"; }, ChangeStatus::Failed},
        {"third copy", KeptSet(), [](SetRun& t) { t.files.FailCopy(kData); }, ChangeStatus::Failed},
    };
    for (const auto& c : cases) {
        SetRun t;
        c.arrange(t);
        const auto table = std::make_unique<papertable::PaperTable>(t.set.Table());
        const auto source = t.files.Get(kSource);
        const auto result = t.set.Restore(c.set, {ChangeDescription::Kind::Restored, "1"});
        EXPECT_EQ(result.status, c.status) << c.what;
        EXPECT_FALSE(result.reason.empty()) << c.what;
        EXPECT_TRUE(t.set.Table() == *table) << c.what;
        EXPECT_EQ(t.files.Get(kSource), source) << c.what;
        EXPECT_EQ(t.files.Get(kTable), "installed table") << c.what;
        EXPECT_EQ(t.files.Get(kData), "installed data") << c.what;
    }
}

TEST_F(PaperSetTest, ExportCopiesAllThreeOrNothing) {
    ASSERT_TRUE(set.Export("E:\\Out").Ok());
    EXPECT_TRUE(files.Has("E:\\Out\\kvx510ed.txt"));
    EXPECT_EQ(files.Get("E:\\Out\\kvx510ed.lyt"), "table 1");
    EXPECT_EQ(files.Get("E:\\Out\\lty5141.bin"), "data 1");
    EXPECT_TRUE(keeper.kept.empty());  // the driver folder is not touched
    EXPECT_TRUE(set.ExportWouldOverwrite("E:\\Out"));

    files.FailCopy("F:\\Out\\lty5141.bin");
    EXPECT_EQ(set.Export("F:\\Out").reason, "cannot replace F:\\Out\\lty5141.bin");
    EXPECT_FALSE(files.Has("F:\\Out\\kvx510ed.txt"));
    EXPECT_FALSE(set.ExportWouldOverwrite("F:\\Out"));
}

TEST_F(PaperSetTest, ASinglePaperBuildLeavesOnlyItsPaperData) {
    const auto built = set.BuildSinglePaper(1);
    ASSERT_TRUE(built.outcome.Ok());
    EXPECT_FALSE(files.Has(built.files.tempSource));
    EXPECT_FALSE(files.Has(built.files.tempTable));
    EXPECT_TRUE(files.Has(built.files.tempPaperData));
    EXPECT_FALSE(set.BuildSinglePaper(7).outcome.Ok());
    EXPECT_FALSE(files.Has(built.files.tempPaperData));
}

}  // namespace
