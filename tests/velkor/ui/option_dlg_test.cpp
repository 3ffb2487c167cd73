#include "velkor/ui/option_dlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/support/headless.h"

namespace {

using win::headless::HeadlessUi;
using win::headless::HeadlessWindow;

TEST(OptionDlg, OpensWithTheCurrentUnitChecked) {
    for (bool inches : {false, true}) {
        HeadlessUi ui;
        bool flag = inches;
        bool mmChecked = false, inchChecked = false;
        ui.OnDialog(IDD_OPTION, [&](HeadlessWindow& w) {
            mmChecked = w.IsChecked(IDC_OPT_MM);
            inchChecked = w.IsChecked(IDC_OPT_INCH);
        });
        ui::COptionDlg dialog(ui, flag);
        dialog.RunModal(nullptr);
        EXPECT_EQ(inchChecked, inches);
        EXPECT_EQ(mmChecked, !inches);
    }
}

TEST(OptionDlg, ConfirmStoresTheClickedUnitCancelStoresNothing) {
    struct Case {
        bool start;
        std::vector<int> clicks;
        int close;
        bool expected;
    };
    const Case cases[] = {
        {true, {IDC_OPT_MM}, win::kIdOk, false},
        {false, {IDC_OPT_INCH}, win::kIdOk, true},
        {true, {IDC_OPT_INCH}, win::kIdOk, true},
        {false, {IDC_OPT_MM}, win::kIdOk, false},
        {false, {IDC_OPT_INCH, IDC_OPT_MM}, win::kIdOk, false},
        {true, {}, win::kIdOk, true},
        {true, {IDC_OPT_MM}, win::kIdCancel, true},
        {false, {IDC_OPT_INCH}, win::kIdCancel, false},
    };
    for (const auto& c : cases) {
        HeadlessUi ui;
        bool flag = c.start;
        bool mmChecked = false, inchChecked = false;
        ui.OnDialog(IDD_OPTION, [&](HeadlessWindow& w) {
            for (int id : c.clicks) w.Check(id);
            mmChecked = w.IsChecked(IDC_OPT_MM);
            inchChecked = w.IsChecked(IDC_OPT_INCH);
            w.Click(c.close);
        });
        ui::COptionDlg dialog(ui, flag);
        EXPECT_EQ(dialog.RunModal(nullptr), c.close);
        const std::string label = ::testing::PrintToString(c.clicks) + " from " +
                                  (c.start ? "inches" : "mm") + ", closed with " +
                                  std::to_string(c.close);
        EXPECT_NE(mmChecked, inchChecked) << label << ": one unit button is checked";
        EXPECT_EQ(flag, c.expected) << label;
    }
}

TEST(OptionDlg, NeitherButtonCheckedCountsAsInches) {
    // Not reachable by clicks; the dialog's rule for it: not millimetres, so inches.
    HeadlessUi ui;
    bool flag = false;
    ui.OnDialog(IDD_OPTION, [&](HeadlessWindow& w) {
        w.Control(IDC_OPT_MM).checked = false;
        w.Control(IDC_OPT_INCH).checked = false;
        w.Click(win::kIdOk);
    });
    ui::COptionDlg dialog(ui, flag);
    EXPECT_EQ(dialog.RunModal(nullptr), win::kIdOk);
    EXPECT_TRUE(flag);
}

}  // namespace
