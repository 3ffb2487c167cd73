// Export of the user papers to a folder and import of a source file.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/velkor/mainwindow/command_run.h"

namespace {

using mwtest::CommandRun;
using mwtest::kDataName;
using mwtest::kDriverFolder;
using mwtest::kTempData;
using mwtest::kTempSource;
using mwtest::kTempTable;
using mwtest::Paper;
using mwtest::Papers;
using win::headless::HeadlessWindow;
using Dlg = mainwindow::CTarnelDlg;

const std::string kExport = "D:\\Export";
const std::string kChosen = "D:\\Papers\\mine.txt";

std::string ExportedSource() {
    return kExport + "\\kvx510ed.txt";
}
std::string ExportedTable() {
    return kExport + "\\kvx510ed.lyt";
}
std::string ExportedData() {
    return kExport + "\\" + kDataName;
}

TEST(Export, WritesTheUserPapersAndCopiesTheThreeFiles) {
    CommandRun run;
    run.ui.folderChoice = kExport;
    run.Run([&](Dlg&, HeadlessWindow& w) { w.Click(IDC_MAIN_EXPORT); });
    EXPECT_EQ(run.ui.folderTitles, std::vector<std::string>{run.Text(IDS_EXPORT_TITLE)});
    EXPECT_EQ(run.Messages(), std::vector<std::string>{run.Text(IDS_EXPORT_DONE)});
    EXPECT_EQ(run.ui.messages[0].kind, win::MessageKind::Information);
    ASSERT_EQ(run.compiledSources.size(), 1u);
    const std::string& source = run.compiledSources[0];
    EXPECT_NE(source.find("User C mm"), std::string::npos);
    EXPECT_NE(source.find("User D mm"), std::string::npos);
    EXPECT_EQ(source.find("Built-in"), std::string::npos);
    EXPECT_EQ(run.files.Get(ExportedSource()), source);
    EXPECT_EQ(run.files.Get(ExportedTable()), run.files.Get(kTempTable));
    EXPECT_EQ(run.files.Get(ExportedData()), run.files.Get(kTempData));
    // The temporary files stay and the driver folder is left alone.
    EXPECT_TRUE(run.files.Has(kTempSource));
    EXPECT_FALSE(run.Touched(kDriverFolder));
}

TEST(Export, CancellingTheFolderDialogDoesNothing) {
    CommandRun run;
    run.Run([&](Dlg&, HeadlessWindow& w) { w.Click(IDC_MAIN_EXPORT); });
    EXPECT_TRUE(run.ui.messages.empty());
    EXPECT_TRUE(run.processes.runs.empty());
    EXPECT_TRUE(run.files.log.empty());
}

TEST(Export, AnExistingFileIsAskedAboutOnceAndNoLeavesTheFolderUntouched) {
    const std::vector<std::vector<std::string>> existing = {
        {ExportedTable()},
        {ExportedSource()},
        {ExportedData()},
        {ExportedSource(), ExportedTable(), ExportedData()},
    };
    for (const auto& paths : existing) {
        CommandRun run;
        run.ui.folderChoice = kExport;
        for (const auto& path : paths) run.files.Put(path, "older");
        run.ui.answers = {win::kIdNo};
        run.Run([&](Dlg&, HeadlessWindow& w) { w.Click(IDC_MAIN_EXPORT); });
        EXPECT_EQ(run.Messages(), std::vector<std::string>{run.Text(IDS_ASK_EXPORT_OVERWRITE)})
            << paths[0];
        EXPECT_EQ(run.ui.messages[0].kind, win::MessageKind::Question);
        EXPECT_TRUE(run.processes.runs.empty()) << paths[0];
        EXPECT_TRUE(run.files.log.empty()) << paths[0];
        for (const auto& path : paths) EXPECT_EQ(run.files.Get(path), "older");
    }
}

TEST(Export, YesReplacesTheOlderFiles) {
    CommandRun run;
    run.ui.folderChoice = kExport;
    run.files.Put(ExportedTable(), "older");
    run.ui.answers = {win::kIdYes};
    run.Run([&](Dlg&, HeadlessWindow& w) { w.Click(IDC_MAIN_EXPORT); });
    EXPECT_EQ(run.Messages(), (std::vector<std::string>{run.Text(IDS_ASK_EXPORT_OVERWRITE),
                                                        run.Text(IDS_EXPORT_DONE)}));
    EXPECT_EQ(run.files.Get(ExportedTable()), run.files.Get(kTempTable));
}

TEST(Export, FailuresShowTheCopyMessageOnce) {
    struct Case {
        const char* what;
        std::function<void(CommandRun&)> arrange;
        std::string reason;
    };
    const Case cases[] = {
        {"table copy fails", [](CommandRun& r) { r.files.FailCopy(ExportedTable()); },
         "cannot replace " + ExportedTable()},
        {"read-only destination is not made writable",
         [](CommandRun& r) {
             r.ui.answers = {win::kIdYes};
             r.files.Put(ExportedData(), "older", win::kAttributeReadOnly);
         },
         "cannot replace " + ExportedData()},
        {"tools write nothing", [](CommandRun& r) { r.processes.onRun = nullptr; },
         "kvx500pc.exe wrote no table"},
        {"temporary source cannot be written",
         [](CommandRun& r) { r.files.FailWrite(kTempSource); },
         std::string("cannot write ") + kTempSource},
    };
    for (const auto& c : cases) {
        CommandRun run;
        run.ui.folderChoice = kExport;
        c.arrange(run);
        run.Run([&](Dlg&, HeadlessWindow& w) { w.Click(IDC_MAIN_EXPORT); });
        ASSERT_FALSE(run.ui.messages.empty()) << c.what;
        const std::string failure = run.Text(IDS_EXPORT_FAILED) + "\n" + c.reason;
        EXPECT_EQ(run.ui.messages.back().text, failure) << c.what;
        EXPECT_EQ(run.ui.messages.back().kind, win::MessageKind::Error) << c.what;
        const auto messages = run.Messages();
        EXPECT_EQ(std::count(messages.begin(), messages.end(), failure), 1) << c.what;
        // All or nothing: no file of this build stays in the folder.
        for (const auto& path : {ExportedSource(), ExportedTable(), ExportedData()})
            EXPECT_TRUE(!run.files.Has(path) || run.files.Get(path) == "older") << c.what << path;
        for (const auto& entry : run.files.log)
            EXPECT_NE(entry, "attributes " + ExportedData()) << c.what;
    }
}

// Import.

std::string ChosenFile(const std::string& tag, int papers = 2) {
    std::string device = mwtest::DeviceSections();
    const std::string from = "OutputFileName=kvx510ed.lyt";
    device.replace(device.find(from), from.size(), "OutputFileName=" + tag);
    std::string text = device;
    const auto user = Papers("Imported", papers);
    for (size_t i = 0; i < user.size(); ++i)
        text += mwtest::PaperSection(static_cast<int>(i), user[i]);
    return text;
}

TEST(Import, RefusesFilesOfNoOrAnotherModel) {
    struct Case {
        const char* what;
        std::optional<std::string> content;  // nullopt: no such file
    };
    const Case cases[] = {
        {"other model", ChosenFile("kvx520ed.lyt")},
        {"built-in table of this model", ChosenFile("kvx510ad.lyt")},
        {"empty tag", ChosenFile("")},
        {"no Version section", mwtest::SourceText(Papers("P", 1), false)},
        {"no OutputFileName key", "[Version]\nFormatVersion=1\n[Model]\nbySeriesCode=0x41\n"},
        {"marker as value", ChosenFile("\x01kvx510ed.lyt")},
        {"file does not exist", std::nullopt},
    };
    for (const auto& c : cases) {
        CommandRun run;
        run.ui.openChoice = kChosen;
        if (c.content) run.files.Put(kChosen, *c.content);
        run.Run([&](Dlg& dlg, HeadlessWindow& w) {
            w.Choose(IDC_MAIN_LIST, 2);
            w.Click(IDC_MAIN_IMPORT);
            EXPECT_EQ(w.Control(IDC_MAIN_LIST).items.size(), 4u) << c.what;
            EXPECT_EQ(w.Control(IDC_MAIN_LIST).selection, 2) << c.what;
            EXPECT_EQ(dlg.State().Table().paperCount, 4) << c.what;
            EXPECT_FALSE(w.Ended()) << c.what;
        });
        EXPECT_EQ(run.Messages(), std::vector<std::string>{run.Text(IDS_NOT_THIS_MODEL)}) << c.what;
        EXPECT_EQ(run.ui.messages[0].kind, win::MessageKind::Error);
        EXPECT_TRUE(run.processes.runs.empty()) << c.what;
        EXPECT_TRUE(run.files.log.empty()) << c.what;
    }
}

TEST(Import, AsksFirstAndNoChangesNothing) {
    for (const char* tag : {"kvx510ed.lyt", "KVX510ED.LYT", "Kvx510Ed.Lyt"}) {
        CommandRun run;
        run.ui.openChoice = kChosen;
        run.files.Put(kChosen, ChosenFile(tag));
        run.ui.answers = {win::kIdNo};
        run.Run([&](Dlg&, HeadlessWindow& w) {
            w.Click(IDC_MAIN_IMPORT);
            EXPECT_EQ(w.Control(IDC_MAIN_LIST).items.size(), 4u);
        });
        EXPECT_EQ(run.Messages(), std::vector<std::string>{run.Text(IDS_ASK_IMPORT)}) << tag;
        EXPECT_EQ(run.ui.messages[0].kind, win::MessageKind::Question);
        EXPECT_TRUE(run.processes.runs.empty());
    }
}

TEST(Import, OpenDialogAndItsStartingFolder) {
    struct Case {
        std::string current;
        std::string after;
    };
    const Case cases[] = {
        {kDriverFolder, "C:\\Users\\user\\Documents"},
        {"c:\\WINDOWS\\system32\\SPOOL\\drivers\\x64\\3", "C:\\Users\\user\\Documents"},
        {kDriverFolder + "\\sub", kDriverFolder + "\\sub"},
        {"D:\\Papers", "D:\\Papers"},
    };
    for (const auto& c : cases) {
        CommandRun run;
        run.files.currentDirectory = c.current;
        run.Run([&](Dlg&, HeadlessWindow& w) { w.Click(IDC_MAIN_IMPORT); });
        EXPECT_EQ(run.files.currentDirectory, c.after) << c.current;
        ASSERT_EQ(run.ui.fileDialogs.size(), 1u);
        const auto& args = run.ui.fileDialogs[0];
        EXPECT_EQ(args.title, run.Text(IDS_IMPORT_TITLE));
        EXPECT_EQ(args.filter, run.Text(IDS_IMPORT_FILTER));
        EXPECT_EQ(args.defaultExtension, "txt");
        EXPECT_EQ(args.suggestedName, "");
        EXPECT_TRUE(run.ui.messages.empty());
    }
}

TEST(Import, ReplacesTheUserPapersAndInstallsTheChosenFile) {
    CommandRun run;
    run.ui.openChoice = kChosen;
    std::string chosen = ChosenFile("kvx510ed.lyt", 3);
    chosen.replace(chosen.find("bySeriesCode=0x41"), 17, "bySeriesCode=0x42");
    run.files.Put(kChosen, chosen);
    run.files.Put(mwtest::kTempSource, "left by an earlier run", win::kAttributeReadOnly);
    run.ui.answers = {win::kIdYes};
    run.Run([&](Dlg& dlg, HeadlessWindow& w) {
        w.Choose(IDC_MAIN_LIST, 3);
        w.Click(IDC_MAIN_IMPORT);
        EXPECT_EQ(w.Control(IDC_MAIN_LIST).items,
                  (std::vector<std::string>{"Built-in A mm", "Built-in B mm", "Imported 0 mm",
                                            "Imported 1 mm", "Imported 2 mm"}));
        EXPECT_EQ(w.Control(IDC_MAIN_LIST).selection, 0);
        const auto& state = dlg.State();
        EXPECT_EQ(state.currentIndex, 0);
        EXPECT_EQ(state.workingRecord, state.Table().papers[0]);
        EXPECT_EQ(state.Table().paperCount, 5);
        EXPECT_TRUE(state.Table().papers[1].builtIn);
        EXPECT_FALSE(state.Table().papers[2].builtIn);
        EXPECT_EQ(state.Table().device.bySeriesCode, "0x42");
        EXPECT_FALSE(w.IsEnabled(IDC_MAIN_EDIT));
        EXPECT_EQ(w.Text(IDC_MAIN_WIDTH), "50.0 mm");
    });
    EXPECT_EQ(run.Messages(), (std::vector<std::string>{run.Text(IDS_ASK_IMPORT),
                                                        run.Text(IDS_IMPORT_DONE) + "\n\n" +
                                                            run.Text(IDS_CHANGED_NOTICE)}));
    EXPECT_EQ(run.ui.messages[1].kind, win::MessageKind::Information);
    // The chosen file itself is compiled and installed, under the new series code.
    EXPECT_EQ(run.compiledSources, std::vector<std::string>{chosen});
    EXPECT_EQ(run.files.Get(mwtest::kUserSource), chosen);
    EXPECT_EQ(run.files.Get(kDriverFolder + "\\kvx510ed.lyt"), "table of " + chosen);
    EXPECT_TRUE(run.files.Has(kDriverFolder + "\\lty5142.bin"));
    EXPECT_EQ(run.files.Attributes(mwtest::kTempSource), 0u);
}

TEST(Import, NinetyFiveBuiltInAndTenImportedEndAsAHundred) {
    CommandRun run;
    run.SetSources(Papers("Built-in", 95), {Paper("User")});
    run.ui.openChoice = kChosen;
    run.files.Put(kChosen, ChosenFile("kvx510ed.lyt", 10));
    run.ui.answers = {win::kIdYes};
    run.Run([&](Dlg& dlg, HeadlessWindow& w) {
        w.Click(IDC_MAIN_IMPORT);
        const auto& table = dlg.State().Table();
        EXPECT_EQ(table.paperCount, 100);
        EXPECT_TRUE(table.tableFull);
        EXPECT_EQ(std::count_if(table.papers.begin(), table.papers.begin() + 100,
                                [](const auto& p) { return p.builtIn; }),
                  95);
        EXPECT_EQ(w.Control(IDC_MAIN_LIST).items.size(), 100u);
        EXPECT_EQ(w.Control(IDC_MAIN_LIST).items[99], "Imported 4 mm");
        EXPECT_FALSE(w.IsEnabled(IDC_MAIN_ADD));
    });
    EXPECT_EQ(run.Messages(),
              (std::vector<std::string>{
                  run.Text(IDS_ASK_IMPORT), run.Text(IDS_TOO_MANY_PAPERS),
                  run.Text(IDS_IMPORT_DONE) + "\n\n" + run.Text(IDS_CHANGED_NOTICE)}));
}

TEST(Import, AMissingDefaultSourceEndsTheProgram) {
    CommandRun run;
    run.ui.openChoice = kChosen;
    run.files.Put(kChosen, ChosenFile("kvx510ed.lyt"));
    run.ui.answers = {win::kIdYes};
    const int result = run.Run([&](Dlg&, HeadlessWindow& w) {
        run.files.DeleteFile(mwtest::kBuiltInSource);
        w.Click(IDC_MAIN_IMPORT);
        EXPECT_TRUE(w.Control(IDC_MAIN_LIST).items.empty());
    });
    EXPECT_EQ(result, mainwindow::kResultFilesMissing);
    EXPECT_EQ(run.Messages(),
              (std::vector<std::string>{run.Text(IDS_ASK_IMPORT), run.Text(IDS_FILES_MISSING)}));
    EXPECT_TRUE(run.processes.runs.empty());
}

TEST(Import, AFailedInstallKeepsThePaperSetAndTheDriverFolderAsTheyWere) {
    struct Case {
        const char* what;
        std::function<void(CommandRun&)> arrange;
        std::string reason;
    };
    const Case cases[] = {
        {"install copy", [](CommandRun& r) { r.files.FailCopy(kDriverFolder + "\\kvx510ed.lyt"); },
         "cannot replace " + kDriverFolder + "\\kvx510ed.lyt"},
        {"copy to the temporary folder", [](CommandRun& r) { r.files.FailCopy(kTempSource); },
         std::string("cannot write ") + kTempSource},
    };
    for (const auto& c : cases) {
        CommandRun run;
        run.ui.openChoice = kChosen;
        run.files.Put(kChosen, ChosenFile("kvx510ed.lyt"));
        run.ui.answers = {win::kIdYes};
        c.arrange(run);
        const auto before = run.files.Get(mwtest::kUserSource);
        run.Run([&](Dlg& dlg, HeadlessWindow& w) {
            const auto lines = w.Control(IDC_MAIN_LIST).items;
            const auto device = dlg.State().Table().device;
            w.Click(IDC_MAIN_IMPORT);
            EXPECT_EQ(w.Control(IDC_MAIN_LIST).items, lines) << c.what;
            EXPECT_EQ(dlg.State().Table().paperCount, static_cast<int>(lines.size())) << c.what;
            EXPECT_EQ(dlg.State().Table().device, device) << c.what;
        });
        EXPECT_EQ(run.Messages(),
                  (std::vector<std::string>{run.Text(IDS_ASK_IMPORT),
                                            run.Text(IDS_IMPORT_FAILED) + "\n" + c.reason}))
            << c.what;
        EXPECT_EQ(run.ui.messages[1].kind, win::MessageKind::Error);
        EXPECT_EQ(run.files.Get(mwtest::kUserSource), before) << c.what;
    }
}

}  // namespace
