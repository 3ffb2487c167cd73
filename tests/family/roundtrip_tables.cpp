#include "roundtrip_tables.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "family_test_util.h"
#include "papertable/source_reader.h"
#include "win/codepage.h"

namespace family_test {
namespace {

using papertable::PaperRecord;

class Random {
public:
    explicit Random(unsigned seed) : engine_(seed) {}
    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
    uint32_t Word() { return static_cast<uint32_t>(engine_()); }
    bool Chance(int percent) { return Int(0, 99) < percent; }
    template <class T>
    T Pick(std::initializer_list<T> values) {
        return values.begin()[Int(0, static_cast<int>(values.size()) - 1)];
    }

private:
    std::mt19937 engine_;
};

// Characters of texts the program reads back as written: printable ASCII, some
// letters of the ANSI code page, quotes and the profile's own signs; no control
// characters (the reader's missing-key marker among them).
std::string Text(Random& r, int minLength, int maxLength) {
    static const std::string kChars =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789  .,;:=[]\"'-_+*/#()"
        "\xc0\xc9\xe9\xfc\xdf\xf1";
    std::string text;
    const int length = r.Int(minLength, maxLength);
    for (int i = 0; i < length; ++i) {
        text += kChars[static_cast<size_t>(r.Int(0, static_cast<int>(kChars.size()) - 1))];
    }
    return text;
}

std::string Format(const char* format, long long value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// An integer text of the "Model" section and the 32-bit value it reads as.
std::string ModelInteger(Random& r, uint32_t typical, uint32_t& value) {
    value = r.Pick<uint32_t>({typical, typical, r.Word(), 0, 0xFFFFFFFFu, 70000, 65535, 40000});
    switch (r.Int(0, 7)) {
        case 0:
            return Format("0x%llx", value);
        case 1:
            return Format("%llu pins", value);
        case 2:
            return Format("  %llu", value);
        case 3: {
            const int small = r.Int(1, 40000);
            value = 0u - static_cast<uint32_t>(small);
            return Format("-%lld", small);
        }
        case 4:
            return Format("0x%08llx", value);
        default:
            return Format("%llu", value);
    }
}

// A code text and the byte the pipeline and the compiler take from it.
std::string CodeText(Random& r, uint8_t& code) {
    code = r.Chance(50) ? r.Pick<uint8_t>({0x00, 0x09, 0x0A, 0x0D, 0x20, 0x22, 0x30, 0x41, 0x51,
                                           0x78, 0x7F, 0x80, 0x81, 0xA0, 0xFF})
                        : static_cast<uint8_t>(r.Int(0, 255));
    switch (r.Int(0, 7)) {
        case 0:
            return Format("%02llX", code);
        case 1:
            return Format("0x1%02llx", code);  // wider than a byte
        case 2:
            return Format("%02llxzz", code);  // trailing text
        case 3:
            return Format("0xffffff%02llx", code);
        case 4:
            return Format("  0x%02llx", code);
        case 5:
            code = r.Chance(50) ? 0xFF : 0;
            return code ? "-1" : "";  // a negative reading; no code at all
        default:
            return Format("0x%02llx", code);
    }
}

std::string Resolutions(Random& r, uint16_t base, uint16_t& x, uint16_t& y, bool& usable) {
    x = y = base;
    usable = true;
    if (r.Chance(3)) {
        usable = false;
        return r.Pick<const char*>({"0,0", "x", ""});
    }
    switch (r.Int(0, 4)) {
        case 0:
            return std::to_string(base);
        case 1:
            y = r.Pick<uint16_t>({203, 300, 600});
            return std::to_string(base) + " dpi," + std::to_string(y);
        case 2:
            return std::to_string(base) + ", " + std::to_string(base);
        default:
            return std::to_string(base) + "," + std::to_string(base);
    }
}

int16_t Signed(Random& r, int16_t base, bool zeroAllowed = true) {
    int16_t value = base;
    const int choice = r.Int(0, 9);
    if (choice < 2) {
        value = r.Pick<int16_t>({-32768, -1, 0, 1, 32767});
    } else if (choice < 6) {
        value = static_cast<int16_t>(r.Int(-32768, 32767));
    }
    if (value == 0 && !zeroAllowed) value = base != 0 ? base : 1;
    return value;
}

uint16_t Unsigned(Random& r, uint16_t base) {
    const int choice = r.Int(0, 9);
    if (choice < 2) return r.Pick<uint16_t>({0, 65535, 1});
    if (choice < 6) return static_cast<uint16_t>(r.Int(0, 65535));
    return base;
}

// A reserved_12_ list as the program may hold it: written by the advanced
// settings, or read leniently from a file edited by hand.
std::string Reserved(Random& r) {
    const int count = r.Pick({12, 12, 12, 7, 15});
    std::string text;
    for (int i = 0; i < count; ++i) {
        int value = r.Int(0, 255);
        if (i == 6) value = r.Pick({0, 1, 2, 2, 3, -1, 258});
        if ((i == 9 || i == 10) && r.Chance(30)) value = r.Pick({-2, -1, 1, 2, 200, -300, 127});
        if (r.Chance(5)) value = r.Pick({70000, -300, 100000});
        std::string item = std::to_string(value);
        if (r.Chance(15)) {
            switch (r.Int(0, 5)) {
                case 0:
                    item = "+" + item;
                    break;
                case 1:
                    item = " " + item;
                    break;
                case 2:
                    item = Format("0x%llx", value < 0 ? -value : value);
                    break;
                case 3:
                    item.clear();
                    break;
                case 4:
                    item += "abc";
                    break;
                default:
                    item = std::string(static_cast<size_t>(r.Int(20, 90)), '0') + item;
                    break;
            }
        }
        text += (i > 0 ? "," : "") + item;
    }
    return text;
}

template <size_t N>
void SetName(papertable::WideText<N>& field, const std::string& ansi) {
    field.fill(0);
    win::AnsiToWide(ansi, field);
}

void RandomizePaper(Random& r, PaperRecord& p) {
    SetName(p.szPaperName_mm, Text(r, 1, 31));
    SetName(p.szPaperName_inch, Text(r, 1, 31));
    SetName(p.szPaperWidthString_inch, Text(r, 0, 15));
    SetName(p.szPaperLengthString_inch, Text(r, 0, 15));
    p.nType = r.Pick<int16_t>({74, 75, 75, 76, -1, static_cast<int16_t>(r.Int(-32768, 32767))});
    for (int16_t PaperRecord::*field :
         {&PaperRecord::nPaperSize, &PaperRecord::nImageAreaWidth, &PaperRecord::nImageAreaWidthRes,
          &PaperRecord::nPaperLength, &PaperRecord::nImageAreaLength, &PaperRecord::nPaperLengthRes,
          &PaperRecord::nImageAreaLengthRes, &PaperRecord::nPhysicalOffsetX,
          &PaperRecord::nPhysicalOffsetY, &PaperRecord::nMaxFeed, &PaperRecord::nMaxLength,
          &PaperRecord::nMinLength, &PaperRecord::nClipInfoLeft, &PaperRecord::nClipInfoTop,
          &PaperRecord::nClipInfoRight, &PaperRecord::nClipInfoBottom,
          &PaperRecord::nVirtualOffsetX, &PaperRecord::nVirtualOffsetY}) {
        p.*field = Signed(r, p.*field);
    }
    // A width of 0 makes the table unusable: RandomTable sets one on purpose only.
    p.nPaperWidth = Signed(r, p.nPaperWidth, false);
    p.nPaperWidthRes = Signed(r, p.nPaperWidthRes, false);
    for (uint16_t PaperRecord::*field :
         {&PaperRecord::wPinOffsetLeft, &PaperRecord::wPinOffsetRight, &PaperRecord::wSplit,
          &PaperRecord::lblPitchDot, &PaperRecord::markNoChkValu}) {
        p.*field = Unsigned(r, p.*field);
    }
    p.byEnergyRank = static_cast<uint8_t>(r.Int(0, 255));
    if (r.Chance(50)) p.dwPaperAbility01 = r.Word();
    if (r.Chance(30)) p.dwPaperAbility02 = r.Word();
    p.editLocked = r.Chance(30);
    for (std::string PaperRecord::*field :
         {&PaperRecord::byReserved001, &PaperRecord::nSensorID, &PaperRecord::byRollWidMm,
          &PaperRecord::MediaAtrInfo, &PaperRecord::PresetBlkPos3_3, &PaperRecord::szSizeMM}) {
        if (r.Chance(20)) p.*field = Text(r, 1, r.Chance(50) ? 259 : 20);
    }
    if (r.Chance(20)) p.nCompatiblePaperSizes = Text(r, 0, 254);
    if (r.Chance(20)) p.szSizeIN = " ";
    p.reserved_12_ = Reserved(r);
}

// The papers of a shipped built-in source, as the program reads them.
std::vector<PaperRecord> ShippedPapers(const std::string& prefix) {
    const auto file = papertable::ProfileFile::Parse(ReadDataFile(prefix + "ad.txt"));
    std::vector<PaperRecord> papers;
    for (int section = 0;; ++section) {
        PaperRecord paper;
        if (!papertable::ReadPaperRecord(file, section, paper)) break;
        papers.push_back(paper);
    }
    return papers;
}

void RandomizeDevice(Random& r, RoundTripTable& out) {
    papertable::DeviceRecord& d = out.table->device;
    DeviceInfoRecord& e = out.device;
    auto text = [&](std::string& field, char* compiled, size_t size, int maxLength) {
        if (r.Chance(40)) field = Text(r, 1, maxLength);
        std::memset(compiled, 0, size);
        std::memcpy(compiled, field.data(), std::min(field.size(), size - 1));
    };
    text(d.FormatVersion, e.szFormatVersion, sizeof e.szFormatVersion, 30);
    text(d.ModelVersion, e.szModelVersion, sizeof e.szModelVersion, 30);
    text(d.OutputFileName, e.szOutputFileName, sizeof e.szOutputFileName, 30);
    text(d.dmDeviceName, e.dmDeviceName, sizeof e.dmDeviceName, 60);
    d.bySeriesCode = CodeText(r, e.bySeriesCode);
    d.byModelCode = CodeText(r, e.byModelCode);

    uint32_t value = 0;
    d.dwHeadPinNum = ModelInteger(r, 448, value);
    e.dwHeadPinNum = value;
    d.dwDeviceAbility01 = ModelInteger(r, 0x13, value);
    e.dwDeviceAbility01 = value;
    d.dwDeviceAbility02 = ModelInteger(r, 0, value);
    e.dwDeviceAbility02 = value;
    d.wMinCopies = ModelInteger(r, 1, value);
    e.wMinCopies = static_cast<uint16_t>(value);
    d.wMaxCopies = ModelInteger(r, 999, value);
    e.wMaxCopies = static_cast<uint16_t>(value);
    d.wMinCutEveryNum = ModelInteger(r, 1, value);
    e.wMinCutEveryNum = static_cast<uint16_t>(value);
    d.wMaxCutEveryNum = ModelInteger(r, 99, value);
    e.wMaxCutEveryNum = static_cast<uint16_t>(value);
    d.nDefaultPaperSize = ModelInteger(r, 257, value);
    e.nDefaultPaperSize = static_cast<int16_t>(value);
    d.nDefaultPaperLength = ModelInteger(r, 1000, value);
    e.nDefaultPaperLength = static_cast<int16_t>(value);
    d.nDefaultPaperLengthRes = ModelInteger(r, 799, value);
    e.nDefaultPaperLengthRes = static_cast<int16_t>(value);
    d.wResolutionNum = ModelInteger(r, 1, value);
    e.wResolutionNum = static_cast<uint16_t>(value);

    const uint16_t base = out.modelPrefix == "kvx520" || out.modelPrefix == "kvx620" ? 300 : 203;
    bool usable = true;
    d.wResolutions = Resolutions(r, base, e.wResolutionX, e.wResolutionY, usable);
    if (!usable) out.deviceError = "[Model] wResolutions";
}

template <size_t N>
std::u16string Units(const char16_t (&text)[N]) {
    return std::u16string(text, std::find(text, text + N, u'\0'));
}

}  // namespace

RoundTripSettings RoundTripSettingsFromEnvironment(int defaultRuns) {
    RoundTripSettings settings;
    settings.runs = defaultRuns;
    if (const char* seed = std::getenv("VELKOR_ROUNDTRIP_SEED")) {
        settings.seed = static_cast<unsigned>(std::strtoul(seed, nullptr, 10));
    }
    if (const char* runs = std::getenv("VELKOR_ROUNDTRIP_RUNS")) {
        settings.runs = std::atoi(runs);
    }
    return settings;
}

RoundTripTable RandomTable(unsigned seed) {
    Random r(seed);
    RoundTripTable out;
    out.table = std::make_unique<papertable::PaperTable>();
    out.modelPrefix = r.Pick<const char*>({"kvx510", "kvx520", "kvx610", "kvx620"});
    papertable::ReadDevice(papertable::ProfileFile::Parse(ReadDataFile(out.modelPrefix + "ed.txt")),
                           out.table->device);
    RandomizeDevice(r, out);

    const auto shipped = ShippedPapers(out.modelPrefix);
    const int user = r.Chance(5) ? papertable::kMaxPapers : r.Int(0, 12);
    const int builtIn = user == papertable::kMaxPapers ? 0 : r.Int(0, 3);
    std::vector<PaperRecord> papers;
    for (int i = 0; i < user + builtIn; ++i) {
        PaperRecord paper =
            shipped[static_cast<size_t>(r.Int(0, static_cast<int>(shipped.size()) - 1))];
        paper.builtIn = i >= user;
        if (!paper.builtIn) RandomizePaper(r, paper);
        papers.insert(papers.begin() + r.Int(0, static_cast<int>(papers.size())), paper);
    }
    // Now and then a table the printer cannot use: a user paper of width 0.
    if (user > 0 && r.Chance(4)) {
        int which = r.Int(0, user - 1);
        for (auto& paper : papers) {
            if (!paper.builtIn && which-- == 0) {
                (r.Chance(50) ? paper.nPaperWidth : paper.nPaperWidthRes) = 0;
                break;
            }
        }
    }
    for (size_t i = 0; i < papers.size(); ++i) out.table->papers[i] = papers[i];
    out.table->paperCount = static_cast<int>(papers.size());
    return out;
}

ExpectedBuild ExpectedFromWrittenTable(const RoundTripTable& generated) {
    ExpectedBuild expected;
    expected.device = generated.device;
    if (!generated.deviceError.empty()) {
        expected.usable = false;
        expected.firstError = generated.deviceError;
    }
    const auto& table = *generated.table;
    int section = 0;
    for (int i = 0; i < table.paperCount; ++i) {
        const PaperRecord& p = table.papers[static_cast<size_t>(i)];
        if (p.builtIn) continue;
        PaperInfoRecord e{};
        std::memcpy(e.szPaperName_mm, p.szPaperName_mm.data(), sizeof e.szPaperName_mm);
        std::memcpy(e.szPaperName_inch, p.szPaperName_inch.data(), sizeof e.szPaperName_inch);
        std::memcpy(e.szPaperWidthString_inch, p.szPaperWidthString_inch.data(),
                    sizeof e.szPaperWidthString_inch);
        std::memcpy(e.szPaperLengthString_inch, p.szPaperLengthString_inch.data(),
                    sizeof e.szPaperLengthString_inch);
        e.nType = p.nType;
        e.nPaperSize = p.nPaperSize;
        e.nPaperWidth = p.nPaperWidth;
        e.nImageAreaWidth = p.nImageAreaWidth;
        e.nPaperWidthRes = p.nPaperWidthRes;
        e.nImageAreaWidthRes = p.nImageAreaWidthRes;
        e.nPaperLength = p.nPaperLength;
        e.nImageAreaLength = p.nImageAreaLength;
        e.nPaperLengthRes = p.nPaperLengthRes;
        e.nImageAreaLengthRes = p.nImageAreaLengthRes;
        e.nPhysicalOffsetX = p.nPhysicalOffsetX;
        e.nPhysicalOffsetY = p.nPhysicalOffsetY;
        e.wPinOffsetLeft = p.wPinOffsetLeft;
        e.wPinOffsetRight = p.wPinOffsetRight;
        e.nMaxFeed = p.nMaxFeed;
        e.nMaxLength = p.nMaxLength;
        e.nMinLength = p.nMinLength;
        e.wSplit = p.wSplit;
        e.nClipInfoLeft = p.nClipInfoLeft;
        e.nClipInfoTop = p.nClipInfoTop;
        e.nClipInfoRight = p.nClipInfoRight;
        e.nClipInfoBottom = p.nClipInfoBottom;
        e.nVirtualOffsetX = p.nVirtualOffsetX;
        e.nVirtualOffsetY = p.nVirtualOffsetY;
        e.lblPitchDot = p.lblPitchDot;
        e.byEnergyRank = p.byEnergyRank;
        e.flags = static_cast<uint8_t>(p.dwPaperAbility01 &
                                       (kLytFlagLengthRange | kLytFlagTurned | kLytFlagClip));
        // reserved_12_ as the program reads it.
        PaperRecord read = p;
        papertable::ApplyReservedItems(read);
        e.markOffset = read.markOffset;
        e.markLength = read.markLength;
        const int item6 = papertable::ReservedItem(p.reserved_12_, 6);
        e.bySensing = item6 >= 0 && item6 <= 2
                          ? static_cast<uint8_t>(item6)
                          : (p.nType == 74 ? kLytSensingContinuous : kLytSensingGap);
        e.adjustStep1 = static_cast<int8_t>(papertable::ReservedItem(p.reserved_12_, 9));
        e.adjustStep2 = static_cast<int8_t>(papertable::ReservedItem(p.reserved_12_, 10));
        if (expected.usable && (p.nPaperWidth == 0 || p.nPaperWidthRes == 0)) {
            expected.usable = false;
            expected.firstError = "[" + papertable::PaperSectionName(section) + "] " +
                                  (p.nPaperWidth == 0 ? "nPaperWidth" : "nPaperWidthRes");
        }
        expected.papers.push_back(e);
        ++section;
    }
    return expected;
}

std::string Differences(const DeviceInfoRecord& e, const DeviceInfoRecord& a) {
    std::string out;
    auto number = [&](const char* name, long long expected, long long actual) {
        if (expected != actual) {
            out += std::string(name) + ": expected " + std::to_string(expected) + ", got " +
                   std::to_string(actual) + "\n";
        }
    };
    auto text = [&](const char* name, const char* expected, const char* actual, size_t size) {
        if (std::strncmp(expected, actual, size) != 0) {
            out += std::string(name) + ": expected \"" +
                   std::string(expected, strnlen(expected, size)) + "\", got \"" +
                   std::string(actual, strnlen(actual, size)) + "\"\n";
        }
    };
    number("bySeriesCode", e.bySeriesCode, a.bySeriesCode);
    number("byModelCode", e.byModelCode, a.byModelCode);
    text("dmDeviceName", e.dmDeviceName, a.dmDeviceName, sizeof e.dmDeviceName);
    number("dwHeadPinNum", e.dwHeadPinNum, a.dwHeadPinNum);
    number("dwDeviceAbility01", e.dwDeviceAbility01, a.dwDeviceAbility01);
    number("dwDeviceAbility02", e.dwDeviceAbility02, a.dwDeviceAbility02);
    number("wMinCopies", e.wMinCopies, a.wMinCopies);
    number("wMaxCopies", e.wMaxCopies, a.wMaxCopies);
    number("wMinCutEveryNum", e.wMinCutEveryNum, a.wMinCutEveryNum);
    number("wMaxCutEveryNum", e.wMaxCutEveryNum, a.wMaxCutEveryNum);
    number("nDefaultPaperSize", e.nDefaultPaperSize, a.nDefaultPaperSize);
    text("FormatVersion", e.szFormatVersion, a.szFormatVersion, sizeof e.szFormatVersion);
    text("ModelVersion", e.szModelVersion, a.szModelVersion, sizeof e.szModelVersion);
    number("nDefaultPaperLength", e.nDefaultPaperLength, a.nDefaultPaperLength);
    number("nDefaultPaperLengthRes", e.nDefaultPaperLengthRes, a.nDefaultPaperLengthRes);
    number("wResolutionNum", e.wResolutionNum, a.wResolutionNum);
    number("wResolutionX", e.wResolutionX, a.wResolutionX);
    number("wResolutionY", e.wResolutionY, a.wResolutionY);
    text("OutputFileName", e.szOutputFileName, a.szOutputFileName, sizeof e.szOutputFileName);
    return out;
}

std::string Differences(const PaperInfoRecord& e, const PaperInfoRecord& a) {
    std::string out;
    auto name = [&](const char* key, const std::u16string& expected, const std::u16string& actual) {
        if (expected != actual) out += std::string(key) + " differs\n";
    };
    name("szPaperName_mm", Units(e.szPaperName_mm), Units(a.szPaperName_mm));
    name("szPaperName_inch", Units(e.szPaperName_inch), Units(a.szPaperName_inch));
    name("szPaperWidthString_inch", Units(e.szPaperWidthString_inch),
         Units(a.szPaperWidthString_inch));
    name("szPaperLengthString_inch", Units(e.szPaperLengthString_inch),
         Units(a.szPaperLengthString_inch));
    // Byte 192 on: every number, compared field by field for a readable report.
    struct Field {
        const char* key;
        size_t offset;
        size_t size;
        bool isSigned;
    };
#define VELKOR_FIELD(name, isSigned)                                                    \
    Field {                                                                             \
#name, offsetof(PaperInfoRecord, name), sizeof(PaperInfoRecord::name), isSigned \
    }
    const Field fields[] = {
        VELKOR_FIELD(nType, true),
        VELKOR_FIELD(nPaperSize, true),
        VELKOR_FIELD(nPaperWidth, true),
        VELKOR_FIELD(nImageAreaWidth, true),
        VELKOR_FIELD(nPaperWidthRes, true),
        VELKOR_FIELD(nImageAreaWidthRes, true),
        VELKOR_FIELD(nPaperLength, true),
        VELKOR_FIELD(nImageAreaLength, true),
        VELKOR_FIELD(nPaperLengthRes, true),
        VELKOR_FIELD(nImageAreaLengthRes, true),
        VELKOR_FIELD(nPhysicalOffsetX, true),
        VELKOR_FIELD(nPhysicalOffsetY, true),
        VELKOR_FIELD(wPinOffsetLeft, false),
        VELKOR_FIELD(wPinOffsetRight, false),
        VELKOR_FIELD(nMaxFeed, true),
        VELKOR_FIELD(nMaxLength, true),
        VELKOR_FIELD(nMinLength, true),
        VELKOR_FIELD(wSplit, false),
        VELKOR_FIELD(nClipInfoLeft, true),
        VELKOR_FIELD(nClipInfoTop, true),
        VELKOR_FIELD(nClipInfoRight, true),
        VELKOR_FIELD(nClipInfoBottom, true),
        VELKOR_FIELD(nVirtualOffsetX, true),
        VELKOR_FIELD(nVirtualOffsetY, true),
        VELKOR_FIELD(lblPitchDot, false),
        VELKOR_FIELD(byEnergyRank, false),
        VELKOR_FIELD(bySensing, false),
        VELKOR_FIELD(flags, false),
        VELKOR_FIELD(adjustStep1, true),
        VELKOR_FIELD(adjustStep2, true),
        VELKOR_FIELD(reserved247, false),
        VELKOR_FIELD(markLength, false),
        VELKOR_FIELD(markOffset, true),
    };
#undef VELKOR_FIELD
    auto value = [](const PaperInfoRecord& record, const Field& f) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(&record) + f.offset;
        long long v = 0;
        for (size_t i = 0; i < f.size; ++i) v |= static_cast<long long>(bytes[i]) << (8 * i);
        if (f.isSigned && (v >> (8 * f.size - 1)) != 0) v -= 1ll << (8 * f.size);
        return v;
    };
    for (const Field& f : fields) {
        if (value(e, f) != value(a, f)) {
            out += std::string(f.key) + ": expected " + std::to_string(value(e, f)) + ", got " +
                   std::to_string(value(a, f)) + "\n";
        }
    }
    return out;
}

}  // namespace family_test
