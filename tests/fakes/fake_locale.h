// Locale fake: measurement system and decimal separator as a test sets them; dates
// as "12.06.2024" and times as "14:30:05", or nothing when formatting fails.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "win/services.h"

namespace fakes {

class FakeLocale : public win::Locale {
public:
    std::optional<std::string> measurementSystem = "1";  // U.S.; nullopt = query fails
    std::string decimalSeparator = ".";
    bool formatFails = false;
    int measurementQueries = 0;

    std::optional<std::string> MeasurementSystem() override {
        ++measurementQueries;
        return measurementSystem;
    }
    std::string DecimalSeparator() override { return decimalSeparator; }
    std::string FormatDate(const win::LocalTime& t) override {
        return Format("%02d.%02d.%04d", t.day, t.month, t.year);
    }
    std::string FormatTime(const win::LocalTime& t) override {
        return Format("%02d:%02d:%02d", t.hour, t.minute, t.second);
    }

private:
    std::string Format(const char* pattern, int a, int b, int c) const {
        if (formatFails) return {};
        char text[32];
        std::snprintf(text, sizeof text, pattern, a, b, c);
        return text;
    }
};

}  // namespace fakes
