// Command lines of the family's tools. The build pipeline puts paths on them without
// quotation marks, so a path holding blanks arrives in pieces; the pieces are joined
// again by the file endings each position expects. Quoted arguments are taken as
// they stand. Backslashes are ordinary characters (they fill every path).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace family {

struct ArgToken {
    std::string text;  // without quotes
    size_t begin = 0;  // raw span in the command line
    size_t end = 0;
    bool quoted = false;
};

// Splits at blanks and tabs; a double quote starts or ends a quoted stretch, and
// "" is an empty argument.
std::vector<ArgToken> Tokenize(std::string_view text);

// The text after the program name (quoted or not) and the blanks that follow it.
std::string_view SkipProgramName(std::string_view commandLine);

// Joins tokens into one argument per expected ending (".txt", ".lyt", ...). When
// there are exactly as many tokens as endings they are taken as they are; otherwise
// each argument but the last grows until it ends with its ending (case ignored), and
// the last takes the rest. nullopt when that fails.
std::optional<std::vector<std::string>> JoinByEndings(std::string_view raw,
                                                      const std::vector<ArgToken>& tokens,
                                                      const std::vector<std::string>& endings);

struct CompilerArgs {
    bool silent = false;  // "/S"
    std::string logPath;  // "/L=", empty when absent
    std::string source;
    std::string table;
};
// kvx500pc.exe [/S] [/L=<log>] <source.txt> <table.lyt>
std::optional<CompilerArgs> ParseCompilerArgs(std::string_view arguments, std::string* error);

struct ConverterArgs {
    std::string table;
    std::string paperData;
    std::string library;
    unsigned char seriesCode = 0;
    unsigned char modelCode = 0;
};
// kvx500cv.exe <table.lyt> <paperdata.bin> <library.dll> <series> <model>. Each code
// argument is empty (two blanks in a row, or nothing at the end), one character as
// it is (any byte but a blank, tab, CR or LF), or "0x" and two hexadecimal digits
// (any value; the pipeline uses it for the four bytes a command line would lose);
// they are read by position from the raw text after the library argument. On
// failure `args` keeps the file names read so far, so that a log can still go
// beside the paper data.
bool ParseConverterArgs(std::string_view arguments, ConverterArgs& args, std::string* error);

// One code argument in one of the three forms; nullopt for anything else.
std::optional<unsigned char> ParseCodeArgument(std::string_view text);

}  // namespace family
