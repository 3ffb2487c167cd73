#include "velkor/ui/about_dlg.h"

#include "resources/resource_ids.h"
#include "version/display_version.h"
#include "win/format_text.h"
#include "win/ui.h"

namespace ui {

CAboutDlg::CAboutDlg(win::Ui& ui)
    : Dialog(ui, IDD_ABOUT, win::Placement::ParentCornerOnFirstShow) {}

bool CAboutDlg::OnInitDialog() {
    versionLine_ =
        win::FormatText(GetUi().LoadString(IDS_ABOUT_VERSION), version::ProgramDisplayVersion());
    yearLine_ = win::FormatText(GetUi().LoadString(IDS_ABOUT_YEAR), kYearText);
    UpdateData(Direction::ToControls);
    return true;
}

void CAboutDlg::Exchange(DataExchange& dx) {
    dx.Text(IDC_ABOUT_VERSION, versionLine_);
    dx.Text(IDC_ABOUT_YEAR, yearLine_);
}

}  // namespace ui
