#include "family/paper_texts.h"

#include <cstddef>
#include <cstring>

#include "family/code_page.h"
#include "family/source_values.h"

namespace family {
namespace {

// A text of the record: ANSI in the source, UTF-16 of a fixed number of code units,
// terminator included, in the record.
struct NameKey {
    const char* key;
    size_t offset;
    size_t units;
    bool emptyAllowed;
};

consteval NameKey MakeNameKey(const char* key, size_t offset, size_t bytes, bool emptyAllowed) {
    return {key, offset, bytes / sizeof(char16_t), emptyAllowed};
}

#define FAMILY_NAME_KEY(field, emptyAllowed)                                              \
    MakeNameKey(#field, offsetof(PaperInfoRecord, field), sizeof(PaperInfoRecord::field), \
                emptyAllowed)
constexpr NameKey kNameKeys[] = {
    FAMILY_NAME_KEY(szPaperName_mm, false),
    FAMILY_NAME_KEY(szPaperName_inch, false),
    FAMILY_NAME_KEY(szPaperWidthString_inch, true),
    FAMILY_NAME_KEY(szPaperLengthString_inch, true),
};
#undef FAMILY_NAME_KEY
// The program's limits, 31 characters for names and 15 for the inch strings, are
// these fields less their terminator.
static_assert(sizeof(PaperInfoRecord::szPaperName_mm) == 32 * sizeof(char16_t));
static_assert(sizeof(PaperInfoRecord::szPaperWidthString_inch) == 16 * sizeof(char16_t));

// The other text keys the record does not hold, which must still be there: the
// program reads byReserved001 just before nCompatiblePaperSizes, and
// nCompatiblePaperSizes into 255 bytes and may find it empty. szSizeIN is not
// among them: a missing one reads as a blank and never stops the paper.
struct OtherKey {
    const char* key;
    size_t bufferBytes = kTextBufferBytes;
    bool emptyAllowed = false;
};
constexpr OtherKey kOtherKeys[] = {
    {"byReserved001"},    {"nCompatiblePaperSizes", 255, true},
    {"nSensorID"},        {"byRollWidMm"},
    {"byHeadDivide"},     {"nDieStartPlus"},
    {"nDieStartRevPlus"}, {"wDieStartFwdPlus"},
    {"nAfterFeedPlus"},   {"wPafMediaID"},
    {"PresetBlkPos1_1"},  {"PresetBlkPos2_1"},
    {"PresetBlkPos2_2"},  {"PresetBlkPos3_1"},
    {"PresetBlkPos3_2"},  {"PresetBlkPos3_3"},
    {"szSizeMM"},         {"MediaAtrInfo"},
};

PaperTexts Fault(PaperTextFault fault, const char* key, size_t length = 0) {
    PaperTexts texts;
    texts.fault = fault;
    texts.faultKey = key;
    texts.faultLength = length;
    return texts;
}

}  // namespace

PaperTexts ReadPaperTexts(const SourceReader& file, std::string_view section,
                          PaperInfoRecord& paper) {
    for (const NameKey& name : kNameKeys) {
        const auto text = ReadTextKey(file, section, name.key, kTextBufferBytes, name.emptyAllowed);
        if (!text) return Fault(PaperTextFault::kMissing, name.key);
        const std::u16string units = AnsiToUtf16(*text);
        if (units.size() >= name.units) {
            return Fault(PaperTextFault::kTooLong, name.key, name.units - 1);
        }
        auto* field = reinterpret_cast<char*>(&paper) + name.offset;
        std::memset(field, 0, name.units * sizeof(char16_t));
        std::memcpy(field, units.data(), units.size() * sizeof(char16_t));
    }
    for (const OtherKey& other : kOtherKeys) {
        if (!ReadTextKey(file, section, other.key, other.bufferBytes, other.emptyAllowed)) {
            return Fault(PaperTextFault::kMissing, other.key);
        }
    }
    const auto reserved = ReadTextKey(file, section, "reserved_12_");
    if (!reserved) return Fault(PaperTextFault::kMissing, "reserved_12_");
    PaperTexts texts;
    texts.reserved = *reserved;
    return texts;
}

}  // namespace family
