// The paper editor: name, kind, width, length, gap, four margins and the mark of
// one paper, shown in millimetres or inches. It opens on the main window's working
// record and, when confirmed, stores the paper through the model's paper set, which
// builds and installs the table (result 1: stored as new, 10: stored over).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "rules/limits.h"
#include "rules/paper_fields.h"
#include "rules/save_paper.h"
#include "velkor/editor/editor_args.h"
#include "win/dialog.h"
#include "win/services.h"

namespace editor {

class CNewLabelDlg : public win::Dialog {
public:
    CNewLabelDlg(win::Ui& ui, const EditorArgs& args);

    // The kind chosen in the kind list, which the preview shows.
    int16_t Kind() const { return kind_; }

protected:
    bool OnInitDialog() override;
    void Exchange(DataExchange& dx) override;
    void OnOK() override;

private:
    struct NumberField;
    static const std::array<NumberField, 9>& NumberFields();
    std::string& Text(int fieldId);
    std::string& Label(int fieldId);

    void OnNameChange(const win::Message& message);
    void OnNumberChange(const win::Message& message);
    void OnKindChange(const win::Message& message);
    win::Handling OnVScroll(const win::Message& message);
    void OnAdvanced(const win::Message& message);
    void OnOverwrite(const win::Message& message);
    void OnPaint(const win::Message& message);

    void ApplyKind();
    void FillFromRecord();
    void SetTypeFromKind();
    bool MarkOffsetNegative(const std::string& text) const;
    void MirrorTopToBottom();
    void Repaint();
    rules::UnitSettings Units() const;
    rules::FieldTexts Fields() const;

    // Save steps, shared by OK and button 1046.
    enum class StoreAs { NewPaper, OverEditedPaper };
    bool Save(StoreAs storeAs);
    // Shows why a save did not happen; true when the paper was stored.
    bool Saved(const rules::SaveResult& result);

    EditorArgs args_;
    rules::EditorLimits limits_;
    int16_t kind_ = 74;  // the kind list's choice: 74, 75 or 76

    std::string name_;
    // Field texts and their dimension labels, in the order of NumberFields().
    std::array<std::string, 9> fields_;
    std::array<std::string, 9> labels_;
    std::array<std::string, 9> units_;
    std::string widthRange_;
    std::string lengthRange_;
};

}  // namespace editor
