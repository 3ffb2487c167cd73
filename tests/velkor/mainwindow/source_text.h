// Paper-table source texts for the main window's tests.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace mwtest {

struct TestPaper {
    std::string nameMm;
    std::string nameInch;
    int type = 75;
    int width = 500;
    int length = 300;
    int energy = 2;
    uint32_t ability01 = 0;
    int size = 0;  // nPaperSize
};

inline std::string DeviceSections() {
    return "[Version]\nFormatVersion=1\nModelVersion=1\nOutputFileName=kvx510ed.lyt\n"
           "[Model]\nbySeriesCode=0x41\nbyModelCode=0x51\ndmDeviceName=Ostrel LM-510\n"
           "dwHeadPinNum=448\ndwDeviceAbility01=0x00000000\ndwDeviceAbility02=0x00000000\n"
           "wMinCopies=1\nwMaxCopies=999\nwMinCutEveryNum=1\nwMaxCutEveryNum=999\n"
           "nDefaultPaperSize=256\nnDefaultPaperLength=1000\nnDefaultPaperLengthRes=800\n"
           "wResolutionNum=1\nwResolutions=203\n";
}

inline std::string PaperSection(int number, const TestPaper& p) {
    char header[32];
    std::snprintf(header, sizeof header, "[Paper%02d]\n", number);
    char ability[16];
    std::snprintf(ability, sizeof ability, "0x%08x", p.ability01);
    std::string s = header;
    s += "szPaperName_mm=" + p.nameMm + "\n";
    s += "szPaperName_inch=" + p.nameInch + "\n";
    s += "szPaperWidthString_inch=\nszPaperLengthString_inch=\n";
    s += "nType=" + std::to_string(p.type) + "\n";
    s += "nPaperSize=" + std::to_string(p.size) + "\n";
    s += "nPaperWidth=" + std::to_string(p.width) + "\n";
    s += "nPaperLength=" + std::to_string(p.length) + "\n";
    s += "byReserved001=0\nnCompatiblePaperSizes=\n";
    s += std::string("dwPaperAbility01=") + ability + "\n";
    s += "dwPaperAbility02=0x00000000\n";
    s += "byEnergyRank=" + std::to_string(p.energy) + "\n";
    s += "lblPitchDot=0\nmarkNoChkValu=0\n";
    for (const char* key :
         {"nSensorID", "byRollWidMm", "byHeadDivide", "nDieStartPlus", "nDieStartRevPlus",
          "wDieStartFwdPlus", "nAfterFeedPlus", "wPafMediaID", "PresetBlkPos1_1", "PresetBlkPos2_1",
          "PresetBlkPos2_2", "PresetBlkPos3_1", "PresetBlkPos3_2", "PresetBlkPos3_3", "szSizeMM",
          "szSizeIN", "MediaAtrInfo"}) {
        s += std::string(key) + "=0\n";
    }
    s += "reserved_12_=0,0,0,0,0,0,0\n";
    return s;
}

inline std::string SourceText(const std::vector<TestPaper>& papers, bool withDevice) {
    std::string text = withDevice ? DeviceSections() : std::string();
    for (size_t i = 0; i < papers.size(); ++i) text += PaperSection(static_cast<int>(i), papers[i]);
    return text;
}

}  // namespace mwtest
