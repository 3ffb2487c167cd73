// kvx610f.dll: DllMain, the export, and the Win32 side of heap, loader and names.
#include <windows.h>
#include <winspool.h>

#include <cstddef>

#include "kvx610f/ansi_name.h"
#include "kvx610f/caps_answer.h"
#include "kvx610f/caps_attach.h"

static_assert(offsetof(DEVMODEA, dmSize) == kvx610f::devmode::kSize);
static_assert(offsetof(DEVMODEA, dmDriverExtra) == kvx610f::devmode::kDriverExtra);
static_assert(offsetof(DEVMODEA, dmPrintQuality) == kvx610f::devmode::kPrintQuality);
static_assert(offsetof(DEVMODEA, dmYResolution) == kvx610f::devmode::kYResolution);

namespace {

class ProcessHeap final : public kvx610f::TableHeap {
public:
    void* Allocate(size_t bytes) override {
        return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes);
    }
    void Release(void* block) override {
        if (block != nullptr) HeapFree(GetProcessHeap(), 0, block);
    }
};

class Loader final : public kvx610f::LoaderPort {
public:
    bool DriverDirectory(char* path) override {
        DWORD needed = 0;
        return GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(path),
                                          kvx610f::kDriverDirectoryOffered, &needed) != FALSE;
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
    kvx610f::FitAnsiName(converted, out, [](uint8_t byte) { return IsDBCSLeadByte(byte) != 0; });
}

ProcessHeap heap;
kvx610f::CapsTables tables(heap, ConvertName);
kvx610f::AttachState attachState;

}  // namespace

extern "C" DWORD WINAPI MyDeviceCapabilities(LPCSTR /*device*/, LPCSTR /*port*/, WORD index,
                                             LPSTR output, const DEVMODEA* devmode) {
    return kvx610f::Answer(tables, index, output, reinterpret_cast<const uint8_t*>(devmode));
}

extern "C" BOOL WINAPI DllMain(HINSTANCE /*instance*/, DWORD reason, LPVOID /*reserved*/) {
    switch (reason) {
        case DLL_PROCESS_ATTACH: {
            Loader loader;
            return kvx610f::Attach(tables, loader, heap, attachState) ? TRUE : FALSE;
        }
        case DLL_PROCESS_DETACH:
            tables.Free();
            return TRUE;
        default:
            return TRUE;
    }
}
