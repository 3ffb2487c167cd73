// The about box: version and year lines, opened from the main window's system menu.
#pragma once

#include <string>

#include "win/dialog.h"

namespace ui {

inline constexpr const char* kYearText = "2013";

class CAboutDlg : public win::Dialog {
public:
    explicit CAboutDlg(win::Ui& ui);

protected:
    bool OnInitDialog() override;
    void Exchange(DataExchange& dx) override;

private:
    std::string versionLine_;
    std::string yearLine_;
};

}  // namespace ui
