#include "family/source_compiler.h"

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <type_traits>

#include "family/paper_texts.h"
#include "family/reserved_items.h"
#include "family/source_values.h"

namespace family {
namespace {

// nType of paper without a fixed length.
constexpr int16_t kRollKind = 74;

// A 16-bit integer field of the compiled record and the key it is read from.
template <class T>
struct Field16 {
    const char* key;
    size_t offset;  // in PaperInfoRecord
};

template <class T, class Compiled>
consteval Field16<T> MakeField(const char* key, size_t offset) {
    static_assert(std::is_same_v<Compiled, T>, "the field has the type of its list");
    return {key, offset};
}

#define FAMILY_PAPER_FIELD(T, name) \
    MakeField<T, decltype(PaperInfoRecord::name)>(#name, offsetof(PaperInfoRecord, name))
constexpr Field16<int16_t> kSignedFields[] = {
    FAMILY_PAPER_FIELD(int16_t, nPaperSize),          FAMILY_PAPER_FIELD(int16_t, nPaperWidth),
    FAMILY_PAPER_FIELD(int16_t, nImageAreaWidth),     FAMILY_PAPER_FIELD(int16_t, nPaperWidthRes),
    FAMILY_PAPER_FIELD(int16_t, nImageAreaWidthRes),  FAMILY_PAPER_FIELD(int16_t, nPaperLength),
    FAMILY_PAPER_FIELD(int16_t, nImageAreaLength),    FAMILY_PAPER_FIELD(int16_t, nPaperLengthRes),
    FAMILY_PAPER_FIELD(int16_t, nImageAreaLengthRes), FAMILY_PAPER_FIELD(int16_t, nPhysicalOffsetX),
    FAMILY_PAPER_FIELD(int16_t, nPhysicalOffsetY),    FAMILY_PAPER_FIELD(int16_t, nMaxFeed),
    FAMILY_PAPER_FIELD(int16_t, nMaxLength),          FAMILY_PAPER_FIELD(int16_t, nMinLength),
    FAMILY_PAPER_FIELD(int16_t, nClipInfoLeft),       FAMILY_PAPER_FIELD(int16_t, nClipInfoTop),
    FAMILY_PAPER_FIELD(int16_t, nClipInfoRight),      FAMILY_PAPER_FIELD(int16_t, nClipInfoBottom),
    FAMILY_PAPER_FIELD(int16_t, nVirtualOffsetX),     FAMILY_PAPER_FIELD(int16_t, nVirtualOffsetY),
};
constexpr Field16<uint16_t> kUnsignedFields[] = {
    FAMILY_PAPER_FIELD(uint16_t, wPinOffsetLeft),
    FAMILY_PAPER_FIELD(uint16_t, wPinOffsetRight),
    FAMILY_PAPER_FIELD(uint16_t, wSplit),
    FAMILY_PAPER_FIELD(uint16_t, lblPitchDot),
};
#undef FAMILY_PAPER_FIELD

std::string PaperSectionName(size_t number) {
    char name[16];
    std::snprintf(name, sizeof name, "Paper%02zu", number);
    return name;
}

// A part of wResolutions read with the profile's integer reading.
struct Resolution {
    uint16_t value = 0;
    std::string reasons;  // why the value is not plainly what the part says
};

Resolution ReadResolution(std::string_view part) {
    part = TrimProfileSpace(part);
    const auto parsed = ParseSourceInteger(part);
    Resolution r;
    r.value = static_cast<uint16_t>(parsed.value);
    r.reasons = IntegerReasons(part, parsed, r.value, false, 16);
    return r;
}

// "X,Y", or one value for both. Without a first resolution the table is unusable;
// an unreadable second one is taken to be the first.
void ReadResolutions(const SourceReader& file, DeviceInfoRecord& device, CompileNotes& notes) {
    const auto text = ReadTextKey(file, "Model", "wResolutions");
    if (!text) {
        notes.Fail("Model", "wResolutions", "missing: the printer's resolution is not known");
        return;
    }
    const size_t comma = text->find(',');
    const Resolution x = ReadResolution(std::string_view(*text).substr(0, comma));
    if (x.value == 0) {
        notes.Fail("Model", "wResolutions",
                   "\"" + *text + "\" gives no resolution above 0 dots per inch");
        return;
    }
    Resolution y = x;
    if (comma != std::string::npos) {
        y = ReadResolution(std::string_view(*text).substr(comma + 1));
        if (y.value == 0) {
            notes.Warn("Model", "wResolutions",
                       "\"" + *text + "\": no second resolution, the first one taken for both");
            y = x;
        }
    }
    if (!x.reasons.empty() || !y.reasons.empty()) {
        notes.Warn("Model", "wResolutions",
                   "\"" + *text + "\" read as " + std::to_string(x.value) + "," +
                       std::to_string(y.value) + " (" +
                       (x.reasons.empty() ? y.reasons : x.reasons) + ")");
    }
    device.wResolutionX = x.value;
    device.wResolutionY = y.value;
}

void CompileDevice(const SourceReader& file, DeviceInfoRecord& device, CompileNotes& notes) {
    ReadAnsiField(file, "Version", "FormatVersion", device.szFormatVersion, notes);
    ReadAnsiField(file, "Version", "ModelVersion", device.szModelVersion, notes);
    ReadAnsiField(file, "Version", "OutputFileName", device.szOutputFileName, notes);

    if (!file.ListsEntries("Model")) {
        notes.Fail("Model", "", "missing or empty: the source describes no printer");
        return;
    }
    device.bySeriesCode = ReadCode(file, "bySeriesCode", notes);
    device.byModelCode = ReadCode(file, "byModelCode", notes);
    ReadAnsiField(file, "Model", "dmDeviceName", device.dmDeviceName, notes);
    device.dwHeadPinNum = ReadInteger<uint32_t>(file, "Model", "dwHeadPinNum", notes);
    device.dwDeviceAbility01 = ReadInteger<uint32_t>(file, "Model", "dwDeviceAbility01", notes);
    device.dwDeviceAbility02 = ReadInteger<uint32_t>(file, "Model", "dwDeviceAbility02", notes);
    device.wMinCopies = ReadInteger<uint16_t>(file, "Model", "wMinCopies", notes);
    device.wMaxCopies = ReadInteger<uint16_t>(file, "Model", "wMaxCopies", notes);
    device.wMinCutEveryNum = ReadInteger<uint16_t>(file, "Model", "wMinCutEveryNum", notes);
    device.wMaxCutEveryNum = ReadInteger<uint16_t>(file, "Model", "wMaxCutEveryNum", notes);
    device.nDefaultPaperSize = ReadInteger<int16_t>(file, "Model", "nDefaultPaperSize", notes);
    device.nDefaultPaperLength = ReadInteger<int16_t>(file, "Model", "nDefaultPaperLength", notes);
    device.nDefaultPaperLengthRes =
        ReadInteger<int16_t>(file, "Model", "nDefaultPaperLengthRes", notes);
    device.wResolutionNum = ReadInteger<uint16_t>(file, "Model", "wResolutionNum", notes);
    ReadResolutions(file, device, notes);
}

template <class T, size_t N>
void ReadFields(const SourceReader& file, const std::string& section, const Field16<T> (&fields)[N],
                PaperInfoRecord& info, CompileNotes& notes) {
    for (const auto& f : fields) {
        const T value = ReadInteger<T>(file, section, f.key, notes);
        std::memcpy(reinterpret_cast<char*>(&info) + f.offset, &value, sizeof value);
    }
}

// An item of reserved_12_ as the program reads it, with a warning when that is not
// plainly what the item says (a sign, "0x", blanks, digits past the examined part).
int NotedReservedItem(const std::string& section, const std::string& reserved, int index,
                      CompileNotes& notes) {
    const int value = ReservedItem(reserved, index);
    const std::string_view text = ReservedItemText(reserved, index);
    if (!text.empty() && text != std::to_string(value)) {
        notes.Warn(section, "reserved_12_",
                   "item " + std::to_string(index) + " \"" + std::string(text) + "\" read as " +
                       std::to_string(value));
    }
    return value;
}

// Items 2 to 6, 9 and 10 of reserved_12_, read as the program reads them.
void CompileReserved(const std::string& section, const std::string& reserved, PaperInfoRecord& info,
                     CompileNotes& notes) {
    if (reserved.size() > kReservedExaminedChars) {
        notes.Warn(section, "reserved_12_",
                   "only the first " + std::to_string(kReservedExaminedChars) + " of its " +
                       std::to_string(reserved.size()) + " characters read");
    }
    int items[11] = {};
    for (int i : {2, 3, 4, 5, 6, 9, 10}) items[i] = NotedReservedItem(section, reserved, i, notes);

    // The program's values: low byte plus 256 times the high byte, kept to 16 bits.
    auto mark = [&](int low) { return int64_t{items[low]} + 256 * int64_t{items[low + 1]}; };
    info.markOffset = static_cast<int16_t>(static_cast<uint16_t>(mark(2)));
    info.markLength = static_cast<uint16_t>(mark(4));
    const std::pair<int, int64_t> marks[] = {{2, info.markOffset}, {4, info.markLength}};
    for (const auto& [low, held] : marks) {
        const int64_t exact = mark(low);
        if (exact < INT16_MIN || exact > UINT16_MAX) {
            notes.Warn(section, "reserved_12_",
                       "items " + std::to_string(low) + " and " + std::to_string(low + 1) +
                           " give " + std::to_string(exact) +
                           ", cut to 16 bits: " + std::to_string(held));
        }
    }

    info.bySensing = SensingOf(items[6], info.nType);
    if (info.bySensing != items[6]) {
        notes.Warn(section, "reserved_12_",
                   "item 6 (" + std::to_string(items[6]) + ") names no sensing; taken as " +
                       std::to_string(info.bySensing) + " from nType");
    }

    const std::pair<int, int8_t PaperInfoRecord::*> steps[] = {{9, &PaperInfoRecord::adjustStep1},
                                                               {10, &PaperInfoRecord::adjustStep2}};
    for (const auto& [item, field] : steps) {
        const auto step = static_cast<int8_t>(items[item]);
        info.*field = step;
        if (step != items[item]) {
            notes.Warn(section, "reserved_12_",
                       "item " + std::to_string(item) + " (" + std::to_string(items[item]) +
                           ") cut to 8 bits: " + std::to_string(step));
        }
    }
}

// The integers and reserved_12_ of a paper whose texts the program reads.
void CompilePaper(const SourceReader& file, const std::string& section, const std::string& reserved,
                  PaperInfoRecord& info, CompileNotes& notes) {
    // As written: the program's kind 76 exists only in memory.
    info.nType = ReadInteger<int16_t>(file, section, "nType", notes);
    ReadFields(file, section, kSignedFields, info, notes);
    ReadFields(file, section, kUnsignedFields, info, notes);
    info.byEnergyRank = ReadInteger<uint8_t>(file, section, "byEnergyRank", notes);
    const auto ability = ReadInteger<uint32_t>(file, section, "dwPaperAbility01", notes);
    info.flags = static_cast<uint8_t>(ability & kLytKnownFlags);
    CompileReserved(section, reserved, info, notes);

    if (const char* key = ZeroWidthKey(info)) {
        notes.Fail(section, key, "a paper of width 0 cannot be printed");
    }
}

std::string FaultText(const PaperTexts& texts) {
    if (texts.fault != PaperTextFault::kTooLong) return "missing";
    return "longer than " + std::to_string(texts.faultLength) + " characters";
}

void CompilePapers(const SourceReader& file, std::vector<PaperInfoRecord>& papers,
                   CompileNotes& notes) {
    for (size_t number = 0;; ++number) {
        const std::string section = PaperSectionName(number);
        if (number == kMaxTablePapers) {
            if (file.HasSection(section)) {
                notes.Warn(section, "",
                           "left out with all after it: a table holds at most " +
                               std::to_string(kMaxTablePapers) + " papers");
            }
            return;
        }
        PaperInfoRecord info{};
        const PaperTexts texts = ReadPaperTexts(file, section, info);
        if (texts.fault == PaperTextFault::kNone) {
            CompilePaper(file, section, texts.reserved, info, notes);
            papers.push_back(info);
            continue;
        }
        if (!file.HasSection(section)) {
            const std::string next = PaperSectionName(number + 1);
            if (file.HasSection(next)) {
                notes.Warn(
                    next, "",
                    "left out with all after it: the papers end at the missing [" + section + "]");
            }
        } else if (number == 0) {
            notes.Fail(section, texts.faultKey, FaultText(texts) + ": the source holds no paper");
        } else {
            notes.Warn(section, texts.faultKey,
                       FaultText(texts) + ": this paper and all after it left out");
        }
        return;
    }
}

}  // namespace

uint8_t SensingOf(int item6, int16_t nType) {
    if (item6 >= kLytSensingContinuous && item6 <= kLytSensingMark) {
        return static_cast<uint8_t>(item6);
    }
    return nType == kRollKind ? kLytSensingContinuous : kLytSensingGap;
}

CompileResult CompileSource(const SourceReader& source) {
    CompileNotes notes;
    CompiledTable table;
    CompileDevice(source, table.device, notes);
    CompilePapers(source, table.papers, notes);
    CompileResult result;
    result.errors = std::move(notes.errors);
    result.warnings = std::move(notes.warnings);
    if (result.errors.empty()) result.table = std::move(table);
    return result;
}

}  // namespace family
