#include "mainwindow/tarnel_dlg.h"

#include "resources/resource_ids.h"
#include "win/ui.h"

namespace mainwindow {

CTarnelDlg::CTarnelDlg(win::Ui& ui, const win::Services& services, const MainWindowArgs& args)
    : Dialog(ui, IDD_MAIN), services_(services), args_(args) {
    static const win::MessageEntry<CTarnelDlg> map[] = {
        {win::Event::SysCommand, 0, &CTarnelDlg::OnSysCommand},
    };
    UseMessageMap(this, map);
    // The driver folder is fixed before the window opens: the printer-driver
    // directory with "\3" appended (empty when it cannot be obtained).
    if (auto directory = services_.spooler.DriverDirectory()) driverFolder_ = *directory + "\\3";
}

bool CTarnelDlg::OnInitDialog() {
    Window().SetIcon(IDI_MAIN);
    Window().SetTitle(GetUi().ApplicationTitle());
    return true;
}

void CTarnelDlg::OnSysCommand(const win::Message& message) { message.callDefault = true; }

}  // namespace mainwindow
