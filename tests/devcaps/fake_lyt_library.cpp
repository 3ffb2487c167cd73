// A stand-in paper-table library for the kvx610f tests under Wine. Its table file,
// looked up beside the DLL, holds one DeviceInfoRecord followed by PaperInfoRecords,
// nothing else. Built a second time without LYT_InitializeA for the failure tests.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "family/lyt_api.h"

namespace {

HMODULE self = nullptr;

struct Table {
    std::vector<unsigned char> bytes;
};

std::string Folder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(self, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of("\\/"));
}

int LYT_CALL Open(LytHandle* handle, const char* name) {
    *handle = nullptr;
    const std::string path = Folder() + "\\" + name;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    auto* table = new Table;
    table->bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    const bool ok = table->bytes.size() >= kDeviceInfoRecordSize &&
                    ReadFile(file, table->bytes.data(), static_cast<DWORD>(table->bytes.size()),
                             &read, nullptr) &&
                    read == table->bytes.size();
    CloseHandle(file);
    if (!ok) {
        delete table;
        return 0;
    }
    *handle = table;
    return 1;
}

int LYT_CALL Close(LytHandle handle) {
    delete static_cast<Table*>(handle);
    return 1;
}

int LYT_CALL GetDeviceInfo(LytHandle handle, uint32_t, void* buffer, uint32_t size,
                           uint32_t* needed) {
    *needed = kDeviceInfoRecordSize;
    if (buffer == nullptr || size < kDeviceInfoRecordSize) return 0;
    std::memcpy(buffer, static_cast<Table*>(handle)->bytes.data(), kDeviceInfoRecordSize);
    return 1;
}

int LYT_CALL GetPaperList(LytHandle handle, uint32_t, void* buffer, uint32_t size, uint32_t* needed,
                          uint32_t* count) {
    const auto& bytes = static_cast<Table*>(handle)->bytes;
    const uint32_t papers = static_cast<uint32_t>(bytes.size() - kDeviceInfoRecordSize);
    *needed = papers;
    *count = papers / kPaperInfoRecordSize;
    if (buffer == nullptr || size < papers) return 0;
    std::memcpy(buffer, bytes.data() + kDeviceInfoRecordSize, papers);
    return 1;
}

}  // namespace

// The noinit variant exports the same entry under another name.
#ifndef FAKE_LYT_WITHOUT_INITIALIZE
#define FAKE_LYT_ENTRY LYT_InitializeA
#else
#define FAKE_LYT_ENTRY LYT_InitializeB
#endif

extern "C" __declspec(dllexport) int LYT_CALL FAKE_LYT_ENTRY(LytFunctionTable* table) {
    if (table->size != kLytFunctionTableSize) return 0;
    table->Open = Open;
    table->Close = Close;
    table->GetDeviceInfo = GetDeviceInfo;
    table->GetPaperList = GetPaperList;
    return 1;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) self = instance;
    return TRUE;
}
