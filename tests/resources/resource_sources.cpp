#include "tests/resources/resource_sources.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace resource_sources {

namespace {

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    std::istringstream in{std::string(text)};
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

std::string Trimmed(std::string_view s) {
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return "";
    const size_t last = s.find_last_not_of(" \t");
    return std::string(s.substr(first, last - first + 1));
}

// The owner a heading comment names: "(template IDD_x)" or "(menu IDM_x)" at its end.
struct Heading {
    bool menu = false;
    std::string owner;
    std::vector<int> standard;  // IDOK, IDCANCEL named in the heading
};

std::optional<Heading> ReadHeading(const std::string& comment) {
    static const std::regex owner(R"(\((template|menu) (\w+)\)$)");
    std::smatch m;
    if (!std::regex_search(comment, m, owner)) return std::nullopt;
    Heading h{m[1] == "menu", m[2], {}};
    if (comment.find("IDOK") != std::string::npos) h.standard.push_back(1);
    if (comment.find("IDCANCEL") != std::string::npos) h.standard.push_back(2);
    return h;
}

Owner* Find(std::vector<Owner>& owners, const std::string& name) {
    for (Owner& o : owners) {
        if (o.name == name) return &o;
    }
    return nullptr;
}

}  // namespace

ResourceIds ReadResourceIds(std::string_view header) {
    static const std::regex define(R"(^#define (\w+) (\d+)\b)");
    ResourceIds ids;
    std::optional<Heading> heading;
    // Names in order, with the heading they fall under.
    std::vector<std::pair<std::string, std::optional<Heading>>> defines;
    for (const std::string& line : Lines(header)) {
        if (StartsWith(line, "//")) {
            heading = ReadHeading(Trimmed(line));
            continue;
        }
        std::smatch m;
        if (!std::regex_search(line, m, define)) continue;
        ids.numbers[m[1]] = std::stoi(m[2]);
        defines.emplace_back(m[1], heading);
    }

    for (const auto& [name, under] : defines) {
        const int number = ids.numbers[name];
        if (StartsWith(name, "IDD_")) ids.templates.push_back({number, name, {}});
        if (StartsWith(name, "IDI_")) ids.icons.push_back(number);
        if (StartsWith(name, "IDB_")) ids.bitmaps.push_back(number);
        if (StartsWith(name, "IDS_") && !EndsWith(name, "_LAST")) {
            const std::string last = name.substr(0, name.size() - 6) + "_LAST";  // for _FIRST
            const bool run = EndsWith(name, "_FIRST") && ids.numbers.count(last);
            for (int id = number; id <= (run ? ids.numbers[last] : number); ++id)
                ids.strings.push_back(id);
        }
        if (under && under->menu && !Find(ids.menus, under->owner) &&
            ids.numbers.count(under->owner))
            ids.menus.push_back({ids.numbers[under->owner], under->owner, {}});
    }
    // Members in the header's order, the standard buttons a heading names first.
    std::set<std::string> seeded;
    for (const auto& [name, under] : defines) {
        if (!under) continue;
        Owner* owner = Find(under->menu ? ids.menus : ids.templates, under->owner);
        if (!owner) continue;
        if (seeded.insert(owner->name).second)
            owner->members.insert(owner->members.end(), under->standard.begin(),
                                  under->standard.end());
        owner->members.push_back(ids.numbers[name]);
    }
    return ids;
}

std::vector<StringEntry> ReadStrings(std::string_view def, const ResourceIds& ids) {
    static const std::regex entry(R"(^STRING\((\w+), \"([^\"]*)\"\)$)");
    std::vector<StringEntry> entries;
    for (const std::string& line : Lines(def)) {
        if (!StartsWith(line, "STRING(")) continue;
        std::smatch m;
        if (!std::regex_match(line, m, entry)) {
            entries.push_back({0, line});
            continue;
        }
        const std::string key = m[1];
        int id = 0;
        if (std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; }))
            id = std::stoi(key);
        else if (auto it = ids.numbers.find(key); it != ids.numbers.end())
            id = it->second;
        entries.push_back({id, m[2]});
    }
    return entries;
}

std::map<std::string, std::string> ReadDialogTexts(std::string_view header) {
    static const std::regex text(R"(^#define (T_\w+) \"([^\"]*)\"$)");
    std::map<std::string, std::string> texts;
    for (const std::string& line : Lines(header)) {
        std::smatch m;
        if (std::regex_match(line, m, text)) texts[m[1]] = m[2];
    }
    return texts;
}

std::vector<LayoutBlock> ReadLayout(std::string_view rc) {
    static const std::regex start(R"(^(ID[DM]_\w+) (DIALOGEX|MENU)\b)");
    static const std::regex name(R"(\bT_\w+\b)");
    static const std::regex literal(R"(\"([^\"]*)\")");
    std::vector<LayoutBlock> blocks;
    LayoutBlock* block = nullptr;
    int depth = 0;
    // Menu levels: the index into block->groups of the open level, innermost last.
    std::vector<size_t> levels;
    for (const std::string& raw : Lines(rc)) {
        const std::string line = Trimmed(raw);
        std::smatch m;
        if (!block) {
            if (std::regex_search(line, m, start)) {
                blocks.push_back({m[1], m[2] == "MENU", "", {{}}, {}});
                block = &blocks.back();
                depth = 0;
                levels = {0};
            }
            continue;
        }
        if (StartsWith(line, "//")) continue;
        if (line == "BEGIN") {
            ++depth;
            if (block->menu && depth > 1) {
                block->groups.emplace_back();
                levels.push_back(block->groups.size() - 1);
            }
            continue;
        }
        if (line == "END") {
            if (block->menu && depth > 1) levels.pop_back();
            if (--depth == 0) block = nullptr;
            continue;
        }
        for (auto it = std::sregex_iterator(line.begin(), line.end(), literal);
             it != std::sregex_iterator(); ++it)
            block->literals.push_back((*it)[1]);
        std::vector<std::string> used;
        for (auto it = std::sregex_iterator(line.begin(), line.end(), name);
             it != std::sregex_iterator(); ++it)
            used.push_back(it->str());
        if (used.empty()) continue;
        if (!block->menu && StartsWith(line, "CAPTION")) {
            block->caption = used.front();
            continue;
        }
        auto& group = block->groups[block->menu ? levels.back() : 0];
        group.insert(group.end(), used.begin(), used.end());
    }
    return blocks;
}

std::optional<unsigned char> Mnemonic(std::string_view text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        auto c = static_cast<unsigned char>(text[i + 1]);
        // Code page 1252 folds like Latin-1: A-Z and 0xC0-0xDE (less 0xD7) are upper.
        if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) c += 0x20;
        return c;
    }
    return std::nullopt;
}

int MnemonicMarks(std::string_view text) {
    int marks = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (i + 1 < text.size() && text[i + 1] == '&')
            ++i;
        else
            ++marks;
    }
    return marks;
}

std::string Placeholders(std::string_view text) {
    // A "%" that no conversion letter follows counts as itself.
    static const std::regex conversion(R"(%[-+ #0]*\d*(\.\d+)?[a-zA-Z%]?)");
    std::string found;
    const std::string s(text);
    for (auto it = std::sregex_iterator(s.begin(), s.end(), conversion);
         it != std::sregex_iterator(); ++it)
        found += it->str();
    return found;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Languages(const std::string& sourceDir) {
    std::vector<std::string> languages;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(
             std::filesystem::path(sourceDir) / "src" / "resources" / "lang", error)) {
        if (entry.is_directory()) languages.push_back(entry.path().filename().string());
    }
    std::sort(languages.begin(), languages.end());
    return languages;
}

}  // namespace resource_sources
