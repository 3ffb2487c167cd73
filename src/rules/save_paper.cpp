#include "rules/save_paper.h"

#include <span>
#include <string>

#include "papertable/table_edits.h"
#include "rules/paper_values.h"

namespace rules {
namespace {

void AssignFreePaperId(const papertable::PaperTable& table, papertable::PaperRecord& record) {
    const auto id = papertable::FreePaperId(table, table.paperCount);
    if (!id) return;
    record.nPaperSize = *id;
    record.wPafMediaID = std::to_string(*id);
}

std::optional<Violation> Check(const papertable::PaperRecord& record, bool markMode,
                               EditMode editMode, const papertable::PaperTable& table,
                               const PaperValues& values, const UnitSettings& units) {
    const ValidationInput input{
        record, markMode, editMode,
        std::span(table.papers.data(), static_cast<size_t>(table.paperCount))};
    return ValidateFields(input, values, units);
}

}  // namespace

SaveResult SaveAsNew(paperset::PaperSet& paperSet, papertable::PaperRecord& record,
                     const PaperValues& values, const UnitSettings& units, EditMode editMode) {
    const bool markMode = BuildRecord(values, units, record);
    const int16_t ownId = record.nPaperSize;
    const std::string ownMediaId = record.wPafMediaID;
    if (editMode == EditMode::ExistingPaper) AssignFreePaperId(paperSet.Table(), record);

    SaveResult result;
    result.violation = Check(record, markMode, editMode, paperSet.Table(), values, units);
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

SaveResult SaveOver(paperset::PaperSet& paperSet, int index, papertable::PaperRecord& record,
                    const PaperValues& values, const UnitSettings& units, EditMode editMode) {
    const bool markMode = BuildRecord(values, units, record);
    SaveResult result;
    result.violation = Check(record, markMode, editMode, paperSet.Table(), values, units);
    if (!result.violation) result.change = paperSet.Overwrite(index, record);
    return result;
}

}  // namespace rules
