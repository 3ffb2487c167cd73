// Stand-ins for the family's compiler and converter on a fake file system: the
// compiler makes "table of " + the source text, the converter `paperData` (or
// "data of " + the table when unset). A tool whose input is missing writes nothing.
// Their paths come from their command lines: the program in quotes, then words
// without blanks.
#pragma once

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/fakes/fake_file_system.h"

namespace fakes {

// Runs the tool of `commandLine`; the compiler's source texts are added to
// `compiledSources`.
inline void RunStandInTool(FakeFileSystem& files, const std::string& commandLine,
                           const std::optional<std::string>& paperData,
                           std::vector<std::string>& compiledSources) {
    std::vector<std::string> words;
    std::istringstream rest(commandLine.substr(commandLine.find('"', 1) + 1));
    for (std::string word; rest >> word;) words.push_back(word);
    if (commandLine.find("kvx500pc.exe") != std::string::npos && words.size() >= 4) {
        const auto source = files.Get(words[2]);
        if (!source) return;
        compiledSources.push_back(*source);
        files.Put(words[3], "table of " + *source);
    } else if (commandLine.find("kvx500cv.exe") != std::string::npos && words.size() >= 2) {
        const auto table = files.Get(words[0]);
        if (table) files.Put(words[1], paperData.value_or("data of " + *table));
    }
}

}  // namespace fakes
