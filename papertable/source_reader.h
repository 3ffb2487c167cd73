// Reading a paper-table source file into the records: the "Version" and "Model"
// sections into the DeviceRecord, the "PaperNN" sections into PaperTable slots.
// Every look-up goes through a ProfileFile, so the reads answer as the platform's
// profile functions would on the same file.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "papertable/paper_record.h"
#include "papertable/profile.h"

namespace win {
class FileSystem;
}  // namespace win

namespace papertable {

// Text keys are read with this one-character default; a read that gives no
// characters or starts with it counts as a missing key.
inline constexpr char kMissingMarker = '\x01';
inline constexpr size_t kTextBufferBytes = 260;

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

// Reads section `sectionNumber` into `paper` with every reading rule but the
// table's capacity; `paper.builtIn` is left alone. Fails at the first missing key
// or name that does not fit; `paper` keeps what was read so far.
bool ReadPaperRecord(const ProfileFile& file, int sectionNumber, PaperRecord& paper);

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

}  // namespace papertable
