#include "kvx610f/caps_attach.h"

#include <cstring>

namespace kvx610f {

namespace {

bool Append(char* path, const char* text) {
    const size_t used = strnlen(path, kPathCapacity);
    const size_t length = std::strlen(text);
    if (used + length >= kPathCapacity) return false;
    std::memcpy(path + used, text, length + 1);
    return true;
}

}  // namespace

bool LibraryPath(char* path) {
    return Append(path, kLibrarySubfolder) && Append(path, kLibraryName);
}

namespace {

void UnloadLibrary(LoaderPort& loader, AttachState& state) {
    state.functions = LytFunctionTable{};
    state.handle = nullptr;
    if (state.module != nullptr) loader.Unload(state.module);
    state.module = nullptr;
}

// Steps up to an open table handle; on failure nothing stays loaded.
bool OpenTable(LoaderPort& loader, AttachState& state) {
    state.functions = LytFunctionTable{};
    char path[kPathCapacity] = {};
    if (!loader.DriverDirectory(path)) return false;
    path[kPathCapacity - 1] = '\0';
    if (!LibraryPath(path)) return false;

    state.module = loader.Load(path);
    if (state.module == nullptr) return false;
    state.functions.size = kLytFunctionTableSize;
    auto initialize = reinterpret_cast<LytInitializeFn>(loader.Find(state.module, kInitializeName));
    if (initialize == nullptr || initialize(&state.functions) == 0 ||
        state.functions.Open == nullptr || state.functions.Close == nullptr ||
        state.functions.GetDeviceInfo == nullptr || state.functions.GetPaperList == nullptr) {
        UnloadLibrary(loader, state);
        return false;
    }
    if (state.functions.Open(&state.handle, kTableName) == 0 || state.handle == nullptr) {
        UnloadLibrary(loader, state);
        return false;
    }
    return true;
}

bool ReadDevice(CapsTables& tables, TableHeap& heap, AttachState& state) {
    auto* buffer = static_cast<uint8_t*>(heap.Allocate(device_info::kSize));
    if (buffer == nullptr) return false;
    uint32_t needed = 0;
    const bool ok =
        state.functions.GetDeviceInfo(state.handle, 1, buffer, device_info::kSize, &needed) != 0;
    if (ok) tables.SetDevice(ReadDeviceValues(buffer));
    heap.Release(buffer);
    return ok;
}

bool ReadPapers(CapsTables& tables, TableHeap& heap, AttachState& state) {
    uint32_t needed = 0;
    uint32_t count = 0;
    state.functions.GetPaperList(state.handle, 1, nullptr, 0, &needed, &count);
    if (needed == 0 || count == 0) return false;
    auto* buffer = static_cast<uint8_t*>(heap.Allocate(needed));
    if (buffer == nullptr) return false;
    uint32_t filledNeeded = needed;
    uint32_t filledCount = count;
    bool ok = state.functions.GetPaperList(state.handle, 1, buffer, needed, &filledNeeded,
                                           &filledCount) != 0;
    // Never walk more records than the buffer holds, whatever the second call reports.
    if (ok) ok = tables.Build(buffer, needed, count < filledCount ? count : filledCount);
    heap.Release(buffer);
    return ok;
}

}  // namespace

bool Attach(CapsTables& tables, LoaderPort& loader, TableHeap& heap, AttachState& state) {
    if (state.handle == nullptr && !OpenTable(loader, state)) return false;
    const bool deviceRead = ReadDevice(tables, heap, state);
    const bool papersRead = ReadPapers(tables, heap, state);
    state.functions.Close(state.handle);
    UnloadLibrary(loader, state);
    return deviceRead && papersRead;
}

}  // namespace kvx610f
