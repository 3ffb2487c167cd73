#include "velkor/mainwindow/tarnel_dlg.h"

#include "resources/resource_ids.h"
#include "rules/units.h"
#include "velkor/mainwindow/command_states.h"
#include "velkor/mainwindow/paper_details.h"
#include "velkor/ui/about_dlg.h"
#include "win/ui.h"

namespace mainwindow {

CTarnelDlg::CTarnelDlg(win::Ui& ui, const win::Services& services, const MainWindowArgs& args)
    : CTarnelDlg(ui, services, args, nullptr) {}

CTarnelDlg::CTarnelDlg(win::Ui& ui, const win::Services& services, const MainWindowArgs& args,
                       transfer::Transport* transport)
    : Dialog(ui, IDD_MAIN),
      services_(services),
      transport_(transport),
      state_(std::make_unique<MainWindowState>()) {
    static const win::MessageEntry<CTarnelDlg> map[] = {
        {win::Event::SelChange, IDC_MAIN_LIST, &CTarnelDlg::OnSelChange},
        {win::Event::Command, IDC_MAIN_OPTIONS, &CTarnelDlg::OnOptions},
        {win::Event::Command, IDC_MAIN_POPUP, &CTarnelDlg::OnPopupClick},
        {win::Event::Command, IDC_MAIN_ADD, &CTarnelDlg::OnAdd},
        {win::Event::Command, IDC_MAIN_EDIT, &CTarnelDlg::OnEdit},
        {win::Event::Command, IDC_MAIN_DELETE, &CTarnelDlg::OnDelete},
        {win::Event::Command, IDC_MAIN_EXPORT, &CTarnelDlg::OnExport},
        {win::Event::Command, IDC_MAIN_IMPORT, &CTarnelDlg::OnImport},
        {win::Event::Command, IDC_MAIN_HISTORY, &CTarnelDlg::OnHistory},
        {win::Event::Command, IDC_MAIN_SEND, &CTarnelDlg::OnSendToPrinter},
        {win::Event::Command, IDM_POPUP_SEND, &CTarnelDlg::OnSendToPrinter},
        {win::Event::Command, IDM_POPUP_SAVE, &CTarnelDlg::OnSavePrinterData},
        {win::Event::SysCommand, 0, &CTarnelDlg::OnSysCommand},
    };
    UseMessageMap(this, map);
    auto& state = *state_;
    state.modelPrefix = args.modelPrefix;
    state.printerName = args.printerName;
    state.inchUnits = args.inchUnits;
    state.modelLimits = args.modelLimits;
    // The driver folder is fixed before the window opens.
    state.driverFolder = paperset::DriverFolder(services_.spooler);
    state.papers =
        std::make_unique<history::ModelPapers>(services_, state.modelPrefix, state.driverFolder);
}

bool CTarnelDlg::OnInitDialog() {
    auto& state = *state_;
    auto& window = Window();
    const std::string aboutItem = GetUi().LoadString(IDS_ABOUT_ITEM);
    if (!aboutItem.empty()) window.AppendSystemMenuItem(IDM_ABOUTBOX, aboutItem);
    window.SetIcon(IDI_MAIN);
    window.SetTitle(GetUi().ApplicationTitle());

    state.tableChanged = false;
    state.decimalSeparator = rules::DecimalSeparatorFrom(services_.locale.DecimalSeparator());

    if (!LoadSources()) {
        GetUi().ShowMessage(IDS_FILES_MISSING, win::MessageKind::Error);
        EndDialog(kResultFilesMissing);
        return true;
    }
    RefreshPaperList();
    window.Select(IDC_MAIN_LIST, 0);
    ShowPaperDetails();
    if (state.printerName.empty()) window.Enable(IDC_MAIN_SEND, false);
    window.AttachPopupButton(IDC_MAIN_POPUP, IDM_POPUP, 0);
    return true;
}

// False when the tools or the sources are missing.
bool CTarnelDlg::LoadSources() {
    auto& state = *state_;
    if (!paperset::ToolsPresent(services_.files)) return false;
    const auto loaded = state.papers->paperSet.Open(state.inchUnits);
    if (!loaded) return false;
    if (loaded->tooMany) GetUi().ShowMessage(IDS_TOO_MANY_PAPERS, win::MessageKind::Error);
    return true;
}

void CTarnelDlg::AddNames() {
    const auto& state = *state_;
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(state.Table().paperCount));
    for (int i = 0; i < state.Table().paperCount; ++i)
        lines.push_back(
            PaperListLine(state.Table().papers[static_cast<size_t>(i)], state.inchUnits));
    Window().SetItems(IDC_MAIN_LIST, lines);
}

void CTarnelDlg::RefreshPaperList() {
    AddNames();
    Window().FitHorizontalExtent(IDC_MAIN_LIST);
}

void CTarnelDlg::ShowPaperDetails() {
    auto& state = *state_;
    auto& window = Window();
    state.currentIndex = window.Selection(IDC_MAIN_LIST);
    const papertable::PaperRecord* paper = state.SelectedPaper();

    SelectionFacts facts;
    facts.hasPaper = paper != nullptr;
    facts.builtIn = paper && paper->builtIn;
    facts.editLocked = paper && paper->editLocked;
    facts.tableFull = state.papers->paperSet.IsFull();
    facts.hasPrinter = !state.printerName.empty();
    facts.hasHistory = state.papers->history.HasEntries();
    const CommandStates states = ComputeCommandStates(facts);
    window.Enable(IDC_MAIN_EDIT, states.edit);
    window.Enable(IDC_MAIN_DELETE, states.remove);
    window.Enable(IDC_MAIN_ADD, states.add);
    window.Enable(IDC_MAIN_SEND, states.send);
    window.Enable(IDC_MAIN_POPUP, states.popup);
    window.Enable(IDC_MAIN_HISTORY, states.history);

    PaperDetails details;
    if (paper) {
        details = FormatPaperDetails(*paper, state.inchUnits, state.decimalSeparator);
        state.workingRecord = *paper;
    }
    window.SetText(IDC_MAIN_WIDTH, details.width);
    window.SetText(IDC_MAIN_LENGTH, details.length);
    window.SetText(IDC_MAIN_ENERGY, details.energy);
}

void CTarnelDlg::OnSelChange(const win::Message&) {
    ShowPaperDetails();
}

win::Handling CTarnelDlg::OnSysCommand(const win::Message& message) {
    // The about item's command with the low bits the system may add.
    if (message.id < IDM_ABOUTBOX || message.id > IDM_ABOUTBOX + 15)
        return win::Handling::AlsoDefault;
    ui::CAboutDlg about(GetUi());
    about.RunModal(&Window());
    return win::Handling::Done;
}

}  // namespace mainwindow
