// The editor's two ways to finish: OK stores the paper as a new one, button 1046
// stores it over the paper that was opened. Both write, build and install the
// paper table before the dialog closes.
#include "build/pipeline.h"
#include "editor/apply_fields.h"
#include "editor/new_label_dlg.h"
#include "editor/validate_fields.h"
#include "papertable/source_writer.h"
#include "resources/resource_ids.h"
#include "win/ui.h"

namespace editor {

namespace {

constexpr int kFirstUserPaperId = 513;
constexpr int kLastUserPaperId = 612;

}  // namespace

void CNewLabelDlg::AssignFreePaperId() {
    auto& papers = args_.table.papers;
    for (int id = kFirstUserPaperId; id <= kLastUserPaperId; ++id) {
        bool used = false;
        for (int i = 0; i < count_ && !used; ++i)
            used = papers[static_cast<size_t>(i)].nPaperSize == id;
        if (used) continue;
        args_.record.nPaperSize = static_cast<int16_t>(id);
        args_.record.wPafMediaID = std::to_string(id);
        return;
    }
}

namespace {

bool Validate(win::Ui& ui, const papertable::PaperRecord& record, bool markMode, int editMode,
              const papertable::PaperTable& table, int count, const FieldTexts& texts,
              const UnitSettings& units) {
    const ValidationInput input{record, markMode, editMode,
                                std::span(table.papers.data(), static_cast<size_t>(count))};
    const auto violation = ValidateFields(input, texts, units);
    if (!violation) return true;
    ui.MessageBox(ViolationText(*violation, ui, units), win::MessageKind::Error);
    return false;
}

}  // namespace

bool CNewLabelDlg::BuildAndInstall() {
    const auto& device = args_.table.device;
    const build::BuildContext context{files_,
                                      processes_,
                                      GetUi(),
                                      &Window(),
                                      args_.modelPrefix,
                                      device.bySeriesCode,
                                      device.byModelCode};
    const auto built = build::BuildPaperData(
        context,
        [this](const std::string& path) {
            papertable::WriteUserSource(files_, path, args_.table, count_);
        },
        true);
    return build::InstallPaperData(context, built, args_.driverFolder, IDS_INSTALL_FAILED);
}

void CNewLabelDlg::OnOK() {
    UpdateData(true);
    markMode_ = false;
    markMode_ = ApplyFields(Fields(), Units(), args_.record);
    const int16_t ownId = args_.record.nPaperSize;
    const std::string ownMediaId = args_.record.wPafMediaID;
    if (args_.editMode == 1) AssignFreePaperId();

    UpdateData(true);
    if (!Validate(GetUi(), args_.record, markMode_, args_.editMode, args_.table, count_, Fields(),
                  Units())) {
        if (args_.editMode == 1) {
            args_.record.nPaperSize = ownId;
            args_.record.wPafMediaID = ownMediaId;
        }
        return;
    }
    // The table holds at most kMaxPapers; OK is disabled while it is full.
    if (count_ >= papertable::kMaxPapers) return;

    args_.table.papers[static_cast<size_t>(count_)] = args_.record;
    ++count_;
    if (!BuildAndInstall()) {
        // Take the copy back out, so that a second OK does not find it as a duplicate.
        --count_;
        return;
    }
    Dialog::OnOK();
}

void CNewLabelDlg::OnOverwrite(const win::Message&) {
    UpdateData(true);
    markMode_ = false;
    markMode_ = ApplyFields(Fields(), Units(), args_.record);
    UpdateData(true);
    if (!Validate(GetUi(), args_.record, markMode_, args_.editMode, args_.table, count_, Fields(),
                  Units())) {
        return;
    }
    const int index = args_.currentIndex;
    if (index < 0 || index >= count_) return;
    auto& slot = args_.table.papers[static_cast<size_t>(index)];
    const papertable::PaperRecord replaced = slot;
    slot = args_.record;
    if (!BuildAndInstall()) {
        // Put the replaced paper back, so that the table matches the installed files.
        slot = replaced;
        return;
    }
    EndDialog(kStoredOver);
}

}  // namespace editor
