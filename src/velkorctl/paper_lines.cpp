#include "velkorctl/paper_lines.h"

#include "papertable/paper_name.h"
#include "rules/paper_fields.h"
#include "rules/units.h"
#include "velkorctl/arguments.h"
#include "velkorctl/json.h"
#include "velkorctl/tab_line.h"

namespace velkorctl {
namespace {

struct Facts {
    std::string origin;
    std::string width;
    std::string length;  // empty without a fixed length
    std::string kind;
    std::string unit;
};

// A stored length as the editor's field shows it.
std::string Number(int tenths, bool inch) {
    return rules::FieldText(rules::TenthsToDisplay(tenths, inch), inch, '.');
}

Facts FactsOf(const PaperLine& line) {
    const auto& paper = *line.paper;
    const int16_t kind = rules::EditorKind(paper);
    Facts facts;
    facts.origin = paper.builtIn ? "built-in" : "user";
    facts.width = Number(paper.nPaperWidth, line.inch);
    if (kind != papertable::kKindRoll) facts.length = Number(paper.nPaperLength, line.inch);
    facts.kind = std::string(KindWord(kind));
    facts.unit = line.inch ? "in" : "mm";
    return facts;
}

const papertable::WideText<papertable::kNameUnits>& Name(const PaperLine& line) {
    return line.inch ? line.paper->szPaperName_inch : line.paper->szPaperName_mm;
}

}  // namespace

std::string TextLine(const PaperLine& line) {
    const Facts facts = FactsOf(line);
    const std::string name = papertable::AnsiName(Name(line));
    const std::string fields[] = {std::to_string(line.index),
                                  facts.origin,
                                  name,
                                  facts.width,
                                  facts.length.empty() ? "--" : facts.length,
                                  facts.kind,
                                  std::to_string(line.paper->nPaperSize),
                                  std::to_string(line.paper->byEnergyRank)};
    return TabSeparated(fields);
}

std::string JsonArray(const std::vector<PaperLine>& lines) {
    std::string json = "[";
    for (const auto& line : lines) {
        const Facts facts = FactsOf(line);
        const auto& name = Name(line);
        json += json.size() > 1 ? ",\n " : "\n ";
        json += "{\"index\": " + std::to_string(line.index);
        json += ", \"origin\": " + JsonStringFromAnsi(facts.origin);
        json += ", \"name\": " + JsonString(std::u16string_view(name.data(), name.size()));
        json += ", \"width\": " + facts.width;
        json += ", \"length\": " + (facts.length.empty() ? std::string("null") : facts.length);
        json += ", \"unit\": " + JsonStringFromAnsi(facts.unit);
        json += ", \"kind\": " + JsonStringFromAnsi(facts.kind);
        json += ", \"id\": " + std::to_string(line.paper->nPaperSize);
        json += ", \"energyRank\": " + std::to_string(line.paper->byEnergyRank) + "}";
    }
    return json + (lines.empty() ? "]" : "\n]");
}

}  // namespace velkorctl
