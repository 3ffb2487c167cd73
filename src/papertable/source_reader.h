// Reading a paper-table source file into the records: the "Version" and "Model"
// sections into the DeviceRecord, the "PaperNN" sections into PaperTable slots.
// Every look-up goes through a ProfileFile, so the reads answer as the platform's
// profile functions would on the same file. The keys, their order and their
// reading rules come from the tables of source_keys.h.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "papertable/paper_record.h"
#include "papertable/profile.h"
#include "papertable/source_keys.h"  // kMissingMarker, kTextBufferBytes

namespace win {
class FileSystem;
}  // namespace win

namespace papertable {

// Only this many characters of reserved_12_ are examined.
inline constexpr size_t kReservedExaminedChars = 100;

// A text key as the reader reads it: nullopt when it counts as missing.
std::optional<std::string> ReadTextKey(const ProfileFile& file, std::string_view section,
                                       std::string_view key);

// The file's bytes parsed; a file that cannot be read gives an empty profile, as
// the platform's profile functions answer for a missing file.
ProfileFile LoadProfile(win::FileSystem& files, const std::string& path);

// A source file belongs to the model when its "OutputFileName" in "Version" is the
// model prefix followed by "ed.lyt", in any case. A missing file, section or key,
// and an empty value, belong to no model.
bool IsModelSource(const ProfileFile& file, const std::string& modelPrefix);

// Fills `device`; fails at the first missing key or when "Model" is missing or
// empty. Fields read before a failure keep their new values.
bool ReadDevice(const ProfileFile& file, DeviceRecord& device);

// Section name "Paper%02d" (at least two digits).
std::string PaperSectionName(int sectionNumber);

// Why a paper section was not read: the key reading stopped at, and whether it was
// missing or a name that does not fit its field.
enum class PaperReadFault { kNone, kMissing, kTooLong };
struct PaperReadFailure {
    std::string key;
    PaperReadFault fault = PaperReadFault::kNone;
};

// Reads section `sectionNumber` into `paper` with every reading rule but the
// table's capacity; `paper.builtIn` is left alone. Fails at the first missing key
// or name that does not fit; `paper` keeps what was read so far, and `failure`,
// when given, names the key.
bool ReadPaperRecord(const ProfileFile& file, int sectionNumber, PaperRecord& paper,
                     PaperReadFailure* failure = nullptr);

enum class PaperRead {
    Read,       // the paper is in its slot
    Missing,    // no complete section of that number (or a slot outside 0 to 100)
    TableFull,  // a complete section that does not fit: the table holds 100 papers
};

// Fills slot `slot` (0 to 100) of `table`: sets builtIn, reads the section, then
// applies the capacity rule: slot 99 sets tableFull; slot 100 sets tableFull and
// refuses the paper. Another slot number fails without reading.
PaperRead ReadPaper(PaperTable& table, int slot, int sectionNumber, const ProfileFile& file,
                    bool builtIn);

// Receives the name of each accepted paper, in the current unit, in ANSI text.
using PaperNameSink = std::function<void(const std::string& name)>;

// Reads the built-in papers and then the user papers from section 0 upward,
// stopping in each file at the first missing or incomplete section. False when a
// paper was refused because the table was full (the caller says so, once).
bool LoadPaperTable(PaperTable& table, const ProfileFile& builtInFile, const ProfileFile& userFile,
                    bool inchUnits, const PaperNameSink& offerName);

// Items 2 to 6 of reserved_12_ applied to `paper` (markOffset, markLength and the
// kind 76); exposed for the paper editor, which keeps reserved_12_ up to date.
void ApplyReservedItems(PaperRecord& paper);
// Item `index` of a reserved_12_ text: comma-separated decimal integers, counted
// from 0, only the first 100 characters examined; an empty or absent item is 0.
int ReservedItem(std::string_view reserved, int index);
// The text of that item within the examined characters; empty when absent.
std::string_view ReservedItemText(std::string_view reserved, int index);

}  // namespace papertable
