// kvx610host.exe: loads kvx610f.dll as the driver side does and prints every answer
// of MyDeviceCapabilities for one DEVMODEA.
#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "family/capshost/host_options.h"

namespace {

using CapsFn = DWORD(WINAPI*)(LPCSTR, LPCSTR, WORD, LPSTR, const DEVMODEA*);

constexpr DWORD kNoAnswer = 0xFFFFFFFF;
constexpr size_t kPaperCapsSize = 138;
constexpr size_t kClipSize = 20;
constexpr size_t kRangeRowSize = 103;

template <class T>
T At(const std::vector<uint8_t>& bytes, size_t offset) {
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

std::string Text(const std::vector<uint8_t>& bytes, size_t offset, size_t size) {
    const char* start = reinterpret_cast<const char*>(bytes.data() + offset);
    return std::string(start, strnlen(start, size));
}

std::string DefaultLibrary() {
    char dir[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir,
                                    &needed))
        return {};
    return std::string(dir) + "\\3\\kvx610f.dll";
}

std::string Answer(DWORD value) {
    if (value == kNoAnswer) return "none (0xFFFFFFFF)";
    char text[32];
    std::snprintf(text, sizeof text, "%lu (0x%08lX)", value, value);
    return text;
}

std::string Mm(uint16_t tenths) {
    char text[16];
    std::snprintf(text, sizeof text, "%d.%d", tenths / 10, tenths % 10);
    return text;
}

std::vector<uint8_t> MakeDevMode(const capshost::HostOptions& options) {
    const size_t size = options.dmSize.value_or(sizeof(DEVMODEA));
    std::vector<uint8_t> bytes(std::max(size, sizeof(DEVMODEA)) + options.driverExtra + 32);
    auto* dm = reinterpret_cast<DEVMODEA*>(bytes.data());
    std::strcpy(reinterpret_cast<char*>(dm->dmDeviceName), "kvx610host");
    dm->dmSpecVersion = DM_SPECVERSION;
    dm->dmSize = static_cast<WORD>(size);
    dm->dmDriverExtra = static_cast<WORD>(options.driverExtra);
    dm->dmFields = DM_PRINTQUALITY | DM_YRESOLUTION;
    dm->dmPrintQuality = static_cast<short>(options.deviceDpi * (options.doubleX ? 2 : 1));
    dm->dmYResolution = static_cast<short>(options.deviceDpi * (options.doubleY ? 2 : 1));
    const uint32_t flags = options.turned ? 0x00100000 : 0;
    std::memcpy(bytes.data() + size + 22, &flags, sizeof flags);
    return bytes;
}

void PrintPapers(CapsFn caps, const DEVMODEA* dm) {
    const DWORD count = caps(nullptr, nullptr, 257, nullptr, dm);
    std::printf("\nPapers (257): %s\n", Answer(count).c_str());
    if (count == kNoAnswer || count == 0) return;
    std::vector<uint8_t> out(count * kPaperCapsSize);
    caps(nullptr, nullptr, 257, reinterpret_cast<LPSTR>(out.data()), dm);
    std::printf("  %-3s %5s %-31s %-31s %-13s %-13s %-11s %-13s %-13s %6s %5s %s\n", "#", "id",
                "name 1", "name 2", "width mm/dt", "length mm/dt", "offset x/y", "print w mm/dt",
                "print l mm/dt", "kind", "link", "n");
    for (DWORD i = 0; i < count; ++i) {
        const size_t r = i * kPaperCapsSize;
        char width[32], length[32], offset[32], printW[32], printL[32];
        std::snprintf(width, sizeof width, "%s/%u", Mm(At<uint16_t>(out, r + 114)).c_str(),
                      At<uint16_t>(out, r + 112));
        std::snprintf(length, sizeof length, "%s/%u", Mm(At<uint16_t>(out, r + 4)).c_str(),
                      At<uint16_t>(out, r + 2));
        std::snprintf(offset, sizeof offset, "%u/%u", At<uint16_t>(out, r + 116),
                      At<uint16_t>(out, r + 6));
        std::snprintf(printW, sizeof printW, "%s/%u", Mm(At<uint16_t>(out, r + 120)).c_str(),
                      At<uint16_t>(out, r + 118));
        std::snprintf(printL, sizeof printL, "%s/%u", Mm(At<uint16_t>(out, r + 122)).c_str(),
                      At<uint16_t>(out, r + 8));
        std::printf("  %-3lu %5u %-31s %-31s %-13s %-13s %-11s %-13s %-13s 0x%04X %5u %u\n", i + 1,
                    At<uint16_t>(out, r), Text(out, r + 12, 50).c_str(),
                    Text(out, r + 62, 50).c_str(), width, length, offset, printW, printL,
                    At<uint32_t>(out, r + 124), At<uint16_t>(out, r + 128), out[r + 130]);
    }
}

void PrintClips(CapsFn caps, const DEVMODEA* dm) {
    const DWORD count = caps(nullptr, nullptr, 279, nullptr, dm);
    std::printf("\nClip areas (279): %s\n", Answer(count).c_str());
    if (count == kNoAnswer || count == 0) return;
    std::vector<uint8_t> out(count * kClipSize);
    caps(nullptr, nullptr, 279, reinterpret_cast<LPSTR>(out.data()), dm);
    std::printf("  %-3s %-7s %7s %7s %7s %7s (dots)\n", "#", "flags", "left", "top", "right",
                "bottom");
    for (DWORD i = 0; i < count; ++i) {
        const size_t r = i * kClipSize;
        std::printf("  %-3lu 0x%04X %7d %7d %7d %7d\n", i + 1, At<int32_t>(out, r),
                    At<int32_t>(out, r + 4), At<int32_t>(out, r + 8), At<int32_t>(out, r + 12),
                    At<int32_t>(out, r + 16));
    }
}

void PrintLengthRange(CapsFn caps, const DEVMODEA* dm) {
    const DWORD count = caps(nullptr, nullptr, 270, nullptr, dm);
    std::printf("\nLength range (270): %s\n", Answer(count).c_str());
    if (count != 2) return;
    std::vector<uint8_t> out(2 * kRangeRowSize);
    caps(nullptr, nullptr, 270, reinterpret_cast<LPSTR>(out.data()), dm);
    for (size_t row = 0; row < 2; ++row) {
        const size_t r = row * kRangeRowSize;
        std::printf("  %s: %u mm, %d dots, labels [%s] and [%s]\n",
                    row == 0 ? "shortest" : "longest ", out[r], At<int16_t>(out, r + 1),
                    Text(out, r + 3, 50).c_str(), Text(out, r + 53, 50).c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto options = capshost::ParseHostOptions({argv + 1, argv + argc}, error);
    if (!options) {
        std::fprintf(stderr, "kvx610host: %s\n%s", error.c_str(), capshost::kHostUsage);
        return 2;
    }
    if (options->help) {
        std::printf("%s", capshost::kHostUsage);
        return 0;
    }
    const std::string path = options->library.empty() ? DefaultLibrary() : options->library;
    std::printf("Library: %s\n", path.c_str());
    HMODULE module = LoadLibraryA(path.c_str());
    if (module == nullptr) {
        std::printf("Loading failed (error %lu): the library or its paper table did not load.\n",
                    GetLastError());
        return 1;
    }
    auto caps = reinterpret_cast<CapsFn>(
        reinterpret_cast<void*>(GetProcAddress(module, "MyDeviceCapabilities")));
    if (caps == nullptr) {
        std::printf("The library has no export MyDeviceCapabilities.\n");
        FreeLibrary(module);
        return 1;
    }

    std::vector<uint8_t> devmode = MakeDevMode(*options);
    const auto* dm =
        options->nullDevMode ? nullptr : reinterpret_cast<const DEVMODEA*>(devmode.data());
    if (dm == nullptr) {
        std::printf("DEVMODEA: none\n");
    } else {
        std::printf(
            "DEVMODEA: dmSize %u, dmDriverExtra %u, dmPrintQuality %d, "
            "dmYResolution %d, turned flag %s\n",
            dm->dmSize, dm->dmDriverExtra, dm->dmPrintQuality, dm->dmYResolution,
            options->turned ? "set" : "clear");
    }

    const DWORD model = caps(nullptr, nullptr, 278, nullptr, dm);
    std::printf("\nModel and series (278): %s, model code %lu, series code %lu\n",
                Answer(model).c_str(), (model >> 8) & 0xFF, model & 0xFF);
    for (WORD index : {269, 271, 276, 280, 274, 275})
        std::printf("Index %u: %s\n", index,
                    Answer(caps(nullptr, nullptr, index, nullptr, dm)).c_str());
    PrintPapers(caps, dm);
    PrintClips(caps, dm);
    PrintLengthRange(caps, dm);
    FreeLibrary(module);
    return 0;
}
