// Locale fake: measurement system and decimal separator as a test sets them.
#pragma once

#include <optional>
#include <string>

#include "win/services.h"

namespace fakes {

class FakeLocale : public win::Locale {
public:
    std::optional<std::string> measurementSystem = "1";  // U.S.; nullopt = query fails
    std::string decimalSeparator = ".";
    int measurementQueries = 0;

    std::optional<std::string> MeasurementSystem() override {
        ++measurementQueries;
        return measurementSystem;
    }
    std::string DecimalSeparator() override { return decimalSeparator; }
};

}  // namespace fakes
