// The attach sequence: load the paper-table library from the driver folder, have it
// open the compiled table once, copy the device values and papers, unload it again.
#pragma once

#include <cstddef>

#include "familyapi/lyt_api.h"
#include "kvx610f/caps_tables.h"

namespace kvx610f {

inline constexpr size_t kPathCapacity = 260;
inline constexpr uint32_t kDriverDirectoryOffered = 244;
inline constexpr char kLibrarySubfolder[] = "\\3\\";
inline constexpr char kLibraryName[] = "kvx500i3.dll";
inline constexpr char kInitializeName[] = "LYT_InitializeA";
inline constexpr char kTableName[] = "KVX610ad.lyt";

// The loader calls the attach sequence needs (the Win32 library passes the real ones).
class LoaderPort {
public:
    // The printer-driver directory of the local machine into `path` (kPathCapacity
    // bytes, kDriverDirectoryOffered of them offered); false on failure.
    virtual bool DriverDirectory(char* path) = 0;
    virtual void* Load(const char* path) = 0;
    virtual void* Find(void* module, const char* name) = 0;
    virtual void Unload(void* module) = 0;

protected:
    ~LoaderPort() = default;
};

struct AttachState {
    LytFunctionTable functions{};
    LytHandle handle = nullptr;
    void* module = nullptr;
};

// Builds the library path into `path` (kPathCapacity bytes). False when the result
// would not fit; a cut path could name some other file, so it is never used.
bool LibraryPath(char* path);

// Runs the whole sequence; true only when the device values and the paper tables were
// both read. The paper-table library is unloaded again in every case.
bool Attach(CapsTables& tables, LoaderPort& loader, TableHeap& heap, AttachState& state);

}  // namespace kvx610f
