#include "velkor/mainwindow/paper_details.h"

#include <cstdio>

#include "rules/units.h"
#include "win/codepage.h"

namespace mainwindow {
namespace {

bool HasFixedLength(const papertable::PaperRecord& paper) {
    return paper.nType == papertable::kKindLabel || paper.nType == papertable::kKindMark;
}

std::string Millimetres(int tenths) {
    char text[32];
    std::snprintf(text, sizeof text, "%0.1f mm", tenths / 10.0);
    return text;
}

std::string Inches(int tenths) {
    const float inches = rules::RoundDisplay(static_cast<float>(tenths / 254.0), 2);
    char text[32];
    std::snprintf(text, sizeof text, "%0.2f \"", static_cast<double>(inches));
    return text;
}

}  // namespace

PaperDetails FormatPaperDetails(const papertable::PaperRecord& paper, bool inch, char separator) {
    PaperDetails details;
    const auto format = inch ? Inches : Millimetres;
    details.width = format(paper.nPaperWidth);
    details.length =
        HasFixedLength(paper) ? format(paper.nPaperLength) : (inch ? "-- \"" : "-- mm");
    if (separator != '.') {
        rules::LocalizeDecimal(details.width, separator);
        rules::LocalizeDecimal(details.length, separator);
    }
    details.energy = std::to_string(static_cast<int>(paper.byEnergyRank));
    return details;
}

std::string PaperListLine(const papertable::PaperRecord& paper, bool inch) {
    const auto& name = inch ? paper.szPaperName_inch : paper.szPaperName_mm;
    return win::WideToAnsi(name, kListLineBytes).value_or(std::string());
}

}  // namespace mainwindow
