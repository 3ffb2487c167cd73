#include "papertable/source_reader.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <optional>
#include <span>
#include <type_traits>
#include <variant>

#include "papertable/source_keys.h"
#include "win/ascii_case.h"
#include "win/codepage.h"
#include "win/services.h"

namespace papertable {
namespace {

constexpr std::string_view kMissing(&kMissingMarker, 1);

bool IsMissing(const std::string& value) {
    return value.empty() || value[0] == kMissingMarker;
}

// The value of a text or name key, or nullopt when it counts as missing.
std::optional<std::string> ReadValue(const ProfileFile& file, std::string_view section,
                                     const PaperKey& key) {
    std::string value = file.GetString(section, key.name, kMissing, key.readBytes);
    switch (key.presence) {
        case Presence::Required:
            if (IsMissing(value)) return std::nullopt;
            break;
        case Presence::EmptyAllowed:
            if (!value.empty() && value[0] == kMissingMarker) return std::nullopt;
            break;
        case Presence::BlankIfMissing:
            if (IsMissing(value)) value.assign(1, ' ');
            break;
    }
    return value;
}

// A device key: a text that must be present and not empty.
bool ReadText(const ProfileFile& file, std::string_view section, std::string_view key,
              std::string& field) {
    auto value = ReadTextKey(file, section, key);
    if (!value) return false;
    field = std::move(*value);
    return true;
}

// Reads one key into its field at the field's width. A fault when the paper cannot
// be read: a missing text or a name that does not fit.
PaperReadFault ReadKey(const ProfileFile& file, std::string_view section, const PaperKey& key,
                       PaperRecord& paper) {
    return std::visit(
        [&](auto member) {
            auto& field = paper.*member;
            using Field = std::remove_reference_t<decltype(field)>;
            if constexpr (std::is_integral_v<Field>) {
                // Never missing: absent or not a number reads 0; cut to the field.
                field = static_cast<Field>(file.GetInt(section, key.name, 0));
                return PaperReadFault::kNone;
            } else {
                auto value = ReadValue(file, section, key);
                if (!value) return PaperReadFault::kMissing;
                if constexpr (std::is_same_v<Field, std::string>) {
                    field = std::move(*value);
                    return PaperReadFault::kNone;
                } else {
                    // Cleared first, so that nothing of an earlier, longer name stays
                    // past the end.
                    field.fill(0);
                    return win::AnsiToWide(*value, std::span<char16_t>(field))
                               ? PaperReadFault::kNone
                               : PaperReadFault::kTooLong;
                }
            }
        },
        key.field);
}

void AfterRead(const PaperKey& key, PaperRecord& paper) {
    switch (key.rule) {
        case KeyRule::EditLockedBit:
            paper.editLocked =
                (paper.*std::get<uint32_t PaperRecord::*>(key.field) & kEditLockedBit) != 0;
            break;
        case KeyRule::ReservedItems:
            ApplyReservedItems(paper);
            break;
        case KeyRule::None:
        case KeyRule::MarkWrittenAsLabel:
            break;
    }
}

bool ReadPaperKeys(const ProfileFile& file, std::string_view section, PaperRecord& paper,
                   PaperReadFailure* failure) {
    for (const size_t index : kPaperKeyReadingOrder) {
        const PaperKey& key = kPaperKeys[index];
        const PaperReadFault fault = ReadKey(file, section, key, paper);
        if (fault != PaperReadFault::kNone) {
            if (failure) *failure = {std::string(key.name), fault};
            return false;
        }
        AfterRead(key, paper);
    }
    return true;
}

}  // namespace

std::optional<std::string> ReadTextKey(const ProfileFile& file, std::string_view section,
                                       std::string_view key) {
    std::string value = file.GetString(section, key, kMissing, kTextBufferBytes);
    if (IsMissing(value)) return std::nullopt;
    return value;
}

ProfileFile LoadProfile(win::FileSystem& files, const std::string& path) {
    const auto bytes = files.ReadFile(path);
    return bytes ? ProfileFile::Parse(*bytes) : ProfileFile{};
}

bool IsModelSource(const ProfileFile& file, const std::string& modelPrefix) {
    const auto tag = ReadTextKey(file, "Version", "OutputFileName");
    return tag && win::EqualsIgnoringAsciiCase(*tag, modelPrefix + "ed.lyt");
}

bool ReadDevice(const ProfileFile& file, DeviceRecord& device) {
    for (const DeviceKey& key : kVersionKeys) {
        if (!ReadText(file, "Version", key.name, device.*key.field)) return false;
    }
    std::string model = file.GetSection("Model", kModelSectionBytes);
    if (model.empty() || model[0] == '\0') return false;
    device.modelSectionText = std::move(model);
    for (const DeviceKey& key : kModelKeys) {
        if (!ReadText(file, "Model", key.name, device.*key.field)) return false;
    }
    return true;
}

std::string PaperSectionName(int sectionNumber) {
    char name[32];
    std::snprintf(name, sizeof name, "Paper%02d", sectionNumber);
    return name;
}

bool ReadPaperRecord(const ProfileFile& file, int sectionNumber, PaperRecord& paper,
                     PaperReadFailure* failure) {
    return ReadPaperKeys(file, PaperSectionName(sectionNumber), paper, failure);
}

PaperRead ReadPaper(PaperTable& table, int slot, int sectionNumber, const ProfileFile& file,
                    bool builtIn) {
    if (slot < 0 || slot >= kPaperSlots) return PaperRead::Missing;
    PaperRecord& paper = table.papers[static_cast<size_t>(slot)];
    paper.builtIn = builtIn;
    if (!ReadPaperRecord(file, sectionNumber, paper)) return PaperRead::Missing;
    if (slot < kMaxPapers) {
        table.tableFull = slot == kMaxPapers - 1;
        return PaperRead::Read;
    }
    table.tableFull = true;
    return PaperRead::TableFull;
}

bool LoadPaperTable(PaperTable& table, const ProfileFile& builtInFile, const ProfileFile& userFile,
                    bool inchUnits, const PaperNameSink& offerName) {
    table.paperCount = 0;
    table.tableFull = false;
    bool refused = false;
    auto readAll = [&](const ProfileFile& file, bool builtIn) {
        for (int section = 0; table.paperCount <= kMaxPapers && !refused; ++section) {
            const PaperRead read = ReadPaper(table, table.paperCount, section, file, builtIn);
            refused = read == PaperRead::TableFull;
            if (read != PaperRead::Read) return;
            const PaperRecord& paper = table.papers[static_cast<size_t>(table.paperCount)];
            const auto& name = inchUnits ? paper.szPaperName_inch : paper.szPaperName_mm;
            // A name the code page cannot hold drops the paper; the next one takes its slot.
            const auto ansi = win::WideToAnsi(name, kTextBufferBytes);
            if (!ansi) continue;
            if (offerName) offerName(*ansi);
            ++table.paperCount;
        }
    };
    readAll(builtInFile, true);
    if (table.paperCount <= kMaxPapers && !refused) readAll(userFile, false);
    return !refused;
}

std::string_view ReservedItemText(std::string_view reserved, int index) {
    reserved = reserved.substr(0, kReservedExaminedChars);
    for (int i = 0; i < index; ++i) {
        const size_t comma = reserved.find(',');
        if (comma == std::string_view::npos) return {};
        reserved.remove_prefix(comma + 1);
    }
    return reserved.substr(0, reserved.find(','));
}

int ReservedItem(std::string_view reserved, int index) {
    reserved = ReservedItemText(reserved, index);
    // Decimal as the C library reads it: blanks, a sign, digits up to the first other
    // character; values beyond int are held at its limits.
    size_t i = 0;
    while (i < reserved.size() &&
           (reserved[i] == ' ' || (reserved[i] >= '\t' && reserved[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < reserved.size() && (reserved[i] == '-' || reserved[i] == '+'))
        negative = reserved[i++] == '-';
    long long value = 0;
    for (; i < reserved.size() && reserved[i] >= '0' && reserved[i] <= '9'; ++i) {
        value = std::min<long long>(value * 10 + (reserved[i] - '0'),
                                    static_cast<long long>(INT_MAX) + 1);
    }
    if (negative) value = -value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

void ApplyReservedItems(PaperRecord& paper) {
    const std::string_view reserved = paper.reserved_12_;
    if (ReservedItem(reserved, 6) == 2) paper.nType = kKindMark;
    // Low byte and high byte; the sum is kept to 16 bits.
    auto combine = [&](int low, int high) {
        return static_cast<uint16_t>(static_cast<uint32_t>(ReservedItem(reserved, low)) +
                                     256u * static_cast<uint32_t>(ReservedItem(reserved, high)));
    };
    paper.markOffset = static_cast<int16_t>(combine(2, 3));
    paper.markLength = combine(4, 5);
}

}  // namespace papertable
