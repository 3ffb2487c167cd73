#include "app/tarnel_app.h"

#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_instance.h"
#include "tests/fakes/fake_locale.h"
#include "tests/fakes/fake_processes.h"
#include "tests/fakes/fake_spooler.h"
#include "tests/fakes/memory_files.h"
#include "tests/support/headless.h"

namespace {

// The application object opens the real main window from template 102 without owner.
TEST(CTarnelApp, RunsTheMainWindowModallyAndAsksForNoMessageLoop) {
    fakes::FakeSpooler spooler;
    spooler.printers = {{"Shelf", "Ostrel LM-510"}};
    fakes::FakeLocale locale;
    fakes::MemoryFiles files;
    files.programPath = "C:\\velkor\\velkor.exe";
    fakes::FakeProcesses processes;
    fakes::FakeInstance instance;
    fakes::FakeClock clock;
    const win::Services services{spooler, locale, files, processes, instance, clock};
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
