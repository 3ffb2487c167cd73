#include "velkor/advanced/reserved_values.h"

#include "papertable/source_reader.h"

namespace advanced {

ReservedValues ParseReserved(std::string_view text) {
    ReservedValues values{};
    for (size_t i = 0; i < values.size(); ++i) {
        const size_t comma = text.find(',');
        // Item by item, so the reader's limit on the examined length applies to each
        // item and not to the whole text.
        values[i] = static_cast<int16_t>(papertable::ReservedItem(text.substr(0, comma), 0));
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    return values;
}

std::string FormatReserved(const ReservedValues& values) {
    std::string text;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) text += ',';
        text += std::to_string(values[i]);
    }
    return text;
}

}  // namespace advanced
