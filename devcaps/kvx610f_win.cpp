// kvx610f.dll: DllMain, the export, and the Win32 side of heap, loader and names.
#include <windows.h>
#include <winspool.h>

#include <cstddef>

#include "devcaps/ansi_name.h"
#include "devcaps/caps_answer.h"
#include "devcaps/caps_attach.h"

static_assert(offsetof(DEVMODEA, dmSize) == devcaps::devmode::kSize);
static_assert(offsetof(DEVMODEA, dmDriverExtra) == devcaps::devmode::kDriverExtra);
static_assert(offsetof(DEVMODEA, dmPrintQuality) == devcaps::devmode::kPrintQuality);
static_assert(offsetof(DEVMODEA, dmYResolution) == devcaps::devmode::kYResolution);

namespace {

class ProcessHeap final : public devcaps::TableHeap {
public:
    void* Allocate(size_t bytes) override {
        return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes);
    }
    void Release(void* block) override {
        if (block != nullptr) HeapFree(GetProcessHeap(), 0, block);
    }
};

class Loader final : public devcaps::LoaderPort {
public:
    bool DriverDirectory(char* path) override {
        DWORD needed = 0;
        return GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(path),
                                          devcaps::kDriverDirectoryOffered, &needed) != FALSE;
    }
    void* Load(const char* path) override { return LoadLibraryA(path); }
    void* Find(void* module, const char* name) override {
        return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
    }
    void Unload(void* module) override { FreeLibrary(static_cast<HMODULE>(module)); }
};

void ConvertName(const char16_t* name, char* out) {
    // Room for 32 units in any ANSI code page, so the conversion itself never fails
    // for lack of space; the fit to 49 bytes follows.
    char converted[4 * 32 + 1] = {};
    if (WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(name), -1, converted,
                            sizeof converted, nullptr, nullptr) == 0) {
        converted[0] = '\0';
    }
    devcaps::FitAnsiName(converted, out, [](uint8_t byte) { return IsDBCSLeadByte(byte) != 0; });
}

ProcessHeap heap;
devcaps::CapsTables tables(heap, ConvertName);
devcaps::AttachState attachState;

}  // namespace

extern "C" DWORD WINAPI MyDeviceCapabilities(LPCSTR /*device*/, LPCSTR /*port*/, WORD index,
                                             LPSTR output, const DEVMODEA* devmode) {
    return devcaps::Answer(tables, index, output, reinterpret_cast<const uint8_t*>(devmode));
}

extern "C" BOOL WINAPI DllMain(HINSTANCE /*instance*/, DWORD reason, LPVOID /*reserved*/) {
    switch (reason) {
        case DLL_PROCESS_ATTACH: {
            Loader loader;
            return devcaps::Attach(tables, loader, heap, attachState) ? TRUE : FALSE;
        }
        case DLL_PROCESS_DETACH:
            tables.Free();
            return TRUE;
        default:
            return TRUE;
    }
}
