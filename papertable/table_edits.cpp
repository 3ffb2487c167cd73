#include "papertable/table_edits.h"

#include <algorithm>

namespace papertable {

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
