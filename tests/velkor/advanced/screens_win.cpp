// Opens the paper editor on a sample paper of one kind, through the Win32 dialog
// layer and the language module, for the documentation's screenshots. The advanced
// dialog is reached from the editor's own button.
//
//   advanced_screens <language module> roll|label|mark
#include <cstdio>
#include <string>

#include "resources/resource_ids.h"
#include "rules/paper_values.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_processes.h"
#include "tests/rules/field_texts.h"
#include "velkor/advanced/advance_dlg.h"
#include "velkor/advanced/reserved_values.h"
#include "velkor/editor/new_label_dlg.h"
#include "win/codepage.h"
#include "win/win32_ui.h"

namespace {

papertable::PaperRecord SamplePaper(int kindIndex) {
    rules::FieldTexts t;
    t.name = kindIndex == 0 ? "Roll 58" : (kindIndex == 1 ? "Label 58 x 40" : "Marked 58 x 40");
    t.width = "58.0";
    t.length = "40.0";
    t.gap = "3.0";
    t.right = t.left = "1.5";
    t.top = t.bottom = "3.0";
    t.markLength = "3.0";
    t.markOffset = "1.5";
    t.kind = rules::KindFromSelection(kindIndex);
    papertable::PaperRecord r;
    r.nPaperSize = 515;
    editortest::ApplyFields(t, {false, '.', papertable::k203DpiLimits}, r);
    win::AnsiToWide(t.name, r.szPaperName_mm);
    win::AnsiToWide(t.name, r.szPaperName_inch);
    r.nVirtualOffsetX = 16;
    r.nVirtualOffsetY = -8;
    r.byEnergyRank = 6;
    advanced::ReservedValues values = advanced::ParseReserved(r.reserved_12_);
    values[advanced::kAdjustFirstItem] = 1;
    values[advanced::kAdjustSecondItem] = -1;
    r.reserved_12_ = advanced::FormatReserved(values);
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: advanced_screens <kvx500ct.dll> roll|label|mark\n");
        return 2;
    }
    const std::string kind = argv[2];
    const int kindIndex = kind == "roll" ? 0 : (kind == "label" ? 1 : 2);

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    HMODULE module = LoadLibraryA(argv[1]);
    if (module == nullptr) {
        std::fprintf(stderr, "cannot load %s\n", argv[1]);
        return 1;
    }
    win::Win32Ui ui(module);
    ui.SetApplicationTitle(ui.LoadString(IDS_APP_TITLE));

    fakes::FakeFileSystem files;
    fakes::FakeProcesses processes;
    paperset::PaperSet paperSet(files, processes, "kvx510", "C:\\Drivers\\3", nullptr);
    paperSet.Table().device.dmDeviceName = "Ostrel LM-510";
    papertable::PaperRecord record = SamplePaper(kindIndex);
    editor::EditorArgs args{record, paperSet};
    args.limits = papertable::k203DpiLimits;
    args.advancedSettings = advanced::AdvancedSettingsFor(ui);
    editor::CNewLabelDlg dialog(ui, args);
    dialog.RunModal(nullptr);
    return 0;
}
