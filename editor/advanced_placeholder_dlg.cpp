#include "editor/advanced_placeholder_dlg.h"

#include "resources/resource_ids.h"

namespace editor {

AdvancedPlaceholderDlg::AdvancedPlaceholderDlg(win::Ui& ui, papertable::PaperRecord& record,
                                               bool inchUnits, char separator, int resolution)
    : Dialog(ui, IDD_ADVANCED),
      record_(record),
      inchUnits_(inchUnits),
      separator_(separator),
      resolution_(resolution) {}

}  // namespace editor
