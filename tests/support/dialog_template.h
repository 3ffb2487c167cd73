// The controls of dialog templates as Win32 groups them: for each control, in the
// template's order, its id, whether it is a radio button and whether it starts a
// group (WS_GROUP). Read from a resource script, the file the resource compiler
// reads, so that the headless backend groups radio buttons exactly as the real
// dialogs do.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace win::headless {

enum class ControlKind {
    Other,
    RadioButton,      // BS_RADIOBUTTON: the program checks it
    AutoRadioButton,  // BS_AUTORADIOBUTTON: a click checks it and unchecks its group
};

struct TemplateControl {
    int id = 0;
    ControlKind kind = ControlKind::Other;
    bool startsGroup = false;  // WS_GROUP
    bool operator==(const TemplateControl&) const = default;
};

using DialogTemplate = std::vector<TemplateControl>;
using ResourceIds = std::map<std::string, int, std::less<>>;

// The `#define NAME number` lines of a header such as src/resources/resource_ids.h.
ResourceIds ReadResourceIds(std::string_view header);

// The DIALOG and DIALOGEX templates of resource script `script`, by number. Names
// are looked up in `ids` (the dialog-box command ids of the platform are known);
// the script's own #define macros are expanded. Throws std::runtime_error on a name
// it cannot resolve or a statement it cannot read.
std::map<int, DialogTemplate> ReadDialogTemplates(std::string_view script, const ResourceIds& ids);

// Positions in `dialog` of the group holding the control at `index`: from the
// nearest control at or before it that starts a group up to the next one.
std::vector<size_t> GroupAround(const DialogTemplate& dialog, size_t index);

// The templates of the language module (src/resources/kvx500ct.rc), read once.
const std::map<int, DialogTemplate>& LanguageModuleTemplates();

}  // namespace win::headless
