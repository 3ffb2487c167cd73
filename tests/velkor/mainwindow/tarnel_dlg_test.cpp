#include "velkor/mainwindow/tarnel_dlg.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "resources/resource_ids.h"
#include "tests/fakes/fake_services.h"
#include "tests/fakes/memory_files.h"
#include "tests/support/headless.h"
#include "tests/velkor/mainwindow/source_text.h"

namespace {

using mwtest::TestPaper;
using win::headless::HeadlessUi;
using win::headless::HeadlessWindow;

const std::string kProgramFolder = "C:\\Program Files\\Mertavo";
const std::string kDriverFolder = "C:\\windows\\system32\\spool\\drivers\\x64\\3";
const std::string kBuiltIn = kDriverFolder + "\\kvx510ad.txt";
const std::string kUser = kDriverFolder + "\\kvx510ed.txt";

TestPaper Named(const std::string& name, int type = 75, int width = 500, int length = 300) {
    return {name + " mm", name + " in", type, width, length};
}

// A run of the main window against fakes; each test shapes the files first.
struct MainWindowRun : fakes::FakeServices<fakes::MemoryFiles> {
    HeadlessUi ui;
    mainwindow::MainWindowArgs args{"kvx510", false, papertable::k203DpiLimits, "Shelf"};

    MainWindowRun() {
        files.files[kProgramFolder + "\\kvx500cv.exe"] = "";
        files.files[kProgramFolder + "\\kvx500pc.exe"] = "";
        SetSources({Named("Built-in A"), Named("Built-in B", 74)},
                   {Named("User C", 75, 620, 254), Named("User D")});
    }
    void SetSources(const std::vector<TestPaper>& builtIn, const std::vector<TestPaper>& user) {
        files.files[kBuiltIn] = mwtest::SourceText(builtIn, false);
        files.files[kUser] = mwtest::SourceText(user, true);
    }
    // Runs the window with `script`; the script sees the dialog and its window.
    int Run(const std::function<void(mainwindow::CTarnelDlg&, HeadlessWindow&)>& script) {
        dialog = std::make_unique<mainwindow::CTarnelDlg>(ui, services, args);
        ui.OnDialog(IDD_MAIN, [&](HeadlessWindow& w) { script(*dialog, w); });
        return dialog->RunModal(nullptr);
    }
    std::unique_ptr<mainwindow::CTarnelDlg> dialog;
};

TEST(MainWindowOpening, MissingFilesCloseTheWindowWithResultTen) {
    struct Case {
        const char* what;
        std::function<void(MainWindowRun&)> arrange;
    };
    const Case cases[] = {
        {"converter",
         [](MainWindowRun& r) { r.files.files.erase(kProgramFolder + "\\kvx500cv.exe"); }},
        {"compiler",
         [](MainWindowRun& r) { r.files.files.erase(kProgramFolder + "\\kvx500pc.exe"); }},
        {"program path", [](MainWindowRun& r) { r.files.programPath.reset(); }},
        {"built-in source", [](MainWindowRun& r) { r.files.files.erase(kBuiltIn); }},
        {"user source", [](MainWindowRun& r) { r.files.files.erase(kUser); }},
        {"unknown printer", [](MainWindowRun& r) { r.args.modelPrefix.clear(); }},
    };
    for (const auto& c : cases) {
        MainWindowRun run;
        c.arrange(run);
        bool scripted = false;
        EXPECT_EQ(run.Run([&](auto&, auto&) { scripted = true; }), mainwindow::kResultFilesMissing)
            << c.what;
        EXPECT_FALSE(scripted) << c.what;
        ASSERT_EQ(run.ui.messages.size(), 1u) << c.what;
        EXPECT_EQ(run.ui.messages[0].text, run.ui.strings[IDS_FILES_MISSING]);
        EXPECT_EQ(run.ui.messages[0].kind, win::MessageKind::Error);
    }
}

TEST(MainWindowOpening, ListsThePapersAndSelectsTheFirst) {
    MainWindowRun run;
    run.Run([&](mainwindow::CTarnelDlg& dlg, HeadlessWindow& w) {
        const auto& list = w.Control(IDC_MAIN_LIST);
        EXPECT_EQ(list.items, (std::vector<std::string>{"Built-in A mm", "Built-in B mm",
                                                        "User C mm", "User D mm"}));
        EXPECT_EQ(list.selection, 0);
        EXPECT_GE(list.extentFits, 1);
        EXPECT_EQ(dlg.State().Table().paperCount, 4);
        EXPECT_EQ(dlg.State().currentIndex, 0);
        EXPECT_EQ(dlg.State().Table().device.bySeriesCode, "0x41");
        EXPECT_EQ(w.Text(IDC_MAIN_WIDTH), "50.0 mm");
        EXPECT_EQ(w.Text(IDC_MAIN_LENGTH), "30.0 mm");
        EXPECT_EQ(w.Text(IDC_MAIN_ENERGY), "2");
        EXPECT_EQ(dlg.State().workingRecord, dlg.State().Table().papers[0]);
        EXPECT_EQ(w.icon, IDI_MAIN);
        EXPECT_EQ(w.title, run.ui.ApplicationTitle());
        EXPECT_EQ(w.systemMenu, (std::vector<std::pair<int, std::string>>{
                                    {0, ""}, {IDM_ABOUTBOX, run.ui.strings[IDS_ABOUT_ITEM]}}));
        EXPECT_EQ(
            w.popupButtons,
            (std::vector<win::headless::PopupButtonAttachment>{{IDC_MAIN_POPUP, IDM_POPUP, 0}}));
        EXPECT_TRUE(w.IsEnabled(IDC_MAIN_SEND));
        EXPECT_FALSE(dlg.State().tableChanged);
        w.Click(win::kIdOk);
    });
    EXPECT_TRUE(run.ui.messages.empty());
}

TEST(MainWindowOpening, NoAboutItemWithoutItsStringAndNoSendingWithoutPrinter) {
    MainWindowRun run;
    run.ui.strings[IDS_ABOUT_ITEM] = "";
    run.args.printerName.clear();
    run.Run([&](auto&, HeadlessWindow& w) {
        EXPECT_TRUE(w.systemMenu.empty());
        EXPECT_FALSE(w.IsEnabled(IDC_MAIN_SEND));
        w.Choose(IDC_MAIN_LIST, 3);  // a new selection does not enable it again
        EXPECT_FALSE(w.IsEnabled(IDC_MAIN_SEND));
    });
}

TEST(MainWindowDetails, FollowTheSelectionUnitAndSeparator) {
    MainWindowRun run;
    run.locale.decimalSeparator = ",";
    run.Run([&](mainwindow::CTarnelDlg& dlg, HeadlessWindow& w) {
        w.Choose(IDC_MAIN_LIST, 1);  // a roll
        EXPECT_EQ(w.Text(IDC_MAIN_WIDTH), "50,0 mm");
        EXPECT_EQ(w.Text(IDC_MAIN_LENGTH), "-- mm");
        EXPECT_EQ(dlg.State().currentIndex, 1);
        EXPECT_EQ(dlg.State().workingRecord, dlg.State().Table().papers[1]);
        w.Choose(IDC_MAIN_LIST, 2);
        EXPECT_EQ(w.Text(IDC_MAIN_WIDTH), "62,0 mm");
        EXPECT_EQ(w.Text(IDC_MAIN_LENGTH), "25,4 mm");
    });

    MainWindowRun inches;
    inches.args.inchUnits = true;
    inches.Run([&](auto&, HeadlessWindow& w) {
        EXPECT_EQ(w.Control(IDC_MAIN_LIST).items[0], "Built-in A in");
        EXPECT_EQ(w.Text(IDC_MAIN_WIDTH), "1.97 \"");
        w.Choose(IDC_MAIN_LIST, 1);
        EXPECT_EQ(w.Text(IDC_MAIN_LENGTH), "-- \"");
    });
}

TEST(MainWindowEnabling, BuiltInAndLockedPapersCannotBeEditedOrDeleted) {
    MainWindowRun run;
    TestPaper locked = Named("Locked");
    locked.ability01 = 0x400;
    run.SetSources({Named("Built-in")}, {Named("Free"), locked});
    run.Run([&](auto&, HeadlessWindow& w) {
        struct Case {
            int line;
            bool editable;
        };
        for (const Case& c : {Case{0, false}, Case{1, true}, Case{2, false}, Case{1, true}}) {
            w.Choose(IDC_MAIN_LIST, c.line);
            EXPECT_EQ(w.IsEnabled(IDC_MAIN_EDIT), c.editable) << c.line;
            EXPECT_EQ(w.IsEnabled(IDC_MAIN_DELETE), c.editable) << c.line;
            EXPECT_TRUE(w.IsEnabled(IDC_MAIN_ADD));
            EXPECT_TRUE(w.IsEnabled(IDC_MAIN_SEND));
            EXPECT_TRUE(w.IsEnabled(IDC_MAIN_POPUP));
        }
    });
}

TEST(MainWindowEnabling, AFullTableCannotTakeAnotherPaper) {
    MainWindowRun run;
    std::vector<TestPaper> builtIn(60, Named("B")), user(40, Named("U"));
    run.SetSources(builtIn, user);
    run.Run([&](mainwindow::CTarnelDlg& dlg, HeadlessWindow& w) {
        EXPECT_EQ(dlg.State().Table().paperCount, 100);
        EXPECT_TRUE(dlg.State().Table().tableFull);
        for (int line : {0, 59, 60, 99}) {
            w.Choose(IDC_MAIN_LIST, line);
            EXPECT_FALSE(w.IsEnabled(IDC_MAIN_ADD)) << line;
        }
        EXPECT_TRUE(w.IsEnabled(IDC_MAIN_EDIT));  // line 99 is a user paper
    });
    EXPECT_TRUE(run.ui.messages.empty());
}

TEST(MainWindowEnabling, AnEmptyTableClearsTheDetailsAndTheCommandsThatNeedAPaper) {
    MainWindowRun run;
    run.SetSources({}, {});
    run.Run([&](mainwindow::CTarnelDlg& dlg, HeadlessWindow& w) {
        EXPECT_EQ(dlg.State().Table().paperCount, 0);
        EXPECT_EQ(dlg.State().currentIndex, -1);
        EXPECT_EQ(w.Control(IDC_MAIN_LIST).selection, -1);
        for (int id : {IDC_MAIN_WIDTH, IDC_MAIN_LENGTH, IDC_MAIN_ENERGY}) EXPECT_EQ(w.Text(id), "");
        for (int id : {IDC_MAIN_EDIT, IDC_MAIN_DELETE, IDC_MAIN_SEND, IDC_MAIN_POPUP})
            EXPECT_FALSE(w.IsEnabled(id)) << id;
        EXPECT_TRUE(w.IsEnabled(IDC_MAIN_ADD));
        // The options still work and select nothing.
        run.ui.OnDialog(IDD_OPTION, [](HeadlessWindow& o) {
            o.Check(IDC_OPT_INCH);
            o.Click(win::kIdOk);
        });
        w.Click(IDC_MAIN_OPTIONS);
        EXPECT_TRUE(dlg.State().inchUnits);
        EXPECT_EQ(dlg.State().currentIndex, -1);
        EXPECT_FALSE(w.IsEnabled(IDC_MAIN_EDIT));
    });
}

TEST(MainWindowOptions, SwitchingTheUnitRelistsAndKeepsTheSelection) {
    MainWindowRun run;
    // The first run switches to inches; the second switches back but cancels.
    run.ui.OnDialog(IDD_OPTION, [](HeadlessWindow& o) {
        EXPECT_TRUE(o.IsChecked(IDC_OPT_MM));
        o.Check(IDC_OPT_INCH);
        o.Click(win::kIdOk);
    });
    run.ui.OnDialog(IDD_OPTION, [](HeadlessWindow& o) {
        EXPECT_TRUE(o.IsChecked(IDC_OPT_INCH));
        o.Check(IDC_OPT_MM);
        o.Click(win::kIdCancel);
    });
    run.Run([&](mainwindow::CTarnelDlg& dlg, HeadlessWindow& w) {
        w.Choose(IDC_MAIN_LIST, 2);
        const int fits = w.Control(IDC_MAIN_LIST).extentFits;
        w.Click(IDC_MAIN_OPTIONS);
        EXPECT_TRUE(dlg.State().inchUnits);
        EXPECT_EQ(w.Control(IDC_MAIN_LIST).items[2], "User C in");
        EXPECT_EQ(w.Control(IDC_MAIN_LIST).items.size(), 4u);
        EXPECT_EQ(w.Control(IDC_MAIN_LIST).selection, 2);
        EXPECT_EQ(w.Control(IDC_MAIN_LIST).extentFits, fits + 1);
        EXPECT_EQ(w.Text(IDC_MAIN_WIDTH), "2.44 \"");

        w.Click(IDC_MAIN_OPTIONS);
        EXPECT_TRUE(dlg.State().inchUnits);
        EXPECT_EQ(w.Text(IDC_MAIN_WIDTH), "2.44 \"");
        EXPECT_EQ(w.Control(IDC_MAIN_LIST).selection, 2);
    });
    EXPECT_EQ(std::count(run.ui.modalRuns.begin(), run.ui.modalRuns.end(), IDD_OPTION), 2);
}

TEST(MainWindowClose, ShowsTheChangeNoteOnlyAfterAChange) {
    for (bool changed : {false, true}) {
        MainWindowRun run;
        const int result = run.Run([&](mainwindow::CTarnelDlg& dlg, HeadlessWindow& w) {
            dlg.State().tableChanged = changed;
            w.Click(win::kIdOk);
        });
        EXPECT_EQ(result, win::kIdOk);
        ASSERT_EQ(run.ui.messages.size(), changed ? 1u : 0u);
        if (changed) {
            EXPECT_EQ(run.ui.messages[0].text, run.ui.strings[IDS_CHANGED_NOTICE]);
            EXPECT_EQ(run.ui.messages[0].kind, win::MessageKind::Information);
        }
    }
}

TEST(MainWindowSystemMenu, AboutCommandsOpenTheAboutBoxOthersGoToTheSystem) {
    MainWindowRun run;
    run.Run([&](mainwindow::CTarnelDlg& dlg, HeadlessWindow& w) {
        w.SystemCommand(IDM_ABOUTBOX);
        w.SystemCommand(31);
        EXPECT_EQ(std::count(run.ui.modalRuns.begin(), run.ui.modalRuns.end(), IDD_ABOUT), 2);
        for (int command : {15, 32, 0xF060 /* SC_CLOSE */, 0xF020 /* SC_MINIMIZE */}) {
            EXPECT_FALSE(dlg.Dispatch({win::Event::SysCommand, command})) << command;
        }
        EXPECT_TRUE(dlg.Dispatch({win::Event::SysCommand, IDM_ABOUTBOX}));
        EXPECT_EQ(std::count(run.ui.modalRuns.begin(), run.ui.modalRuns.end(), IDD_ABOUT), 3);
    });
}

TEST(MainWindowPopup, OwnClickDoesNothing) {
    MainWindowRun run;
    run.Run([&](mainwindow::CTarnelDlg& dlg, HeadlessWindow& w) {
        w.Click(IDC_MAIN_POPUP);
        EXPECT_FALSE(w.Ended());
        EXPECT_TRUE(run.ui.messages.empty());
        EXPECT_EQ(run.ui.modalRuns, std::vector<int>{IDD_MAIN});
        EXPECT_EQ(dlg.State().currentIndex, 0);
    });
}

}  // namespace
