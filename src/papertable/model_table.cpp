#include "papertable/model_table.h"

#include "win/ascii_case.h"

namespace papertable {

std::string ModelPrefixForDriver(std::string_view driverName) {
    for (const auto& entry : kModelTable) {
        if (win::EqualsIgnoringAsciiCase(entry.driverName, driverName))
            return std::string(entry.modelPrefix);
    }
    return {};
}

ModelLimits LimitsForPrefix(std::string_view modelPrefix) {
    for (const auto& entry : kModelTable) {
        if (entry.modelPrefix == modelPrefix) return entry.limits;
    }
    return k203DpiLimits;
}

}  // namespace papertable
