#include "velkor/app/tarnel_app.h"

#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "tests/fakes/fake_services.h"
#include "tests/fakes/memory_files.h"
#include "tests/support/headless.h"

namespace {

// The application object opens the real main window from template 102 without owner.
TEST(CTarnelApp, RunsTheMainWindowModallyAndAsksForNoMessageLoop) {
    fakes::FakeServices<fakes::MemoryFiles> fake;
    fake.spooler.printers = {{"Shelf", "Ostrel LM-510"}};
    fake.files.programPath = "C:\\velkor\\velkor.exe";
    win::headless::HeadlessUi ui;

    app::StartupPlatform platform;
    platform.loadLanguageModule = [&](const std::string&) -> win::Ui* { return &ui; };
    platform.showError = [](std::string_view, std::string_view) { ADD_FAILURE(); };
    app::CTarnelApp application(fake.services, platform);

    EXPECT_FALSE(application.InitInstance("Shelf"));
    EXPECT_EQ(application.Outcome(), app::StartupOutcome::MainWindowClosed);
    EXPECT_EQ(ui.modalRuns.front(), IDD_MAIN);
}

}  // namespace
