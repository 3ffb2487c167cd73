// add: as the paper editor's "save as new", opened by velkor's Add on a copy of a
// paper: the values given replace the fields they name, every other field keeps
// what the editor shows for the copied paper, and the editor's checks, range texts
// and derived values apply.
#include "ctl/commands.h"
#include "ctl/exit_codes.h"
#include "editor/save_paper.h"
#include "editor/units.h"
#include "papertable/table_edits.h"
#include "resources/resource_ids.h"

namespace ctl {
namespace {

struct NumberOption {
    const char* option;
    std::string editor::FieldTexts::*field;
    const std::optional<std::string> PaperOptions::*value;
    bool isSigned;
};

const NumberOption kNumberOptions[] = {
    {"--length", &editor::FieldTexts::length, &PaperOptions::length, false},
    {"--gap", &editor::FieldTexts::gap, &PaperOptions::gap, false},
    {"--mark-length", &editor::FieldTexts::markLength, &PaperOptions::markLength, false},
    {"--mark-offset", &editor::FieldTexts::markOffset, &PaperOptions::markOffset, true},
    {"--top", &editor::FieldTexts::top, &PaperOptions::top, false},
    {"--bottom", &editor::FieldTexts::bottom, &PaperOptions::bottom, false},
    {"--left", &editor::FieldTexts::left, &PaperOptions::left, false},
    {"--right", &editor::FieldTexts::right, &PaperOptions::right, false},
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
std::string Remedy(const editor::Violation& violation) {
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

// The value as the editor's field would hold it: typed with "." or the locale's
// separator, shown with the locale's. nullopt when the editor's typing rule would
// not let it into the field.
std::optional<std::string> FieldValue(std::string value, bool isSigned, const Session& session) {
    editor::LocalizeDecimal(value, session.separator);
    editor::FilterInput input;
    input.newText = value;
    input.inch = session.inchUnits;
    input.isSigned = isSigned;
    input.separator = session.separator;
    if (editor::NumberFieldFilter(input).text != value) return std::nullopt;
    return value;
}

std::string NotANumber(const char* option, const std::string& value, const Session& session) {
    return std::string(option) + " " + value + " is not a value the editor takes: give at most " +
           "6 characters with " + (session.inchUnits ? "2 decimals" : "1 decimal") +
           (std::string(option) == "--mark-offset" ? ", a leading - for a negative offset" : "") +
           ", e.g. " + (session.inchUnits ? "1.97" : "50.0");
}

}  // namespace

int AddPaper(Session& session, const Invocation& invocation, Environment& environment) {
    auto& paperSet = *session.paperSet;
    const auto& table = paperSet.Table();
    const PaperOptions& options = invocation.paper;
    if (table.tableFull || table.paperCount >= papertable::kMaxPapers)
        return Fail(environment, kExitBadInput,
                    "the table holds " + std::to_string(papertable::kMaxPapers) +
                        " papers; delete a user paper first");
    if (!editor::NameFitsRecord(options.name))
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
    record.nType = editor::EditorKind(record);
    record.editLocked = false;

    const editor::UnitSettings units = session.Units();
    editor::FieldTexts texts = editor::FieldTextsFromRecord(record, units);
    texts.name = options.name;
    texts.kind = options.kind;
    const auto width = FieldValue(options.width, false, session);
    if (!width)
        return Fail(environment, kExitBadInput, NotANumber("--width", options.width, session));
    texts.width = *width;
    for (const auto& number : kNumberOptions) {
        const auto& given = options.*number.value;
        if (!given) continue;
        const auto value = FieldValue(*given, number.isSigned, session);
        if (!value)
            return Fail(environment, kExitBadInput, NotANumber(number.option, *given, session));
        texts.*number.field = *value;
    }
    if (!editor::FieldsOfKind(texts.kind).bottom) texts.bottom = texts.top;

    const auto saved =
        editor::SaveAsNew(paperSet, record, texts, units, editor::EditMode::NewPaper);
    if (saved.violation)
        return Fail(environment, kExitBadInput,
                    editor::ViolationText(*saved.violation, *session.strings, units) + "; " +
                        Remedy(*saved.violation));
    if (saved.change.status == build::ChangeStatus::Refused)
        return Fail(environment, kExitBadInput, saved.change.reason);
    if (!saved.change.Ok())
        return Fail(environment, kExitFailed,
                    session.strings->LoadString(IDS_INSTALL_FAILED) + " " + saved.change.reason +
                        std::string(kNothingChanged));
    environment.out << "added \"" << options.name << "\" as paper " << saved.change.index << ", ID "
                    << record.nPaperSize << '\n';
    return kExitDone;
}

}  // namespace ctl
