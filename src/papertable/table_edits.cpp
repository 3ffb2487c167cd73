#include "papertable/table_edits.h"

#include <algorithm>
#include <string>

#include "win/codepage.h"

namespace papertable {
namespace {

// `name` in UTF-16 within `out`, cut to the units that fit with the terminator.
template <size_t N>
void StoreName(std::string_view name, WideText<N>& out) {
    // Any ANSI byte gives at most one UTF-16 unit, so this buffer always suffices.
    std::u16string wide(name.size() + 1, u'\0');
    if (!win::AnsiToWide(name, wide)) wide.assign(1, u'\0');
    size_t length = std::min(wide.find(u'\0'), N - 1);
    // A high surrogate at the cut would leave half a character.
    if (length > 0 && length < wide.size() && wide[length - 1] >= 0xD800 &&
        wide[length - 1] <= 0xDBFF)
        --length;
    out.fill(u'\0');
    std::copy_n(wide.begin(), length, out.begin());
}

}  // namespace

std::optional<int16_t> FreePaperId(const PaperTable& table, int count) {
    const auto first = table.papers.begin();
    const auto last = first + std::clamp(count, 0, kMaxPapers);
    for (int id = kFirstUserPaperId; id <= kLastUserPaperId; ++id) {
        const bool used =
            std::any_of(first, last, [id](const auto& paper) { return paper.nPaperSize == id; });
        if (!used) return static_cast<int16_t>(id);
    }
    return std::nullopt;
}

void PrepareNewPaper(PaperRecord& working, const PaperTable& table, std::string_view name) {
    working.builtIn = false;
    StoreName(name, working.szPaperName_mm);
    StoreName(name, working.szPaperName_inch);
    if (const auto id = FreePaperId(table, table.paperCount)) working.nPaperSize = *id;
}

bool AppendPaper(PaperTable& table, const PaperRecord& paper) {
    if (table.paperCount >= kMaxPapers) return false;
    table.papers[static_cast<size_t>(table.paperCount)] = paper;
    ++table.paperCount;
    if (table.paperCount >= kMaxPapers) table.tableFull = true;
    return true;
}

int RemovePaper(PaperTable& table, int index) {
    if (index < 0 || index >= table.paperCount) return index;
    auto& papers = table.papers;
    std::move(papers.begin() + index + 1, papers.begin() + table.paperCount,
              papers.begin() + index);
    --table.paperCount;
    // The freed slot must not keep a stale copy of the last paper.
    papers[static_cast<size_t>(table.paperCount)] = PaperRecord{};
    return index == table.paperCount ? table.paperCount - 1 : index;
}

}  // namespace papertable
