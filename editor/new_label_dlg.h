// The paper editor: name, kind, width, length, gap, four margins and the mark of
// one paper, shown in millimetres or inches. It opens on the main window's working
// record and, when confirmed, stores the paper through the model's paper set, which
// builds and installs the table (result 1: stored as new, 10: stored over).
#pragma once

#include <array>
#include <string>

#include "editor/editor_args.h"
#include "editor/editor_fields.h"
#include "win/dialog.h"
#include "win/services.h"

namespace editor {

struct SaveResult;

class CNewLabelDlg : public win::Dialog {
public:
    CNewLabelDlg(win::Ui& ui, const EditorArgs& args);

    int PreviewKind() const { return previewKind_; }

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
    void OnVScroll(const win::Message& message);
    void OnAdvanced(const win::Message& message);
    void OnOverwrite(const win::Message& message);
    void OnPaint(const win::Message& message);
    void OnShow(const win::Message& message);

    void ApplyKind(int kindIndex);
    void FillFromRecord();
    void SetTypeFromSelection();
    bool MarkOffsetNegative(const std::string& text) const;
    void MirrorTopToBottom();
    UnitSettings Units() const;
    FieldTexts Fields() const;

    // Shows why a save did not happen; true when the paper was stored.
    bool Saved(const SaveResult& result);

    EditorArgs args_;
    int previewKind_ = 74;
    bool placed_ = false;
    std::array<std::string, 3> kindTexts_;

    std::string name_;
    int kindIndex_ = -1;
    // Field texts and their dimension labels, in the order of NumberFields().
    std::array<std::string, 9> fields_;
    std::array<std::string, 9> labels_;
    std::array<std::string, 9> units_;
    std::string widthRange_;
    std::string lengthRange_;
};

}  // namespace editor
