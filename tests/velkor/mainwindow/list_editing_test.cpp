// Adding, editing and deleting papers from the main window, with the real paper
// editor driven by scripts and the tools standing in through the fakes.
#include <gtest/gtest.h>

#include <algorithm>

#include "resources/resource_ids.h"
#include "tests/fakes/fake_services.h"
#include "tests/support/headless.h"
#include "tests/velkor/mainwindow/source_text.h"
#include "velkor/mainwindow/tarnel_dlg.h"
#include "win/codepage.h"

namespace {

using mwtest::TestPaper;
using win::headless::HeadlessWindow;
using Lines = std::vector<std::string>;

const std::string kProgramFolder = "C:\\Program Files\\Mertavo";
const std::string kDriverFolder = "C:\\windows\\system32\\spool\\drivers\\x64\\3";
const std::string kBuiltIn = kDriverFolder + "\\kvx510ad.txt";
const std::string kUser = kDriverFolder + "\\kvx510ed.txt";
const std::string kTable = kDriverFolder + "\\kvx510ed.lyt";
const std::string kPaperData = kDriverFolder + "\\lty5141.bin";

TestPaper Paper(const std::string& name, int size, int type = 75) {
    TestPaper p{name + " mm", name + " in", type, 500, 300};
    p.size = size;
    return p;
}

// Built-in A and B, then user papers C to G (identifiers 513, 514, 516, 517, 518).
std::vector<TestPaper> UserPapers() {
    return {Paper("User C", 513), Paper("User D", 514), Paper("User E", 516), Paper("User F", 517),
            Paper("User G", 518)};
}

// A run of the main window against fakes.
struct MainWindowRun : fakes::FakeServices<> {
    win::headless::HeadlessUi ui;
    mainwindow::MainWindowArgs args{"kvx510", false, papertable::k203DpiLimits, "Shelf"};
    std::unique_ptr<mainwindow::CTarnelDlg> dialog;

    MainWindowRun() {
        files.Put(kProgramFolder + "\\kvx500cv.exe", "");
        files.Put(kProgramFolder + "\\kvx500pc.exe", "");
        TestPaper builtInA = Paper("Built-in A", 256);
        builtInA.width = 720;
        builtInA.energy = 5;
        builtInA.ability01 = 0x10;
        SetSources({builtInA, Paper("Built-in B", 257, 74)}, UserPapers());
        // The tools stand in by leaving their outputs in the temporary folder.
        processes.onRun = [this](const std::string& commandLine) {
            if (commandLine.find("pc.exe") != std::string::npos)
                files.Put("C:\\Temp\\kvx510ed.lyt",
                          "table " + *files.Get("C:\\Temp\\kvx510ed.txt"));
            if (commandLine.find("cv.exe") != std::string::npos)
                files.Put("C:\\Temp\\lty5141.bin", "data");
        };
    }
    void SetSources(const std::vector<TestPaper>& builtIn, const std::vector<TestPaper>& user) {
        files.Put(kBuiltIn, mwtest::SourceText(builtIn, false));
        files.Put(kUser, mwtest::SourceText(user, true));
    }
    mainwindow::MainWindowState& State() { return dialog->State(); }
    int Open(const std::function<void(HeadlessWindow&)>& script) {
        dialog = std::make_unique<mainwindow::CTarnelDlg>(ui, services, args);
        ui.OnDialog(IDD_MAIN, script);
        return dialog->RunModal(nullptr);
    }
    // An editor script: a die-cut label of valid sizes named `name`, stored by
    // `button` (OK: as new, IDC_ED_OVERWRITE: over the edited paper).
    win::headless::HeadlessUi::Script Store(const std::string& name, int button) {
        return [this, name, button](HeadlessWindow& e) {
            e.Choose(IDC_ED_KIND, 1);
            e.Type(IDC_ED_NAME, name);
            const std::pair<int, const char*> fields[] = {
                {IDC_ED_WIDTH, "62.0"}, {IDC_ED_LENGTH, "40.0"}, {IDC_ED_GAP, "3.0"},
                {IDC_ED_LEFT, "3.0"},   {IDC_ED_RIGHT, "3.0"},   {IDC_ED_TOP, "3.0"},
                {IDC_ED_BOTTOM, "3.0"},
            };
            for (const auto& [id, text] : fields) e.Type(id, text);
            e.Click(button);
            EXPECT_TRUE(e.Ended()) << "the editor stayed open: "
                                   << (ui.messages.empty() ? "" : ui.messages.back().text);
        };
    }
    static std::string Name(const papertable::PaperRecord& r) {
        return win::WideToAnsi(r.szPaperName_mm, 64).value_or("");
    }
    int EditorRuns() const {
        return static_cast<int>(std::count(ui.modalRuns.begin(), ui.modalRuns.end(), IDD_EDITOR));
    }
    std::string Installed() { return files.Get(kUser).value_or(""); }
};

struct ListEditing : ::testing::Test, MainWindowRun {};

TEST_F(ListEditing, AddingWhileABuiltInPaperIsSelectedMakesAUserPaperFromIt) {
    Open([&](HeadlessWindow& w) {
        ASSERT_EQ(w.Selection(IDC_MAIN_LIST), 0);
        const auto builtIn = State().Table().papers[0];
        ui.OnDialog(IDD_EDITOR, [&](HeadlessWindow& e) {
            // What the editor opened on: the prepared working copy.
            const auto& working = State().workingRecord;
            EXPECT_FALSE(working.builtIn);
            EXPECT_EQ(Name(working), ui.strings[IDS_NEW_PAPER_NAME]);
            EXPECT_EQ(win::WideToAnsi(working.szPaperName_inch, 64),
                      ui.strings[IDS_NEW_PAPER_NAME]);
            EXPECT_EQ(working.nPaperSize, 515);
            auto carried = builtIn;
            carried.builtIn = false;
            carried.szPaperName_mm = working.szPaperName_mm;
            carried.szPaperName_inch = working.szPaperName_inch;
            carried.nPaperSize = 515;
            EXPECT_EQ(working, carried);
            // The Add column of the hand-over.
            EXPECT_EQ(e.title, ui.strings[IDS_EDITOR_NEW]);
            EXPECT_TRUE(e.IsEnabled(win::kIdOk));
            EXPECT_FALSE(e.IsVisible(IDC_ED_OVERWRITE));
            EXPECT_EQ(e.Text(IDC_ED_NAME), ui.strings[IDS_NEW_PAPER_NAME]);
            EXPECT_EQ(e.Text(IDC_ED_WIDTH), "72.0");
            Store("Label 62", win::kIdOk)(e);
        });
        w.Click(IDC_MAIN_ADD);

        EXPECT_EQ(State().Table().paperCount, 8);
        EXPECT_EQ(w.Control(IDC_MAIN_LIST).items.back(), "Label 62");
        EXPECT_EQ(w.Control(IDC_MAIN_LIST).items.size(), 8u);
        EXPECT_EQ(w.Selection(IDC_MAIN_LIST), 7);
        EXPECT_EQ(State().currentIndex, 7);
        EXPECT_TRUE(State().tableChanged);
        const auto& added = State().Table().papers[7];
        EXPECT_EQ(Name(added), "Label 62");
        EXPECT_EQ(added.nPaperSize, 515);
        EXPECT_EQ(added.byEnergyRank, 5);  // carried through from the built-in paper
        EXPECT_FALSE(added.builtIn);
        EXPECT_EQ(State().workingRecord, added);
        EXPECT_EQ(w.Text(IDC_MAIN_WIDTH), "62.0 mm");
        EXPECT_EQ(w.Text(IDC_MAIN_LENGTH), "40.0 mm");
        EXPECT_TRUE(w.IsEnabled(IDC_MAIN_EDIT));
        EXPECT_TRUE(w.IsEnabled(IDC_MAIN_DELETE));
        // The editor installed the table with the new paper.
        EXPECT_NE(Installed().find("Label 62"), std::string::npos);
        EXPECT_TRUE(files.Has(kTable));
        EXPECT_TRUE(files.Has(kPaperData));
        w.Click(win::kIdOk);
    });
    // Closing after the change shows the note once.
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, ui.strings[IDS_CHANGED_NOTICE]);
    EXPECT_EQ(ui.messages[0].kind, win::MessageKind::Information);
}

TEST_F(ListEditing, CancellingTheEditorLeavesListSelectionAndChangeFlag) {
    for (int button : {IDC_MAIN_ADD, IDC_MAIN_EDIT}) {
        ui.OnDialog(IDD_EDITOR, [](HeadlessWindow& e) {
            e.Type(IDC_ED_NAME, "Half done");
            e.Click(win::kIdCancel);
        });
        Open([&](HeadlessWindow& w) {
            w.Choose(IDC_MAIN_LIST, 3);
            const Lines lines = w.Control(IDC_MAIN_LIST).items;
            const int fits = w.Control(IDC_MAIN_LIST).extentFits;
            w.Click(button);
            EXPECT_EQ(EditorRuns(), 1) << button;
            EXPECT_EQ(w.Control(IDC_MAIN_LIST).items, lines) << button;
            EXPECT_EQ(w.Selection(IDC_MAIN_LIST), 3) << button;
            EXPECT_EQ(w.Control(IDC_MAIN_LIST).extentFits, fits + 1) << button;
            EXPECT_EQ(State().Table().paperCount, 7) << button;
            EXPECT_FALSE(State().tableChanged) << button;
            // The half-prepared working copy does not survive.
            EXPECT_EQ(State().workingRecord, State().Table().papers[3]) << button;
            w.Click(win::kIdOk);
        });
        EXPECT_TRUE(processes.runs.empty());
        EXPECT_TRUE(ui.messages.empty()) << ui.messages[0].text;
        ui.modalRuns.clear();
    }
}

TEST_F(ListEditing, AddingTheHundredthPaperDisablesAdd) {
    std::vector<TestPaper> builtIn(60, Paper("B", 256)), user;
    for (int i = 0; i < 39; ++i) user.push_back(Paper("U" + std::to_string(i), 513 + i));
    SetSources(builtIn, user);
    ui.OnDialog(IDD_EDITOR, Store("Hundredth", win::kIdOk));
    Open([&](HeadlessWindow& w) {
        EXPECT_TRUE(w.IsEnabled(IDC_MAIN_ADD));
        w.Click(IDC_MAIN_ADD);
        EXPECT_EQ(State().Table().paperCount, 100);
        EXPECT_TRUE(State().Table().tableFull);
        EXPECT_EQ(Name(State().Table().papers[99]), "Hundredth");
        EXPECT_EQ(State().Table().papers[99].nPaperSize, 552);
        EXPECT_EQ(w.Selection(IDC_MAIN_LIST), 99);
        EXPECT_FALSE(w.IsEnabled(IDC_MAIN_ADD));
        w.Click(IDC_MAIN_ADD);  // disabled: nothing opens
        EXPECT_EQ(EditorRuns(), 1);
    });
}

TEST_F(ListEditing, StoringOverAnEditedPaperKeepsItsLine) {
    Open([&](HeadlessWindow& w) {
        w.Choose(IDC_MAIN_LIST, 5);
        ui.OnDialog(IDD_EDITOR, [&](HeadlessWindow& e) {
            // The Edit column of the hand-over.
            EXPECT_EQ(e.title, ui.strings[IDS_EDITOR_EDIT]);
            EXPECT_FALSE(e.IsEnabled(win::kIdOk));
            EXPECT_TRUE(e.IsVisible(IDC_ED_OVERWRITE));
            EXPECT_EQ(e.Text(IDC_ED_NAME), "User F mm");
            Store("User F wider", IDC_ED_OVERWRITE)(e);
        });
        w.Click(IDC_MAIN_EDIT);
        EXPECT_EQ(State().Table().paperCount, 7);
        EXPECT_EQ(w.Control(IDC_MAIN_LIST).items,
                  (Lines{"Built-in A mm", "Built-in B mm", "User C mm", "User D mm", "User E mm",
                         "User F wider", "User G mm"}));
        EXPECT_EQ(w.Selection(IDC_MAIN_LIST), 5);
        EXPECT_EQ(State().Table().papers[5].nPaperSize, 517);
        EXPECT_EQ(State().Table().papers[5].nPaperWidth, 620);
        EXPECT_EQ(w.Text(IDC_MAIN_WIDTH), "62.0 mm");
        EXPECT_TRUE(State().tableChanged);
        EXPECT_NE(Installed().find("User F wider"), std::string::npos);
        EXPECT_EQ(Installed().find("User F mm"), std::string::npos);
    });
}

TEST_F(ListEditing, StoringAnEditedPaperAsNewAppendsAndSelectsIt) {
    Open([&](HeadlessWindow& w) {
        w.Choose(IDC_MAIN_LIST, 5);
        ui.OnDialog(IDD_EDITOR, Store("User F copy", win::kIdOk));
        w.Click(IDC_MAIN_EDIT);
        ASSERT_EQ(State().Table().paperCount, 8);
        ASSERT_EQ(w.Control(IDC_MAIN_LIST).items.size(), 8u);
        EXPECT_EQ(w.Control(IDC_MAIN_LIST).items[5], "User F mm");
        EXPECT_EQ(w.Control(IDC_MAIN_LIST).items[7], "User F copy");
        EXPECT_EQ(w.Selection(IDC_MAIN_LIST), 7);
        EXPECT_EQ(State().Table().papers[5].nPaperSize, 517);
        EXPECT_EQ(State().Table().papers[5].nPaperWidth, 500);
        EXPECT_EQ(State().Table().papers[7].nPaperSize, 515);
        EXPECT_TRUE(State().tableChanged);
    });
}

TEST_F(ListEditing, BuiltInPapersCannotBeEditedOrDeleted) {
    Open([&](HeadlessWindow&) {
        for (int id : {IDC_MAIN_EDIT, IDC_MAIN_DELETE}) {
            // Even a command that reaches the window past the disabled button.
            dialog->Dispatch({win::Event::Command, id});
        }
        EXPECT_EQ(EditorRuns(), 0);
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(State().Table().paperCount, 7);
    });
}

// Deleting: five user papers P0 to P4 and no built-in ones.
struct DeleteRun : MainWindowRun {
    DeleteRun() {
        std::vector<TestPaper> user;
        for (int i = 0; i < 5; ++i) user.push_back(Paper("P" + std::to_string(i), 513 + i));
        SetSources({}, user);
    }
    Lines ListLines(HeadlessWindow& w) { return w.Control(IDC_MAIN_LIST).items; }
};

struct Deleting : ::testing::Test, DeleteRun {};

TEST_F(Deleting, RemovesThePaperInstallsTheTableAndSelectsTheNext) {
    struct Case {
        int line;
        Lines left;
        int selected;
    };
    const Case cases[] = {
        {4, {"P0 mm", "P1 mm", "P2 mm", "P3 mm"}, 3},
        {1, {"P0 mm", "P2 mm", "P3 mm", "P4 mm"}, 1},
        {0, {"P1 mm", "P2 mm", "P3 mm", "P4 mm"}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        DeleteRun run;
        run.ui.answers = {win::kIdYes};
        // A read-only temporary source of an earlier run is made writable.
        run.files.Put("C:\\Temp\\kvx510ed.txt", "old", win::kAttributeReadOnly);
        run.Open([&](HeadlessWindow& w) {
            w.Choose(IDC_MAIN_LIST, c.line);
            w.Click(IDC_MAIN_DELETE);
            EXPECT_EQ(run.ListLines(w), c.left);
            EXPECT_EQ(w.Selection(IDC_MAIN_LIST), c.selected);
            EXPECT_EQ(run.State().currentIndex, c.selected);
            EXPECT_EQ(run.State().Table().paperCount, 4);
            EXPECT_EQ(run.State().workingRecord, run.State().Table().papers[c.selected]);
            EXPECT_TRUE(w.IsEnabled(IDC_MAIN_DELETE));
            EXPECT_FALSE(run.State().tableChanged);
        });
        ASSERT_EQ(run.ui.messages.size(), 1u);
        EXPECT_EQ(run.ui.messages[0].text,
                  "Delete the paper format 'P" + std::to_string(c.line) + " mm'?");
        EXPECT_EQ(run.ui.messages[0].kind, win::MessageKind::Question);
        EXPECT_EQ(run.processes.runs.size(), 2u);
        // The installed files hold the four papers left, numbered from Paper00.
        const std::string installed = run.Installed();
        EXPECT_EQ(installed.find("P" + std::to_string(c.line) + " mm"), std::string::npos);
        for (const auto& line : c.left) EXPECT_NE(installed.find(line), std::string::npos);
        EXPECT_NE(installed.find("[Paper03]"), std::string::npos);
        EXPECT_EQ(installed.find("[Paper04]"), std::string::npos);
        EXPECT_EQ(run.files.Get(kTable), "table " + installed);
        EXPECT_TRUE(run.files.Has(kPaperData));
    }
}

TEST_F(Deleting, AnsweringNoChangesNothing) {
    const std::string before = Installed();
    ui.answers = {win::kIdNo};
    Open([&](HeadlessWindow& w) {
        w.Choose(IDC_MAIN_LIST, 2);
        const auto working = State().workingRecord;
        w.Click(IDC_MAIN_DELETE);
        EXPECT_EQ(ListLines(w), (Lines{"P0 mm", "P1 mm", "P2 mm", "P3 mm", "P4 mm"}));
        EXPECT_EQ(w.Selection(IDC_MAIN_LIST), 2);
        EXPECT_EQ(State().Table().paperCount, 5);
        EXPECT_EQ(State().workingRecord, working);
    });
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(processes.runs.empty());
    EXPECT_EQ(Installed(), before);
}

TEST_F(Deleting, TheOnlyPaperLeavesAnEmptyListWithNoSelection) {
    SetSources({}, {Paper("Only", 513)});
    ui.answers = {win::kIdYes};
    Open([&](HeadlessWindow& w) {
        w.Click(IDC_MAIN_DELETE);
        EXPECT_TRUE(ListLines(w).empty());
        EXPECT_EQ(w.Selection(IDC_MAIN_LIST), -1);
        EXPECT_EQ(State().currentIndex, -1);
        EXPECT_EQ(State().Table().paperCount, 0);
        for (int id : {IDC_MAIN_WIDTH, IDC_MAIN_LENGTH, IDC_MAIN_ENERGY}) EXPECT_EQ(w.Text(id), "");
        for (int id : {IDC_MAIN_EDIT, IDC_MAIN_DELETE, IDC_MAIN_SEND, IDC_MAIN_POPUP})
            EXPECT_FALSE(w.IsEnabled(id)) << id;
        EXPECT_TRUE(w.IsEnabled(IDC_MAIN_ADD));
    });
    EXPECT_EQ(Installed().find("[Paper"), std::string::npos);
    EXPECT_NE(Installed().find("[Model]"), std::string::npos);
}

TEST(DeletingFails, ShowsTheReasonOnceAndKeepsThePaperAsTheDriverFolderDoes) {
    struct Case {
        const char* what;
        std::function<void(DeleteRun&)> arrange;
        std::string reason;
    };
    const Case cases[] = {
        {"table copy", [](DeleteRun& r) { r.files.FailCopy(kTable); }, "cannot replace " + kTable},
        {"paper data copy", [](DeleteRun& r) { r.files.FailCopy(kPaperData); },
         "cannot replace " + kPaperData},
        // An earlier build's source stays in the temporary folder and must not be
        // installed in place of the table without the paper.
        {"temporary source not written",
         [](DeleteRun& r) {
             r.files.Put("C:\\Temp\\kvx510ed.txt", "[Paper00]\nszPaperName_mm=Stale\n");
             r.files.FailWrite("C:\\Temp\\kvx510ed.txt");
         },
         "cannot write C:\\Temp\\kvx510ed.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteRun run;
        c.arrange(run);
        const auto before = run.files.Get(kUser);
        const auto tableBefore = run.files.Get(kTable);
        const auto dataBefore = run.files.Get(kPaperData);
        run.ui.answers = {win::kIdYes};
        run.Open([&](HeadlessWindow& w) {
            w.Choose(IDC_MAIN_LIST, 1);
            w.Click(IDC_MAIN_DELETE);
            EXPECT_EQ(run.ListLines(w), (Lines{"P0 mm", "P1 mm", "P2 mm", "P3 mm", "P4 mm"}));
            EXPECT_EQ(w.Selection(IDC_MAIN_LIST), 1);
            EXPECT_EQ(run.State().Table().paperCount, 5);
            EXPECT_EQ(run.Name(run.State().workingRecord), "P1 mm");
        });
        ASSERT_EQ(run.ui.messages.size(), 2u);
        EXPECT_EQ(run.ui.messages[1].text, run.ui.strings[IDS_INSTALL_FAILED] + "\n" + c.reason);
        EXPECT_EQ(run.ui.messages[1].kind, win::MessageKind::Error);
        // The driver folder holds the previous set, byte for byte.
        EXPECT_EQ(run.files.Get(kUser), before);
        EXPECT_EQ(run.files.Get(kTable), tableBefore);
        EXPECT_EQ(run.files.Get(kPaperData), dataBefore);
    }
}

TEST_F(Deleting, AsksWithTheNameInTheCurrentUnitAsText) {
    SetSources({}, {{"50% off", "2\" wide %s", 75, 500, 300}});
    args.inchUnits = true;
    ui.answers = {win::kIdNo};
    Open([&](HeadlessWindow& w) { w.Click(IDC_MAIN_DELETE); });
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Delete the paper format '2\" wide %s'?");
}

TEST_F(Deleting, FromAFullTableMakesRoomForAnAdd) {
    std::vector<TestPaper> user;
    for (int i = 0; i < 100; ++i) user.push_back(Paper("P" + std::to_string(i), 513 + i));
    SetSources({}, user);
    ui.answers = {win::kIdYes};
    Open([&](HeadlessWindow& w) {
        EXPECT_FALSE(w.IsEnabled(IDC_MAIN_ADD));
        w.Choose(IDC_MAIN_LIST, 99);
        w.Click(IDC_MAIN_DELETE);
        EXPECT_FALSE(State().Table().tableFull);
        EXPECT_EQ(State().Table().paperCount, 99);
        EXPECT_EQ(w.Selection(IDC_MAIN_LIST), 98);
        EXPECT_TRUE(w.IsEnabled(IDC_MAIN_ADD));
    });
}

}  // namespace
