// Crafted DeviceInfoRecord and PaperInfoRecord bytes for the capability tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "kvx610f/caps_records.h"

namespace kvx610f::testing {

template <size_t N>
struct RecordBytes {
    std::vector<uint8_t> bytes = std::vector<uint8_t>(N);

    template <class T>
    void Put(size_t offset, T value) {
        std::memcpy(bytes.data() + offset, &value, sizeof value);
    }
    const uint8_t* data() const { return bytes.data(); }
};

struct Device : RecordBytes<device_info::kSize> {
    Device(uint8_t series = 0x21, uint8_t model = 0x07, int16_t defaultTenths = 1000,
           int16_t defaultDots = 800, int16_t xRes = 203, int16_t yRes = 203) {
        bytes[device_info::kSeriesCode] = series;
        bytes[device_info::kModelCode] = model;
        Put(device_info::kDefaultLength, defaultTenths);
        Put(device_info::kDefaultLengthRes, defaultDots);
        Put(device_info::kXResolution, xRes);
        Put(device_info::kYResolution, yRes);
    }
};

// A plain, fully specified paper; tests change single fields.
struct Paper : RecordBytes<paper_info::kSize> {
    explicit Paper(int16_t id = 300, int16_t kind = 5) {
        using namespace paper_info;
        Name(kName1, "Label " + std::to_string(id));
        Name(kName2, "Label " + std::to_string(id) + " in");
        Put(kType, kind);
        Put(kPaperSize, id);
        Put<int16_t>(kWidth, 500);
        Put<int16_t>(kImageWidth, 480);
        Put<int16_t>(kWidthRes, 400);
        Put<int16_t>(kImageWidthRes, 384);
        Put<int16_t>(kLength, 300);
        Put<int16_t>(kImageLength, 280);
        Put<int16_t>(kLengthRes, 240);
        Put<int16_t>(kImageLengthRes, 224);
        Put<int16_t>(kOffsetX, 8);
        Put<int16_t>(kOffsetY, 6);
        Put<int16_t>(kMaxFeed, 900);
    }
    // Writes up to 32 units; a 32-character name fills the field with no NUL.
    Paper& Name(size_t offset, const std::string& text) {
        std::memset(bytes.data() + offset, 0, 64);
        for (size_t i = 0; i < text.size() && i < 32; ++i)
            Put<uint16_t>(offset + 2 * i, static_cast<uint8_t>(text[i]));
        return *this;
    }
    template <class T>
    Paper& Set(size_t offset, T value) {
        Put(offset, value);
        return *this;
    }
    Paper& Flags(uint8_t flags) {
        bytes[paper_info::kFlags] = flags;
        return *this;
    }
};

inline std::vector<uint8_t> Concat(const std::vector<Paper>& papers) {
    std::vector<uint8_t> all;
    for (const Paper& p : papers) all.insert(all.end(), p.bytes.begin(), p.bytes.end());
    return all;
}

// Units below 256 become their byte, others '?'.
inline void Latin1Names(const char16_t* name, char* out) {
    size_t i = 0;
    for (; name[i] != 0 && i < kAnsiNameSize; ++i)
        out[i] = name[i] < 256 ? static_cast<char>(name[i]) : '?';
    if (i < kAnsiNameSize) out[i] = '\0';
}

}  // namespace kvx610f::testing
