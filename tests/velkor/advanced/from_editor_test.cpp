// The advanced dialog opened from the paper editor works on the editor's record.
#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_processes.h"
#include "tests/support/headless.h"
#include "velkor/advanced/advance_dlg.h"
#include "velkor/editor/new_label_dlg.h"

namespace {

using win::headless::HeadlessWindow;

TEST(AdvancedFromEditor, ConfirmedSettingsReachTheEditorsRecord) {
    win::headless::HeadlessUi ui;
    fakes::FakeFileSystem files;
    fakes::FakeProcesses processes;
    paperset::PaperSet paperSet(files, processes, "kvx510", "C:\\Drivers\\3", nullptr);
    papertable::PaperRecord record;
    record.nType = papertable::kKindLabel;
    record.reserved_12_ = "0,0,0,0,0,0,1,0,0,0,0,0";
    editor::EditorArgs args{record, paperSet};
    args.limits = papertable::k203DpiLimits;
    args.decimalSeparator = ',';
    args.advancedSettings = advanced::AdvancedSettingsFor(ui);

    ui.OnDialog(IDD_ADVANCED, [](HeadlessWindow& w) {
        EXPECT_TRUE(w.IsEnabled(IDC_ADV_ADJUST_B1));  // the kind chosen in the editor
        EXPECT_EQ(w.Text(IDC_ADV_RANGE_X), "[ -150,0 - 150,0 ]");
        w.Type(IDC_ADV_X, "1,0");
        w.Choose(IDC_ADV_ENERGY, 7);
        w.Choose(IDC_ADV_ADJUST_B2, 0);
        w.Click(win::kIdOk);
    });
    ui.OnDialog(IDD_EDITOR, [](HeadlessWindow& w) {
        w.Choose(IDC_ED_KIND, 2);
        w.Click(IDC_ED_ADVANCED);
    });
    editor::CNewLabelDlg dialog(ui, args);
    dialog.RunModal(nullptr);

    EXPECT_EQ(ui.modalRuns, (std::vector<int>{IDD_EDITOR, IDD_ADVANCED}));
    EXPECT_EQ(record.nVirtualOffsetX, 8);
    EXPECT_EQ(record.byEnergyRank, 7);
    EXPECT_EQ(record.reserved_12_, "0,0,0,0,0,0,1,0,0,0,-2,0");
}

}  // namespace
