// Source texts and files shared by the family's tests.
#pragma once

#include <map>
#include <string>

namespace family_test {

// The checked-in file family/data/<name>, read whole.
std::string ReadDataFile(const std::string& name);

// "Version" and "Model" of a 203-dpi model, codes 0x41 and 0x51.
std::string DeviceSections();

// One valid label section "PaperNN"; `changes` replaces values by key, and a key
// mapped to "<absent>" is left out.
std::string PaperSection(int number, const std::map<std::string, std::string>& changes = {});
inline constexpr const char* kAbsent = "<absent>";

// A source with `count` valid papers.
std::string SourceWithPapers(int count);

}  // namespace family_test
