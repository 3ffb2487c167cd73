// add: as the paper editor's "save as new", opened by velkor's Add on a copy of a
// paper: the values given replace the fields they name, every other field keeps
// what the editor shows for the copied paper, and the editor's rules for typed
// numbers, its checks, range texts and derived values apply.
#include "papertable/table_edits.h"
#include "resources/resource_ids.h"
#include "rules/save_paper.h"
#include "rules/units.h"
#include "velkorctl/commands.h"
#include "velkorctl/exit_codes.h"

namespace velkorctl {
namespace {

struct NumberOption {
    const char* option;
    int64_t rules::PaperValues::*field;
    const std::optional<std::string> PaperOptions::*value;
    bool isSigned;
};

const NumberOption kNumberOptions[] = {
    {"--length", &rules::PaperValues::length, &PaperOptions::length, false},
    {"--gap", &rules::PaperValues::gap, &PaperOptions::gap, false},
    {"--mark-length", &rules::PaperValues::markLength, &PaperOptions::markLength, false},
    {"--mark-offset", &rules::PaperValues::markOffset, &PaperOptions::markOffset, true},
    {"--top", &rules::PaperValues::top, &PaperOptions::top, false},
    {"--bottom", &rules::PaperValues::bottom, &PaperOptions::bottom, false},
    {"--left", &rules::PaperValues::left, &PaperOptions::left, false},
    {"--right", &rules::PaperValues::right, &PaperOptions::right, false},
};

// The options that name the items of the editor's range messages.
struct ItemOption {
    int itemId;
    const char* option;
};
const ItemOption kItemOptions[] = {
    {IDS_ITEM_WIDTH, "--width"},
    {IDS_ITEM_LENGTH, "--length"},
    {IDS_ITEM_GAP, "--gap"},
    {IDS_ITEM_MARK_LENGTH, "--mark-length"},
    {IDS_ITEM_MARK_OFFSET, "--mark-offset"},
    {IDS_ITEM_RIGHT, "--right"},
    {IDS_ITEM_LEFT, "--left"},
    {IDS_ITEM_TOP, "--top"},
    {IDS_ITEM_BOTTOM, "--bottom"},
};

// What to change after the editor refused the paper.
std::string Remedy(const rules::Violation& violation) {
    if (violation.messageId == IDS_NAME_IN_USE || violation.messageId == IDS_NAME_REFUSED)
        return "give another --name";
    std::string options;
    for (const int item : violation.itemIds) {
        for (const auto& entry : kItemOptions) {
            if (entry.itemId != item) continue;
            if (!options.empty()) options += " and ";
            options += entry.option;
        }
    }
    if (!violation.range) return "give another " + options;
    return "give " + options + " within that range";
}

// The value in thousandths of the unit, typed with "." or the locale's separator;
// nullopt when the editor's fields would not take it.
std::optional<int64_t> NumberValue(std::string text, bool isSigned, const Session& session) {
    rules::LocalizeDecimal(text, session.separator);
    if (!rules::FieldCharactersFit(text, session.inchUnits, isSigned, session.separator) ||
        !rules::FieldValueFits(text, isSigned))
        return std::nullopt;
    return rules::ParseFixed(text, 3, session.separator);
}

std::string NotANumber(const char* option, const std::string& value, const Session& session) {
    const int decimals = rules::FieldDecimals(session.inchUnits);
    return std::string(option) + " " + value + " is not a value the editor takes: give at most " +
           std::to_string(rules::kFieldChars) + " characters with " + std::to_string(decimals) +
           (decimals == 1 ? " decimal" : " decimals") +
           (std::string(option) == "--mark-offset" ? ", a leading - for a negative offset" : "") +
           ", e.g. " + (session.inchUnits ? "1.97" : "50.0");
}

}  // namespace

int AddPaper(Session& session, const Invocation& invocation, Environment& environment) {
    auto& paperSet = session.papers->paperSet;
    const auto& table = paperSet.Table();
    const PaperOptions& options = invocation.paper;
    if (paperSet.IsFull())
        return Fail(environment, kExitBadInput, paperset::PaperSet::FullTableReason());
    if (!rules::NameFitsRecord(options.name))
        return Fail(environment, kExitBadInput,
                    "the name \"" + options.name + "\" is longer than a paper name can be (" +
                        std::to_string(papertable::kNameUnits - 1) +
                        " characters); give a shorter --name");

    // The paper the editor opens on: a copy of the chosen one as a new user paper.
    if (table.paperCount == 0)
        return Fail(environment, kExitBadInput,
                    "the table holds no paper to copy from; import a paper set first");
    const int from = options.from ? FindPaper(session, *options.from) : 0;
    if (from < 0)
        return Fail(environment, kExitBadInput,
                    "no paper is named \"" + *options.from +
                        "\" to copy from; see velkorctl list " + invocation.queue);
    papertable::PaperRecord record = table.papers[static_cast<size_t>(from)];
    papertable::PrepareNewPaper(record, table, options.name);
    record.nType = rules::EditorKind(record);
    record.editLocked = false;

    const rules::UnitSettings units = session.Units();
    rules::PaperValues values = rules::ValuesFromRecord(record, units);
    values.name = options.name;
    values.kind = options.kind;
    const auto width = NumberValue(options.width, false, session);
    if (!width)
        return Fail(environment, kExitBadInput, NotANumber("--width", options.width, session));
    values.width = *width;
    for (const auto& number : kNumberOptions) {
        const auto& given = options.*number.value;
        if (!given) continue;
        const auto value = NumberValue(*given, number.isSigned, session);
        if (!value)
            return Fail(environment, kExitBadInput, NotANumber(number.option, *given, session));
        values.*number.field = *value;
    }
    if (!rules::FieldsOfKind(values.kind).bottom) values.bottom = values.top;

    const auto saved = rules::SaveAsNew(paperSet, record, values, units, rules::EditMode::NewPaper);
    if (saved.violation)
        return Fail(environment, kExitBadInput,
                    rules::ViolationText(*saved.violation, *session.strings, units) + "; " +
                        Remedy(*saved.violation));
    if (saved.change.status == paperset::ChangeStatus::Refused)
        return Fail(environment, kExitBadInput, saved.change.reason);
    if (!saved.change.Ok())
        return Fail(environment, kExitFailed,
                    session.strings->LoadString(IDS_INSTALL_FAILED) + " " + saved.change.reason +
                        std::string(kNothingChanged));
    environment.out << "added \"" << options.name << "\" as paper " << saved.change.index << ", ID "
                    << record.nPaperSize << '\n';
    return kExitDone;
}

}  // namespace velkorctl
