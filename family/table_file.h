// The compiled paper-table file (.lyt): a 32-byte header, one DeviceInfoRecord and
// the PaperInfoRecords. Layout byte by byte in docs/formats.md.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lyt_api.h"

namespace family {

inline constexpr char kTableMagic[4] = {'K', 'L', 'Y', 'T'};
inline constexpr uint16_t kTableVersion = 1;
inline constexpr size_t kMaxTablePapers = 100;

#pragma pack(push, 1)
struct TableFileHeader {
    char magic[4];           // 0, "KLYT"
    uint16_t version;        // 4, kTableVersion
    uint16_t headerSize;     // 6, 32
    uint16_t deviceSize;     // 8, 118
    uint16_t paperSize;      // 10, 252
    uint16_t paperCount;     // 12, at most kMaxTablePapers
    uint16_t reserved14;     // 14, zero
    uint32_t crc;            // 16, CRC-32 of every byte after the header
    uint8_t reserved20[12];  // 20, zero
};
#pragma pack(pop)
static_assert(sizeof(TableFileHeader) == 32);
static_assert(offsetof(TableFileHeader, paperCount) == 12);
static_assert(offsetof(TableFileHeader, crc) == 16);
static_assert(offsetof(TableFileHeader, reserved20) == 20);

struct CompiledTable {
    DeviceInfoRecord device{};
    std::vector<PaperInfoRecord> papers;
};

// CRC-32 (the common reflected polynomial 0xEDB88320), continuing from `crc`.
uint32_t Crc32(std::string_view bytes, uint32_t crc = 0);

std::string SerializeTable(const CompiledTable& table);

// Checks header, sizes, checksum and every record; nullopt with a reason otherwise.
std::optional<CompiledTable> ParseTable(std::string_view bytes, std::string* error = nullptr);

// Record checks shared by the reader and the compiler's self-check.
bool IsValidDevice(const DeviceInfoRecord& device, std::string* error = nullptr);
bool IsValidPaper(const PaperInfoRecord& paper, std::string* error = nullptr);

// The first width of a paper that is 0 ("nPaperWidth" in 0.1 mm, "nPaperWidthRes" in
// dots), which leaves nothing to print on; nullptr when both are set. Such a paper
// makes a table unusable: the compiler refuses it.
const char* ZeroWidthKey(const PaperInfoRecord& paper);

// For a built-in table ("...ad.lyt", any case) the user table of the same model beside
// it ("...ed.lyt", the letters' case kept); nullopt for any other name.
std::optional<std::string> UserTableBeside(std::string_view builtInPath);

// Reads one file; nullopt when it cannot be read.
using FileReader = std::optional<std::string> (*)(const std::string& path);

// Opens a table the way the paper-table library does: the table at `path`, and for a
// built-in table also the papers of the user table beside it when that one exists,
// is sound and belongs to the same model (same two codes), as many as fit in the
// kMaxTablePapers papers the program lists. A damaged user table is left out rather
// than hiding the built-in papers; a damaged table at `path` fails.
std::optional<CompiledTable> OpenTableWithUserPapers(const std::string& path, FileReader read,
                                                     std::string* error = nullptr);

}  // namespace family
