#include "editor/save_paper.h"

#include <span>
#include <string>

#include "editor/apply_fields.h"
#include "papertable/table_edits.h"

namespace editor {
namespace {

void AssignFreePaperId(const papertable::PaperTable& table, papertable::PaperRecord& record) {
    const auto id = papertable::FreePaperId(table, table.paperCount);
    if (!id) return;
    record.nPaperSize = *id;
    record.wPafMediaID = std::to_string(*id);
}

std::optional<Violation> Check(const papertable::PaperRecord& record, bool markMode,
                               EditMode editMode, const papertable::PaperTable& table,
                               const FieldTexts& texts, const UnitSettings& units) {
    const ValidationInput input{
        record, markMode, editMode,
        std::span(table.papers.data(), static_cast<size_t>(table.paperCount))};
    return ValidateFields(input, texts, units);
}

}  // namespace

SaveResult SaveAsNew(build::PaperSet& paperSet, papertable::PaperRecord& record,
                     const FieldTexts& texts, const UnitSettings& units, EditMode editMode) {
    const bool markMode = ApplyFields(texts, units, record);
    const int16_t ownId = record.nPaperSize;
    const std::string ownMediaId = record.wPafMediaID;
    if (editMode == EditMode::ExistingPaper) AssignFreePaperId(paperSet.Table(), record);

    SaveResult result;
    result.violation = Check(record, markMode, editMode, paperSet.Table(), texts, units);
    if (result.violation) {
        if (editMode == EditMode::ExistingPaper) {
            record.nPaperSize = ownId;
            record.wPafMediaID = ownMediaId;
        }
        return result;
    }
    // A full table refuses the paper.
    result.change = paperSet.Add(record);
    return result;
}

SaveResult SaveOver(build::PaperSet& paperSet, int index, papertable::PaperRecord& record,
                    const FieldTexts& texts, const UnitSettings& units, EditMode editMode) {
    const bool markMode = ApplyFields(texts, units, record);
    SaveResult result;
    result.violation = Check(record, markMode, editMode, paperSet.Table(), texts, units);
    if (!result.violation) result.change = paperSet.Overwrite(index, record);
    return result;
}

}  // namespace editor
