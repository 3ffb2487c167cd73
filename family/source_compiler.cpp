#include "family/source_compiler.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <span>

#include "papertable/paper_record.h"
#include "win/codepage.h"

namespace family {
namespace {

constexpr std::string_view kMissing = "\x01";
constexpr size_t kValueBuffer = 4096;  // far above any valid value, so nothing is cut
constexpr size_t kCompatibleSizesMax = papertable::kCompatibleSizesBytes - 1;

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

std::optional<int64_t> ParseDigits(std::string_view digits, int base) {
    if (digits.empty() || digits.size() > 16) return std::nullopt;
    uint64_t value = 0;
    const auto [end, ec] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    if (value > 0xFFFFFFFFull) return std::nullopt;
    return static_cast<int64_t>(value);
}

bool HasHexPrefix(std::string_view text) {
    return text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
}

// Reads one section's keys and collects every error with its place.
class SectionReader {
public:
    SectionReader(const papertable::ProfileFile& source, std::string section,
                  std::vector<std::string>& errors)
        : source_(source), section_(std::move(section)), errors_(errors) {}

    void Error(std::string_view key, std::string_view reason) {
        errors_.push_back("[" + section_ + "] " + std::string(key) + ": " + std::string(reason));
    }

    // nullopt (and an error) when the key is absent; empty values are returned.
    std::optional<std::string> Raw(std::string_view key) {
        std::string value = source_.GetString(section_, key, kMissing, kValueBuffer);
        if (!value.empty() && value[0] == kMissing[0]) {
            Error(key, "missing");
            return std::nullopt;
        }
        return value;
    }

    // A text the program's reader requires non-empty.
    std::string Text(std::string_view key) {
        auto value = Raw(key);
        if (value && value->empty()) {
            Error(key, "missing");
            return {};
        }
        return value.value_or("");
    }

    int64_t Integer(std::string_view key, int64_t min, int64_t max) {
        const auto raw = Raw(key);
        if (!raw) return 0;
        const auto value = ParseSourceInteger(*raw);
        if (!value) {
            Error(key, "not a number: " + *raw);
            return 0;
        }
        if (*value < min || *value > max) {
            Error(key, "out of range: " + *raw);
            return 0;
        }
        return *value;
    }

    int16_t Int16(std::string_view key) {
        return static_cast<int16_t>(Integer(key, INT16_MIN, INT16_MAX));
    }
    uint16_t UInt16(std::string_view key) {
        return static_cast<uint16_t>(Integer(key, 0, UINT16_MAX));
    }
    uint8_t UInt8(std::string_view key) { return static_cast<uint8_t>(Integer(key, 0, UINT8_MAX)); }
    uint32_t UInt32(std::string_view key) {
        return static_cast<uint32_t>(Integer(key, 0, UINT32_MAX));
    }

    uint8_t Code(std::string_view key) {
        const std::string raw = Text(key);
        if (raw.empty()) return 0;
        const auto value = ParseCode(raw);
        if (!value || *value > 0xFF) {
            Error(key, "not a one-byte hexadecimal code: " + raw);
            return 0;
        }
        return static_cast<uint8_t>(*value);
    }

    template <size_t N>
    void AnsiField(std::string_view key, const std::string& value, char (&field)[N]) {
        if (value.size() >= N) {
            Error(key, "longer than " + std::to_string(N - 1) + " bytes");
            return;
        }
        std::memcpy(field, value.data(), value.size());
    }

    template <size_t N>
    void WideField(std::string_view key, const std::string& value, char16_t (&field)[N]) {
        if (!win::AnsiToWide(value, std::span<char16_t>(field, N))) {
            Error(key, "longer than " + std::to_string(N - 1) + " characters");
        }
    }

private:
    const papertable::ProfileFile& source_;
    std::string section_;
    std::vector<std::string>& errors_;
};

void CompileDevice(const papertable::ProfileFile& source, DeviceInfoRecord& device,
                   std::vector<std::string>& errors) {
    SectionReader version(source, "Version", errors);
    version.AnsiField("FormatVersion", version.Text("FormatVersion"), device.szFormatVersion);
    version.AnsiField("ModelVersion", version.Text("ModelVersion"), device.szModelVersion);
    version.AnsiField("OutputFileName", version.Text("OutputFileName"), device.szOutputFileName);

    SectionReader model(source, "Model", errors);
    device.bySeriesCode = model.Code("bySeriesCode");
    device.byModelCode = model.Code("byModelCode");
    model.AnsiField("dmDeviceName", model.Text("dmDeviceName"), device.dmDeviceName);
    device.dwHeadPinNum = model.UInt32("dwHeadPinNum");
    device.dwDeviceAbility01 = model.UInt32("dwDeviceAbility01");
    device.dwDeviceAbility02 = model.UInt32("dwDeviceAbility02");
    device.wMinCopies = model.UInt16("wMinCopies");
    device.wMaxCopies = model.UInt16("wMaxCopies");
    device.wMinCutEveryNum = model.UInt16("wMinCutEveryNum");
    device.wMaxCutEveryNum = model.UInt16("wMaxCutEveryNum");
    device.nDefaultPaperSize = model.Int16("nDefaultPaperSize");
    device.nDefaultPaperLength = model.Int16("nDefaultPaperLength");
    device.nDefaultPaperLengthRes = model.Int16("nDefaultPaperLengthRes");
    device.wResolutionNum = model.UInt16("wResolutionNum");

    // "X,Y" or a single value for both.
    const std::string resolutions = model.Text("wResolutions");
    if (resolutions.empty()) return;
    const size_t comma = resolutions.find(',');
    const auto x = ParseSourceInteger(std::string_view(resolutions).substr(0, comma));
    const auto y = comma == std::string::npos
                       ? x
                       : ParseSourceInteger(std::string_view(resolutions).substr(comma + 1));
    if (!x || !y || *x < 1 || *x > UINT16_MAX || *y < 1 || *y > UINT16_MAX) {
        model.Error("wResolutions", "not one or two resolutions: " + resolutions);
        return;
    }
    device.wResolutionX = static_cast<uint16_t>(*x);
    device.wResolutionY = static_cast<uint16_t>(*y);
}

// Items 2 to 6, 9 and 10 of reserved_12_ (separated by ",", an empty item is 0).
void CompileReserved12(SectionReader& reader, const std::string& text, PaperInfoRecord& paper) {
    std::vector<int64_t> items;
    std::string_view rest = text;
    while (true) {
        const size_t comma = rest.find(',');
        const std::string_view item = Trim(rest.substr(0, comma));
        const auto value = item.empty() ? std::optional<int64_t>(0) : ParseSourceInteger(item);
        if (!value || HasHexPrefix(item) || *value < INT16_MIN || *value > UINT16_MAX) {
            reader.Error("reserved_12_", "item " + std::to_string(items.size()) +
                                             " is not a 16-bit number: " + text);
            return;
        }
        items.push_back(*value);
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    items.resize(std::max<size_t>(items.size(), 12), 0);
    paper.markOffset = static_cast<int16_t>(items[2] + 256 * items[3]);
    paper.markLength = static_cast<uint16_t>(items[4] + 256 * items[5]);
    if (items[6] < kLytSensingContinuous || items[6] > kLytSensingMark) {
        reader.Error("reserved_12_", "item 6 is not 0, 1 or 2: " + text);
    }
    paper.bySensing = static_cast<uint8_t>(items[6]);
    if (items[9] < INT8_MIN || items[9] > INT8_MAX || items[10] < INT8_MIN ||
        items[10] > INT8_MAX) {
        reader.Error("reserved_12_", "adjustment steps out of range: " + text);
        return;
    }
    paper.adjustStep1 = static_cast<int8_t>(items[9]);
    paper.adjustStep2 = static_cast<int8_t>(items[10]);
}

PaperInfoRecord CompilePaper(SectionReader& reader) {
    PaperInfoRecord paper{};
    reader.WideField("szPaperName_mm", reader.Text("szPaperName_mm"), paper.szPaperName_mm);
    reader.WideField("szPaperName_inch", reader.Text("szPaperName_inch"), paper.szPaperName_inch);
    reader.WideField("szPaperWidthString_inch", reader.Raw("szPaperWidthString_inch").value_or(""),
                     paper.szPaperWidthString_inch);
    reader.WideField("szPaperLengthString_inch",
                     reader.Raw("szPaperLengthString_inch").value_or(""),
                     paper.szPaperLengthString_inch);
    paper.nType = reader.Int16("nType");
    paper.nPaperSize = reader.Int16("nPaperSize");
    paper.nPaperWidth = reader.Int16("nPaperWidth");
    paper.nImageAreaWidth = reader.Int16("nImageAreaWidth");
    paper.nPaperWidthRes = reader.Int16("nPaperWidthRes");
    paper.nImageAreaWidthRes = reader.Int16("nImageAreaWidthRes");
    paper.nPaperLength = reader.Int16("nPaperLength");
    paper.nImageAreaLength = reader.Int16("nImageAreaLength");
    paper.nPaperLengthRes = reader.Int16("nPaperLengthRes");
    paper.nImageAreaLengthRes = reader.Int16("nImageAreaLengthRes");
    paper.nPhysicalOffsetX = reader.Int16("nPhysicalOffsetX");
    paper.nPhysicalOffsetY = reader.Int16("nPhysicalOffsetY");
    paper.wPinOffsetLeft = reader.UInt16("wPinOffsetLeft");
    paper.wPinOffsetRight = reader.UInt16("wPinOffsetRight");
    paper.nMaxFeed = reader.Int16("nMaxFeed");
    paper.nMaxLength = reader.Int16("nMaxLength");
    paper.nMinLength = reader.Int16("nMinLength");
    paper.wSplit = reader.UInt16("wSplit");
    paper.nClipInfoLeft = reader.Int16("nClipInfoLeft");
    paper.nClipInfoTop = reader.Int16("nClipInfoTop");
    paper.nClipInfoRight = reader.Int16("nClipInfoRight");
    paper.nClipInfoBottom = reader.Int16("nClipInfoBottom");
    paper.nVirtualOffsetX = reader.Int16("nVirtualOffsetX");
    paper.nVirtualOffsetY = reader.Int16("nVirtualOffsetY");

    reader.Text("byReserved001");
    if (reader.Raw("nCompatiblePaperSizes").value_or("").size() > kCompatibleSizesMax) {
        reader.Error("nCompatiblePaperSizes",
                     "longer than " + std::to_string(kCompatibleSizesMax) + " bytes");
    }
    paper.flags = static_cast<uint8_t>(reader.UInt32("dwPaperAbility01") & kLytKnownFlags);
    reader.UInt32("dwPaperAbility02");
    paper.byEnergyRank = reader.UInt8("byEnergyRank");
    paper.lblPitchDot = reader.UInt16("lblPitchDot");
    reader.UInt16("markNoChkValu");
    for (const char* key :
         {"nSensorID", "byRollWidMm", "byHeadDivide", "nDieStartPlus", "nDieStartRevPlus",
          "wDieStartFwdPlus", "nAfterFeedPlus", "wPafMediaID", "PresetBlkPos1_1", "PresetBlkPos2_1",
          "PresetBlkPos2_2", "PresetBlkPos3_1", "PresetBlkPos3_2", "PresetBlkPos3_3", "szSizeMM",
          "MediaAtrInfo"}) {
        reader.Text(key);
    }
    // szSizeIN may be absent: the program reads it as a single blank.
    const std::string reserved = reader.Text("reserved_12_");
    if (!reserved.empty()) CompileReserved12(reader, reserved, paper);
    return paper;
}

}  // namespace

std::optional<int64_t> ParseSourceInteger(std::string_view text) {
    text = Trim(text);
    if (HasHexPrefix(text)) return ParseDigits(text.substr(2), 16);
    const bool negative = !text.empty() && text[0] == '-';
    const auto magnitude = ParseDigits(negative ? text.substr(1) : text, 10);
    if (!magnitude) return std::nullopt;
    return negative ? -*magnitude : *magnitude;
}

std::optional<int64_t> ParseCode(std::string_view text) {
    text = Trim(text);
    return ParseDigits(HasHexPrefix(text) ? text.substr(2) : text, 16);
}

CompileResult CompileSource(const papertable::ProfileFile& source) {
    CompileResult result;
    CompiledTable table;
    if (!source.HasSection("Version") || !source.HasSection("Model")) {
        result.errors.push_back("not a paper-table source: no [Version] or [Model] section");
        return result;
    }
    CompileDevice(source, table.device, result.errors);

    // Papers run from Paper00 without gaps; the first missing section ends them.
    for (size_t number = 0;; ++number) {
        char name[16];
        std::snprintf(name, sizeof name, "Paper%02zu", number);
        if (!source.HasSection(name)) break;
        if (number == kMaxTablePapers) {
            result.errors.push_back(std::string("[") + name + "] more than " +
                                    std::to_string(kMaxTablePapers) + " papers");
            break;
        }
        SectionReader reader(source, name, result.errors);
        table.papers.push_back(CompilePaper(reader));
    }
    if (result.errors.empty()) result.table = std::move(table);
    return result;
}

}  // namespace family
