#include "velkor/advanced/advance_dlg.h"

#include <algorithm>
#include <cstdio>

#include "resources/resource_ids.h"
#include "rules/units.h"
#include "rules/validate_fields.h"
#include "velkor/advanced/offsets.h"
#include "win/ui.h"

namespace advanced {

namespace {

constexpr int kHighestEnergyRank = 10;
constexpr int kAdjustEntries = IDS_ADJUST_LAST - IDS_ADJUST_FIRST + 1;
constexpr int kAdjustZeroEntry = 2;  // entry i stands for the step i - 2

const int kAdjustCombos[] = {IDC_ADV_ADJUST_A1, IDC_ADV_ADJUST_A2, IDC_ADV_ADJUST_B1,
                             IDC_ADV_ADJUST_B2};

// The combo entry of a stored step; -1 (nothing selected) for a step the list lacks.
int AdjustEntry(int step) {
    const int entry = step + kAdjustZeroEntry;
    return entry >= 0 && entry < kAdjustEntries ? entry : -1;
}

}  // namespace

CAdvanceDlg::CAdvanceDlg(win::Ui& ui, papertable::PaperRecord& record, bool inchUnits,
                         char decimalSeparator, int resolution)
    : Dialog(ui, IDD_ADVANCED, win::Placement::ParentCornerOnFirstShow),
      record_(record),
      inchUnits_(inchUnits),
      separator_(decimalSeparator),
      resolution_(resolution) {
    using win::Event;
    static const win::MessageEntry<CAdvanceDlg> map[] = {
        {Event::Change, IDC_ADV_X, &CAdvanceDlg::OnOffsetChange},
        {Event::Change, IDC_ADV_Y, &CAdvanceDlg::OnOffsetChange},
        {Event::VScroll, 0, &CAdvanceDlg::OnVScroll},
        {Event::Paint, 0, &CAdvanceDlg::OnPaint},
    };
    UseMessageMap(this, map);
}

void CAdvanceDlg::Exchange(DataExchange& dx) {
    dx.Text(IDC_ADV_X, x_);
    dx.Text(IDC_ADV_Y, y_);
    dx.Text(IDC_ADV_DIM_X, xLabel_);
    dx.Text(IDC_ADV_DIM_Y, yLabel_);
    dx.Text(IDC_ADV_UNIT_X, unit_);
    dx.Text(IDC_ADV_UNIT_Y, unit_);
    dx.Text(IDC_ADV_RANGE_X, range_);
    dx.Text(IDC_ADV_RANGE_Y, range_);
}

bool CAdvanceDlg::OnInitDialog() {
    auto& window = Window();
    unit_ = rules::UnitLabel(inchUnits_);
    range_ = OffsetRangeText(inchUnits_, separator_);
    FillCombos();

    x_ = OffsetText(record_.nVirtualOffsetX, resolution_, inchUnits_, separator_);
    y_ = OffsetText(record_.nVirtualOffsetY, resolution_, inchUnits_, separator_);
    xLabel_ = rules::DimensionLabelFromText(x_, inchUnits_);
    yLabel_ = rules::DimensionLabelFromText(y_, inchUnits_);

    window.SetSpinRange(IDC_ADV_SPIN_X, 0, 1);
    window.SetSpinRange(IDC_ADV_SPIN_Y, 0, 1);
    UpdateData(Direction::ToControls);
    return true;
}

void CAdvanceDlg::FillCombos() {
    auto& window = Window();
    window.ClearItems(IDC_ADV_ENERGY);
    for (int rank = 0; rank <= kHighestEnergyRank; ++rank)
        window.AddItem(IDC_ADV_ENERGY, std::to_string(rank));
    window.Select(IDC_ADV_ENERGY, std::min<int>(record_.byEnergyRank, kHighestEnergyRank));

    for (int combo : kAdjustCombos) window.ClearItems(combo);
    for (int entry = 0; entry < kAdjustEntries; ++entry) {
        const std::string text = GetUi().LoadString(IDS_ADJUST_FIRST + entry);
        for (int combo : kAdjustCombos) window.AddItem(combo, text);
    }

    values_ = ParseReserved(record_.reserved_12_);
    const int first = AdjustEntry(values_[kAdjustFirstItem]);
    const int second = AdjustEntry(values_[kAdjustSecondItem]);
    window.Select(IDC_ADV_ADJUST_A1, first);
    window.Select(IDC_ADV_ADJUST_B1, first);
    window.Select(IDC_ADV_ADJUST_A2, second);
    window.Select(IDC_ADV_ADJUST_B2, second);

    const bool pairA = record_.nType == papertable::kKindLabel;
    const bool pairB = record_.nType == papertable::kKindMark;
    auto enablePair = [&](int firstCombo, int secondCombo, bool enabled) {
        window.Enable(firstCombo, enabled);
        window.Enable(secondCombo, enabled);
        if (enabled) return;
        window.Select(firstCombo, kAdjustZeroEntry);
        window.Select(secondCombo, kAdjustZeroEntry);
    };
    enablePair(IDC_ADV_ADJUST_A1, IDC_ADV_ADJUST_A2, pairA);
    enablePair(IDC_ADV_ADJUST_B1, IDC_ADV_ADJUST_B2, pairB);
}

void CAdvanceDlg::OnOffsetChange(const win::Message& message) {
    auto& window = Window();
    const int id = message.id;
    std::string& text = id == IDC_ADV_X ? x_ : y_;
    std::string& label = id == IDC_ADV_X ? xLabel_ : yLabel_;
    const std::string oldText = text;
    UpdateData(Direction::FromControls);
    const auto result =
        FilterOffset(oldText, text, window.EditSelection(id), inchUnits_, separator_);
    text = result.text;
    label = result.label.value_or(label);
    UpdateData(Direction::ToControls);
    window.SetEditSelection(id, result.selection);
    window.ScrollCaret(id);
}

win::Handling CAdvanceDlg::OnVScroll(const win::Message& message) {
    if (message.code == win::kScrollThumbPosition &&
        (message.id == IDC_ADV_SPIN_X || message.id == IDC_ADV_SPIN_Y)) {
        UpdateData(Direction::FromControls);
        const bool x = message.id == IDC_ADV_SPIN_X;
        std::string& text = x ? x_ : y_;
        text = StepOffset(text, message.pos != 0, inchUnits_, separator_);
        (x ? xLabel_ : yLabel_) = rules::DimensionLabelFromText(text, inchUnits_);
        UpdateData(Direction::ToControls);
    }
    return win::Handling::AlsoDefault;
}

void CAdvanceDlg::OnPaint(const win::Message&) {
    Window().DrawBitmap(IDB_ADVANCED, Window().ControlOrigin(IDC_ADV_PICTURE));
}

bool CAdvanceDlg::OffsetsInRange() {
    const int64_t limit = OffsetLimit(inchUnits_);
    const struct {
        const std::string& text;
        int itemId;
    } offsets[] = {{x_, IDS_ITEM_OFFSET_X}, {y_, IDS_ITEM_OFFSET_Y}};
    for (const auto& offset : offsets) {
        const int64_t value = rules::ParseFixed(offset.text, 3, separator_);
        if (value >= -limit && value <= limit) continue;
        auto& ui = GetUi();
        const std::string text =
            rules::FillFirst(ui.LoadString(IDS_RANGE_ERROR), ui.LoadString(offset.itemId)) +
            rules::RangeLine(-limit, limit, inchUnits_, separator_);
        ui.MessageBox(text, win::MessageKind::Error);
        return false;
    }
    return true;
}

void CAdvanceDlg::StoreAdjustments(int firstCombo, int secondCombo) {
    // A step the list cannot show leaves nothing selected; it is kept as it was.
    const int first = Window().Selection(firstCombo);
    const int second = Window().Selection(secondCombo);
    if (first >= 0) values_[kAdjustFirstItem] = static_cast<int16_t>(first - kAdjustZeroEntry);
    if (second >= 0) values_[kAdjustSecondItem] = static_cast<int16_t>(second - kAdjustZeroEntry);
}

void CAdvanceDlg::OnOK() {
    UpdateData(Direction::FromControls);
    if (!OffsetsInRange()) return;
    auto dots = [&](const std::string& text) {
        return static_cast<int16_t>(
            OffsetDots(rules::ParseFixed(text, 3, separator_), resolution_, inchUnits_));
    };
    record_.nVirtualOffsetX = dots(x_);
    record_.nVirtualOffsetY = dots(y_);

    const int rank = Window().Selection(IDC_ADV_ENERGY);
    if (rank >= 0) record_.byEnergyRank = static_cast<uint8_t>(rank);

    if (record_.nType == papertable::kKindLabel)
        StoreAdjustments(IDC_ADV_ADJUST_A1, IDC_ADV_ADJUST_A2);
    else if (record_.nType == papertable::kKindMark)
        StoreAdjustments(IDC_ADV_ADJUST_B1, IDC_ADV_ADJUST_B2);
    record_.reserved_12_ = FormatReserved(values_);
    EndDialog(win::kIdOk);
}

editor::AdvancedSettings AdvancedSettingsFor(win::Ui& ui) {
    return [&ui](const editor::AdvancedSettingsRequest& request, win::DialogWindow& owner) {
        CAdvanceDlg dialog(ui, request.record, request.inchUnits, request.decimalSeparator,
                           request.resolution);
        dialog.RunModal(&owner);
    };
}

}  // namespace advanced
