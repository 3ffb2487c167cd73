// The history from the main window: button 1016 opens the kept sets, newest first;
// a restore brings a deleted paper back byte for byte; a history that cannot be
// written stops the change with its reason.
#include <gtest/gtest.h>

#include "tests/velkor/mainwindow/command_run.h"
#include "win/format_text.h"

namespace {

using mwtest::CommandRun;
using win::headless::HeadlessWindow;
using Dlg = mainwindow::CTarnelDlg;
using Lines = std::vector<std::string>;

const std::string kTable = mwtest::kDriverFolder + "\\kvx510ed.lyt";
const std::string kData = mwtest::kDriverFolder + "\\" + mwtest::kDataName;
const std::string kHistory = mwtest::kDriverFolder + "\\history\\kvx510";
const std::string kFirstEntry = kHistory + "\\000001-20240612-143000";

// A run whose driver folder holds a whole installed set.
struct HistoryRun : CommandRun {
    HistoryRun() {
        files.Put(kTable, "installed table");
        files.Put(kData, "installed data");
    }
    std::array<std::optional<std::string>, 3> Installed() {
        return {files.Get(mwtest::kUserSource), files.Get(kTable), files.Get(kData)};
    }
    // Deletes "User C" (line 2) from the open main window.
    void DeleteUserC(HeadlessWindow& w) {
        ui.answers.push_back(win::kIdYes);
        w.Choose(IDC_MAIN_LIST, 2);
        w.Click(IDC_MAIN_DELETE);
    }
    std::string Ask(const std::string& entry) {
        return win::FormatText(Text(IDS_ASK_RESTORE), entry);
    }
};

TEST(MainWindowHistory, TheButtonIsEnabledOnceTheModelHasAnEntry) {
    HistoryRun run;
    run.Run([&](Dlg&, HeadlessWindow& w) {
        EXPECT_FALSE(w.IsEnabled(IDC_MAIN_HISTORY));
        run.DeleteUserC(w);
        EXPECT_TRUE(w.IsEnabled(IDC_MAIN_HISTORY));
        w.Choose(IDC_MAIN_LIST, 0);  // whatever is selected
        EXPECT_TRUE(w.IsEnabled(IDC_MAIN_HISTORY));
    });
    // A later run finds the entry the first one kept.
    HistoryRun later;
    later.files = run.files;
    later.Run([&](Dlg&, HeadlessWindow& w) { EXPECT_TRUE(w.IsEnabled(IDC_MAIN_HISTORY)); });
}

TEST(MainWindowHistory, RestoringTheEntryOfADeleteBringsThePaperBack) {
    HistoryRun run;
    const auto original = run.Installed();
    run.Run([&](Dlg& dlg, HeadlessWindow& w) {
        run.DeleteUserC(w);
        ASSERT_EQ(w.Control(IDC_MAIN_LIST).items.size(), 3u);
        run.ui.OnDialog(IDD_HISTORY, [&](HeadlessWindow& h) {
            EXPECT_EQ(h.Control(IDC_HISTORY_LIST).items,
                      Lines{"12.06.2024 14:30:00, deleted 'User C mm', 2 papers"});
            EXPECT_EQ(h.Selection(IDC_HISTORY_LIST), 0);
            EXPECT_TRUE(h.IsEnabled(IDC_HISTORY_RESTORE));
            run.ui.answers.push_back(win::kIdYes);
            h.Click(IDC_HISTORY_RESTORE);
            EXPECT_EQ(run.ui.messages.back().text,
                      run.Ask("12.06.2024 14:30:00, deleted 'User C mm'"));
            EXPECT_EQ(run.ui.messages.back().kind, win::MessageKind::Question);
            // The restore kept the set it replaced: the list shows it first, selected.
            EXPECT_EQ(h.Control(IDC_HISTORY_LIST).items,
                      (Lines{"12.06.2024 14:30:01, restored the set of 12.06.2024 14:30:00, "
                             "1 paper",
                             "12.06.2024 14:30:00, deleted 'User C mm', 2 papers"}));
            EXPECT_EQ(h.Selection(IDC_HISTORY_LIST), 0);
            EXPECT_TRUE(h.IsEnabled(IDC_HISTORY_RESTORE));
            // The main window shows the table read anew while the dialog is open.
            EXPECT_EQ(w.Control(IDC_MAIN_LIST).items,
                      (Lines{"Built-in A mm", "Built-in B mm", "User C mm", "User D mm"}));
            EXPECT_EQ(w.Selection(IDC_MAIN_LIST), 0);
            EXPECT_EQ(w.Text(IDC_MAIN_WIDTH), "50.0 mm");
            h.Click(win::kIdCancel);
        });
        w.Click(IDC_MAIN_HISTORY);
        EXPECT_EQ(w.Control(IDC_MAIN_LIST).items.size(), 4u);
        EXPECT_EQ(dlg.State().Table().paperCount, 4);
        EXPECT_EQ(dlg.State().currentIndex, 0);
        EXPECT_TRUE(dlg.State().tableChanged);
        w.Click(win::kIdOk);
    });
    EXPECT_EQ(run.Installed(), original);
    EXPECT_EQ(run.compiledSources.size(), 1u);  // the restore built nothing
    EXPECT_EQ(run.Messages().back(), run.Text(IDS_CHANGED_NOTICE));
}

TEST(MainWindowHistory, ADamagedEntryIsMarkedAndCannotBeRestored) {
    HistoryRun run;
    run.Run([&](Dlg&, HeadlessWindow& w) {
        run.DeleteUserC(w);
        run.DeleteUserC(w);  // now User D
        run.files.Put(kFirstEntry + "\\kvx510ed.lyt", "spoilt");
        const auto installed = run.Installed();
        run.ui.OnDialog(IDD_HISTORY, [&](HeadlessWindow& h) {
            EXPECT_EQ(h.Control(IDC_HISTORY_LIST).items,
                      (Lines{"12.06.2024 14:30:01, deleted 'User D mm', 1 paper",
                             "12.06.2024 14:30:00, deleted 'User C mm', 2 papers, "
                             "damaged, cannot be restored"}));
            EXPECT_TRUE(h.IsEnabled(IDC_HISTORY_RESTORE));
            h.Choose(IDC_HISTORY_LIST, 1);
            EXPECT_FALSE(h.IsEnabled(IDC_HISTORY_RESTORE));
            const size_t shown = run.ui.messages.size();
            h.Click(IDC_HISTORY_RESTORE);  // past the disabled button
            EXPECT_EQ(run.ui.messages.size(), shown);
            h.Choose(IDC_HISTORY_LIST, 0);
            EXPECT_TRUE(h.IsEnabled(IDC_HISTORY_RESTORE));
        });
        w.Click(IDC_MAIN_HISTORY);
        EXPECT_EQ(run.Installed(), installed);
        EXPECT_EQ(w.Control(IDC_MAIN_LIST).items.size(), 2u);
    });
}

TEST(MainWindowHistory, AnsweringNoRestoresNothing) {
    HistoryRun run;
    run.Run([&](Dlg& dlg, HeadlessWindow& w) {
        run.DeleteUserC(w);
        const auto installed = run.Installed();
        run.ui.OnDialog(IDD_HISTORY, [&](HeadlessWindow& h) {
            run.ui.answers.push_back(win::kIdNo);
            h.Click(IDC_HISTORY_RESTORE);
            EXPECT_EQ(h.Control(IDC_HISTORY_LIST).items.size(), 1u);
        });
        w.Click(IDC_MAIN_HISTORY);
        EXPECT_EQ(run.Installed(), installed);
        EXPECT_EQ(dlg.State().Table().paperCount, 3);
        EXPECT_EQ(run.ui.messages.back().kind, win::MessageKind::Question);
    });
}

TEST(MainWindowHistory, ARestoreThatCannotBeInstalledShowsWhy) {
    HistoryRun run;
    run.Run([&](Dlg& dlg, HeadlessWindow& w) {
        run.DeleteUserC(w);
        const auto installed = run.Installed();
        run.files.FailCopy(kData);
        run.ui.OnDialog(IDD_HISTORY, [&](HeadlessWindow& h) {
            run.ui.answers.push_back(win::kIdYes);
            h.Click(IDC_HISTORY_RESTORE);
            EXPECT_EQ(run.ui.messages.back().text,
                      run.Text(IDS_INSTALL_FAILED) + "\ncannot replace " + kData);
            EXPECT_EQ(run.ui.messages.back().kind, win::MessageKind::Error);
            // Nothing was installed, so nothing new was kept.
            EXPECT_EQ(h.Control(IDC_HISTORY_LIST).items.size(), 1u);
        });
        w.Click(IDC_MAIN_HISTORY);
        EXPECT_EQ(run.Installed(), installed);
        EXPECT_EQ(dlg.State().Table().paperCount, 3);
        EXPECT_EQ(w.Control(IDC_MAIN_LIST).items.size(), 3u);
    });
}

TEST(MainWindowHistory, AHistoryThatCannotBeWrittenStopsTheChangeAndSaysWhy) {
    struct Case {
        const char* what;
        std::function<void(HistoryRun&, HeadlessWindow&)> change;
        int message;
    };
    const Case cases[] = {
        {"delete", [](HistoryRun& run, HeadlessWindow& w) { run.DeleteUserC(w); },
         IDS_INSTALL_FAILED},
        {"import",
         [](HistoryRun& run, HeadlessWindow& w) {
             run.files.Put("D:\\set510.txt", mwtest::SourceText(mwtest::Papers("I", 3), true));
             run.ui.openChoice = "D:\\set510.txt";
             run.ui.answers.push_back(win::kIdYes);
             w.Click(IDC_MAIN_IMPORT);
         },
         IDS_IMPORT_FAILED},
    };
    for (const auto& c : cases) {
        HistoryRun run;
        run.files.FailCreateFolder(kHistory);
        const auto installed = run.Installed();
        run.Run([&](Dlg& dlg, HeadlessWindow& w) {
            c.change(run, w);
            EXPECT_EQ(w.Control(IDC_MAIN_LIST).items.size(), 4u) << c.what;
            EXPECT_EQ(dlg.State().Table().paperCount, 4) << c.what;
            EXPECT_FALSE(w.IsEnabled(IDC_MAIN_HISTORY)) << c.what;
        });
        EXPECT_EQ(run.ui.messages.back().text,
                  run.Text(c.message) + "\ncannot write the history folder " + kHistory)
            << c.what;
        EXPECT_EQ(run.ui.messages.back().kind, win::MessageKind::Error) << c.what;
        EXPECT_EQ(run.Installed(), installed) << c.what;
    }
}

}  // namespace
