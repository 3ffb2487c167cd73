// Stand-in for the advanced media dialog until it exists: the same template and
// constructor, OK and Cancel only, the record left untouched.
#pragma once

#include "papertable/paper_record.h"
#include "win/dialog.h"

namespace editor {

class AdvancedPlaceholderDlg : public win::Dialog {
public:
    AdvancedPlaceholderDlg(win::Ui& ui, papertable::PaperRecord& record, bool inchUnits,
                           char separator, int resolution);

private:
    papertable::PaperRecord& record_;
    bool inchUnits_;
    char separator_;
    int resolution_;
};

}  // namespace editor
