#include "velkor/app/startup.h"

#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "tests/fakes/fake_services.h"
#include "tests/fakes/memory_files.h"
#include "tests/support/headless.h"

namespace {

using mainwindow::MainWindowArgs;

struct ShownError {
    std::string text;
    std::string caption;
    bool operator==(const ShownError&) const = default;
};

class Startup : public testing::Test, protected fakes::FakeServices<fakes::MemoryFiles> {
protected:
    Startup() {
        spooler.printers = {
            {"Office Labels", "ostrel lm-520"},  // a case variant of the 300-dpi row
            {"Shelf", "Ostrel LM-510"},
            {"Shelf", "Ostrel LM-620N"},  // same name twice: the first one counts
            {"Plain", "Generic Text Only"},
        };
        platform.loadLanguageModule = [this](const std::string& path) -> win::Ui* {
            loadedPaths.push_back(path);
            return moduleLoads ? &ui : nullptr;
        };
        platform.showError = [this](std::string_view text, std::string_view caption) {
            errors.push_back({std::string(text), std::string(caption)});
        };
        platform.runMainWindow = [this](win::Ui& shownUi, const win::Services&,
                                        const MainWindowArgs& args) {
            mainWindowArgs.push_back(args);
            titleAtMainWindow = shownUi.ApplicationTitle();
            return win::kIdOk;
        };
    }

    app::StartupOutcome Run(std::string_view line) {
        return app::RunStartup(line, services, platform);
    }

    win::headless::HeadlessUi ui;
    bool moduleLoads = true;
    app::StartupPlatform platform;

    std::vector<std::string> loadedPaths;
    std::vector<ShownError> errors;
    std::vector<MainWindowArgs> mainWindowArgs;
    std::string titleAtMainWindow;
};

TEST_F(Startup, ResolvesPrinterModelLimitsAndUnit) {
    const struct {
        const char* line;
        std::optional<std::string> measurement;
        const char* printerName;
        const char* modelPrefix;
        papertable::ModelLimits limits;
        bool inches;
    } cases[] = {
        {"\"Office Labels\"", "1", "Office Labels", "kvx520", papertable::k300DpiLimits, true},
        {"\"Office Labels\" /m", "1", "Office Labels", "kvx520", papertable::k300DpiLimits, false},
        {"\"Office Labels\" /M", "1", "Office Labels", "kvx520", papertable::k300DpiLimits, true},
        {"\"Office Labels\" /M", "0", "Office Labels", "kvx520", papertable::k300DpiLimits, false},
        {"\"Office Labels\" \"/m\"", "1", "Office Labels", "kvx520", papertable::k300DpiLimits,
         true},
        {"Office Labels /m", "1", "", "", papertable::k203DpiLimits, true},
        {"Shelf i", "0", "Shelf", "kvx510", papertable::k203DpiLimits, true},
        {"shelf", "0", "", "", papertable::k203DpiLimits, false},  // printer names are exact
        {"Plain m", "1", "Plain", "", papertable::k203DpiLimits, false},
        {"Nowhere", std::nullopt, "", "", papertable::k203DpiLimits, true},
    };
    for (const auto& c : cases) {
        locale.measurementSystem = c.measurement;
        const auto args = app::ResolveStartupArgs(c.line, spooler, locale);
        ASSERT_TRUE(args) << c.line;
        EXPECT_EQ(args->printerName, c.printerName) << c.line;
        EXPECT_EQ(args->modelPrefix, c.modelPrefix) << c.line;
        EXPECT_EQ(args->modelLimits, c.limits) << c.line;
        EXPECT_EQ(args->inchUnits, c.inches) << c.line;
    }
}

TEST_F(Startup, FailingEnumerationLeavesPrinterAndModelEmpty) {
    spooler.enumerationFails = true;
    const auto args = app::ResolveStartupArgs("\"Office Labels\" m", spooler, locale);
    ASSERT_TRUE(args);
    EXPECT_EQ(args->printerName, "");
    EXPECT_EQ(args->modelPrefix, "");
    EXPECT_EQ(args->modelLimits, papertable::k203DpiLimits);
    EXPECT_FALSE(args->inchUnits);
}

TEST_F(Startup, NoArgumentShowsBadArgumentsAndEnds) {
    for (const char* line : {"", "   ", "\"\""}) {
        errors.clear();
        EXPECT_EQ(Run(line), app::StartupOutcome::BadArguments) << line;
        EXPECT_EQ(errors, (std::vector<ShownError>{{"Bad Arguments.", "Error"}})) << line;
    }
    EXPECT_TRUE(loadedPaths.empty());
    EXPECT_TRUE(instance.createdMutexes.empty());
    EXPECT_TRUE(mainWindowArgs.empty());
}

TEST_F(Startup, LoadsTheLanguageModuleBesideTheProgram) {
    const struct {
        const char* programPath;
        const char* modulePath;
    } cases[] = {
        {"C:\\Program Files\\Mertavo\\velkor.exe", "C:\\Program Files\\Mertavo\\kvx500ct.dll"},
        {"C:/tools/velkor.exe", "C:/tools\\kvx500ct.dll"},
        {"C:velkor.exe", "C\\kvx500ct.dll"},
        {"velkor.exe", "\\kvx500ct.dll"},
    };
    for (const auto& c : cases) {
        files.programPath = c.programPath;
        loadedPaths.clear();
        Run("Shelf");
        EXPECT_EQ(loadedPaths, std::vector<std::string>{c.modulePath}) << c.programPath;
        instance.existingMutexes.clear();
    }
}

TEST_F(Startup, MissingLanguageModuleShowsResourceFileNotFound) {
    moduleLoads = false;
    EXPECT_EQ(Run("Shelf"), app::StartupOutcome::NoLanguageModule);
    EXPECT_EQ(errors, (std::vector<ShownError>{{"Resource file not found.", "Mertavo"}}));
    EXPECT_TRUE(instance.createdMutexes.empty());
    EXPECT_TRUE(mainWindowArgs.empty());
}

TEST_F(Startup, UnknownProgramPathMeansNoLanguageModule) {
    for (std::optional<std::string> path :
         {std::optional<std::string>(), std::optional<std::string>("")}) {
        files.programPath = path;
        errors.clear();
        EXPECT_EQ(Run("Shelf"), app::StartupOutcome::NoLanguageModule);
        EXPECT_EQ(errors, (std::vector<ShownError>{{"Resource file not found.", "Mertavo"}}));
    }
    EXPECT_TRUE(loadedPaths.empty());
}

TEST_F(Startup, RunsTheMainWindowWithTheResults) {
    EXPECT_EQ(Run("\"Office Labels\" /m"), app::StartupOutcome::MainWindowClosed);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(instance.createdMutexes, std::vector<std::string>{"mutex_kvx520"});
    ASSERT_EQ(mainWindowArgs.size(), 1u);
    EXPECT_EQ(mainWindowArgs[0].printerName, "Office Labels");
    EXPECT_EQ(mainWindowArgs[0].modelPrefix, "kvx520");
    EXPECT_FALSE(mainWindowArgs[0].inchUnits);
    EXPECT_EQ(mainWindowArgs[0].modelLimits, papertable::k300DpiLimits);
    EXPECT_EQ(titleAtMainWindow, ui.strings[IDS_APP_TITLE]);
    EXPECT_EQ(ui.ApplicationTitle(), ui.strings[IDS_APP_TITLE]);
}

TEST_F(Startup, UnknownModelTakesTheBareMutexName) {
    EXPECT_EQ(Run("Nowhere"), app::StartupOutcome::MainWindowClosed);
    EXPECT_EQ(instance.createdMutexes, std::vector<std::string>{"mutex_"});
    ASSERT_EQ(mainWindowArgs.size(), 1u);
    EXPECT_EQ(mainWindowArgs[0].modelPrefix, "");
}

TEST_F(Startup, SecondInstanceActivatesTheFirstAndEnds) {
    EXPECT_EQ(Run("Shelf"), app::StartupOutcome::MainWindowClosed);
    EXPECT_EQ(Run("Shelf /m"), app::StartupOutcome::AlreadyRunning);
    EXPECT_EQ(instance.activatedTitles, std::vector<std::string>{ui.strings[IDS_APP_TITLE]});
    EXPECT_EQ(mainWindowArgs.size(), 1u);
    EXPECT_TRUE(errors.empty());

    // Another model has a mutex of its own and opens normally.
    EXPECT_EQ(Run("\"Office Labels\""), app::StartupOutcome::MainWindowClosed);
    EXPECT_EQ(mainWindowArgs.size(), 2u);
}

TEST_F(Startup, EmptyTitleStringFallsBackToMertavo) {
    ui.strings[IDS_APP_TITLE] = "";
    EXPECT_EQ(Run("Shelf"), app::StartupOutcome::MainWindowClosed);
    EXPECT_EQ(titleAtMainWindow, "Mertavo");

    // The running window then carries the fallback title, so a second start looks
    // for that and not for an empty title.
    ui.strings.erase(IDS_APP_TITLE);
    EXPECT_EQ(Run("Shelf"), app::StartupOutcome::AlreadyRunning);
    EXPECT_EQ(instance.activatedTitles, std::vector<std::string>{"Mertavo"});
}

}  // namespace
