#include "mainwindow/paper_list_edit.h"

#include <algorithm>
#include <array>

#include "win/codepage.h"

namespace mainwindow {

namespace {

// `name` in UTF-16 within `out`, cut to the units that fit with the terminator.
template <size_t N>
void StoreName(std::string_view name, papertable::WideText<N>& out) {
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

void PrepareNewPaper(papertable::PaperRecord& working, const papertable::PaperTable& table,
                     std::string_view name) {
    working.builtIn = false;
    StoreName(name, working.szPaperName_mm);
    StoreName(name, working.szPaperName_inch);
    if (const auto id = papertable::FreePaperId(table, table.paperCount)) working.nPaperSize = *id;
}

std::string DeleteQuestion(std::string format, std::string_view name) {
    const auto at = format.find("%s");
    if (at != std::string::npos) format.replace(at, 2, name);
    return format;
}

}  // namespace mainwindow
