// Writing paper-table source files from the PaperTable: the whole file is built in
// memory and written once through FileSystem::WriteFileAtomic, so a failed write
// leaves the previous file whole.
#pragma once

#include <string>

#include "papertable/paper_record.h"
#include "papertable/profile_writer.h"

namespace win {
class FileSystem;
}

namespace papertable {

// Line 5 of the header.
inline constexpr const char* kOwnerNotice =
    "Paper table source, format owned by the printer driver";
// The device-name line ";\t<name> LYT Source File" is built in a 260-byte buffer;
// longer names are cut to this many bytes (never inside a double-byte character).
inline constexpr size_t kHeaderDeviceNameBytes = 238;

// Writes table.papers[index] as section "Paper%02d" with `sectionNumber`. Before
// writing, nType 76 becomes 75 and bit 10 of dwPaperAbility01 follows editLocked;
// the record keeps both changes. A name that cannot be converted ends the section
// at that key.
void WritePaperSection(PaperTable& table, int index, int sectionNumber, ProfileWriter& out);

// The eight header lines, "Version", the "0" separator, "Model" and its empty line.
void WriteSourceHead(const DeviceRecord& device, ProfileWriter& out);

// Header, "Version", "Model", then every user paper among indices 0 to count - 1
// (count taken as a 16-bit value), numbered from Paper00 in table order.
bool WriteUserSource(win::FileSystem& files, const std::string& path, PaperTable& table, int count);
// Header, "Version", "Model", then only the paper at `currentIndex`, as Paper00.
// An index outside the papers in use (0 to paperCount - 1) fails and leaves the
// file untouched.
bool WriteSinglePaperSource(win::FileSystem& files, const std::string& path, PaperTable& table,
                            int currentIndex);

// The texts the two operations write, for callers that keep the file in memory;
// here an index outside the table writes no paper section.
std::string UserSourceText(PaperTable& table, int count);
std::string SinglePaperSourceText(PaperTable& table, int currentIndex);

}  // namespace papertable
