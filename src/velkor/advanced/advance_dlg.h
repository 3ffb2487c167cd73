// Advanced media settings of the paper being edited: the two virtual offsets, the
// energy rank and the adjustment steps kept in items 9 and 10 of reserved_12_ (a
// pair for die-cut labels, a pair for marked labels). The record is changed only
// when the dialog is confirmed.
#pragma once

#include <string>

#include "papertable/paper_record.h"
#include "velkor/advanced/reserved_values.h"
#include "velkor/editor/advanced_settings.h"
#include "win/dialog.h"

namespace advanced {

class CAdvanceDlg : public win::Dialog {
public:
    CAdvanceDlg(win::Ui& ui, papertable::PaperRecord& record, bool inchUnits, char decimalSeparator,
                int resolution);

protected:
    bool OnInitDialog() override;
    void Exchange(DataExchange& dx) override;
    void OnOK() override;

private:
    void OnOffsetChange(const win::Message& message);
    win::Handling OnVScroll(const win::Message& message);
    void OnPaint(const win::Message& message);

    void FillCombos();
    bool OffsetsInRange();
    void StoreAdjustments(int firstCombo, int secondCombo);

    papertable::PaperRecord& record_;
    bool inchUnits_;
    char separator_;
    int resolution_;
    ReservedValues values_{};

    std::string x_;
    std::string y_;
    std::string xLabel_;
    std::string yLabel_;
    std::string unit_;
    std::string range_;
};

// The paper editor's way to this dialog: runs it on the request's record.
editor::AdvancedSettings AdvancedSettingsFor(win::Ui& ui);

}  // namespace advanced
