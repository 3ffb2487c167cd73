#include "papertable/source_writer.h"

#include <algorithm>
#include <cstdio>
#include <span>

#include "papertable/source_reader.h"
#include "win/codepage.h"
#include "win/services.h"

namespace papertable {
namespace {

// Names are converted into at most 254 bytes.
constexpr size_t kNameBytes = 255;
const std::string kStars(54, '*');

std::string Decimal(long value) {
    return std::to_string(value);
}

std::string Hex(const char* format, unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

void WriteDevice(const DeviceRecord& d, ProfileWriter& out) {
    out.WriteString("Version", "FormatVersion", d.FormatVersion);
    out.WriteString("Version", "ModelVersion", d.ModelVersion);
    out.WriteString("Version", "OutputFileName", d.OutputFileName);
    out.AppendLine("0");
    out.AppendLine("");
    out.WriteSection("Model", d.modelSectionText);
    const std::pair<const char*, const std::string*> model[] = {
        {"bySeriesCode", &d.bySeriesCode},
        {"byModelCode", &d.byModelCode},
        {"dmDeviceName", &d.dmDeviceName},
        {"dwHeadPinNum", &d.dwHeadPinNum},
        {"dwDeviceAbility01", &d.dwDeviceAbility01},
        {"dwDeviceAbility02", &d.dwDeviceAbility02},
        {"wMinCopies", &d.wMinCopies},
        {"wMaxCopies", &d.wMaxCopies},
        {"wMinCutEveryNum", &d.wMinCutEveryNum},
        {"wMaxCutEveryNum", &d.wMaxCutEveryNum},
        {"nDefaultPaperSize", &d.nDefaultPaperSize},
        {"nDefaultPaperLength", &d.nDefaultPaperLength},
        {"nDefaultPaperLengthRes", &d.nDefaultPaperLengthRes},
        {"wResolutionNum", &d.wResolutionNum},
        {"wResolutions", &d.wResolutions},
    };
    for (const auto& [key, value] : model) out.WriteString("Model", key, *value);
    out.AppendLine("");
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
    PaperRecord& p = table.papers[static_cast<size_t>(index)];
    const std::string s = PaperSectionName(sectionNumber);
    auto put = [&](const char* key, const std::string& value) { out.WriteString(s, key, value); };
    auto name = [&](const char* key, std::span<const char16_t> text) {
        const auto ansi = win::WideToAnsi(text, kNameBytes);
        if (ansi) put(key, *ansi);
        return ansi.has_value();
    };

    if (!name("szPaperName_mm", p.szPaperName_mm)) return;
    if (!name("szPaperName_inch", p.szPaperName_inch)) return;
    if (!name("szPaperWidthString_inch", p.szPaperWidthString_inch)) return;
    if (!name("szPaperLengthString_inch", p.szPaperLengthString_inch)) return;
    if (p.nType == kKindMark) p.nType = kKindLabel;
    put("nType", Hex("0x%x", static_cast<unsigned>(static_cast<int>(p.nType))));
    put("nPaperSize", Decimal(p.nPaperSize));
    put("nPaperWidth", Decimal(p.nPaperWidth));
    put("nImageAreaWidth", Decimal(p.nImageAreaWidth));
    put("nPaperWidthRes", Decimal(p.nPaperWidthRes));
    put("nImageAreaWidthRes", Decimal(p.nImageAreaWidthRes));
    put("nPaperLength", Decimal(p.nPaperLength));
    put("nImageAreaLength", Decimal(p.nImageAreaLength));
    put("nPaperLengthRes", Decimal(p.nPaperLengthRes));
    put("nImageAreaLengthRes", Decimal(p.nImageAreaLengthRes));
    put("nPhysicalOffsetX", Decimal(p.nPhysicalOffsetX));
    put("nPhysicalOffsetY", Decimal(p.nPhysicalOffsetY));
    put("wPinOffsetLeft", Decimal(p.wPinOffsetLeft));
    put("wPinOffsetRight", Decimal(p.wPinOffsetRight));
    put("nMaxFeed", Decimal(p.nMaxFeed));
    put("nMaxLength", Decimal(p.nMaxLength));
    put("nMinLength", Decimal(p.nMinLength));
    put("wSplit", Decimal(p.wSplit));
    put("nClipInfoLeft", Decimal(p.nClipInfoLeft));
    put("nClipInfoRight", Decimal(p.nClipInfoRight));
    put("nClipInfoTop", Decimal(p.nClipInfoTop));
    put("nClipInfoBottom", Decimal(p.nClipInfoBottom));
    put("nVirtualOffsetX", Decimal(p.nVirtualOffsetX));
    put("nVirtualOffsetY", Decimal(p.nVirtualOffsetY));
    put("nCompatiblePaperSizes", p.nCompatiblePaperSizes);
    if (p.editLocked) {
        p.dwPaperAbility01 |= kEditLockedBit;
    } else {
        p.dwPaperAbility01 &= ~kEditLockedBit;
    }
    put("dwPaperAbility01", Hex("0x%08x", p.dwPaperAbility01));
    put("dwPaperAbility02", Hex("0x%08x", p.dwPaperAbility02));
    put("byReserved001", p.byReserved001);
    put("byEnergyRank", Decimal(p.byEnergyRank));
    put("lblPitchDot", Decimal(p.lblPitchDot));
    put("markNoChkValu", Decimal(p.markNoChkValu));
    const std::pair<const char*, const std::string*> texts[] = {
        {"nSensorID", &p.nSensorID},
        {"byRollWidMm", &p.byRollWidMm},
        {"byHeadDivide", &p.byHeadDivide},
        {"nDieStartPlus", &p.nDieStartPlus},
        {"nDieStartRevPlus", &p.nDieStartRevPlus},
        {"wDieStartFwdPlus", &p.wDieStartFwdPlus},
        {"nAfterFeedPlus", &p.nAfterFeedPlus},
        {"wPafMediaID", &p.wPafMediaID},
        {"PresetBlkPos1_1", &p.PresetBlkPos1_1},
        {"PresetBlkPos2_1", &p.PresetBlkPos2_1},
        {"PresetBlkPos2_2", &p.PresetBlkPos2_2},
        {"PresetBlkPos3_1", &p.PresetBlkPos3_1},
        {"PresetBlkPos3_2", &p.PresetBlkPos3_2},
        {"PresetBlkPos3_3", &p.PresetBlkPos3_3},
        {"szSizeMM", &p.szSizeMM},
        {"szSizeIN", &p.szSizeIN},
        {"MediaAtrInfo", &p.MediaAtrInfo},
        {"reserved_12_", &p.reserved_12_},
    };
    for (const auto& [key, value] : texts) put(key, *value);
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
