// The paper-table library's interface (kvx500i3.dll), as its callers see it.
// All entries use the standard Windows calling convention; success is non-zero.
#pragma once

#include <cstdint>

#ifdef _WIN32
#define LYT_CALL __stdcall
#else
#define LYT_CALL
#endif

extern "C" {

using LytHandle = void*;

using LytOpenFn = int(LYT_CALL*)(LytHandle* handle, const char* fileName);
using LytCloseFn = int(LYT_CALL*)(LytHandle handle);
using LytGetDeviceInfoFn = int(LYT_CALL*)(LytHandle handle, uint32_t level, void* buffer,
                                           uint32_t bufferSize, uint32_t* needed);
using LytGetPaperListFn = int(LYT_CALL*)(LytHandle handle, uint32_t level, void* buffer,
                                          uint32_t bufferSize, uint32_t* needed, uint32_t* count);

// The caller clears the table, puts kLytFunctionTableSize into `size` and passes it
// to LYT_InitializeA, which fills the four entries in this order. The size value is
// the family's fixed version tag (20), not sizeof: on 64-bit builds the entries are
// pointer-sized.
struct LytFunctionTable {
    uint32_t size;
    LytOpenFn Open;
    LytCloseFn Close;
    LytGetDeviceInfoFn GetDeviceInfo;
    LytGetPaperListFn GetPaperList;
};

using LytInitializeFn = int(LYT_CALL*)(LytFunctionTable* table);

}  // extern "C"

inline constexpr uint32_t kLytFunctionTableSize = 20;
inline constexpr uint32_t kDeviceInfoRecordSize = 118;
inline constexpr uint32_t kPaperInfoRecordSize = 252;
