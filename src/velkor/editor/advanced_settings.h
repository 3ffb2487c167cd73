// The editor's way to the advanced media settings (button 1034). The opener of the
// editor supplies the dialog, so that the editor does not depend on it.
#pragma once

#include <functional>

#include "papertable/paper_record.h"

namespace win {
class DialogWindow;
}

namespace editor {

struct AdvancedSettingsRequest {
    papertable::PaperRecord& record;  // changed only when the settings are confirmed
    bool inchUnits = false;
    char decimalSeparator = '.';
    int resolution = 0;
};

// Runs the advanced media settings modally above `owner`.
using AdvancedSettings =
    std::function<void(const AdvancedSettingsRequest& request, win::DialogWindow& owner)>;

}  // namespace editor
