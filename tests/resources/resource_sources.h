// Reads the sources of the language modules as the resource tests need them:
// src/resources/resource_ids.h (what every module must hold), the shared layout
// kvx500ct.rc (which texts each dialog and menu shows) and each language's
// dialog_texts.h and strings.def. Plain text parsing of our own files, whose shapes
// the files' headers state; used natively and under Wine.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace resource_sources {

// A dialog template with the controls the program addresses, or a menu with its
// commands.
struct Owner {
    int id = 0;
    std::string name;
    std::vector<int> members;
};

struct ResourceIds {
    std::map<std::string, int> numbers;  // every define, by name
    std::vector<Owner> templates;
    std::vector<Owner> menus;
    std::vector<int> icons;
    std::vector<int> bitmaps;
    std::vector<int> strings;  // every string the program loads, runs spelled out
};
ResourceIds ReadResourceIds(std::string_view header);

struct StringEntry {
    int id = 0;
    std::string text;
};
// The STRING(id, "text") lines; an id is a number or a name of `ids`. A line that
// cannot be read gives an entry with id 0.
std::vector<StringEntry> ReadStrings(std::string_view def, const ResourceIds& ids);

// The #define T_name "text" lines, by name.
std::map<std::string, std::string> ReadDialogTexts(std::string_view header);

// A dialog or menu of the layout: the T_ names it uses, in groups whose mnemonics
// must differ (a dialog's controls; the items of one menu level). A dialog's
// caption is no control and is kept apart. `literals` are the quoted texts the
// block writes itself.
struct LayoutBlock {
    std::string name;  // IDD_... or IDM_...
    bool menu = false;
    std::string caption;  // T_ name, dialogs only
    std::vector<std::vector<std::string>> groups;
    std::vector<std::string> literals;
};
std::vector<LayoutBlock> ReadLayout(std::string_view rc);

// The mnemonic letter of a text (after a single "&", "&&" being a literal "&"),
// folded to lower case in code page 1252; nullopt when there is none.
std::optional<unsigned char> Mnemonic(std::string_view text);
// How many single "&" the text holds.
int MnemonicMarks(std::string_view text);
// The printf conversions of a text in order, e.g. "%s" or "%s%d"; "%%" counts too.
std::string Placeholders(std::string_view text);

std::string ReadFile(const std::string& path);
// The folder names under src/resources/lang of `sourceDir`, sorted.
std::vector<std::string> Languages(const std::string& sourceDir);

}  // namespace resource_sources
