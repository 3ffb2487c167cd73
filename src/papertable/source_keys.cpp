// The key tables checked at compile time: a mistake in an entry stops the build.
#include "papertable/source_keys.h"

#include <type_traits>

namespace papertable {
namespace {

template <KeyKind kind>
using FieldOf = std::variant_alternative_t<static_cast<size_t>(kind), PaperField>;
static_assert(std::is_same_v<FieldOf<KeyKind::Signed16>, int16_t PaperRecord::*>);
static_assert(std::is_same_v<FieldOf<KeyKind::Unsigned16>, uint16_t PaperRecord::*>);
static_assert(std::is_same_v<FieldOf<KeyKind::Unsigned8>, uint8_t PaperRecord::*>);
static_assert(std::is_same_v<FieldOf<KeyKind::Unsigned32>, uint32_t PaperRecord::*>);
static_assert(std::is_same_v<FieldOf<KeyKind::Text>, std::string PaperRecord::*>);
static_assert(std::is_same_v<FieldOf<KeyKind::WideName>, WideText<kNameUnits> PaperRecord::*>);
static_assert(
    std::is_same_v<FieldOf<KeyKind::WideInch>, WideText<kInchStringUnits> PaperRecord::*>);
static_assert(std::variant_size_v<PaperField> == static_cast<size_t>(KeyKind::WideInch) + 1);

constexpr bool IsInteger(KeyKind kind) {
    return kind != KeyKind::Text && kind != KeyKind::WideName && kind != KeyKind::WideInch;
}

// Whether the name's prefix agrees with the field: true for a name without one of
// the prefixes.
constexpr bool PrefixTellsWidth(const PaperKey& key) {
    auto prefixed = [&](std::string_view prefix) {
        return key.name.size() > prefix.size() && key.name.starts_with(prefix) &&
               key.name[prefix.size()] >= 'A' && key.name[prefix.size()] <= 'Z';
    };
    const KeyKind kind = KindOf(key);
    if (prefixed("dw")) return kind == KeyKind::Unsigned32;
    if (prefixed("by")) return kind == KeyKind::Unsigned8;
    if (prefixed("sz")) return !IsInteger(kind);
    if (prefixed("n")) return kind == KeyKind::Signed16;
    if (prefixed("w")) return kind == KeyKind::Unsigned16;
    return true;
}

constexpr bool EveryKey(bool (*check)(const PaperKey&)) {
    for (const PaperKey& key : kPaperKeys) {
        if (!check(key)) return false;
    }
    return true;
}

static_assert(EveryKey([](const PaperKey& k) {
                  return PrefixTellsWidth(k) != k.widthUnlikePrefix;
              }),
              "widthUnlikePrefix must be set exactly where the field differs from the prefix");

static_assert(EveryKey([](const PaperKey& k) {
                  return (KindOf(k) == KeyKind::Unsigned32) == (k.format == KeyFormat::Hex8) &&
                         (k.format != KeyFormat::Hex || IsInteger(KindOf(k)));
              }),
              "unsigned 32-bit keys and only they are written as 0x%08x; Hex is for integers");

static_assert(EveryKey([](const PaperKey& k) {
                  return KindOf(k) == KeyKind::Text
                             ? k.readBytes > 1 && k.readBytes <= kTextBufferBytes
                             : k.readBytes == kTextBufferBytes &&
                                   (!IsInteger(KindOf(k)) || k.presence == Presence::Required);
              }),
              "read buffers are for texts; integers are never missing");

constexpr bool NamesAndFieldsUnique() {
    for (size_t i = 0; i < kPaperKeyCount; ++i) {
        for (size_t j = i + 1; j < kPaperKeyCount; ++j) {
            if (kPaperKeys[i].name == kPaperKeys[j].name) return false;
            if (kPaperKeys[i].field == kPaperKeys[j].field) return false;
        }
    }
    return true;
}
static_assert(NamesAndFieldsUnique(), "a key name or record field appears twice");

constexpr size_t CountRule(KeyRule rule) {
    size_t count = 0;
    for (const PaperKey& key : kPaperKeys) count += key.rule == rule ? 1 : 0;
    return count;
}
constexpr const PaperKey& KeyWithRule(KeyRule rule) {
    for (const PaperKey& key : kPaperKeys) {
        if (key.rule == rule) return key;
    }
    throw "no key has the rule";
}
constexpr size_t ReadingPosition(const PaperKey& key) {
    for (size_t i = 0; i < kPaperKeyCount; ++i) {
        if (&kPaperKeys[kPaperKeyReadingOrder[i]] == &key) return i;
    }
    throw "key not read";
}
static_assert(CountRule(KeyRule::MarkWrittenAsLabel) == 1 &&
              CountRule(KeyRule::EditLockedBit) == 1 && CountRule(KeyRule::ReservedItems) == 1);
static_assert(KindOf(KeyWithRule(KeyRule::MarkWrittenAsLabel)) == KeyKind::Signed16);
static_assert(KindOf(KeyWithRule(KeyRule::EditLockedBit)) == KeyKind::Unsigned32);
static_assert(KeyWithRule(KeyRule::ReservedItems).field == PaperField(&PaperRecord::reserved_12_));
// The reserved items can set the kind 76; reading the kind afterwards would undo it.
static_assert(ReadingPosition(KeyWithRule(KeyRule::ReservedItems)) >
              ReadingPosition(KeyWithRule(KeyRule::MarkWrittenAsLabel)));

}  // namespace
}  // namespace papertable
