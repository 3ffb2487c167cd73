#include "family/source_compiler.h"

#include <cstddef>
#include <cstring>
#include <type_traits>

#include "family/source_values.h"
#include "papertable/paper_record.h"
#include "papertable/source_reader.h"

namespace family {
namespace {

using papertable::PaperRecord;
using papertable::ProfileFile;

static_assert(kMaxTablePapers == papertable::kMaxPapers);
static_assert(sizeof(PaperInfoRecord::szPaperName_mm) == sizeof(char16_t) * papertable::kNameUnits);
static_assert(sizeof(PaperInfoRecord::szPaperWidthString_inch) ==
              sizeof(char16_t) * papertable::kInchStringUnits);

// A 16-bit field of the compiled record, taken as the program's reader holds it.
template <class T>
struct Field16 {
    const char* key;
    T PaperRecord::*field;
    size_t offset;  // in PaperInfoRecord
};

template <class Compiled, class T>
consteval Field16<T> MakeField(const char* key, T PaperRecord::*field, size_t offset) {
    static_assert(std::is_same_v<Compiled, T>, "the compiled field has the record's type");
    return {key, field, offset};
}

#define VELKOR_PAPER_FIELD(name)                                          \
    MakeField<decltype(PaperInfoRecord::name)>(#name, &PaperRecord::name, \
                                               offsetof(PaperInfoRecord, name))
constexpr Field16<int16_t> kSignedFields[] = {
    VELKOR_PAPER_FIELD(nPaperSize),          VELKOR_PAPER_FIELD(nPaperWidth),
    VELKOR_PAPER_FIELD(nImageAreaWidth),     VELKOR_PAPER_FIELD(nPaperWidthRes),
    VELKOR_PAPER_FIELD(nImageAreaWidthRes),  VELKOR_PAPER_FIELD(nPaperLength),
    VELKOR_PAPER_FIELD(nImageAreaLength),    VELKOR_PAPER_FIELD(nPaperLengthRes),
    VELKOR_PAPER_FIELD(nImageAreaLengthRes), VELKOR_PAPER_FIELD(nPhysicalOffsetX),
    VELKOR_PAPER_FIELD(nPhysicalOffsetY),    VELKOR_PAPER_FIELD(nMaxFeed),
    VELKOR_PAPER_FIELD(nMaxLength),          VELKOR_PAPER_FIELD(nMinLength),
    VELKOR_PAPER_FIELD(nClipInfoLeft),       VELKOR_PAPER_FIELD(nClipInfoTop),
    VELKOR_PAPER_FIELD(nClipInfoRight),      VELKOR_PAPER_FIELD(nClipInfoBottom),
    VELKOR_PAPER_FIELD(nVirtualOffsetX),     VELKOR_PAPER_FIELD(nVirtualOffsetY),
};
constexpr Field16<uint16_t> kUnsignedFields[] = {
    VELKOR_PAPER_FIELD(wPinOffsetLeft),
    VELKOR_PAPER_FIELD(wPinOffsetRight),
    VELKOR_PAPER_FIELD(wSplit),
    VELKOR_PAPER_FIELD(lblPitchDot),
};
#undef VELKOR_PAPER_FIELD

// A part of wResolutions read with the profile's integer reading.
struct Resolution {
    uint16_t value = 0;
    std::string reasons;  // why the value is not plainly what the part says
};

Resolution ReadResolution(std::string_view part) {
    part = papertable::TrimProfileSpace(part);
    const auto parsed = papertable::ParseProfileInteger(part);
    Resolution r;
    r.value = static_cast<uint16_t>(parsed.value);
    r.reasons = IntegerReasons(part, parsed, r.value, false, 16);
    return r;
}

// "X,Y", or one value for both. Without a first resolution the table is unusable;
// an unreadable second one is taken to be the first.
void ReadResolutions(const ProfileFile& file, DeviceInfoRecord& device, CompileNotes& notes) {
    const auto text = papertable::ReadTextKey(file, "Model", "wResolutions");
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

void CompileDevice(const ProfileFile& file, DeviceInfoRecord& device, CompileNotes& notes) {
    ReadAnsiField(file, "Version", "FormatVersion", device.szFormatVersion, notes);
    ReadAnsiField(file, "Version", "ModelVersion", device.szModelVersion, notes);
    ReadAnsiField(file, "Version", "OutputFileName", device.szOutputFileName, notes);

    const std::string model = file.GetSection("Model", papertable::kModelSectionBytes);
    if (model.empty() || model[0] == '\0') {
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
void CopyFields(const ProfileFile& file, const std::string& section, const PaperRecord& paper,
                const Field16<T> (&fields)[N], PaperInfoRecord& info, CompileNotes& notes) {
    for (const auto& f : fields) {
        const T value = paper.*f.field;
        std::memcpy(reinterpret_cast<char*>(&info) + f.offset, &value, sizeof value);
        NoteInteger(file, section, f.key, value, std::is_signed_v<T>, 16, notes);
    }
}

// An item of reserved_12_ as the program reads it, with a warning when that is not
// plainly what the item says (a sign, "0x", blanks, digits past the examined part).
int ReservedItem(const std::string& section, const std::string& reserved, int index,
                 CompileNotes& notes) {
    const int value = papertable::ReservedItem(reserved, index);
    const std::string_view text = papertable::ReservedItemText(reserved, index);
    if (!text.empty() && text != std::to_string(value)) {
        notes.Warn(section, "reserved_12_",
                   "item " + std::to_string(index) + " \"" + std::string(text) + "\" read as " +
                       std::to_string(value));
    }
    return value;
}

// Items 2 to 6, 9 and 10 of reserved_12_, read as the program reads them.
void CompileReserved(const std::string& section, const PaperRecord& paper, PaperInfoRecord& info,
                     CompileNotes& notes) {
    const std::string& reserved = paper.reserved_12_;
    if (reserved.size() > papertable::kReservedExaminedChars) {
        notes.Warn(section, "reserved_12_",
                   "only the first " + std::to_string(papertable::kReservedExaminedChars) +
                       " of its " + std::to_string(reserved.size()) + " characters read");
    }
    int items[11] = {};
    for (int i : {2, 3, 4, 5, 6, 9, 10}) items[i] = ReservedItem(section, reserved, i, notes);

    // The program's own values: low byte plus 256 times the high byte, in 16 bits.
    info.markOffset = paper.markOffset;
    info.markLength = paper.markLength;
    const std::pair<int, int64_t> marks[] = {{2, paper.markOffset}, {4, paper.markLength}};
    for (const auto& [low, held] : marks) {
        const int64_t exact = int64_t{items[low]} + 256 * int64_t{items[low + 1]};
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

PaperInfoRecord CompilePaper(const ProfileFile& file, int number, const PaperRecord& paper,
                             CompileNotes& notes) {
    const std::string section = papertable::PaperSectionName(number);
    PaperInfoRecord info{};
    std::memcpy(info.szPaperName_mm, paper.szPaperName_mm.data(), sizeof info.szPaperName_mm);
    std::memcpy(info.szPaperName_inch, paper.szPaperName_inch.data(), sizeof info.szPaperName_inch);
    std::memcpy(info.szPaperWidthString_inch, paper.szPaperWidthString_inch.data(),
                sizeof info.szPaperWidthString_inch);
    std::memcpy(info.szPaperLengthString_inch, paper.szPaperLengthString_inch.data(),
                sizeof info.szPaperLengthString_inch);

    // As written: the program's kind 76 exists only in memory.
    info.nType = ReadInteger<int16_t>(file, section, "nType", notes);
    CopyFields(file, section, paper, kSignedFields, info, notes);
    CopyFields(file, section, paper, kUnsignedFields, info, notes);
    info.byEnergyRank = paper.byEnergyRank;
    NoteInteger(file, section, "byEnergyRank", paper.byEnergyRank, false, 8, notes);
    NoteInteger(file, section, "dwPaperAbility01", paper.dwPaperAbility01, false, 32, notes);
    info.flags = static_cast<uint8_t>(paper.dwPaperAbility01 & kLytKnownFlags);
    CompileReserved(section, paper, info, notes);

    if (const char* key = ZeroWidthKey(info)) {
        notes.Fail(section, key, "a paper of width 0 cannot be printed");
    }
    return info;
}

std::string FaultText(const papertable::PaperReadFailure& failure) {
    if (failure.fault != papertable::PaperReadFault::kTooLong) return "missing";
    const bool name = failure.key.starts_with("szPaperName");
    const size_t units = name ? papertable::kNameUnits : papertable::kInchStringUnits;
    return "longer than " + std::to_string(units - 1) + " characters";
}

void CompilePapers(const ProfileFile& file, std::vector<PaperInfoRecord>& papers,
                   CompileNotes& notes) {
    for (int number = 0;; ++number) {
        const std::string section = papertable::PaperSectionName(number);
        if (number == papertable::kMaxPapers) {
            if (file.HasSection(section)) {
                notes.Warn(section, "",
                           "left out with all after it: a table holds at most " +
                               std::to_string(papertable::kMaxPapers) + " papers");
            }
            return;
        }
        PaperRecord paper;
        papertable::PaperReadFailure failure;
        if (papertable::ReadPaperRecord(file, number, paper, &failure)) {
            papers.push_back(CompilePaper(file, number, paper, notes));
            continue;
        }
        if (!file.HasSection(section)) {
            const std::string next = papertable::PaperSectionName(number + 1);
            if (file.HasSection(next)) {
                notes.Warn(
                    next, "",
                    "left out with all after it: the papers end at the missing [" + section + "]");
            }
        } else if (number == 0) {
            notes.Fail(section, failure.key, FaultText(failure) + ": the source holds no paper");
        } else {
            notes.Warn(section, failure.key,
                       FaultText(failure) + ": this paper and all after it left out");
        }
        return;
    }
}

}  // namespace

uint8_t SensingOf(int item6, int16_t nType) {
    if (item6 >= kLytSensingContinuous && item6 <= kLytSensingMark) {
        return static_cast<uint8_t>(item6);
    }
    return nType == papertable::kKindRoll ? kLytSensingContinuous : kLytSensingGap;
}

CompileResult CompileSource(const ProfileFile& source) {
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
