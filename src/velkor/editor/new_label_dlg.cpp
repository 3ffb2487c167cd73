#include "velkor/editor/new_label_dlg.h"

#include "resources/resource_ids.h"
#include "rules/units.h"
#include "velkor/editor/number_field.h"
#include "velkor/editor/preview.h"
#include "win/ui.h"

namespace editor {

struct CNewLabelDlg::NumberField {
    int fieldId;
    int spinId;
    int labelId;
    int unitId;
    rules::Range rules::EditorLimits::*spinSteps;  // the spin button's limits
};

namespace {

enum FieldIndex { kWidth, kLength, kGap, kRight, kTop, kLeft, kBottom, kMarkLength, kMarkOffset };

constexpr bool kEraseBackground = true;

}  // namespace

const std::array<CNewLabelDlg::NumberField, 9>& CNewLabelDlg::NumberFields() {
    static const std::array<NumberField, 9> fields = {{
        {IDC_ED_WIDTH, IDC_ED_SPIN_WIDTH, IDC_ED_DIM_WIDTH, IDC_ED_UNIT_WIDTH,
         &rules::EditorLimits::width},
        {IDC_ED_LENGTH, IDC_ED_SPIN_LENGTH, IDC_ED_DIM_LENGTH, IDC_ED_UNIT_LENGTH,
         &rules::EditorLimits::length},
        {IDC_ED_GAP, IDC_ED_SPIN_GAP, IDC_ED_DIM_GAP, IDC_ED_UNIT_GAP, &rules::EditorLimits::gap},
        {IDC_ED_RIGHT, IDC_ED_SPIN_RIGHT, IDC_ED_DIM_RIGHT, IDC_ED_UNIT_RIGHT,
         &rules::EditorLimits::rightMargin},
        {IDC_ED_TOP, IDC_ED_SPIN_TOP, IDC_ED_DIM_TOP, IDC_ED_UNIT_TOP,
         &rules::EditorLimits::topMargin},
        {IDC_ED_LEFT, IDC_ED_SPIN_LEFT, IDC_ED_DIM_LEFT, IDC_ED_UNIT_LEFT,
         &rules::EditorLimits::leftMargin},
        {IDC_ED_BOTTOM, IDC_ED_SPIN_BOTTOM, IDC_ED_DIM_BOTTOM, IDC_ED_UNIT_BOTTOM,
         &rules::EditorLimits::topMargin},
        {IDC_ED_MARK_LENGTH, IDC_ED_SPIN_MARK_LENGTH, IDC_ED_DIM_MARK_LENGTH,
         IDC_ED_UNIT_MARK_LENGTH, &rules::EditorLimits::markLength},
        {IDC_ED_MARK_OFFSET, IDC_ED_SPIN_MARK_OFFSET, IDC_ED_DIM_MARK_OFFSET,
         IDC_ED_UNIT_MARK_OFFSET, &rules::EditorLimits::markOffset},
    }};
    return fields;
}

CNewLabelDlg::CNewLabelDlg(win::Ui& ui, const EditorArgs& args)
    : Dialog(ui, IDD_EDITOR, win::Placement::ParentCornerOnFirstShow),
      args_(args),
      limits_(rules::LimitsOf(args.limits)) {
    using win::Event;
    static const win::MessageEntry<CNewLabelDlg> map[] = {
        {Event::Change, IDC_ED_NAME, &CNewLabelDlg::OnNameChange},
        {Event::Change, IDC_ED_WIDTH, &CNewLabelDlg::OnNumberChange},
        {Event::Change, IDC_ED_LENGTH, &CNewLabelDlg::OnNumberChange},
        {Event::Change, IDC_ED_GAP, &CNewLabelDlg::OnNumberChange},
        {Event::Change, IDC_ED_RIGHT, &CNewLabelDlg::OnNumberChange},
        {Event::Change, IDC_ED_TOP, &CNewLabelDlg::OnNumberChange},
        {Event::Change, IDC_ED_LEFT, &CNewLabelDlg::OnNumberChange},
        {Event::Change, IDC_ED_BOTTOM, &CNewLabelDlg::OnNumberChange},
        {Event::Change, IDC_ED_MARK_LENGTH, &CNewLabelDlg::OnNumberChange},
        {Event::Change, IDC_ED_MARK_OFFSET, &CNewLabelDlg::OnNumberChange},
        {Event::SelChange, IDC_ED_KIND, &CNewLabelDlg::OnKindChange},
        {Event::VScroll, 0, &CNewLabelDlg::OnVScroll},
        {Event::Command, IDC_ED_ADVANCED, &CNewLabelDlg::OnAdvanced},
        {Event::Command, IDC_ED_OVERWRITE, &CNewLabelDlg::OnOverwrite},
        {Event::Paint, 0, &CNewLabelDlg::OnPaint},
    };
    UseMessageMap(this, map);
}

std::string& CNewLabelDlg::Text(int fieldId) {
    for (size_t i = 0; i < fields_.size(); ++i) {
        if (NumberFields()[i].fieldId == fieldId) return fields_[i];
    }
    return fields_[kWidth];  // not reached: callers pass the nine field ids
}

std::string& CNewLabelDlg::Label(int fieldId) {
    for (size_t i = 0; i < labels_.size(); ++i) {
        if (NumberFields()[i].fieldId == fieldId) return labels_[i];
    }
    return labels_[kWidth];
}

void CNewLabelDlg::Exchange(DataExchange& dx) {
    dx.Text(IDC_ED_NAME, name_);
    int kindEntry = rules::KindEntry(kind_);
    dx.ComboSelection(IDC_ED_KIND, kindEntry);
    if (dx.Saving()) kind_ = rules::KindFromSelection(kindEntry);
    for (size_t i = 0; i < fields_.size(); ++i) {
        const NumberField& field = NumberFields()[i];
        dx.Text(field.fieldId, fields_[i]);
        dx.Text(field.labelId, labels_[i]);
        dx.Text(field.unitId, units_[i]);
    }
    dx.Text(IDC_ED_RANGE_WIDTH, widthRange_);
    dx.Text(IDC_ED_RANGE_LENGTH, lengthRange_);
}

rules::UnitSettings CNewLabelDlg::Units() const {
    return {args_.inchUnits, args_.decimalSeparator, args_.limits};
}

rules::FieldTexts CNewLabelDlg::Fields() const {
    return {name_,
            fields_[kWidth],
            fields_[kLength],
            fields_[kGap],
            fields_[kRight],
            fields_[kTop],
            fields_[kLeft],
            fields_[kBottom],
            fields_[kMarkLength],
            fields_[kMarkOffset],
            kind_};
}

bool CNewLabelDlg::OnInitDialog() {
    auto& window = Window();
    auto& record = args_.record;
    const bool inch = args_.inchUnits;
    const bool editing = args_.editMode == rules::EditMode::ExistingPaper;

    window.SetTitle(GetUi().LoadString(editing ? IDS_EDITOR_EDIT : IDS_EDITOR_NEW));
    window.Show(IDC_ED_OVERWRITE, editing);
    record.nType = rules::EditorKind(record);
    kind_ = record.nType;
    for (auto& unit : units_) unit = rules::UnitLabel(inch);
    widthRange_ = rules::RangeLabel(limits_.width, inch, args_.decimalSeparator);
    record.editLocked = false;
    FillFromRecord();

    const int kindIds[] = {IDS_KIND_ROLL, IDS_KIND_LABEL, IDS_KIND_MARK};
    window.ClearItems(IDC_ED_KIND);
    // In the order of the kinds; a text the module lacks leaves its entry empty.
    for (const int id : kindIds) window.AddItem(IDC_ED_KIND, GetUi().LoadString(id));
    ApplyKind();

    for (const auto& field : NumberFields()) window.SetSpinRange(field.spinId, 0, 1);
    window.Enable(win::kIdOk, args_.okInitiallyEnabled && !args_.tableFull);
    UpdateData(Direction::ToControls);
    return true;
}

void CNewLabelDlg::FillFromRecord() {
    const rules::FieldTexts texts = rules::FieldTextsFromRecord(args_.record, Units());
    name_ = texts.name;
    fields_ = {texts.width, texts.length, texts.gap,        texts.right,     texts.top,
               texts.left,  texts.bottom, texts.markLength, texts.markOffset};
    for (size_t i = 0; i < fields_.size(); ++i)
        labels_[i] = rules::DimensionLabelFromText(fields_[i], args_.inchUnits);
}

// Enables and shows the fields of the chosen kind, and the length range that goes
// with it.
void CNewLabelDlg::ApplyKind() {
    auto& window = Window();
    const bool roll = kind_ == papertable::kKindRoll;
    const rules::KindFields used = rules::FieldsOfKind(kind_);
    auto enable = [&](FieldIndex index, bool enabled) {
        // The spin button follows its field, so a disabled field cannot be stepped.
        window.Enable(NumberFields()[index].fieldId, enabled);
        window.Enable(NumberFields()[index].spinId, enabled);
    };
    enable(kLength, used.length);
    enable(kGap, used.gap);
    enable(kMarkLength, used.markLength);
    enable(kMarkOffset, used.markOffset);
    enable(kBottom, used.bottom);
    window.Show(IDC_ED_DIM_LENGTH, used.length);
    window.Show(IDC_ED_DIM_GAP, used.gap);
    window.Show(IDC_ED_DIM_MARK_LENGTH, used.markLength);
    window.Show(IDC_ED_DIM_MARK_OFFSET, used.markOffset);
    lengthRange_ = rules::RangeLabel(used.markLength ? limits_.markedLength : limits_.length,
                                     args_.inchUnits, args_.decimalSeparator);
    if (roll)
        MirrorTopToBottom();
    else
        labels_[kBottom] = rules::DimensionLabelFromText(fields_[kBottom], args_.inchUnits);
}

void CNewLabelDlg::MirrorTopToBottom() {
    fields_[kBottom] = fields_[kTop];
    labels_[kBottom] = rules::DimensionLabelFromText(fields_[kTop], args_.inchUnits);
}

void CNewLabelDlg::SetTypeFromKind() {
    args_.record.nType = kind_;
}

bool CNewLabelDlg::MarkOffsetNegative(const std::string& text) const {
    return rules::ParseFixed(text, 0, args_.decimalSeparator) < 0;
}

void CNewLabelDlg::Repaint() {
    Window().Invalidate(kEraseBackground);
}

void CNewLabelDlg::OnNameChange(const win::Message&) {
    auto& window = Window();
    const std::string previous = name_;
    UpdateData(Direction::FromControls);
    if (!args_.tableFull) window.Enable(win::kIdOk, true);
    if (rules::NameFitsRecord(name_)) return;
    // The name does not fit the record (32 or more characters): take the keystroke back.
    // The caret is taken first: setting an edit control's text moves it to the start.
    const auto caret = window.EditSelection(IDC_ED_NAME);
    name_ = previous;
    UpdateData(Direction::ToControls);
    window.SetEditSelection(IDC_ED_NAME,
                            {std::max(caret.start - 1, 0), std::max(caret.end - 1, 0)});
    window.ScrollCaret(IDC_ED_NAME);
}

void CNewLabelDlg::OnNumberChange(const win::Message& message) {
    auto& window = Window();
    const int id = message.id;
    const std::string oldText = Text(id);
    UpdateData(Direction::FromControls);
    if (id == IDC_ED_TOP) SetTypeFromKind();
    FilterInput input{oldText,
                      Text(id),
                      window.EditSelection(id),
                      args_.inchUnits,
                      id == IDC_ED_MARK_OFFSET,
                      args_.decimalSeparator};
    const FilterResult result = NumberFieldFilter(input);
    Text(id) = result.text;
    if (result.label) Label(id) = *result.label;
    if (id == IDC_ED_TOP && kind_ == papertable::kKindRoll) MirrorTopToBottom();
    if (id == IDC_ED_MARK_OFFSET &&
        MarkOffsetNegative(oldText) != MarkOffsetNegative(result.text)) {
        Repaint();
    }
    UpdateData(Direction::ToControls);
    window.SetEditSelection(id, result.selection);
    window.ScrollCaret(id);
}

void CNewLabelDlg::OnKindChange(const win::Message&) {
    UpdateData(Direction::FromControls);
    ApplyKind();
    Repaint();
    UpdateData(Direction::ToControls);
}

win::Handling CNewLabelDlg::OnVScroll(const win::Message& message) {
    UpdateData(Direction::FromControls);
    SetTypeFromKind();
    const auto& fields = NumberFields();
    size_t index = 0;
    while (index < fields.size() && fields[index].spinId != message.id) ++index;
    if (message.code != win::kScrollThumbPosition || index == fields.size())
        return win::Handling::AlsoDefault;

    const rules::Range& steps = limits_.*fields[index].spinSteps;
    const bool inch = args_.inchUnits;
    const char separator = args_.decimalSeparator;
    std::string& text = fields_[index];
    const std::string before = text;
    text = message.pos == 1 ? StepUp(text, steps.upper.Millimetres(), inch, separator)
                            : StepDown(text, steps.lower.Millimetres(), inch, separator);
    labels_[index] = rules::DimensionLabelFromText(text, inch);
    if (index == kTop && kind_ == papertable::kKindRoll) MirrorTopToBottom();
    if (index == kMarkOffset && MarkOffsetNegative(before) != MarkOffsetNegative(text)) Repaint();
    UpdateData(Direction::ToControls);
    return win::Handling::AlsoDefault;
}

void CNewLabelDlg::OnAdvanced(const win::Message&) {
    UpdateData(Direction::FromControls);
    SetTypeFromKind();
    if (!args_.advancedSettings) return;
    args_.advancedSettings(
        {args_.record, args_.inchUnits, args_.decimalSeparator, args_.limits.resolution}, Window());
}

void CNewLabelDlg::OnPaint(const win::Message&) {
    UpdateData(Direction::FromControls);
    DrawPreview(Window(), kind_, MarkOffsetNegative(fields_[kMarkOffset]));
}

}  // namespace editor
