#include "app/model_table.h"

#include <algorithm>
#include <cctype>

namespace app {
namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::string ModelPrefixForDriver(std::string_view driverName) {
    for (const auto& entry : kModelTable) {
        if (EqualsIgnoringCase(entry.driverName, driverName)) return std::string(entry.modelPrefix);
    }
    return {};
}

ModelLimits LimitsForPrefix(std::string_view modelPrefix) {
    for (const auto& entry : kModelTable) {
        if (entry.modelPrefix == modelPrefix) return entry.limits;
    }
    return k203DpiLimits;
}

}  // namespace app
