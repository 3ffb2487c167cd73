#include "papertable/source_writer.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <type_traits>
#include <variant>

#include "papertable/source_keys.h"
#include "papertable/source_reader.h"
#include "win/codepage.h"
#include "win/services.h"

namespace papertable {
namespace {

// Names are converted into at most 254 bytes.
constexpr size_t kNameBytes = 255;
const std::string kStars(54, '*');

std::string Integer(KeyFormat format, int64_t value) {
    if (format == KeyFormat::Decimal) return std::to_string(value);
    char text[16];
    std::snprintf(text, sizeof text, format == KeyFormat::Hex ? "0x%x" : "0x%08x",
                  static_cast<unsigned>(static_cast<uint32_t>(value)));
    return text;
}

void WriteDevice(const DeviceRecord& device, ProfileWriter& out) {
    for (const DeviceKey& key : kVersionKeys) {
        out.WriteString("Version", key.name, device.*key.field);
    }
    out.AppendLine("0");
    out.AppendLine("");
    out.WriteSection("Model", device.modelSectionText);
    for (const DeviceKey& key : kModelKeys) out.WriteString("Model", key.name, device.*key.field);
    out.AppendLine("");
}

// The record changes a key's rule makes before the key is written.
void BeforeWrite(const PaperKey& key, PaperRecord& paper) {
    switch (key.rule) {
        case KeyRule::MarkWrittenAsLabel: {
            int16_t& kind = paper.*std::get<int16_t PaperRecord::*>(key.field);
            if (kind == kKindMark) kind = kKindLabel;
            break;
        }
        case KeyRule::EditLockedBit: {
            uint32_t& bits = paper.*std::get<uint32_t PaperRecord::*>(key.field);
            bits = paper.editLocked ? bits | kEditLockedBit : bits & ~kEditLockedBit;
            break;
        }
        case KeyRule::None:
        case KeyRule::ReservedItems:
            break;
    }
}

// The value as written, or nullopt for a name the code page cannot hold in
// kNameBytes.
std::optional<std::string> KeyValue(const PaperKey& key, const PaperRecord& paper) {
    return std::visit(
        [&](auto member) -> std::optional<std::string> {
            const auto& field = paper.*member;
            using Field = std::remove_cvref_t<decltype(field)>;
            if constexpr (std::is_integral_v<Field>) {
                return Integer(key.format, field);
            } else if constexpr (std::is_same_v<Field, std::string>) {
                return field;
            } else {
                return win::WideToAnsi(field, kNameBytes);
            }
        },
        key.field);
}

void EndPaper(ProfileWriter& out) {
    out.AppendLine("0");
    out.AppendLine("");
}

bool WriteFile(win::FileSystem& files, const std::string& path, const std::string& text) {
    return files.WriteFileAtomic(path, text);
}

}  // namespace

void WriteSourceHead(const DeviceRecord& device, ProfileWriter& out) {
    out.AppendLine(";" + kStars);
    out.AppendLine(";");
    out.AppendLine(";\t" + win::CutAnsiText(device.dmDeviceName, kHeaderDeviceNameBytes) +
                   " LYT Source File");
    out.AppendLine(";");
    out.AppendLine(std::string(";\t") + kOwnerNotice);
    out.AppendLine(";");
    out.AppendLine(";" + kStars);
    out.AppendLine("");
    WriteDevice(device, out);
}

void WritePaperSection(PaperTable& table, int index, int sectionNumber, ProfileWriter& out) {
    if (index < 0 || index >= kPaperSlots) return;
    PaperRecord& paper = table.papers[static_cast<size_t>(index)];
    const std::string section = PaperSectionName(sectionNumber);
    for (const PaperKey& key : kPaperKeys) {
        BeforeWrite(key, paper);
        const auto value = KeyValue(key, paper);
        if (!value) return;  // the rest of the section is left out
        out.WriteString(section, key.name, *value);
    }
}

std::string UserSourceText(PaperTable& table, int count) {
    ProfileWriter out;
    WriteSourceHead(table.device, out);
    // The count is a 16-bit value; the table never holds more than kMaxPapers.
    const int papers = std::min<int>(static_cast<int16_t>(count), kMaxPapers);
    int section = 0;
    for (int i = 0; i < papers; ++i) {
        if (table.papers[static_cast<size_t>(i)].builtIn) continue;
        WritePaperSection(table, i, section++, out);
        EndPaper(out);
    }
    return out.Text();
}

std::string SinglePaperSourceText(PaperTable& table, int currentIndex) {
    ProfileWriter out;
    WriteSourceHead(table.device, out);
    if (currentIndex >= 0 && currentIndex < kMaxPapers) {
        WritePaperSection(table, currentIndex, 0, out);
        EndPaper(out);
    }
    return out.Text();
}

bool WriteUserSource(win::FileSystem& files, const std::string& path, PaperTable& table,
                     int count) {
    return WriteFile(files, path, UserSourceText(table, count));
}

bool WriteSinglePaperSource(win::FileSystem& files, const std::string& path, PaperTable& table,
                            int currentIndex) {
    // Without a paper in use at the index the file would hold no paper, or a stale
    // slot, and be built into printer data as if it were the selected one.
    if (currentIndex < 0 || currentIndex >= std::min(table.paperCount, kMaxPapers)) return false;
    return WriteFile(files, path, SinglePaperSourceText(table, currentIndex));
}

}  // namespace papertable
