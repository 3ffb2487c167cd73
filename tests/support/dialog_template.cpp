#include "tests/support/dialog_template.h"

#include <cctype>
#include <cstdint>
#include <deque>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "win/ascii_case.h"

namespace win::headless {
namespace {

constexpr uint32_t kWsGroup = 0x00020000;
constexpr uint32_t kButtonTypeMask = 0x0F;
constexpr uint32_t kBsRadioButton = 0x04;
constexpr uint32_t kBsAutoRadioButton = 0x09;

// The style names that decide grouping; any other name counts as 0.
const std::map<std::string, uint32_t, std::less<>> kStyleBits = {
    {"WS_GROUP", kWsGroup},
    {"BS_RADIOBUTTON", kBsRadioButton},
    {"BS_AUTORADIOBUTTON", kBsAutoRadioButton},
};

// The dialog-box command ids of the platform headers.
const ResourceIds kPlatformIds = {
    {"IDOK", 1},     {"IDCANCEL", 2}, {"IDABORT", 3}, {"IDRETRY", 4},
    {"IDIGNORE", 5}, {"IDYES", 6},    {"IDNO", 7},    {"IDC_STATIC", -1},
};

// The control statements with a fixed class: whether the text comes before the id,
// and the style the resource compiler gives them before the script's own.
struct StatementKind {
    std::string_view keyword;
    bool textFirst;
    uint32_t defaultStyle;
};
constexpr StatementKind kStatements[] = {
    {"LTEXT", true, kWsGroup},
    {"RTEXT", true, kWsGroup},
    {"CTEXT", true, kWsGroup},
    {"ICON", true, 0},
    {"PUSHBUTTON", true, 0},
    {"DEFPUSHBUTTON", true, 0},
    {"PUSHBOX", true, 0},
    {"CHECKBOX", true, 0},
    {"AUTOCHECKBOX", true, 0},
    {"STATE3", true, 0},
    {"AUTO3STATE", true, 0},
    {"GROUPBOX", true, 0},
    {"RADIOBUTTON", true, kBsRadioButton},
    {"AUTORADIOBUTTON", true, kBsAutoRadioButton},
    {"EDITTEXT", false, 0},
    {"COMBOBOX", false, 0},
    {"LISTBOX", false, 0},
    {"SCROLLBAR", false, 0},
};

struct Token {
    enum Kind { Word, Number, String, Punct } kind;
    std::string text;
    bool operator==(std::string_view other) const { return kind != String && text == other; }
};
using Tokens = std::deque<Token>;

struct Macro {
    bool functionLike = false;
    std::vector<std::string> params;
    Tokens body;
};
using Macros = std::map<std::string, Macro, std::less<>>;

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error("resource script: " + what);
}

bool WordStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool WordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Splits `text` (one logical line or a whole script without directives) into tokens.
Tokens Tokenize(std::string_view text) {
    Tokens tokens;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else if (text.substr(i, 2) == "//") {
            i = text.find('\n', i);
            if (i == std::string_view::npos) break;
        } else if (text.substr(i, 2) == "/*") {
            i = text.find("*/", i + 2);
            if (i == std::string_view::npos) break;
            i += 2;
        } else if (c == '"') {
            std::string value;
            for (++i; i < text.size(); ++i) {
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        value += '"';  // "" inside a string is one quote
                        ++i;
                        continue;
                    }
                    break;
                }
                value += text[i];
            }
            ++i;
            tokens.push_back({Token::String, value});
        } else if (WordStart(c)) {
            const size_t start = i;
            while (i < text.size() && WordChar(text[i])) ++i;
            tokens.push_back({Token::Word, std::string(text.substr(start, i - start))});
        } else if (std::isdigit(static_cast<unsigned char>(c)) ||
                   (c == '-' && i + 1 < text.size() &&
                    std::isdigit(static_cast<unsigned char>(text[i + 1])))) {
            const size_t start = i++;
            while (i < text.size() && WordChar(text[i])) ++i;
            tokens.push_back({Token::Number, std::string(text.substr(start, i - start))});
        } else {
            tokens.push_back({Token::Punct, std::string(1, c)});
            ++i;
        }
    }
    return tokens;
}

// Records `directive` (the text after '#') when it is #define NAME body or
// #define NAME(params) body; other directives are skipped.
void AddDefine(const std::string& directive, Macros& macros) {
    std::istringstream words(directive);
    std::string command;
    words >> command;
    if (command != "define") return;
    const size_t nameStart = directive.find_first_not_of(" \t", directive.find(command) + 6);
    if (nameStart == std::string::npos) return;
    size_t nameEnd = nameStart;
    while (nameEnd < directive.size() && WordChar(directive[nameEnd])) ++nameEnd;
    Macro macro;
    size_t bodyStart = nameEnd;
    if (nameEnd < directive.size() && directive[nameEnd] == '(') {
        macro.functionLike = true;
        const size_t close = directive.find(')', nameEnd);
        if (close == std::string::npos) Fail("unclosed macro parameters: " + directive);
        for (const Token& param : Tokenize(directive.substr(nameEnd + 1, close - nameEnd - 1)))
            if (param.kind == Token::Word) macro.params.push_back(param.text);
        bodyStart = close + 1;
    }
    macro.body = Tokenize(directive.substr(bodyStart));
    macros[directive.substr(nameStart, nameEnd - nameStart)] = std::move(macro);
}

// Takes the preprocessor lines out of `script` (keeping #define macros) and gives
// the rest as tokens.
Tokens Preprocess(std::string_view script, Macros& macros) {
    std::string rest;
    std::istringstream lines{std::string(script)};
    std::string line;
    while (std::getline(lines, line)) {
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] != '#') {
            rest += line + '\n';
            continue;
        }
        std::string directive = line.substr(first + 1);
        while (!directive.empty() && directive.back() == '\\' && std::getline(lines, line)) {
            directive.back() = ' ';  // a continued line
            directive += line;
        }
        AddDefine(directive, macros);
    }
    return Tokenize(rest);
}

class StatementReader {
public:
    StatementReader(Tokens tokens, const Macros& macros, const ResourceIds& ids)
        : tokens_(std::move(tokens)), macros_(macros), ids_(ids) {}

    std::map<int, DialogTemplate> Templates() {
        std::map<int, DialogTemplate> templates;
        while (tokens_.size() >= 2) {
            const Token name = Take();
            if (tokens_.front() == "DIALOGEX" || tokens_.front() == "DIALOG") {
                const int id = Id(name);
                SkipTo("BEGIN", "{");
                templates[id] = Controls();
            }
        }
        return templates;
    }

private:
    const Token& Peek() {
        if (tokens_.empty()) Fail("unexpected end");
        return tokens_.front();
    }
    Token Take() {
        Token token = Peek();
        tokens_.pop_front();
        return token;
    }
    bool TakeIf(std::string_view text) {
        if (tokens_.empty() || !(tokens_.front() == text)) return false;
        tokens_.pop_front();
        return true;
    }
    void SkipTo(std::string_view a, std::string_view b) {
        while (!(Peek() == a) && !(Peek() == b)) tokens_.pop_front();
        tokens_.pop_front();
    }

    int Id(const Token& token) const {
        if (token.kind == Token::Number) return static_cast<int>(std::stol(token.text, nullptr, 0));
        if (auto it = ids_.find(token.text); it != ids_.end()) return it->second;
        if (auto it = kPlatformIds.find(token.text); it != kPlatformIds.end()) return it->second;
        Fail("unknown id " + token.text);
    }

    // Replaces a macro at the front by its expansion.
    void ExpandFront() {
        for (;;) {
            auto it = macros_.find(Peek().text);
            if (Peek().kind != Token::Word || it == macros_.end()) return;
            tokens_.pop_front();
            const Macro& macro = it->second;
            std::map<std::string, Tokens> args;
            if (macro.functionLike) {
                if (!TakeIf("(")) Fail(it->first + " without arguments");
                for (const std::string& param : macro.params) {
                    Tokens& arg = args[param];
                    int depth = 0;
                    while (depth > 0 || (!(Peek() == ",") && !(Peek() == ")"))) {
                        if (Peek() == "(") ++depth;
                        if (Peek() == ")") --depth;
                        arg.push_back(Take());
                    }
                    TakeIf(",");
                }
                if (!TakeIf(")")) Fail("too many arguments to " + it->first);
            }
            Tokens expansion;
            for (const Token& token : macro.body) {
                auto arg = token.kind == Token::Word ? args.find(token.text) : args.end();
                if (arg == args.end())
                    expansion.push_back(token);
                else
                    expansion.insert(expansion.end(), arg->second.begin(), arg->second.end());
            }
            tokens_.insert(tokens_.begin(), expansion.begin(), expansion.end());
        }
    }

    // One field: tokens joined by '|' (a style may also be NOT name).
    Tokens Field() {
        Tokens field;
        for (;;) {
            if (TakeIf("NOT")) field.push_back({Token::Word, "NOT"});
            ExpandFront();
            field.push_back(Take());
            if (!TakeIf("|")) return field;
        }
    }
    std::vector<Tokens> Fields() {
        std::vector<Tokens> fields{Field()};
        while (TakeIf(",")) fields.push_back(Field());
        return fields;
    }

    static uint32_t Style(const Tokens& field, uint32_t style) {
        for (size_t i = 0; i < field.size(); ++i) {
            const bool remove = field[i] == "NOT" && i + 1 < field.size();
            const Token& token = remove ? field[++i] : field[i];
            uint32_t bits = 0;
            if (token.kind == Token::Number) {
                bits = static_cast<uint32_t>(std::stoul(token.text, nullptr, 0));
            } else if (auto it = kStyleBits.find(token.text); it != kStyleBits.end()) {
                bits = it->second;
            }
            style = remove ? (style & ~bits) : (style | bits);
        }
        return style;
    }

    static ControlKind KindOf(uint32_t buttonStyle) {
        switch (buttonStyle & kButtonTypeMask) {
            case kBsRadioButton:
                return ControlKind::RadioButton;
            case kBsAutoRadioButton:
                return ControlKind::AutoRadioButton;
            default:
                return ControlKind::Other;
        }
    }

    static TemplateControl Control(int id, uint32_t style, bool button) {
        return {id, button ? KindOf(style) : ControlKind::Other, (style & kWsGroup) != 0};
    }

    TemplateControl Statement() {
        const Token keyword = Take();
        if (keyword == "CONTROL") {
            const auto fields = Fields();  // text, id, class, style, x, y, cx, cy[, exstyle]
            if (fields.size() < 8)
                Fail("CONTROL with " + std::to_string(fields.size()) + " fields");
            const bool button = win::EqualsIgnoringAsciiCase(fields[2].front().text, "button");
            return Control(Id(fields[1].front()), Style(fields[3], 0), button);
        }
        for (const StatementKind& kind : kStatements) {
            if (!(keyword == kind.keyword)) continue;
            const auto fields = Fields();
            const size_t idField = kind.textFirst ? 1 : 0;
            const size_t styleField = idField + 5;
            if (fields.size() < styleField) Fail(keyword.text + " with too few fields");
            const uint32_t style = fields.size() > styleField
                                       ? Style(fields[styleField], kind.defaultStyle)
                                       : kind.defaultStyle;
            const bool button = kind.defaultStyle & kButtonTypeMask;
            return Control(Id(fields[idField].front()), style, button);
        }
        Fail("unknown control statement " + keyword.text);
    }

    DialogTemplate Controls() {
        DialogTemplate controls;
        for (;;) {
            ExpandFront();
            if (TakeIf("END") || TakeIf("}")) return controls;
            controls.push_back(Statement());
        }
    }

    Tokens tokens_;
    const Macros& macros_;
    const ResourceIds& ids_;
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) Fail("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

ResourceIds ReadResourceIds(std::string_view header) {
    ResourceIds ids;
    Macros macros;
    Preprocess(header, macros);
    for (const auto& [name, macro] : macros) {
        if (!macro.functionLike && macro.body.size() == 1 &&
            macro.body.front().kind == Token::Number)
            ids[name] = static_cast<int>(std::stol(macro.body.front().text, nullptr, 0));
    }
    return ids;
}

std::map<int, DialogTemplate> ReadDialogTemplates(std::string_view script, const ResourceIds& ids) {
    Macros macros;
    Tokens tokens = Preprocess(script, macros);
    return StatementReader(std::move(tokens), macros, ids).Templates();
}

std::vector<size_t> GroupAround(const DialogTemplate& dialog, size_t index) {
    size_t first = index;
    while (first > 0 && !dialog[first].startsGroup) --first;
    std::vector<size_t> group{first};
    for (size_t i = first + 1; i < dialog.size() && !dialog[i].startsGroup; ++i) group.push_back(i);
    return group;
}

const std::map<int, DialogTemplate>& LanguageModuleTemplates() {
    static const std::map<int, DialogTemplate> templates = [] {
        const std::string resources = std::string(VELKOR_SOURCE_DIR) + "/src/resources/";
        return ReadDialogTemplates(ReadFile(resources + "kvx500ct.rc"),
                                   ReadResourceIds(ReadFile(resources + "resource_ids.h")));
    }();
    return templates;
}

}  // namespace win::headless
