// kvx610f's own copy of the paper table: device values, three groups of paper and
// clip entries, and the two length-range rows. Platform-neutral; the library hands
// in its heap and its name conversion.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "kvx610f/caps_records.h"

namespace kvx610f {

// Zero-filled blocks for the six tables and the attach buffers.
class TableHeap {
public:
    virtual void* Allocate(size_t bytes) = 0;  // zero-filled; nullptr on failure
    virtual void Release(void* block) = 0;     // accepts nullptr

protected:
    ~TableHeap() = default;
};

// Converts a NUL-terminated UTF-16 name of at most 32 units into the ANSI code page.
// `out` has kAnsiNameSize bytes; the caller forces its last byte to NUL afterwards.
using NameConverter = void (*)(const char16_t* name, char* out);

struct DeviceValues {
    uint8_t seriesCode = 0;
    uint8_t modelCode = 0;
    int16_t defaultLengthTenths = 0;
    int16_t defaultLengthDots = 0;
    int16_t xResolution = 0;
    int16_t yResolution = 0;
};

// Groups are answered in this order; each keeps the library's delivery order.
enum class PaperGroup { kFirst = 0, kSecond = 1, kOther = 2 };
inline constexpr size_t kGroupCount = 3;

PaperGroup GroupOfKind(int16_t kind);
uint32_t KindFlags(int16_t kind);

DeviceValues ReadDeviceValues(const uint8_t* deviceInfo);
PaperEntry BuildEntry(const uint8_t* paperInfo, const DeviceValues& device, NameConverter convert);
PaperClipRecord BuildClip(const uint8_t* paperInfo);

// Widens the length range with one paper's top offset and maximum feed.
void UpdateLengthRange(std::array<LengthRangeRow, 2>& rows, const uint8_t* paperInfo,
                       int16_t yResolution);
// Millimetres of a range row: rounded from dots, kept to the byte the row holds.
uint8_t RangeMillimetres(int16_t dots, int16_t yResolution, uint8_t previous);

std::array<LengthRangeRow, 2> InitialLengthRange();

class CapsTables {
public:
    CapsTables(TableHeap& heap, NameConverter convert);
    ~CapsTables();
    CapsTables(const CapsTables&) = delete;
    CapsTables& operator=(const CapsTables&) = delete;

    void SetDevice(const DeviceValues& device) { device_ = device; }
    const DeviceValues& Device() const { return device_; }

    // Replaces the tables with the papers of `papers` (`count` records as reported by
    // the paper-table library, `bytes` the size of the buffer). Only as many records
    // as the buffer holds are read. False when a table cannot be allocated; then no
    // table is kept.
    bool Build(const uint8_t* papers, size_t bytes, uint32_t count);
    void Free();

    std::span<const PaperEntry> Entries(PaperGroup group) const;
    std::span<const PaperClipRecord> Clips(PaperGroup group) const;
    uint32_t PaperCount() const;
    const std::array<LengthRangeRow, 2>& LengthRange() const { return lengthRange_; }

private:
    struct GroupTable {
        PaperEntry* entries = nullptr;
        PaperClipRecord* clips = nullptr;
        int16_t count = 0;
    };

    TableHeap& heap_;
    NameConverter convert_;
    DeviceValues device_;
    std::array<GroupTable, kGroupCount> groups_{};
    std::array<LengthRangeRow, 2> lengthRange_;
};

}  // namespace kvx610f
