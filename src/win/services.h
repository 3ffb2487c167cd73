// Platform services behind small interfaces, so that logic runs against test fakes
// natively and against the Win32 implementations (win/*_win32.cpp) for real.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace win {

struct PrinterInfo {
    std::string printerName;
    std::string driverName;
};

class Spooler {
public:
    virtual ~Spooler() = default;
    // Local and connected printers (level-2 records); nullopt when enumeration fails.
    virtual std::optional<std::vector<PrinterInfo>> EnumeratePrinters() = 0;
    // The queue's port name (level 2); nullopt when the printer cannot be read.
    virtual std::optional<std::string> GetPort(const std::string& printerName) = 0;
    // Changes the queue's port (level 2, full access).
    virtual bool SetPort(const std::string& printerName, const std::string& portName) = 0;
    // Printer-driver directory of the local machine for the default environment.
    virtual std::optional<std::string> DriverDirectory() = 0;
};

// A moment in local time, to the second, as the platform's clock gives it.
struct LocalTime {
    int year = 0;
    int month = 0;  // 1 to 12
    int day = 0;    // 1 to 31
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const LocalTime&) const = default;
};

class Clock {
public:
    virtual ~Clock() = default;
    // The local time now.
    virtual LocalTime Now() = 0;
};

class Locale {
public:
    virtual ~Locale() = default;
    // LOCALE_IMEASURE of the user default locale: "0" metric, "1" U.S.
    virtual std::optional<std::string> MeasurementSystem() = 0;
    // LOCALE_SDECIMAL of the user default locale.
    virtual std::string DecimalSeparator() = 0;
    // The date in the user's short date format, the time of day in the user's time
    // format; empty when the time cannot be formatted.
    virtual std::string FormatDate(const LocalTime& time) = 0;
    virtual std::string FormatTime(const LocalTime& time) = 0;
};

inline constexpr uint32_t kAttributeReadOnly = 0x1;  // FILE_ATTRIBUTE_READONLY

enum class FolderCreation {
    Created,  // made by this call
    Existed,  // already there
    Failed,
};

// One name in a folder listing.
struct FolderItem {
    std::string name;
    bool isFolder = false;
    bool operator==(const FolderItem&) const = default;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual bool FileExists(const std::string& path) = 0;
    virtual std::optional<uint32_t> Attributes(const std::string& path) = 0;
    virtual bool SetAttributes(const std::string& path, uint32_t attributes) = 0;
    virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
    // Writes the whole file through a temporary file in the same folder that then
    // replaces the destination, so a failure leaves the old file whole.
    virtual bool WriteFileAtomic(const std::string& path, const std::string& bytes) = 0;
    // Copies over an existing destination, replacing it atomically.
    virtual bool CopyFile(const std::string& from, const std::string& to) = 0;
    virtual bool DeleteFile(const std::string& path) = 0;
    // The user's temporary folder with a trailing separator.
    virtual std::string TempFolder() = 0;
    // Full path of the running program; nullopt when it cannot be obtained.
    virtual std::optional<std::string> ProgramPath() = 0;
    virtual std::string CurrentDirectory() = 0;
    virtual bool SetCurrentDirectory(const std::string& path) = 0;
    virtual std::string DocumentsFolder() = 0;
    // Creates one folder; its parent must exist.
    virtual FolderCreation CreateFolder(const std::string& path) = 0;
    // The files and folders directly in `path` (without "." and ".."), in no
    // particular order; nullopt when the folder does not exist or cannot be read.
    virtual std::optional<std::vector<FolderItem>> ListFolder(const std::string& path) = 0;
    // Removes an empty folder.
    virtual bool RemoveFolder(const std::string& path) = 0;
};

class Processes {
public:
    virtual ~Processes() = default;
    // Starts `commandLine` and returns when it has ended; false (at once) when it
    // cannot be started. Meanwhile the calling thread's windows are repainted, so
    // whichever dialog is on top stays drawn; the input and commands that reached
    // them during the run are discarded at the end.
    virtual bool RunAndWait(const std::string& commandLine, bool noWindow) = 0;
};

class Instance {
public:
    virtual ~Instance() = default;
    // Creates the named mutex, initially owned and held until the process ends;
    // true when it already existed.
    virtual bool CreateOwnedMutexExisted(const std::string& name) = 0;
    // Finds a top-level window by its exact title and brings it to the foreground.
    virtual void ActivateWindow(const std::string& title) = 0;
};

// All services of one run, handed to dialogs by reference.
struct Services {
    Spooler& spooler;
    Locale& locale;
    FileSystem& files;
    Processes& processes;
    Instance& instance;
    Clock& clock;
};

}  // namespace win
