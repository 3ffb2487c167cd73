#include "ui/about_dlg.h"

#include "resources/resource_ids.h"
#include "ui/format_text.h"
#include "version/display_version.h"
#include "win/ui.h"

namespace ui {

CAboutDlg::CAboutDlg(win::Ui& ui) : Dialog(ui, IDD_ABOUT) {
    static const win::MessageEntry<CAboutDlg> map[] = {
        {win::Event::Show, 0, &CAboutDlg::OnShow},
    };
    UseMessageMap(this, map);
}

bool CAboutDlg::OnInitDialog() {
    versionLine_ =
        FormatText(GetUi().LoadString(IDS_ABOUT_VERSION), version::ProgramDisplayVersion());
    yearLine_ = FormatText(GetUi().LoadString(IDS_ABOUT_YEAR), kYearText);
    UpdateData(false);
    return true;
}

void CAboutDlg::Exchange(DataExchange& dx) {
    dx.Text(IDC_ABOUT_VERSION, versionLine_);
    dx.Text(IDC_ABOUT_YEAR, yearLine_);
}

void CAboutDlg::OnShow(const win::Message& message) {
    message.callDefault = true;
    if (!message.shown || shownOnce_) return;
    shownOnce_ = true;
    Window().MoveToParentClientOrigin();
}

}  // namespace ui
