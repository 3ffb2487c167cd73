// The model family: one row per printer model, found by the driver's name.
#pragma once

#include <string>
#include <string_view>

namespace papertable {

inline constexpr std::string_view kFamilyPrefix = "kvx500";

// A width limit in hundredths of a millimetre and hundredths of an inch.
struct LimitPair {
    int mm = 0;
    int inch = 0;
    bool operator==(const LimitPair&) const = default;
};

// The ten numbers handed to the main window and the paper editor.
struct ModelLimits {
    int resolution = 0;  // dots per inch
    int headWidth = 0;   // dots
    LimitPair maxPaperWidth;
    LimitPair maxPrintWidth;
    LimitPair maxRightMargin;
    LimitPair maxLeftMargin;
    bool operator==(const ModelLimits&) const = default;
};

struct ModelEntry {
    std::string_view driverName;
    std::string_view modelPrefix;
    ModelLimits limits;
};

inline constexpr ModelLimits k203DpiLimits{203,         448,         {6300, 248},
                                           {5600, 220}, {5600, 220}, {5600, 220}};
inline constexpr ModelLimits k300DpiLimits{300,         672,         {6300, 248},
                                           {5680, 220}, {5680, 224}, {5680, 224}};

// In the order in which driver names are compared.
inline constexpr ModelEntry kModelTable[] = {
    {"Ostrel LM-510", "kvx510", k203DpiLimits},
    {"Ostrel LM-520", "kvx520", k300DpiLimits},
    {"Ostrel LM-610N", "kvx610", k203DpiLimits},
    {"Ostrel LM-620N", "kvx620", k300DpiLimits},
};

// The model prefix for a driver name (compared without regard to case); empty
// when no row matches.
std::string ModelPrefixForDriver(std::string_view driverName);
// The limits for a model prefix: 300-dpi values for kvx520 and kvx620, 203-dpi
// values for every other prefix, the empty one included.
ModelLimits LimitsForPrefix(std::string_view modelPrefix);

}  // namespace papertable
