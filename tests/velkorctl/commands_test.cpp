// velkorctl's commands against fakes: the spooler's queues, an in-memory driver
// folder, stand-in tools and the language module's texts. Each run is a whole
// program run: arguments in, exit code and the two output streams out.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <sstream>

#include "history/entry_id.h"
#include "papertable/profile.h"
#include "papertable/source_reader.h"
#include "resources/resource_ids.h"
#include "rules/validate_fields.h"
#include "tests/fakes/fake_services.h"
#include "tests/fakes/stand_in_tools.h"
#include "tests/support/headless.h"
#include "tests/velkor/mainwindow/source_text.h"
#include "velkorctl/run.h"

namespace {

using mwtest::TestPaper;

const std::string kProgramFolder = "C:\\Program Files\\Mertavo";
const std::string kDriver = "C:\\windows\\system32\\spool\\drivers\\x64\\3";
const std::string kBuiltIn = kDriver + "\\kvx510ad.txt";
const std::string kUser = kDriver + "\\kvx510ed.txt";
const std::string kTable = kDriver + "\\kvx510ed.lyt";
const std::string kData = kDriver + "\\lty5141.bin";
const std::string kQueue = "Ostrel LM-510";

// A user source whose model tag says whose it is.
std::string UserSource(const std::vector<TestPaper>& papers, const std::string& prefix = "kvx510") {
    std::string text = mwtest::SourceText(papers, true);
    const std::string tag = "OutputFileName=kvx510ed.lyt";
    text.replace(text.find(tag), tag.size(), "OutputFileName=" + prefix + "ed.lyt");
    return text;
}

struct CtlRun : fakes::FakeServices<> {
    std::optional<std::string> paperData;
    std::vector<std::string> compiledSources;
    std::set<std::string> heldMutexes;  // held by another process during each run
    bool moduleMissing = false;
    std::vector<std::string> modulePaths;
    win::headless::HeadlessUi texts;  // the module's texts, for expected lines
    std::ostringstream out, err;

    CtlRun() {
        spooler.printers = {{kQueue, "Ostrel LM-510"},
                            {"Shop 520", "OSTREL lm-520"},
                            {"Office Laser", "Office Laser Generic"}};
        files.programPath = kProgramFolder + "\\velkorctl.exe";
        files.Put(kProgramFolder + "\\kvx500pc.exe", "");
        files.Put(kProgramFolder + "\\kvx500cv.exe", "");
        files.Put(kBuiltIn, mwtest::SourceText(
                                {{"Built-in A mm", "Built-in A in", 75, 500, 300, 3, 0, 257},
                                 {"Built-in roll mm", "Built-in roll in", 74, 620, 0, 1, 0, 258}},
                                false));
        files.Put(kUser, UserSource({{"User C mm", "User C in", 75, 400, 250, 2, 0, 513},
                                     {"User D mm", "User D in", 75, 300, 200, 2, 0, 514}}));
        files.Put(kTable, "installed table");
        files.Put(kData, "installed data");
        locale.measurementSystem = "0";
        processes.onRun = [this](const std::string& line) {
            fakes::RunStandInTool(files, line, paperData, compiledSources);
        };
    }

    int Run(const std::vector<std::string>& arguments) {
        out.str("");
        err.str("");
        files.log.clear();
        instance.existingMutexes = heldMutexes;
        velkorctl::Environment environment{
            services,
            [this](const std::string& path) -> std::unique_ptr<win::Strings> {
                modulePaths.push_back(path);
                if (moduleMissing) return nullptr;
                return std::make_unique<win::headless::HeadlessUi>();
            },
            out, err};
        return velkorctl::Run(arguments, environment);
    }
    std::vector<std::string> OutLines() const {
        std::vector<std::string> lines;
        std::istringstream in(out.str());
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    // True when the run wrote, copied or deleted nothing outside the temporary folder.
    bool DriverFolderUntouched() const {
        for (const auto& entry : files.log) {
            if (entry.find(kDriver) != std::string::npos) return false;
        }
        return true;
    }
    std::string Text(int id) { return texts.strings[id]; }
    // The value of `key` of the user paper named `name` (millimetre name) in the
    // installed user source; empty when there is no such paper.
    std::string UserValue(const std::string& name, const std::string& key) const {
        const auto file = papertable::ProfileFile::Parse(files.Get(kUser).value_or(""));
        for (int i = 0; i < 100; ++i) {
            const std::string section = papertable::PaperSectionName(i);
            if (file.GetString(section, "szPaperName_mm", "", 260) == name)
                return file.GetString(section, key, "", 260);
        }
        return {};
    }
};

// The editor's message for an item out of range, as the language module words it.
struct RangeTexts {
    win::headless::HeadlessUi module;
    std::string Text(int id) { return module.strings[id]; }
    std::string Range(const std::string& item) {
        return rules::FillFirst(Text(IDS_RANGE_ERROR), item);
    }
    std::string Range(int itemId) { return Range(Text(itemId)); }
};

TEST(CtlList, PrintsEveryPaperInTableOrderInTheUnit) {
    CtlRun run;
    ASSERT_EQ(run.Run({"list", kQueue, "--unit", "mm"}), 0) << run.err.str();
    EXPECT_EQ(run.OutLines(), (std::vector<std::string>{
                                  "0\tbuilt-in\tBuilt-in A mm\t50.0\t30.0\tlabel\t257\t3",
                                  "1\tbuilt-in\tBuilt-in roll mm\t62.0\t--\troll\t258\t1",
                                  "2\tuser\tUser C mm\t40.0\t25.0\tlabel\t513\t2",
                                  "3\tuser\tUser D mm\t30.0\t20.0\tlabel\t514\t2",
                              }));
    EXPECT_EQ(run.err.str(), "");
    EXPECT_TRUE(run.files.log.empty());
    EXPECT_TRUE(run.instance.createdMutexes.empty());  // reading takes no mutex

    ASSERT_EQ(run.Run({"list", kQueue, "--unit", "in"}), 0);
    EXPECT_EQ(run.OutLines()[1], "1\tbuilt-in\tBuilt-in roll in\t2.44\t--\troll\t258\t1");
}

TEST(CtlList, TheLocaleChoosesTheUnitAsForVelkorAndNumbersKeepTheirPoint) {
    CtlRun run;
    run.locale.decimalSeparator = ",";
    run.locale.measurementSystem = "1";
    ASSERT_EQ(run.Run({"list", kQueue}), 0);
    EXPECT_EQ(run.OutLines()[0], "0\tbuilt-in\tBuilt-in A in\t1.97\t1.18\tlabel\t257\t3");
    run.locale.measurementSystem = std::nullopt;  // a failing query gives inches
    ASSERT_EQ(run.Run({"list", kQueue}), 0);
    EXPECT_EQ(run.OutLines()[0].substr(0, 24), "0\tbuilt-in\tBuilt-in A in");
    run.locale.measurementSystem = "0";
    ASSERT_EQ(run.Run({"list", kQueue}), 0);
    EXPECT_EQ(run.OutLines()[0], "0\tbuilt-in\tBuilt-in A mm\t50.0\t30.0\tlabel\t257\t3");
}

TEST(CtlList, JsonHoldsTheSameFacts) {
    CtlRun run;
    run.files.Put(kUser,
                  UserSource({{"Quote \" back\\slash caf\xE9", "x", 76, 400, 250, 2, 0, 513}}));
    ASSERT_EQ(run.Run({"list", kQueue, "--json", "--unit", "mm"}), 0) << run.err.str();
    EXPECT_EQ(run.out.str(),
              "[\n"
              " {\"index\": 0, \"origin\": \"built-in\", \"name\": \"Built-in A mm\", "
              "\"width\": 50.0, \"length\": 30.0, \"unit\": \"mm\", \"kind\": \"label\", "
              "\"id\": 257, \"energyRank\": 3},\n"
              " {\"index\": 1, \"origin\": \"built-in\", \"name\": \"Built-in roll mm\", "
              "\"width\": 62.0, \"length\": null, \"unit\": \"mm\", \"kind\": \"roll\", "
              "\"id\": 258, \"energyRank\": 1},\n"
              " {\"index\": 2, \"origin\": \"user\", \"name\": \"Quote \\\" back\\\\slash "
              "caf\xC3\xA9\", \"width\": 40.0, \"length\": 25.0, \"unit\": \"mm\", "
              "\"kind\": \"mark\", \"id\": 513, \"energyRank\": 2}\n"
              "]\n");
}

TEST(CtlOpen, QueueModelAndFilesThatCannotBeUsed) {
    struct Case {
        std::string what;
        std::function<void(CtlRun&)> arrange;
        std::vector<std::string> arguments;
        int code;
        std::string error;
    };
    const std::string missing = RangeTexts().Text(IDS_FILES_MISSING);
    const Case cases[] = {
        {"no such queue",
         [](CtlRun&) {},
         {"list", "Ostrel LM-51"},
         3,
         "velkorctl: no printer queue is named \"Ostrel LM-51\"; give the name exactly as the "
         "printer settings show it\n"},
        {"queue names match exactly",
         [](CtlRun&) {},
         {"list", "ostrel lm-510"},
         3,
         "velkorctl: no printer queue is named \"ostrel lm-510\"; give the name exactly as the "
         "printer settings show it\n"},
        {"a driver of no model",
         [](CtlRun&) {},
         {"list", "Office Laser"},
         3,
         "velkorctl: the driver \"Office Laser Generic\" of queue \"Office Laser\" is not one of "
         "Ostrel LM-510, Ostrel LM-520, Ostrel LM-610N, Ostrel LM-620N; give a queue of one of "
         "these models\n"},
        {"no printers to list",
         [](CtlRun& r) { r.spooler.enumerationFails = true; },
         {"list", kQueue},
         3,
         "velkorctl: no printer queue is named \"Ostrel LM-510\"; give the name exactly as the "
         "printer settings show it\n"},
        {"no language module",
         [](CtlRun& r) { r.moduleMissing = true; },
         {"list", kQueue},
         4,
         "velkorctl: cannot load the language module C:\\Program Files\\Mertavo\\kvx500ct.dll; "
         "install velkorctl.exe beside velkor.exe and its files\n"},
        {"no user source",
         [](CtlRun& r) { r.files.DeleteFile(kUser); },
         {"list", kQueue},
         4,
         "velkorctl: " + missing + " (" + kBuiltIn + " and " + kUser + " are not both there)\n"},
        {"no tools for a change",
         [](CtlRun& r) { r.files.DeleteFile(kProgramFolder + "\\kvx500cv.exe"); },
         {"delete", kQueue, "User C mm"},
         4,
         "velkorctl: " + missing + " (kvx500pc.exe and kvx500cv.exe are not both in " +
             kProgramFolder + ")\n"},
        {"usage",
         [](CtlRun&) {},
         {"list"},
         2,
         "velkorctl: list needs QUEUE, the printer queue; run velkorctl list --help\n"},
    };
    for (const auto& c : cases) {
        CtlRun run;
        c.arrange(run);
        EXPECT_EQ(run.Run(c.arguments), c.code) << c.what;
        EXPECT_EQ(run.err.str(), c.error) << c.what;
        EXPECT_EQ(run.out.str(), "") << c.what;
        EXPECT_TRUE(run.DriverFolderUntouched()) << c.what;
    }
}

TEST(CtlOpen, ListNeedsNoToolsAndTheModelComesFromTheDriver) {
    CtlRun run;
    run.files.DeleteFile(kProgramFolder + "\\kvx500pc.exe");
    EXPECT_EQ(run.Run({"list", kQueue}), 0);
    EXPECT_EQ(run.modulePaths.back(), kProgramFolder + "\\kvx500ct.dll");
    // The driver name differs in case only: the kvx520 row, whose sources are missing.
    EXPECT_EQ(run.Run({"list", "Shop 520"}), 4);
    EXPECT_NE(run.err.str().find("kvx520ad.txt"), std::string::npos) << run.err.str();
}

TEST(CtlBusy, EveryChangeStopsAtOnceWhileTheModelIsHeld) {
    CtlRun run;
    run.files.Put("C:\\sets\\kvx510ed.txt", UserSource({{"Set E mm", "Set E in"}}));
    run.heldMutexes = {"mutex_kvx510"};
    const std::string busy =
        "velkorctl: the papers of \"Ostrel LM-510\" are in use by velkor or another velkorctl "
        "(mutex_kvx510); close velkor for this model and try again\n";
    const std::vector<std::vector<std::string>> changes = {
        {"add", kQueue, "--name", "N", "--kind", "roll", "--width", "50"},
        {"delete", kQueue, "User C mm"},
        {"import", kQueue, "C:\\sets\\kvx510ed.txt"},
        {"export", kQueue, "C:\\out"},
        {"restore", kQueue, "000001-20240612-143000"},
    };
    for (const auto& arguments : changes) {
        EXPECT_EQ(run.Run(arguments), 5) << arguments[0];
        EXPECT_EQ(run.err.str(), busy) << arguments[0];
        EXPECT_TRUE(run.files.log.empty()) << arguments[0];
        EXPECT_TRUE(run.processes.runs.empty()) << arguments[0];
    }
    // Reading goes on.
    EXPECT_EQ(run.Run({"list", kQueue}), 0);
    EXPECT_EQ(run.Run({"check", kQueue, "C:\\sets\\kvx510ed.txt"}), 0);
    EXPECT_EQ(run.Run({"history", kQueue}), 0);
    // Another model is not held.
    run.heldMutexes = {"mutex_kvx520"};
    EXPECT_EQ(run.Run(changes[1]), 0) << run.err.str();
    EXPECT_EQ(run.instance.createdMutexes.back(), "mutex_kvx510");
}

TEST(CtlAdd, StoresThePaperAsTheEditorsSaveAsNewWithItsDerivedValues) {
    CtlRun run;
    ASSERT_EQ(
        run.Run({"add",     kQueue, "--unit",   "mm", "--name",   "Label 50", "--kind", "label",
                 "--width", "50.0", "--length", "30", "--gap",    "3",        "--left", "2",
                 "--right", "2",    "--top",    "3",  "--bottom", "3"}),
        0)
        << run.err.str();
    EXPECT_EQ(run.out.str(), "added \"Label 50\" as paper 4, ID 515\n");
    EXPECT_EQ(run.err.str(), "");
    // 203 dpi, head 448: the values the editor derives for 50.0 mm with 2.0 mm margins.
    EXPECT_EQ(run.UserValue("Label 50", "nPaperWidth"), "500");
    EXPECT_EQ(run.UserValue("Label 50", "nPaperWidthRes"), "400");
    EXPECT_EQ(run.UserValue("Label 50", "nImageAreaWidthRes"), "368");
    EXPECT_EQ(run.UserValue("Label 50", "nImageAreaWidth"), "460");
    EXPECT_EQ(run.UserValue("Label 50", "wPinOffsetLeft"), "40");
    EXPECT_EQ(run.UserValue("Label 50", "wPinOffsetRight"), "40");
    EXPECT_EQ(run.UserValue("Label 50", "byRollWidMm"), "50");
    EXPECT_EQ(run.UserValue("Label 50", "nPaperSize"), "515");
    EXPECT_EQ(run.UserValue("Label 50", "szPaperName_inch"), "Label 50");
    // Carried through from the first paper: its energy rank.
    EXPECT_EQ(run.UserValue("Label 50", "byEnergyRank"), "3");
    // The other user papers stay, and all three files were installed.
    EXPECT_EQ(run.UserValue("User C mm", "nPaperSize"), "513");
    EXPECT_EQ(run.files.Get(kTable), "table of " + *run.files.Get(kUser));
    EXPECT_EQ(run.instance.createdMutexes, std::vector<std::string>{"mutex_kvx510"});
}

TEST(CtlAdd, CopiesThePaperNamedByFromAndKeepsWhatIsNotGiven) {
    CtlRun run;
    ASSERT_EQ(
        run.Run({"add", kQueue, "--unit", "mm", "--name", "Copy of D", "--kind", "label", "--width",
                 "35", "--gap", "3", "--top", "3", "--bottom", "3", "--from", "User D in"}),
        0)
        << run.err.str();
    EXPECT_EQ(run.UserValue("Copy of D", "nPaperWidth"), "350");
    EXPECT_EQ(run.UserValue("Copy of D", "nPaperLength"), "200");  // D's length as shown
    EXPECT_EQ(run.UserValue("Copy of D", "byEnergyRank"), "2");

    EXPECT_EQ(run.Run({"add", kQueue, "--name", "X", "--kind", "label", "--width", "35", "--from",
                       "Nobody"}),
              3);
    EXPECT_EQ(run.err.str(),
              "velkorctl: no paper is named \"Nobody\" to copy from; see velkorctl list "
              "Ostrel LM-510\n");
}

TEST(CtlAdd, ARollsBottomMarginIsItsTopMargin) {
    CtlRun run;
    ASSERT_EQ(run.Run({"add", kQueue, "--unit", "mm", "--name", "Roll 40", "--kind", "roll",
                       "--width", "40", "--top", "3"}),
              0)
        << run.err.str();
    EXPECT_EQ(run.UserValue("Roll 40", "nType"), "0x4a");  // 74
    EXPECT_EQ(run.UserValue("Roll 40", "nPaperLength"), "0");
    // 3.0 mm at 203 dpi: 24 dots as top offset; the bottom margin (item 7) the same.
    EXPECT_EQ(run.UserValue("Roll 40", "nPhysicalOffsetY"), "24");
    EXPECT_EQ(run.UserValue("Roll 40", "reserved_12_").substr(0, 18), "24,0,0,0,0,0,0,24,");
}

TEST(CtlAdd, RefusesEachValueOutOfRangeWithTheEditorsRangeText) {
    RangeTexts texts;
    auto Text = [&texts](int id) { return texts.Text(id); };
    auto Range = [&texts](const auto& item) { return texts.Range(item); };
    struct Case {
        std::vector<std::string> values;
        std::string error;
    };
    const Case cases[] = {
        {{"--kind", "roll", "--width", "11.8"},
         Range(IDS_ITEM_WIDTH) + " ( 11.9mm - 63.0mm ); give --width within that range"},
        {{"--kind", "roll", "--width", "63.1"},
         Range(IDS_ITEM_WIDTH) + " ( 11.9mm - 63.0mm ); give --width within that range"},
        {{"--kind", "label", "--width", "50", "--length", "5.9", "--gap", "3"},
         Range(IDS_ITEM_LENGTH) + " ( 6.0mm - 1000.0mm ); give --length within that range"},
        {{"--kind", "mark", "--width", "50", "--length", "25.3", "--mark-length", "3"},
         Range(IDS_ITEM_LENGTH) + " ( 25.4mm - 1000.0mm ); give --length within that range"},
        {{"--kind", "label", "--width", "50", "--length", "30", "--gap", "2.9"},
         Range(IDS_ITEM_GAP) + " ( 3.0mm - 1000.0mm ); give --gap within that range"},
        {{"--kind", "mark", "--width", "50", "--length", "30", "--mark-length", "1.9"},
         Range(IDS_ITEM_MARK_LENGTH) + " ( 2.0mm - 30.0mm ); give --mark-length within that "
                                       "range"},
        {{"--kind", "mark", "--width", "50", "--length", "30", "--mark-length", "3",
          "--mark-offset", "-30.1"},
         Range(IDS_ITEM_MARK_OFFSET) + " ( -30.0mm - 30.0mm ); give --mark-offset within that "
                                       "range"},
        {{"--kind", "label", "--width", "50", "--length", "30", "--gap", "3", "--left", "30",
          "--right", "20"},
         Range(Text(IDS_ITEM_RIGHT) + " + " + Text(IDS_ITEM_LEFT)) +
             " ( 0.0mm - 49.8mm ); give --right and "
             "--left within that range"},
        {{"--kind", "label", "--width", "63", "--length", "30", "--gap", "3", "--left", "3",
          "--right", "3.4"},
         Range(Text(IDS_ITEM_RIGHT) + " , " + Text(IDS_ITEM_LEFT)) +
             " ( 3.5mm - 59.3mm ); give --right and "
             "--left within that range"},
        {{"--kind", "mark", "--width", "50", "--length", "30", "--mark-length", "3", "--top", "2"},
         Range(Text(IDS_ITEM_TOP) + " / " + Text(IDS_ITEM_BOTTOM)) +
             " ( 3.0mm - 29.8mm ); give --top and "
             "--bottom within that range"},
        {{"--kind", "roll", "--width", "50", "--top", "2.9"},
         Range(Text(IDS_ITEM_TOP) + " / " + Text(IDS_ITEM_BOTTOM)) +
             " ( 3.0mm - 127.0mm ); give --top and "
             "--bottom within that range"},
        {{"--kind", "label", "--width", "50", "--length", "30", "--gap", "3", "--top", "20",
          "--bottom", "9.9"},
         Range(Text(IDS_ITEM_TOP) + " + " + Text(IDS_ITEM_BOTTOM)) +
             " ( 0.0mm - 29.8mm ); give --top and "
             "--bottom within that range"},
        {{"--kind", "roll", "--width", "50", "--top", "70"},
         Range(Text(IDS_ITEM_TOP) + " + " + Text(IDS_ITEM_BOTTOM)) +
             " ( 3.0mm - 127.0mm ); give --top and "
             "--bottom within that range"},
        {{"--kind", "roll", "--width", "50", "--name", " Lead"},
         Text(IDS_NAME_REFUSED) + "; give another --name"},
        {{"--kind", "roll", "--width", "50", "--name", "User C in"},
         Text(IDS_NAME_IN_USE) + "; give another --name"},
        {{"--kind", "roll", "--width", "50", "--name", "Built-in A mm"},
         Text(IDS_NAME_IN_USE) + "; give another --name"},
    };
    for (const auto& c : cases) {
        CtlRun run;
        auto has = [&c](const char* option) {
            return std::find(c.values.begin(), c.values.end(), option) != c.values.end();
        };
        // A name and margins the editor takes, unless the case gives its own.
        std::vector<std::string> arguments = {"add", kQueue, "--unit", "mm"};
        if (!has("--name")) arguments.insert(arguments.end(), {"--name", "New"});
        if (!has("--top")) arguments.insert(arguments.end(), {"--top", "3"});
        if (!has("--bottom") && !has("roll")) arguments.insert(arguments.end(), {"--bottom", "3"});
        arguments.insert(arguments.end(), c.values.begin(), c.values.end());
        EXPECT_EQ(run.Run(arguments), 3) << c.error;
        EXPECT_EQ(run.err.str(), "velkorctl: " + c.error + "\n");
        EXPECT_TRUE(run.DriverFolderUntouched()) << c.error;
        EXPECT_TRUE(run.processes.runs.empty()) << c.error;
    }
}

TEST(CtlAdd, InchRangesAndTheLocalesSeparator) {
    CtlRun run;
    run.locale.decimalSeparator = ",";
    EXPECT_EQ(run.Run({"add", kQueue, "--unit", "in", "--name", "N", "--kind", "roll", "--width",
                       "0.46", "--top", "0.12"}),
              3);
    EXPECT_EQ(run.err.str(), "velkorctl: " + RangeTexts().Range(IDS_ITEM_WIDTH) +
                                 " ( 0,47\" - 2,48\" ); give --width within that range\n");
    // Typed with "." or with the locale's ",", the value is the same.
    for (const char* width : {"1.97", "1,97"}) {
        CtlRun ok;
        ok.locale.decimalSeparator = ",";
        ASSERT_EQ(ok.Run({"add", kQueue, "--unit", "in", "--name", "N", "--kind", "roll", "--width",
                          width, "--top", "0,12"}),
                  0)
            << ok.err.str();
        EXPECT_EQ(ok.UserValue("N", "nPaperWidth"), "500") << width;
    }
}

TEST(CtlAdd, ValuesTheEditorsFieldsWouldNotTake) {
    struct Case {
        std::string option;
        std::string value;
        std::string unit;
    };
    const Case cases[] = {
        {"--width", "50.05", "mm"},   {"--width", "1.975", "in"}, {"--width", "abc", "mm"},
        {"--width", "1234567", "mm"}, {"--width", "-50", "mm"},   {"--width", "10000", "mm"},
        {"--top", "-1", "mm"},        {"--width", "5.0.0", "mm"},
    };
    for (const auto& c : cases) {
        CtlRun run;
        std::vector<std::string> arguments = {"add",    kQueue, "--unit", c.unit,
                                              "--name", "N",    "--kind", "roll"};
        if (c.option != "--width") arguments.insert(arguments.end(), {"--width", "50"});
        arguments.insert(arguments.end(), {c.option, c.value});
        EXPECT_EQ(run.Run(arguments), 3) << c.option << " " << c.value;
        EXPECT_EQ(run.err.str().rfind("velkorctl: " + c.option + " " + c.value +
                                          " is not a value the editor takes: give at most 6 "
                                          "characters with ",
                                      0),
                  0u)
            << run.err.str();
        EXPECT_TRUE(run.DriverFolderUntouched());
    }
    // A negative mark offset is what that field takes.
    CtlRun run;
    EXPECT_EQ(
        run.Run({"add",     kQueue, "--unit",   "mm", "--name",        "M", "--kind",        "mark",
                 "--width", "50",   "--length", "30", "--mark-length", "3", "--mark-offset", "-2",
                 "--top",   "3",    "--bottom", "3"}),
        0)
        << run.err.str();
    EXPECT_EQ(run.UserValue("M", "nType"), "0x4b");  // 75: the mark kind is in reserved_12_
    // Top 24 dots, mark offset -16 dots, mark length 24 dots, kind code 2.
    EXPECT_EQ(run.UserValue("M", "reserved_12_").substr(0, 19), "24,0,240,255,24,0,2");
}

TEST(CtlAdd, NamesThatDoNotFitAndAFullTable) {
    CtlRun run;
    EXPECT_EQ(
        run.Run({"add", kQueue, "--name", std::string(32, 'n'), "--kind", "roll", "--width", "50"}),
        3);
    EXPECT_EQ(run.err.str(), "velkorctl: the name \"" + std::string(32, 'n') +
                                 "\" is longer than a paper name can be (31 characters); give a "
                                 "shorter --name\n");

    std::vector<TestPaper> many;
    for (int i = 0; i < 98; ++i)
        many.push_back({"P" + std::to_string(i), "P" + std::to_string(i) + " in"});
    run.files.Put(kUser, UserSource(many));
    EXPECT_EQ(run.Run({"add", kQueue, "--name", "N", "--kind", "roll", "--width", "50"}), 3);
    EXPECT_EQ(run.err.str(), "velkorctl: the table holds 100 papers; delete a user paper first\n");
    EXPECT_TRUE(run.DriverFolderUntouched());
}

TEST(CtlAdd, AFailedBuildInstallsNothingAndGivesTheToolsReason) {
    CtlRun run;
    run.processes.onRun = [&run](const std::string& line) {
        if (line.find("kvx500pc.exe") != std::string::npos)
            run.files.Put("C:\\Temp\\log.txt", "compiling\nerror: [Paper02] nType: out of range\n");
    };
    EXPECT_EQ(run.Run({"add", kQueue, "--unit", "mm", "--name", "N", "--kind", "roll", "--width",
                       "50", "--top", "3"}),
              4);
    EXPECT_EQ(run.err.str(), "velkorctl: " + run.Text(IDS_INSTALL_FAILED) +
                                 " [Paper02] nType: out of range; nothing was changed: remove "
                                 "the cause and run the command again\n");
    EXPECT_TRUE(run.DriverFolderUntouched());
}

TEST(CtlDelete, RemovesAUserPaperAndRefusesOthers) {
    CtlRun run;
    ASSERT_EQ(run.Run({"delete", kQueue, "User C mm"}), 0) << run.err.str();
    EXPECT_EQ(run.out.str(), "deleted \"User C mm\"\n");
    EXPECT_EQ(run.UserValue("User C mm", "nPaperSize"), "");
    EXPECT_EQ(run.UserValue("User D mm", "nPaperSize"), "514");

    // By its name in the other unit too.
    ASSERT_EQ(run.Run({"delete", kQueue, "--unit", "mm", "User D in"}), 0) << run.err.str();
    EXPECT_EQ(run.UserValue("User D mm", "nPaperSize"), "");

    EXPECT_EQ(run.Run({"delete", kQueue, "User D mm"}), 3);
    EXPECT_EQ(run.err.str(),
              "velkorctl: no paper is named \"User D mm\"; see velkorctl list Ostrel LM-510\n");
    EXPECT_EQ(run.Run({"delete", kQueue, "Built-in A mm"}), 3);
    EXPECT_EQ(run.err.str(),
              "velkorctl: \"Built-in A mm\" cannot be deleted: a built-in paper cannot be "
              "deleted; only user papers that are not locked can\n");
    EXPECT_TRUE(run.DriverFolderUntouched());

    run.files.Put(kUser, UserSource({{"Locked mm", "Locked in", 75, 400, 250, 2, 0x400, 513}}));
    EXPECT_EQ(run.Run({"delete", kQueue, "Locked mm"}), 3);
    EXPECT_EQ(run.err.str(),
              "velkorctl: \"Locked mm\" cannot be deleted: a locked paper cannot be deleted; "
              "only user papers that are not locked can\n");
}

TEST(CtlDelete, AFailedInstallLeavesTheDriverFolderAsItWas) {
    CtlRun run;
    const auto before = run.files.Get(kUser);
    run.files.FailCopy(kTable);
    EXPECT_EQ(run.Run({"delete", kQueue, "User C mm"}), 4);
    EXPECT_EQ(run.err.str(),
              "velkorctl: " + run.Text(IDS_INSTALL_FAILED) + " cannot replace " + kTable +
                  "; nothing was changed: remove the cause and run the command again\n");
    EXPECT_EQ(run.files.Get(kUser), before);
    EXPECT_EQ(run.files.Get(kTable), "installed table");
}

TEST(CtlExport, CopiesTheThreeFilesAndReplacesThemOnlyWithForce) {
    CtlRun run;
    ASSERT_EQ(run.Run({"export", kQueue, "C:\\out"}), 0) << run.err.str();
    EXPECT_EQ(run.OutLines(),
              (std::vector<std::string>{"C:\\out\\kvx510ed.txt", "C:\\out\\kvx510ed.lyt",
                                        "C:\\out\\lty5141.bin"}));
    EXPECT_EQ(run.files.Get("C:\\out\\kvx510ed.lyt"),
              "table of " + run.files.Get("C:\\out\\kvx510ed.txt").value_or("?"));
    EXPECT_TRUE(run.DriverFolderUntouched());

    run.files.Put("C:\\out\\kvx510ed.lyt", "older table");
    EXPECT_EQ(run.Run({"export", kQueue, "C:\\out"}), 3);
    EXPECT_EQ(run.err.str(),
              "velkorctl: C:\\out already holds exported paper files of kvx510; give --force to "
              "replace them, or another folder\n");
    EXPECT_TRUE(run.processes.runs.size() == 2u);  // the first export's two tools only
    EXPECT_EQ(run.files.Get("C:\\out\\kvx510ed.lyt"), "older table");

    ASSERT_EQ(run.Run({"export", kQueue, "C:\\out", "--force"}), 0) << run.err.str();
    EXPECT_NE(run.files.Get("C:\\out\\kvx510ed.lyt"), "older table");

    run.files.FailCopy("C:\\out\\lty5141.bin");
    EXPECT_EQ(run.Run({"export", kQueue, "C:\\out", "--force"}), 4);
    EXPECT_EQ(run.err.str(), "velkorctl: " + run.Text(IDS_EXPORT_FAILED) +
                                 " cannot replace C:\\out\\lty5141.bin; check that C:\\out is a "
                                 "folder you may write to\n");
}

TEST(CtlImport, InstallsASourceOfTheModelAndRefusesOthers) {
    CtlRun run;
    run.files.Put("C:\\sets\\mine.txt", UserSource({{"Set E mm", "Set E in"}}));
    run.files.Put("C:\\sets\\other.txt", UserSource({{"Set F mm", "Set F in"}}, "kvx520"));
    run.files.Put("C:\\sets\\upper.txt", UserSource({{"Set G mm", "Set G in"}}, "KVX510"));

    EXPECT_EQ(run.Run({"import", kQueue, "C:\\sets\\other.txt"}), 3);
    EXPECT_EQ(run.err.str(), "velkorctl: " + run.Text(IDS_NOT_THIS_MODEL) +
                                 " (C:\\sets\\other.txt is not a kvx510 source; give a file "
                                 "exported for this model)\n");
    EXPECT_EQ(run.Run({"import", kQueue, "C:\\sets\\none.txt"}), 3);
    EXPECT_EQ(run.err.str(),
              "velkorctl: C:\\sets\\none.txt does not exist; give the path of an "
              "exported paper source file\n");
    EXPECT_TRUE(run.DriverFolderUntouched());

    ASSERT_EQ(run.Run({"import", kQueue, "C:\\sets\\mine.txt"}), 0) << run.err.str();
    EXPECT_EQ(run.out.str(), "imported 1 user papers from C:\\sets\\mine.txt\n");
    EXPECT_EQ(run.files.Get(kUser), run.files.Get("C:\\sets\\mine.txt"));
    ASSERT_EQ(run.Run({"import", kQueue, "C:\\sets\\upper.txt"}), 0) << run.err.str();
    EXPECT_EQ(run.UserValue("Set G mm", "szPaperName_inch"), "Set G in");
}

TEST(CtlCheck, ReportsTheFilesPapersAndInstallsNothing) {
    CtlRun run;
    run.files.Put("C:\\sets\\mine.txt",
                  UserSource({{"Set E mm", "Set E in", 74, 500, 0, 4, 0, 520}}));
    run.files.Put("C:\\sets\\other.txt", UserSource({{"Set F mm", "Set F in"}}, "kvx520"));
    ASSERT_EQ(run.Run({"check", kQueue, "C:\\sets\\mine.txt", "--unit", "mm"}), 0);
    EXPECT_EQ(run.OutLines(),
              (std::vector<std::string>{"C:\\sets\\mine.txt: a paper source of kvx510; velkor "
                                        "would read 1 user papers from it:",
                                        "2\tuser\tSet E mm\t50.0\t--\troll\t520\t4"}));
    ASSERT_EQ(run.Run({"check", kQueue, "C:\\sets\\mine.txt", "--unit", "mm", "--json"}), 0);
    EXPECT_EQ(run.out.str(),
              "{\"model\": \"kvx510\", \"file\": \"C:\\\\sets\\\\mine.txt\", \"papers\": [\n"
              " {\"index\": 2, \"origin\": \"user\", \"name\": \"Set E mm\", \"width\": 50.0, "
              "\"length\": null, \"unit\": \"mm\", \"kind\": \"roll\", \"id\": 520, "
              "\"energyRank\": 4}\n]}\n");
    EXPECT_TRUE(run.files.log.empty());
    EXPECT_TRUE(run.processes.runs.empty());

    EXPECT_EQ(run.Run({"check", kQueue, "C:\\sets\\other.txt"}), 3);
    EXPECT_EQ(run.out.str(), "");
    EXPECT_EQ(run.err.str(), "velkorctl: " + run.Text(IDS_NOT_THIS_MODEL) +
                                 " (C:\\sets\\other.txt is not a kvx510 source; give a file "
                                 "exported for this model)\n");
}

// The tab-separated fields of a line.
std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
    return fields;
}

const std::string kHistory = kDriver + "\\history\\kvx510";

TEST(CtlHistory, EveryChangeIsListedNewestFirstAndRestoreBringsTheSetBack) {
    CtlRun run;
    ASSERT_EQ(run.Run({"history", kQueue}), 0) << run.err.str();
    EXPECT_EQ(run.out.str(), "");
    const auto before = run.files.Get(kUser);

    ASSERT_EQ(run.Run({"delete", kQueue, "User C mm"}), 0) << run.err.str();
    const size_t toolRuns = run.processes.runs.size();
    ASSERT_EQ(run.Run({"history", kQueue}), 0) << run.err.str();
    ASSERT_EQ(run.OutLines().size(), 1u) << run.out.str();
    const auto deleted = Fields(run.OutLines()[0]);
    ASSERT_EQ(deleted.size(), 5u) << run.out.str();
    const std::string id = deleted[0];
    const auto kept = history::ParseEntryId(id);
    ASSERT_TRUE(kept) << id;
    EXPECT_EQ(deleted[1].rfind("12.06.2024 14:30:", 0), 0u) << deleted[1];
    EXPECT_EQ(std::vector<std::string>(deleted.begin() + 2, deleted.end()),
              (std::vector<std::string>{"deleted 'User C mm'", "2", "restorable"}));
    EXPECT_TRUE(run.files.log.empty());  // listing writes and runs nothing
    EXPECT_EQ(run.processes.runs.size(), toolRuns);

    ASSERT_EQ(run.Run({"restore", kQueue, id}), 0) << run.err.str();
    EXPECT_EQ(run.out.str(), "restored " + id + "\n");
    EXPECT_EQ(run.files.Get(kUser), before);
    EXPECT_EQ(run.instance.createdMutexes.back(), "mutex_kvx510");

    // The restore is kept in its turn and can be undone like any change.
    ASSERT_EQ(run.Run({"history", kQueue}), 0) << run.err.str();
    ASSERT_EQ(run.OutLines().size(), 2u) << run.out.str();
    const auto restored = Fields(run.OutLines()[0]);
    ASSERT_EQ(restored.size(), 5u) << run.out.str();
    EXPECT_EQ(restored[2], "restored the set of " + deleted[1]);
    EXPECT_EQ(restored[3], "1");
    EXPECT_EQ(Fields(run.OutLines()[1])[0], id);

    ASSERT_EQ(run.Run({"history", kQueue, "--json"}), 0) << run.err.str();
    const std::string keptTime = history::FormatKeptTime(kept->kept);
    const std::string older = "{\"entry\": \"" + id + "\", \"kept\": \"" + keptTime +
                              "\", \"change\": \"deleted\", \"subject\": \"User C mm\", "
                              "\"papers\": 2, \"damaged\": false}";
    EXPECT_EQ(run.out.str().rfind("[{\"entry\": \"" + restored[0] + "\", ", 0), 0u)
        << run.out.str();
    EXPECT_NE(run.out.str().find("\"change\": \"restored\", \"subject\": \"" + id +
                                 "\", \"papers\": 1, \"damaged\": false}, " + older + "]\n"),
              std::string::npos)
        << run.out.str();
}

TEST(CtlHistory, UnknownAndDamagedEntriesAreRefusedAndNothingChanges) {
    CtlRun run;
    const std::string refusal =
        "; give an entry that velkorctl history Ostrel LM-510 lists as restorable\n";
    EXPECT_EQ(run.Run({"restore", kQueue, "000007-20240612-143000"}), 3);
    EXPECT_EQ(run.err.str(), "velkorctl: no history entry 000007-20240612-143000" + refusal);
    EXPECT_TRUE(run.DriverFolderUntouched());

    ASSERT_EQ(run.Run({"delete", kQueue, "User C mm"}), 0) << run.err.str();
    ASSERT_EQ(run.Run({"history", kQueue}), 0);
    const std::string id = Fields(run.OutLines().at(0)).at(0);
    run.files.Put(kHistory + "\\" + id + "\\kvx510ed.txt", "not the kept bytes");
    const auto installed = run.files.Get(kUser);

    ASSERT_EQ(run.Run({"history", kQueue}), 0);
    EXPECT_EQ(Fields(run.OutLines().at(0)).back(), "damaged: kvx510ed.txt is damaged");
    ASSERT_EQ(run.Run({"history", kQueue, "--json"}), 0);
    EXPECT_NE(run.out.str().find("\"damaged\": true, \"damage\": \"kvx510ed.txt is damaged\"}]"),
              std::string::npos)
        << run.out.str();
    EXPECT_EQ(run.Run({"restore", kQueue, id}), 3);
    EXPECT_EQ(run.err.str(),
              "velkorctl: the history entry is damaged: kvx510ed.txt is damaged" + refusal);
    EXPECT_TRUE(run.DriverFolderUntouched());
    EXPECT_EQ(run.files.Get(kUser), installed);
}

TEST(CtlHistory, AChangeWhoseSetCannotBeKeptInstallsNothing) {
    CtlRun run;
    const auto before = run.files.Get(kUser);
    run.files.FailWriteUnder(kDriver + "\\history");
    EXPECT_EQ(run.Run({"delete", kQueue, "User C mm"}), 4);
    EXPECT_EQ(run.err.str(), "velkorctl: " + run.Text(IDS_INSTALL_FAILED) +
                                 " cannot write the history folder " + kHistory +
                                 "; nothing was changed: remove the cause and run the command "
                                 "again\n");
    EXPECT_EQ(run.files.Get(kUser), before);
    EXPECT_EQ(run.files.Get(kTable), "installed table");
}

TEST(CtlHelp, EveryCommandHasHelpWithTheExitCodes) {
    for (const char* command :
         {"list", "export", "import", "add", "delete", "history", "restore", "check"}) {
        CtlRun run;
        ASSERT_EQ(run.Run({command, "--help"}), 0) << command;
        const std::string text = run.out.str();
        EXPECT_EQ(text.rfind(std::string("usage: velkorctl ") + command + " QUEUE", 0), 0u) << text;
        EXPECT_NE(text.find("  5  the model is busy"), std::string::npos) << command;
        EXPECT_NE(text.find("--unit mm|in"), std::string::npos) << command;
        EXPECT_TRUE(run.modulePaths.empty());  // help needs no model
    }
    CtlRun run;
    ASSERT_EQ(run.Run({"--help"}), 0);
    for (const char* command : {"  list ", "  export ", "  import ", "  add ", "  delete ",
                                "  history ", "  restore ", "  check "}) {
        EXPECT_NE(run.out.str().find(command), std::string::npos) << command;
    }
    EXPECT_NE(run.out.str().find("  2  usage error"), std::string::npos);
}

}  // namespace
