// The description file of one history entry: when the set was kept, what replaced
// it, how many user papers it holds, and the name, length and hash of each of its
// three files. It is written last and whole, so an entry folder without it is an
// entry that was never finished. docs/formats.md describes the format.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "paperset/paper_set.h"
#include "win/services.h"

namespace history {

inline constexpr char kDescriptionName[] = "entry.ini";

struct KeptFile {
    std::string name;  // the file's name in the driver folder and in the entry folder
    uint64_t size = 0;
    uint64_t hash = 0;  // ContentHash of its bytes
    bool operator==(const KeptFile&) const = default;
};

struct EntryDescription {
    win::LocalTime kept;
    paperset::ChangeDescription change;  // what replaced the set
    int paperCount = 0;                  // user papers in its source text
    // Source text, compiled table, paper data; nullopt for a file the driver folder
    // did not hold.
    std::array<std::optional<KeptFile>, 3> files;
};

// 64-bit FNV-1a of the bytes.
uint64_t ContentHash(std::string_view bytes);

// The word that stands for a kind of change in the file: "added", "overwritten",
// "deleted", "imported", "restored".
std::string_view ChangeWord(paperset::ChangeDescription::Kind kind);
std::optional<paperset::ChangeDescription::Kind> ChangeKindOfWord(std::string_view word);

std::string FormatDescription(const EntryDescription& description);
// nullopt when a key is missing or does not read.
std::optional<EntryDescription> ParseDescription(std::string_view text);

}  // namespace history
