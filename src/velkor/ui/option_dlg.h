// The unit option dialog: millimetres or inches for everything the program shows.
#pragma once

#include "win/dialog.h"

namespace ui {

class COptionDlg : public win::Dialog {
public:
    // `inchUnits` is changed only when the dialog is confirmed.
    COptionDlg(win::Ui& ui, bool& inchUnits);

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void Exchange(DataExchange& dx) override;

private:
    bool& inchUnits_;
    int unitIndex_ = 0;  // 0 millimetres (1031), 1 inches (1032)
};

}  // namespace ui
