// The program's main window: the model's paper list and its commands.
#pragma once

#include <string>

#include "mainwindow/tarnel_dlg_args.h"
#include "win/dialog.h"
#include "win/services.h"

namespace mainwindow {

class CTarnelDlg : public win::Dialog {
public:
    CTarnelDlg(win::Ui& ui, const win::Services& services, const MainWindowArgs& args);

    const std::string& DriverFolder() const { return driverFolder_; }

protected:
    bool OnInitDialog() override;

private:
    void OnSysCommand(const win::Message& message);

    const win::Services& services_;
    MainWindowArgs args_;
    std::string driverFolder_;
};

}  // namespace mainwindow
