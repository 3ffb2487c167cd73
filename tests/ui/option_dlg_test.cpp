#include "ui/option_dlg.h"

#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "win/headless.h"

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

TEST(OptionDlg, ConfirmStoresTheCheckedUnitCancelStoresNothing) {
    struct Case {
        bool start;
        int check;
        int close;
        bool expected;
    };
    const Case cases[] = {
        {true, IDC_OPT_MM, win::kIdOk, false},
        {false, IDC_OPT_INCH, win::kIdOk, true},
        {true, IDC_OPT_INCH, win::kIdOk, true},
        {true, IDC_OPT_MM, win::kIdCancel, true},
        {false, IDC_OPT_INCH, win::kIdCancel, false},
        {false, 0, win::kIdOk, true},  // neither checked: not millimetres, so inches
    };
    for (const auto& c : cases) {
        HeadlessUi ui;
        bool flag = c.start;
        ui.OnDialog(IDD_OPTION, [&](HeadlessWindow& w) {
            if (c.check != 0) {
                w.CheckRadio(IDC_OPT_MM, IDC_OPT_INCH, c.check);
            } else {
                w.Control(IDC_OPT_MM).checked = false;
                w.Control(IDC_OPT_INCH).checked = false;
            }
            w.Click(c.close);
        });
        ui::COptionDlg dialog(ui, flag);
        EXPECT_EQ(dialog.RunModal(nullptr), c.close);
        EXPECT_EQ(flag, c.expected) << c.start << " " << c.check << " " << c.close;
    }
}

}  // namespace
