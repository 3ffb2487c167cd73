#include "family_test_util.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

namespace family_test {

std::string ReadDataFile(const std::string& name) {
    const char* root = std::getenv("VELKOR_SOURCE_DIR");
    std::ifstream in(std::string(root ? root : VELKOR_SOURCE_DIR) + "/family/data/" + name,
                     std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string DeviceSections() {
    return "[Version]\r\nFormatVersion=1.00\r\nModelVersion=1.02\r\nOutputFileName=kvx510ed.lyt\r\n"
           "0\r\n\r\n"
           "[Model]\r\nbySeriesCode=0x41\r\nbyModelCode=0x51\r\ndmDeviceName=Ostrel LM-510\r\n"
           "dwHeadPinNum=0x000001c0\r\ndwDeviceAbility01=0x00000013\r\n"
           "dwDeviceAbility02=0x00000000\r\nwMinCopies=1\r\nwMaxCopies=999\r\n"
           "wMinCutEveryNum=1\r\nwMaxCutEveryNum=99\r\nnDefaultPaperSize=257\r\n"
           "nDefaultPaperLength=1000\r\nnDefaultPaperLengthRes=799\r\nwResolutionNum=1\r\n"
           "wResolutions=203,203\r\nwSensorKinds=3\r\n\r\n";
}

std::string PaperSection(int number, const std::map<std::string, std::string>& changes) {
    const std::vector<std::pair<std::string, std::string>> keys = {
        {"szPaperName_mm", "50mm x 30mm"},
        {"szPaperName_inch", "1.97in x 1.18in"},
        {"szPaperWidthString_inch", "1.97\""},
        {"szPaperLengthString_inch", "1.18\""},
        {"nType", "0x4b"},
        {"nPaperSize", std::to_string(513 + number)},
        {"nPaperWidth", "500"},
        {"nImageAreaWidth", "460"},
        {"nPaperWidthRes", "400"},
        {"nImageAreaWidthRes", "368"},
        {"nPaperLength", "300"},
        {"nImageAreaLength", "270"},
        {"nPaperLengthRes", "240"},
        {"nImageAreaLengthRes", "216"},
        {"nPhysicalOffsetX", "16"},
        {"nPhysicalOffsetY", "12"},
        {"wPinOffsetLeft", "40"},
        {"wPinOffsetRight", "40"},
        {"nMaxFeed", "0"},
        {"nMaxLength", "0"},
        {"nMinLength", "0"},
        {"wSplit", "0"},
        {"nClipInfoLeft", "0"},
        {"nClipInfoRight", "0"},
        {"nClipInfoTop", "0"},
        {"nClipInfoBottom", "0"},
        {"nVirtualOffsetX", "0"},
        {"nVirtualOffsetY", "0"},
        {"nCompatiblePaperSizes", ""},
        {"dwPaperAbility01", "0x00000000"},
        {"dwPaperAbility02", "0x00000000"},
        {"byReserved001", "0"},
        {"byEnergyRank", "5"},
        {"lblPitchDot", "264"},
        {"markNoChkValu", "0"},
        {"nSensorID", "1"},
        {"byRollWidMm", "50"},
        {"byHeadDivide", "0"},
        {"nDieStartPlus", "0"},
        {"nDieStartRevPlus", "0"},
        {"wDieStartFwdPlus", "0"},
        {"nAfterFeedPlus", "0"},
        {"wPafMediaID", std::to_string(513 + number)},
        {"PresetBlkPos1_1", "0"},
        {"PresetBlkPos2_1", "0"},
        {"PresetBlkPos2_2", "0"},
        {"PresetBlkPos3_1", "0"},
        {"PresetBlkPos3_2", "0"},
        {"PresetBlkPos3_3", "0"},
        {"szSizeMM", "50mm x 30mm"},
        {"szSizeIN", " "},
        {"MediaAtrInfo", "0"},
        {"reserved_12_", "12,0,0,0,0,0,1,12,0,0,0,0"},
    };
    char name[16];
    std::snprintf(name, sizeof name, "[Paper%02d]\r\n", number);
    std::string text = name;
    for (const auto& [key, value] : keys) {
        const auto change = changes.find(key);
        const std::string& used = change == changes.end() ? value : change->second;
        if (used != kAbsent) text += key + "=" + used + "\r\n";
    }
    return text + "0\r\n\r\n";
}

std::string SourceWithPapers(int count) {
    std::string text = DeviceSections();
    for (int i = 0; i < count; ++i) text += PaperSection(i);
    return text;
}

}  // namespace family_test
