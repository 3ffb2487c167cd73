// Source-file texts for the reader and writer tests: a device part and complete
// paper sections whose keys a test can change or leave out.
#pragma once

#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sample {

using Keys = std::vector<std::pair<std::string, std::string>>;

// Every key of a paper section, in writing order, with plain values.
inline Keys PaperKeys(const std::string& name) {
    return {
        {"szPaperName_mm", name},
        {"szPaperName_inch", name + " in"},
        {"szPaperWidthString_inch", "2.00"},
        {"szPaperLengthString_inch", "1.00"},
        {"nType", "0x4b"},
        {"nPaperSize", "513"},
        {"nPaperWidth", "508"},
        {"nImageAreaWidth", "480"},
        {"nPaperWidthRes", "406"},
        {"nImageAreaWidthRes", "384"},
        {"nPaperLength", "254"},
        {"nImageAreaLength", "230"},
        {"nPaperLengthRes", "203"},
        {"nImageAreaLengthRes", "184"},
        {"nPhysicalOffsetX", "-3"},
        {"nPhysicalOffsetY", "4"},
        {"wPinOffsetLeft", "65535"},
        {"wPinOffsetRight", "2"},
        {"nMaxFeed", "100"},
        {"nMaxLength", "9999"},
        {"nMinLength", "50"},
        {"wSplit", "1"},
        {"nClipInfoLeft", "11"},
        {"nClipInfoRight", "12"},
        {"nClipInfoTop", "13"},
        {"nClipInfoBottom", "14"},
        {"nVirtualOffsetX", "-7"},
        {"nVirtualOffsetY", "8"},
        {"nCompatiblePaperSizes", "1,2,3"},
        {"dwPaperAbility01", "0x00000401"},
        {"dwPaperAbility02", "0x80000000"},
        {"byReserved001", "r1"},
        {"byEnergyRank", "3"},
        {"lblPitchDot", "40000"},
        {"markNoChkValu", "65535"},
        {"nSensorID", "1"},
        {"byRollWidMm", "50"},
        {"byHeadDivide", "0"},
        {"nDieStartPlus", "10"},
        {"nDieStartRevPlus", "-10"},
        {"wDieStartFwdPlus", "5"},
        {"nAfterFeedPlus", "0"},
        {"wPafMediaID", "0x0001"},
        {"PresetBlkPos1_1", "a"},
        {"PresetBlkPos2_1", "b"},
        {"PresetBlkPos2_2", "c"},
        {"PresetBlkPos3_1", "d"},
        {"PresetBlkPos3_2", "e"},
        {"PresetBlkPos3_3", "f"},
        {"szSizeMM", "50.8 x 25.4 mm"},
        {"szSizeIN", "2.00 x 1.00 in"},
        {"MediaAtrInfo", "m"},
        {"reserved_12_", "0,0,16,0,200,0,0,0,0,0,0,0"},
    };
}

// The keys with some values replaced (std::nullopt leaves the key out).
inline Keys With(Keys keys, const std::map<std::string, std::optional<std::string>>& changes) {
    Keys out;
    for (auto& [key, value] : keys) {
        const auto change = changes.find(key);
        if (change == changes.end()) {
            out.emplace_back(key, value);
        } else if (change->second) {
            out.emplace_back(key, *change->second);
        }
    }
    return out;
}

inline std::string Section(const std::string& name, const Keys& keys) {
    std::string text = "[" + name + "]\r\n";
    for (const auto& [key, value] : keys) text += key + "=" + value + "\r\n";
    return text;
}

inline Keys VersionKeys() {
    return {{"FormatVersion", "1.00"}, {"ModelVersion", "2.10"}, {"OutputFileName", "KVX610ed"}};
}

inline Keys ModelKeys() {
    return {
        {"bySeriesCode", "0x12"},
        {"byModelCode", "0x34"},
        {"dmDeviceName", "Ostrel LM-610N"},
        {"dwHeadPinNum", "832"},
        {"dwDeviceAbility01", "0x00000001"},
        {"dwDeviceAbility02", "0x00000000"},
        {"wMinCopies", "1"},
        {"wMaxCopies", "999"},
        {"wMinCutEveryNum", "1"},
        {"wMaxCutEveryNum", "99"},
        {"nDefaultPaperSize", "513"},
        {"nDefaultPaperLength", "254"},
        {"nDefaultPaperLengthRes", "203"},
        {"wResolutionNum", "1"},
        {"wResolutions", "203"},
    };
}

inline std::string Device() {
    return Section("Version", VersionKeys()) + Section("Model", ModelKeys());
}

// A file with the device part and papers named `prefix` 0, 1, ... in sections
// Paper00 upward.
inline std::string File(int papers, const std::string& prefix = "Paper ") {
    std::string text = Device();
    for (int i = 0; i < papers; ++i) {
        char section[16];
        std::snprintf(section, sizeof section, "Paper%02d", i);
        text += Section(section, PaperKeys(prefix + std::to_string(i)));
    }
    return text;
}

}  // namespace sample
