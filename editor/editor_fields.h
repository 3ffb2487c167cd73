// The editor's field texts as plain data, so that turning them into record values
// and checking them runs without a window.
#pragma once

#include <cstdint>
#include <string>

#include "app/model_table.h"

namespace editor {

struct FieldTexts {
    std::string name;
    std::string width;
    std::string length;
    std::string gap;
    std::string right;
    std::string top;
    std::string left;
    std::string bottom;
    std::string markLength;
    std::string markOffset;
    int kindIndex = 0;  // selected entry of the kind list: 0, 1, 2 (or -1)
};

// The fields read with ParseFixed(text, 3): thousandths of the display unit.
struct FieldValues {
    int64_t width = 0;       // W
    int64_t length = 0;      // L
    int64_t gap = 0;         // G
    int64_t right = 0;       // R
    int64_t top = 0;         // T
    int64_t left = 0;        // F
    int64_t bottom = 0;      // B
    int64_t markLength = 0;  // ML
    int64_t markOffset = 0;  // MO
};
FieldValues ReadFieldValues(const FieldTexts& texts, char separator);

// The kind an entry of the kind list stands for: 1 gives 75, 2 gives 76, others 74.
int16_t KindFromSelection(int index);

// What the save steps need to know besides the texts.
struct UnitSettings {
    bool inch = false;
    char separator = '.';
    app::ModelLimits limits;
};

}  // namespace editor
