#include "app/tarnel_app.h"

#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "tests/fakes/fake_instance.h"
#include "tests/fakes/fake_locale.h"
#include "tests/fakes/fake_processes.h"
#include "tests/fakes/fake_spooler.h"
#include "win/headless.h"

namespace {

class NoFiles : public win::FileSystem {
public:
    std::optional<std::string> ProgramPath() override { return "C:\\velkor\\velkor.exe"; }
    bool FileExists(const std::string&) override { return false; }
    std::optional<uint32_t> Attributes(const std::string&) override { return std::nullopt; }
    bool SetAttributes(const std::string&, uint32_t) override { return false; }
    std::optional<std::string> ReadFile(const std::string&) override { return std::nullopt; }
    bool WriteFileAtomic(const std::string&, const std::string&) override { return false; }
    bool CopyFile(const std::string&, const std::string&) override { return false; }
    bool DeleteFile(const std::string&) override { return false; }
    std::string TempFolder() override { return "C:\\temp\\"; }
    std::string CurrentDirectory() override { return "C:\\"; }
    bool SetCurrentDirectory(const std::string&) override { return true; }
    std::string DocumentsFolder() override { return "C:\\docs"; }
};

// The application object opens the real main window from template 102 without owner.
TEST(CTarnelApp, RunsTheMainWindowModallyAndAsksForNoMessageLoop) {
    fakes::FakeSpooler spooler;
    spooler.printers = {{"Shelf", "Ostrel LM-510"}};
    fakes::FakeLocale locale;
    NoFiles files;
    fakes::FakeProcesses processes;
    fakes::FakeInstance instance;
    const win::Services services{spooler, locale, files, processes, instance};
    win::headless::HeadlessUi ui;

    app::StartupPlatform platform;
    platform.loadLanguageModule = [&](const std::string&) -> win::Ui* { return &ui; };
    platform.showError = [](std::string_view, std::string_view) { ADD_FAILURE(); };
    app::CTarnelApp application(services, platform);

    EXPECT_FALSE(application.InitInstance("Shelf"));
    EXPECT_EQ(application.Outcome(), app::StartupOutcome::MainWindowClosed);
    EXPECT_EQ(ui.modalRuns.front(), IDD_MAIN);
}

}  // namespace
