// kvx500i3.dll: opens compiled paper tables and hands out their records through the
// function table that LYT_InitializeA fills.
#include <windows.h>

#include <cstring>
#include <mutex>
#include <new>
#include <set>

#include "family/file_beside.h"
#include "family/file_io_win32.h"
#include "family/table_file.h"
#include "lyt_api.h"

namespace {

HMODULE g_module = nullptr;
std::mutex g_handlesMutex;
std::set<const family::CompiledTable*> g_handles;  // open handles; anything else is refused

const family::CompiledTable* Lookup(LytHandle handle) {
    std::lock_guard lock(g_handlesMutex);
    const auto it = g_handles.find(static_cast<const family::CompiledTable*>(handle));
    return it == g_handles.end() ? nullptr : *it;
}

std::optional<std::string> ReadFileForTable(const std::string& path) {
    return family::ReadWholeFile(path);
}

int LYT_CALL Open(LytHandle* handle, const char* fileName) {
    if (!handle) return 0;
    *handle = nullptr;
    if (!fileName || !*fileName) return 0;
    std::string path = fileName;
    if (family::IsBareName(path)) {
        // Beside the library only; a library that cannot tell its folder opens nothing.
        auto beside = family::FileBeside(family::ModuleFolder(g_module), path);
        if (!beside) return 0;
        path = std::move(*beside);
    }
    auto table = family::OpenTableWithUserPapers(path, &ReadFileForTable);
    if (!table) return 0;
    auto* owned = new (std::nothrow) family::CompiledTable(std::move(*table));
    if (!owned) return 0;
    std::lock_guard lock(g_handlesMutex);
    g_handles.insert(owned);
    *handle = owned;
    return 1;
}

int LYT_CALL Close(LytHandle handle) {
    std::lock_guard lock(g_handlesMutex);
    const auto it = g_handles.find(static_cast<const family::CompiledTable*>(handle));
    if (it == g_handles.end()) return 0;
    delete *it;
    g_handles.erase(it);
    return 1;
}

int LYT_CALL GetDeviceInfo(LytHandle handle, uint32_t level, void* buffer, uint32_t bufferSize,
                           uint32_t* needed) {
    if (needed) *needed = sizeof(DeviceInfoRecord);
    const auto* table = Lookup(handle);
    if (!table || level != kLytInfoLevel) return 0;
    if (!buffer || bufferSize < sizeof(DeviceInfoRecord)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(buffer, &table->device, sizeof(DeviceInfoRecord));
    return 1;
}

int LYT_CALL GetPaperList(LytHandle handle, uint32_t level, void* buffer, uint32_t bufferSize,
                          uint32_t* needed, uint32_t* count) {
    const auto* table = Lookup(handle);
    const uint32_t papers = table ? static_cast<uint32_t>(table->papers.size()) : 0;
    const uint32_t bytes = papers * static_cast<uint32_t>(sizeof(PaperInfoRecord));
    if (needed) *needed = bytes;
    if (count) *count = papers;
    if (!table || level != kLytInfoLevel) return 0;
    if (!buffer || bufferSize < bytes) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (bytes > 0) std::memcpy(buffer, table->papers.data(), bytes);
    return 1;
}

}  // namespace

extern "C" __declspec(dllexport) int LYT_CALL LYT_InitializeA(LytFunctionTable* table) {
    if (!table || table->size != kLytFunctionTableSize) return 0;
    table->Open = &Open;
    table->Close = &Close;
    table->GetDeviceInfo = &GetDeviceInfo;
    table->GetPaperList = &GetPaperList;
    return 1;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
