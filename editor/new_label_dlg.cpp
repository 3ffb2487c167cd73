#include "editor/new_label_dlg.h"

#include "advanced/advance_dlg.h"
#include "editor/preview.h"
#include "editor/units.h"
#include "resources/resource_ids.h"
#include "win/ui.h"

namespace editor {

struct CNewLabelDlg::NumberField {
    int fieldId;
    int spinId;
    int labelId;
    int unitId;
};

namespace {

enum FieldIndex { kWidth, kLength, kGap, kRight, kTop, kLeft, kBottom, kMarkLength, kMarkOffset };

constexpr int kKindRollIndex = 0;
constexpr int kKindLabelIndex = 1;
constexpr int kKindMarkIndex = 2;

}  // namespace

const std::array<CNewLabelDlg::NumberField, 9>& CNewLabelDlg::NumberFields() {
    static const std::array<NumberField, 9> fields = {{
        {IDC_ED_WIDTH, IDC_ED_SPIN_WIDTH, IDC_ED_DIM_WIDTH, IDC_ED_UNIT_WIDTH},
        {IDC_ED_LENGTH, IDC_ED_SPIN_LENGTH, IDC_ED_DIM_LENGTH, IDC_ED_UNIT_LENGTH},
        {IDC_ED_GAP, IDC_ED_SPIN_GAP, IDC_ED_DIM_GAP, IDC_ED_UNIT_GAP},
        {IDC_ED_RIGHT, IDC_ED_SPIN_RIGHT, IDC_ED_DIM_RIGHT, IDC_ED_UNIT_RIGHT},
        {IDC_ED_TOP, IDC_ED_SPIN_TOP, IDC_ED_DIM_TOP, IDC_ED_UNIT_TOP},
        {IDC_ED_LEFT, IDC_ED_SPIN_LEFT, IDC_ED_DIM_LEFT, IDC_ED_UNIT_LEFT},
        {IDC_ED_BOTTOM, IDC_ED_SPIN_BOTTOM, IDC_ED_DIM_BOTTOM, IDC_ED_UNIT_BOTTOM},
        {IDC_ED_MARK_LENGTH, IDC_ED_SPIN_MARK_LENGTH, IDC_ED_DIM_MARK_LENGTH,
         IDC_ED_UNIT_MARK_LENGTH},
        {IDC_ED_MARK_OFFSET, IDC_ED_SPIN_MARK_OFFSET, IDC_ED_DIM_MARK_OFFSET,
         IDC_ED_UNIT_MARK_OFFSET},
    }};
    return fields;
}

CNewLabelDlg::CNewLabelDlg(win::Ui& ui, const EditorArgs& args)
    : Dialog(ui, IDD_EDITOR), args_(args) {
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
        {Event::Show, 0, &CNewLabelDlg::OnShow},
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
    dx.ComboSelection(IDC_ED_KIND, kindIndex_);
    for (size_t i = 0; i < fields_.size(); ++i) {
        const NumberField& field = NumberFields()[i];
        dx.Text(field.fieldId, fields_[i]);
        dx.Text(field.labelId, labels_[i]);
        dx.Text(field.unitId, units_[i]);
    }
    dx.Text(IDC_ED_RANGE_WIDTH, widthRange_);
    dx.Text(IDC_ED_RANGE_LENGTH, lengthRange_);
}

UnitSettings CNewLabelDlg::Units() const {
    return {args_.inchUnits, args_.decimalSeparator, args_.limits};
}

FieldTexts CNewLabelDlg::Fields() const {
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
            kindIndex_};
}

bool CNewLabelDlg::OnInitDialog() {
    auto& window = Window();
    auto& record = args_.record;
    const bool inch = args_.inchUnits;
    const char separator = args_.decimalSeparator;

    window.SetTitle(GetUi().LoadString(args_.editMode == 1 ? IDS_EDITOR_EDIT : IDS_EDITOR_NEW));
    window.Show(IDC_ED_OVERWRITE, args_.editMode == 1);
    record.nType = EditorKind(record);
    for (auto& unit : units_) unit = UnitLabel(inch);
    widthRange_ = WidthRangeLabel(args_.limits, inch, separator);
    lengthRange_ = LengthRangeLabel(record.nType == papertable::kKindMark, inch, separator);
    record.editLocked = false;
    FillFromRecord();

    const int kindIds[] = {IDS_KIND_ROLL, IDS_KIND_LABEL, IDS_KIND_MARK};
    window.ClearItems(IDC_ED_KIND);
    for (size_t i = 0; i < kindTexts_.size(); ++i) {
        if (GetUi().HasString(kindIds[i])) kindTexts_[i] = GetUi().LoadString(kindIds[i]);
        window.AddItem(IDC_ED_KIND, kindTexts_[i]);
    }
    kindIndex_ = KindSelection(record.nType);
    ApplyKind(kindIndex_);

    for (const auto& field : NumberFields()) window.SetSpinRange(field.spinId, 0, 1);
    window.Enable(win::kIdOk, args_.okInitiallyEnabled && !args_.tableFull);
    UpdateData(false);
    return true;
}

void CNewLabelDlg::FillFromRecord() {
    const FieldTexts texts = FieldTextsFromRecord(args_.record, Units());
    name_ = texts.name;
    fields_ = {texts.width, texts.length, texts.gap,        texts.right,     texts.top,
               texts.left,  texts.bottom, texts.markLength, texts.markOffset};
    for (size_t i = 0; i < fields_.size(); ++i)
        labels_[i] = DimensionLabelFromText(fields_[i], args_.inchUnits);
}

void CNewLabelDlg::ApplyKind(int kindIndex) {
    auto& window = Window();
    const bool roll = kindIndex == kKindRollIndex;
    const bool label = kindIndex == kKindLabelIndex;
    const KindFields used = FieldsOfKind(kindIndex);
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
    if (roll) MirrorTopToBottom();
    previewKind_ =
        roll ? papertable::kKindRoll : (label ? papertable::kKindLabel : papertable::kKindMark);
}

void CNewLabelDlg::MirrorTopToBottom() {
    fields_[kBottom] = fields_[kTop];
    labels_[kBottom] = DimensionLabelFromText(fields_[kTop], args_.inchUnits);
}

void CNewLabelDlg::SetTypeFromSelection() {
    args_.record.nType = KindFromSelection(kindIndex_);
}

bool CNewLabelDlg::MarkOffsetNegative(const std::string& text) const {
    return ParseFixed(text, 0, args_.decimalSeparator) < 0;
}

void CNewLabelDlg::OnNameChange(const win::Message&) {
    auto& window = Window();
    const std::string previous = name_;
    UpdateData(true);
    if (!args_.tableFull) window.Enable(win::kIdOk, true);
    if (NameFitsRecord(name_)) return;
    // The name does not fit the record (32 or more characters): take the keystroke back.
    // The caret is taken first: setting an edit control's text moves it to the start.
    const auto caret = window.EditSelection(IDC_ED_NAME);
    name_ = previous;
    UpdateData(false);
    window.SetEditSelection(IDC_ED_NAME,
                            {std::max(caret.start - 1, 0), std::max(caret.end - 1, 0)});
    window.ScrollCaret(IDC_ED_NAME);
}

void CNewLabelDlg::OnNumberChange(const win::Message& message) {
    auto& window = Window();
    const int id = message.id;
    const std::string oldText = Text(id);
    UpdateData(true);
    if (id == IDC_ED_TOP) SetTypeFromSelection();
    FilterInput input{oldText,
                      Text(id),
                      window.EditSelection(id),
                      args_.inchUnits,
                      id == IDC_ED_MARK_OFFSET,
                      args_.decimalSeparator};
    const FilterResult result = NumberFieldFilter(input);
    Text(id) = result.text;
    if (result.label) Label(id) = *result.label;
    if (id == IDC_ED_TOP && args_.record.nType == papertable::kKindRoll) MirrorTopToBottom();
    if (id == IDC_ED_MARK_OFFSET &&
        MarkOffsetNegative(oldText) != MarkOffsetNegative(result.text)) {
        window.Invalidate(true);
    }
    UpdateData(false);
    window.SetEditSelection(id, result.selection);
    window.ScrollCaret(id);
}

void CNewLabelDlg::OnKindChange(const win::Message&) {
    UpdateData(true);
    const std::string selected = Window().ItemText(IDC_ED_KIND, kindIndex_);
    const bool inch = args_.inchUnits;
    lengthRange_ =
        LengthRangeLabel(selected == kindTexts_[kKindMarkIndex], inch, args_.decimalSeparator);
    int kind = kKindMarkIndex;
    if (selected == kindTexts_[kKindRollIndex])
        kind = kKindRollIndex;
    else if (selected == kindTexts_[kKindLabelIndex])
        kind = kKindLabelIndex;
    ApplyKind(kind);
    if (kind != kKindRollIndex) labels_[kBottom] = DimensionLabelFromText(fields_[kBottom], inch);
    Window().Invalidate(true);
    UpdateData(false);
}

void CNewLabelDlg::OnVScroll(const win::Message& message) {
    UpdateData(true);
    SetTypeFromSelection();
    message.callDefault = true;
    if (message.code != win::kScrollThumbPosition) return;
    const auto& fields = NumberFields();
    size_t index = 0;
    while (index < fields.size() && fields[index].spinId != message.id) ++index;
    if (index == fields.size()) return;

    const auto limits = SpinLimitsFor(message.id, args_.limits);
    if (!limits) return;
    const bool inch = args_.inchUnits;
    const char separator = args_.decimalSeparator;
    std::string& text = fields_[index];
    const std::string before = text;
    text = message.pos == 1 ? StepUp(text, limits->upperMm, inch, separator)
                            : StepDown(text, limits->lowerMm, inch, separator);
    labels_[index] = DimensionLabelFromText(text, inch);
    if (index == kTop && args_.record.nType == papertable::kKindRoll) MirrorTopToBottom();
    if (index == kMarkOffset && MarkOffsetNegative(before) != MarkOffsetNegative(text)) {
        Window().Invalidate(true);
    }
    UpdateData(false);
}

void CNewLabelDlg::OnAdvanced(const win::Message&) {
    kindIndex_ = Window().Selection(IDC_ED_KIND);
    SetTypeFromSelection();
    advanced::CAdvanceDlg advanced(GetUi(), args_.record, args_.inchUnits, args_.decimalSeparator,
                                   args_.limits.resolution);
    advanced.RunModal(&Window());
}

void CNewLabelDlg::OnPaint(const win::Message&) {
    UpdateData(true);
    DrawPreview(Window(), previewKind_, MarkOffsetNegative(fields_[kMarkOffset]));
}

void CNewLabelDlg::OnShow(const win::Message& message) {
    if (!message.shown || placed_) return;
    placed_ = true;
    Window().MoveToParentClientOrigin();
}

}  // namespace editor
