#include "papertable/source_reader.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <span>

#include "win/ascii_case.h"
#include "win/codepage.h"
#include "win/services.h"

namespace papertable {
namespace {

constexpr std::string_view kMissing(&kMissingMarker, 1);
constexpr size_t kReservedExamined = 100;

bool IsMissing(const std::string& value) {
    return value.empty() || value[0] == kMissingMarker;
}

// A text key that must be present and not empty.
bool ReadText(const ProfileFile& file, std::string_view section, std::string_view key,
              std::string& field) {
    std::string value = file.GetString(section, key, kMissing, kTextBufferBytes);
    if (IsMissing(value)) return false;
    field = std::move(value);
    return true;
}

template <size_t N>
bool ReadName(const ProfileFile& file, std::string_view section, std::string_view key,
              bool emptyAllowed, WideText<N>& field) {
    const std::string value = file.GetString(section, key, kMissing, kTextBufferBytes);
    if (emptyAllowed ? (!value.empty() && value[0] == kMissingMarker) : IsMissing(value)) {
        return false;
    }
    // Cleared first, so that nothing of an earlier, longer name stays past the end.
    field.fill(0);
    return win::AnsiToWide(value, std::span<char16_t>(field));
}

// Integer keys never count as missing: absent or not a number reads 0.
unsigned ReadInt(const ProfileFile& file, std::string_view section, std::string_view key) {
    return file.GetInt(section, key, 0);
}

int16_t Low16(unsigned value) {
    return static_cast<int16_t>(static_cast<uint16_t>(value));
}

bool ReadPaperKeys(const ProfileFile& file, std::string_view s, PaperRecord& p) {
    if (!ReadName(file, s, "szPaperName_mm", false, p.szPaperName_mm)) return false;
    if (!ReadName(file, s, "szPaperName_inch", false, p.szPaperName_inch)) return false;
    if (!ReadName(file, s, "szPaperWidthString_inch", true, p.szPaperWidthString_inch)) {
        return false;
    }
    if (!ReadName(file, s, "szPaperLengthString_inch", true, p.szPaperLengthString_inch)) {
        return false;
    }

    struct SignedKey {
        const char* key;
        int16_t PaperRecord::*field;
    };
    struct UnsignedKey {
        const char* key;
        uint16_t PaperRecord::*field;
    };
    // In reading order; the unsigned ones are read at their place in it.
    p.nType = Low16(ReadInt(file, s, "nType"));
    static constexpr SignedKey kSizes[] = {
        {"nPaperSize", &PaperRecord::nPaperSize},
        {"nPaperWidth", &PaperRecord::nPaperWidth},
        {"nImageAreaWidth", &PaperRecord::nImageAreaWidth},
        {"nPaperWidthRes", &PaperRecord::nPaperWidthRes},
        {"nImageAreaWidthRes", &PaperRecord::nImageAreaWidthRes},
        {"nPaperLength", &PaperRecord::nPaperLength},
        {"nImageAreaLength", &PaperRecord::nImageAreaLength},
        {"nPaperLengthRes", &PaperRecord::nPaperLengthRes},
        {"nImageAreaLengthRes", &PaperRecord::nImageAreaLengthRes},
        {"nPhysicalOffsetX", &PaperRecord::nPhysicalOffsetX},
        {"nPhysicalOffsetY", &PaperRecord::nPhysicalOffsetY},
    };
    for (const auto& k : kSizes) p.*k.field = Low16(ReadInt(file, s, k.key));
    p.wPinOffsetLeft = static_cast<uint16_t>(ReadInt(file, s, "wPinOffsetLeft"));
    p.wPinOffsetRight = static_cast<uint16_t>(ReadInt(file, s, "wPinOffsetRight"));
    static constexpr SignedKey kFeeds[] = {
        {"nMaxFeed", &PaperRecord::nMaxFeed},
        {"nMaxLength", &PaperRecord::nMaxLength},
        {"nMinLength", &PaperRecord::nMinLength},
    };
    for (const auto& k : kFeeds) p.*k.field = Low16(ReadInt(file, s, k.key));
    p.wSplit = static_cast<uint16_t>(ReadInt(file, s, "wSplit"));
    static constexpr SignedKey kClips[] = {
        {"nClipInfoLeft", &PaperRecord::nClipInfoLeft},
        {"nClipInfoRight", &PaperRecord::nClipInfoRight},
        {"nClipInfoTop", &PaperRecord::nClipInfoTop},
        {"nClipInfoBottom", &PaperRecord::nClipInfoBottom},
        {"nVirtualOffsetX", &PaperRecord::nVirtualOffsetX},
        {"nVirtualOffsetY", &PaperRecord::nVirtualOffsetY},
    };
    for (const auto& k : kClips) p.*k.field = Low16(ReadInt(file, s, k.key));

    if (!ReadText(file, s, "byReserved001", p.byReserved001)) return false;
    // Read straight into its field: absent fails, an empty value is accepted.
    std::string compatible =
        file.GetString(s, "nCompatiblePaperSizes", kMissing, kCompatibleSizesBytes);
    if (!compatible.empty() && compatible[0] == kMissingMarker) return false;
    p.nCompatiblePaperSizes = std::move(compatible);

    p.dwPaperAbility01 = ReadInt(file, s, "dwPaperAbility01");
    p.editLocked = (p.dwPaperAbility01 & kEditLockedBit) != 0;
    p.dwPaperAbility02 = ReadInt(file, s, "dwPaperAbility02");
    p.byEnergyRank = static_cast<uint8_t>(ReadInt(file, s, "byEnergyRank"));
    p.lblPitchDot = static_cast<uint16_t>(ReadInt(file, s, "lblPitchDot"));
    p.markNoChkValu = static_cast<uint16_t>(ReadInt(file, s, "markNoChkValu"));

    struct TextKey {
        const char* key;
        std::string PaperRecord::*field;
    };
    static constexpr TextKey kTexts[] = {
        {"nSensorID", &PaperRecord::nSensorID},
        {"byRollWidMm", &PaperRecord::byRollWidMm},
        {"byHeadDivide", &PaperRecord::byHeadDivide},
        {"nDieStartPlus", &PaperRecord::nDieStartPlus},
        {"nDieStartRevPlus", &PaperRecord::nDieStartRevPlus},
        {"wDieStartFwdPlus", &PaperRecord::wDieStartFwdPlus},
        {"nAfterFeedPlus", &PaperRecord::nAfterFeedPlus},
        {"wPafMediaID", &PaperRecord::wPafMediaID},
        {"PresetBlkPos1_1", &PaperRecord::PresetBlkPos1_1},
        {"PresetBlkPos2_1", &PaperRecord::PresetBlkPos2_1},
        {"PresetBlkPos2_2", &PaperRecord::PresetBlkPos2_2},
        {"PresetBlkPos3_1", &PaperRecord::PresetBlkPos3_1},
        {"PresetBlkPos3_2", &PaperRecord::PresetBlkPos3_2},
        {"PresetBlkPos3_3", &PaperRecord::PresetBlkPos3_3},
        {"szSizeMM", &PaperRecord::szSizeMM},
    };
    for (const auto& k : kTexts) {
        if (!ReadText(file, s, k.key, p.*k.field)) return false;
    }
    if (!ReadText(file, s, "szSizeIN", p.szSizeIN)) p.szSizeIN.assign(1, ' ');
    if (!ReadText(file, s, "MediaAtrInfo", p.MediaAtrInfo)) return false;
    if (!ReadText(file, s, "reserved_12_", p.reserved_12_)) return false;
    ApplyReservedItems(p);
    return true;
}

}  // namespace

ProfileFile LoadProfile(win::FileSystem& files, const std::string& path) {
    const auto bytes = files.ReadFile(path);
    return bytes ? ProfileFile::Parse(*bytes) : ProfileFile{};
}

bool IsModelSource(const ProfileFile& file, const std::string& modelPrefix) {
    const std::string tag = file.GetString("Version", "OutputFileName", kMissing, kTextBufferBytes);
    if (IsMissing(tag)) return false;
    return win::EqualsIgnoringAsciiCase(tag, modelPrefix + "ed.lyt");
}

bool ReadDevice(const ProfileFile& file, DeviceRecord& d) {
    struct Key {
        const char* section;
        const char* key;
        std::string DeviceRecord::*field;
    };
    static constexpr Key kVersion[] = {
        {"Version", "FormatVersion", &DeviceRecord::FormatVersion},
        {"Version", "ModelVersion", &DeviceRecord::ModelVersion},
        {"Version", "OutputFileName", &DeviceRecord::OutputFileName},
    };
    for (const auto& k : kVersion) {
        if (!ReadText(file, k.section, k.key, d.*k.field)) return false;
    }
    std::string model = file.GetSection("Model", kModelSectionBytes);
    if (model.empty() || model[0] == '\0') return false;
    d.modelSectionText = std::move(model);
    static constexpr Key kModel[] = {
        {"Model", "bySeriesCode", &DeviceRecord::bySeriesCode},
        {"Model", "byModelCode", &DeviceRecord::byModelCode},
        {"Model", "dmDeviceName", &DeviceRecord::dmDeviceName},
        {"Model", "dwHeadPinNum", &DeviceRecord::dwHeadPinNum},
        {"Model", "dwDeviceAbility01", &DeviceRecord::dwDeviceAbility01},
        {"Model", "dwDeviceAbility02", &DeviceRecord::dwDeviceAbility02},
        {"Model", "wMinCopies", &DeviceRecord::wMinCopies},
        {"Model", "wMaxCopies", &DeviceRecord::wMaxCopies},
        {"Model", "wMinCutEveryNum", &DeviceRecord::wMinCutEveryNum},
        {"Model", "wMaxCutEveryNum", &DeviceRecord::wMaxCutEveryNum},
        {"Model", "nDefaultPaperSize", &DeviceRecord::nDefaultPaperSize},
        {"Model", "nDefaultPaperLength", &DeviceRecord::nDefaultPaperLength},
        {"Model", "nDefaultPaperLengthRes", &DeviceRecord::nDefaultPaperLengthRes},
        {"Model", "wResolutionNum", &DeviceRecord::wResolutionNum},
        {"Model", "wResolutions", &DeviceRecord::wResolutions},
    };
    for (const auto& k : kModel) {
        if (!ReadText(file, k.section, k.key, d.*k.field)) return false;
    }
    return true;
}

std::string PaperSectionName(int sectionNumber) {
    char name[32];
    std::snprintf(name, sizeof name, "Paper%02d", sectionNumber);
    return name;
}

bool ReadPaperRecord(const ProfileFile& file, int sectionNumber, PaperRecord& paper) {
    return ReadPaperKeys(file, PaperSectionName(sectionNumber), paper);
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

int ReservedItem(std::string_view reserved, int index) {
    reserved = reserved.substr(0, kReservedExamined);
    for (int i = 0; i < index; ++i) {
        const size_t comma = reserved.find(',');
        if (comma == std::string_view::npos) return 0;
        reserved.remove_prefix(comma + 1);
    }
    reserved = reserved.substr(0, reserved.find(','));
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
