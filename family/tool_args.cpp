#include "family/tool_args.h"

namespace family {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EndsWithNoCase(std::string_view text, std::string_view ending) {
    if (text.size() < ending.size()) return false;
    const auto tail = text.substr(text.size() - ending.size());
    for (size_t i = 0; i < ending.size(); ++i) {
        if (Lower(tail[i]) != Lower(ending[i])) return false;
    }
    return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && EndsWithNoCase(text.substr(0, start.size()), start);
}

std::optional<std::string> SetError(std::string* error, std::string text) {
    if (error) *error = std::move(text);
    return std::nullopt;
}

bool Refuse(std::string* error, std::string text) {
    if (error) *error = std::move(text);
    return false;
}

// Tokens first..last as one argument: quoted tokens are never joined, unquoted ones
// keep the blanks that stood between them.
std::string Span(std::string_view raw, const std::vector<ArgToken>& tokens, size_t first,
                 size_t last) {
    if (first == last) return tokens[first].text;
    return std::string(raw.substr(tokens[first].begin, tokens[last].end - tokens[first].begin));
}

// The two code arguments by position, as the pipeline writes them: a blank, the
// series argument, a blank, the model argument (a tab may stand for a blank: it is
// never a code as it is). The three forms of an argument (empty, one character
// that is no blank, tab, CR or LF, "0x" and two digits) differ in what follows
// their first character, so a text has one reading only. The separator after the
// series argument may be missing when the model argument is empty.
bool ParseCodes(std::string_view rest, ConverterArgs& args) {
    while (!rest.empty() && (rest.back() == '\r' || rest.back() == '\n')) rest.remove_suffix(1);
    if (rest.empty()) {
        args.seriesCode = args.modelCode = 0;
        return true;
    }
    if (!IsBlank(rest[0])) return false;
    const std::string_view codes = rest.substr(1);
    for (size_t length : {0, 1, 4}) {
        if (length > codes.size()) break;
        const auto series = ParseCodeArgument(codes.substr(0, length));
        if (!series) continue;
        std::optional<unsigned char> model = 0;
        if (length < codes.size()) {
            if (!IsBlank(codes[length])) continue;
            model = ParseCodeArgument(codes.substr(length + 1));
            if (!model) continue;
        }
        args.seriesCode = *series;
        args.modelCode = *model;
        return true;
    }
    return false;
}

}  // namespace

std::vector<ArgToken> Tokenize(std::string_view text) {
    std::vector<ArgToken> tokens;
    size_t i = 0;
    while (true) {
        while (i < text.size() && IsBlank(text[i])) ++i;
        if (i >= text.size()) break;
        ArgToken token;
        token.begin = i;
        bool inQuotes = false;
        for (; i < text.size() && (inQuotes || !IsBlank(text[i])); ++i) {
            if (text[i] == '"') {
                inQuotes = !inQuotes;
                token.quoted = true;
            } else {
                token.text += text[i];
            }
        }
        token.end = i;
        tokens.push_back(std::move(token));
    }
    return tokens;
}

std::string_view SkipProgramName(std::string_view commandLine) {
    size_t i = 0;
    while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
    if (i < commandLine.size() && commandLine[i] == '"') {
        const size_t close = commandLine.find('"', i + 1);
        i = close == std::string_view::npos ? commandLine.size() : close + 1;
    }
    while (i < commandLine.size() && !IsBlank(commandLine[i])) ++i;
    if (i < commandLine.size()) ++i;  // the one separator; later blanks may carry meaning
    return commandLine.substr(i);
}

std::optional<std::vector<std::string>> JoinByEndings(std::string_view raw,
                                                      const std::vector<ArgToken>& tokens,
                                                      const std::vector<std::string>& endings) {
    if (tokens.size() < endings.size()) return std::nullopt;
    std::vector<std::string> args;
    if (tokens.size() == endings.size()) {
        for (const auto& token : tokens) args.push_back(token.text);
        return args;
    }
    size_t first = 0;
    for (size_t e = 0; e + 1 < endings.size(); ++e) {
        size_t last = first;
        while (!(tokens[last].quoted && last == first) &&
               !EndsWithNoCase(tokens[last].text, endings[e])) {
            if (last + 1 >= tokens.size() || tokens[last + 1].quoted) return std::nullopt;
            ++last;
        }
        args.push_back(Span(raw, tokens, first, last));
        first = last + 1;
        if (first >= tokens.size()) return std::nullopt;
    }
    for (size_t t = first + 1; t < tokens.size(); ++t) {
        if (tokens[t].quoted || tokens[first].quoted) return std::nullopt;
    }
    args.push_back(Span(raw, tokens, first, tokens.size() - 1));
    return args;
}

std::optional<CompilerArgs> ParseCompilerArgs(std::string_view arguments, std::string* error) {
    CompilerArgs args;
    auto tokens = Tokenize(arguments);
    std::vector<std::string> endings;
    // Options come first; "/L=" takes the rest of its token, quotes removed.
    size_t next = 0;
    for (; next < tokens.size(); ++next) {
        const std::string& text = tokens[next].text;
        if (text.size() == 2 && StartsWithNoCase(text, "/S")) {
            args.silent = true;
        } else if (StartsWithNoCase(text, "/L=")) {
            tokens[next].text = text.substr(3);
            tokens[next].begin = arguments.find_first_not_of("\"", tokens[next].begin + 3);
            endings.push_back(".txt");
            break;
        } else {
            break;
        }
    }
    const bool hasLog = !endings.empty();
    endings.push_back(".txt");
    endings.push_back(".lyt");
    std::vector<ArgToken> rest(tokens.begin() + static_cast<long>(next), tokens.end());
    const auto joined = JoinByEndings(arguments, rest, endings);
    if (!joined) {
        SetError(error, "usage: kvx500pc.exe /S /L=<log> <source.txt> <table.lyt>");
        return std::nullopt;
    }
    size_t i = 0;
    if (hasLog) args.logPath = (*joined)[i++];
    args.source = (*joined)[i++];
    args.table = (*joined)[i];
    if (args.source.empty() || args.table.empty()) {
        SetError(error, "empty file name");
        return std::nullopt;
    }
    return args;
}

std::optional<unsigned char> ParseCodeArgument(std::string_view text) {
    auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    switch (text.size()) {
        case 0:
            return 0;
        case 1:
            if (text[0] == ' ' || text[0] == '\t' || text[0] == '\r' || text[0] == '\n') {
                return std::nullopt;
            }
            return static_cast<unsigned char>(text[0]);
        case 4:
            if (text[0] != '0' || text[1] != 'x' || hex(text[2]) < 0 || hex(text[3]) < 0) {
                return std::nullopt;
            }
            return static_cast<unsigned char>(hex(text[2]) * 16 + hex(text[3]));
        default:
            return std::nullopt;
    }
}

bool ParseConverterArgs(std::string_view arguments, ConverterArgs& args, std::string* error) {
    const auto tokens = Tokenize(arguments);
    // The library argument is the first token ending in ".dll"; the codes follow it.
    size_t library = 0;
    while (library < tokens.size() && !EndsWithNoCase(tokens[library].text, ".dll")) ++library;
    constexpr const char* kUsage =
        "usage: kvx500cv.exe <table.lyt> <paperdata.bin> <library.dll> <series> <model>";
    if (library >= tokens.size()) return Refuse(error, kUsage);
    std::vector<ArgToken> files(tokens.begin(), tokens.begin() + static_cast<long>(library) + 1);
    const auto joined = JoinByEndings(arguments, files, {".lyt", ".bin", ".dll"});
    if (!joined) return Refuse(error, kUsage);
    args.table = (*joined)[0];
    args.paperData = (*joined)[1];
    args.library = (*joined)[2];
    if (!ParseCodes(arguments.substr(tokens[library].end), args)) {
        return Refuse(error,
                      "the series and model codes must each be empty, one character other "
                      "than a blank, tab, CR or LF, or 0x and two hexadecimal digits: \"" +
                          std::string(arguments.substr(tokens[library].end)) + "\"");
    }
    return true;
}

}  // namespace family
