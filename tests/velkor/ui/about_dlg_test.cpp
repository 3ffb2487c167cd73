#include "velkor/ui/about_dlg.h"

#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "tests/support/headless.h"
#include "version/display_version.h"

namespace {

using win::headless::HeadlessUi;
using win::headless::HeadlessWindow;

TEST(AboutDlg, FillsVersionAndYearFromTheModuleFormats) {
    HeadlessUi ui;
    ui.strings[IDS_ABOUT_VERSION] = "Version %s";
    ui.strings[IDS_ABOUT_YEAR] = "(c) %s, 100%%";
    std::string versionLine, year;
    ui.OnDialog(IDD_ABOUT, [&](HeadlessWindow& w) {
        versionLine = w.Text(IDC_ABOUT_VERSION);
        year = w.Text(IDC_ABOUT_YEAR);
        w.Click(win::kIdOk);
    });
    ui::CAboutDlg dialog(ui);
    EXPECT_EQ(dialog.RunModal(nullptr), win::kIdOk);
    EXPECT_EQ(versionLine, "Version " + version::ProgramDisplayVersion());
    EXPECT_EQ(year, "(c) 2013, 100%");
}

TEST(AboutDlg, MovesToTheParentCornerOnlyWhenFirstShown) {
    HeadlessUi ui;
    int afterFirst = 0, afterMore = 0;
    ui.OnDialog(IDD_ABOUT, [&](HeadlessWindow& w) {
        afterFirst = w.placements;  // the run shows the window once before the script
        w.Showing();
        w.Showing();
        afterMore = w.placements;
    });
    ui::CAboutDlg dialog(ui);
    dialog.RunModal(nullptr);
    EXPECT_EQ(afterFirst, 1);
    EXPECT_EQ(afterMore, 1);
}

}  // namespace
