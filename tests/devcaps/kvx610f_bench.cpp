// Attach plus one index-257 query over 100 papers, against loading a DLL that does
// nothing. Prints the figures; the goal is a difference under 2 ms.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/devcaps/driver_folder_win.h"
#include "tests/devcaps/paper_bytes.h"

namespace {

using CapsFn = DWORD(WINAPI*)(LPCSTR, LPCSTR, WORD, LPSTR, const DEVMODEA*);

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 50;
    using devcaps::testing::Paper;
    devcaps::testing::DriverFolderStage stage;
    std::vector<uint8_t> table = devcaps::testing::Device().bytes;
    for (int i = 0; i < 100; ++i) {
        const auto paper = Paper(static_cast<int16_t>(300 + i), i % 7 == 0 ? 138 : 5).bytes;
        table.insert(table.end(), paper.begin(), paper.end());
    }
    if (!stage.PutLibrary(FAKE_LYT_PATH) || !stage.PutTable(table)) {
        std::printf("could not stage the paper-table library in %s\n", stage.Folder().c_str());
        return 1;
    }

    std::vector<DEVMODEA> devmode(2);
    devmode[0].dmSize = sizeof(DEVMODEA);
    devmode[0].dmPrintQuality = 203;
    devmode[0].dmYResolution = 203;
    std::vector<uint8_t> out(100 * 138);

    // One warm-up of each so that file caches do not count.
    FreeLibrary(LoadLibraryA(NOTHING_PATH));
    FreeLibrary(LoadLibraryA(KVX610F_PATH));

    const std::string library = stage.Folder() + "\\kvx500i3.dll";
    double nothing = 0, caps = 0, paperLibrary = 0, directory = 0;
    for (int round = 0; round < rounds; ++round) {
        double start = Now();
        FreeLibrary(LoadLibraryA(library.c_str()));
        paperLibrary += Now() - start;

        start = Now();
        char dir[MAX_PATH];
        DWORD needed = 0;
        GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), 244, &needed);
        directory += Now() - start;

        start = Now();
        HMODULE empty = LoadLibraryA(NOTHING_PATH);
        nothing += Now() - start;
        FreeLibrary(empty);

        start = Now();
        HMODULE module = LoadLibraryA(KVX610F_PATH);
        if (module == nullptr) {
            std::printf("kvx610f.dll did not load\n");
            return 1;
        }
        auto query = reinterpret_cast<CapsFn>(
            reinterpret_cast<void*>(GetProcAddress(module, "MyDeviceCapabilities")));
        const DWORD count = query(nullptr, nullptr, 257, nullptr, devmode.data());
        query(nullptr, nullptr, 257, reinterpret_cast<LPSTR>(out.data()), devmode.data());
        caps += Now() - start;
        FreeLibrary(module);
        if (count != 100) {
            std::printf("expected 100 papers, got %lu\n", count);
            return 1;
        }
    }
    std::printf("rounds: %d\n", rounds);
    std::printf("do-nothing DLL load:              %.3f ms\n", nothing / rounds);
    std::printf("kvx610f load + 257 over 100 papers: %.3f ms\n", caps / rounds);
    std::printf("of which, measured apart:\n");
    std::printf("  paper-table library load:       %.3f ms\n", paperLibrary / rounds);
    std::printf("  GetPrinterDriverDirectoryA:     %.3f ms\n", directory / rounds);
    std::printf("difference:                       %.3f ms (goal: under 2 ms)\n",
                (caps - nothing) / rounds);
    return 0;
}
