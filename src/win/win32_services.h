// Win32 implementations of the platform services, and the bundle of one of each
// that the program hands to its dialogs.
#pragma once

#include "win/services.h"
#include "win/win32_api.h"

namespace win {

class Win32Spooler : public Spooler {
public:
    std::optional<std::vector<PrinterInfo>> EnumeratePrinters() override;
    std::optional<std::string> GetPort(const std::string& printerName) override;
    bool SetPort(const std::string& printerName, const std::string& portName) override;
    std::optional<std::string> DriverDirectory() override;
};

class Win32Locale : public Locale {
public:
    std::optional<std::string> MeasurementSystem() override;
    // "." when the locale cannot be read.
    std::string DecimalSeparator() override;
    std::string FormatDate(const LocalTime& time) override;
    std::string FormatTime(const LocalTime& time) override;
};

class Win32Clock : public Clock {
public:
    LocalTime Now() override;
};

class Win32FileSystem : public FileSystem {
public:
    bool FileExists(const std::string& path) override;
    std::optional<uint32_t> Attributes(const std::string& path) override;
    bool SetAttributes(const std::string& path, uint32_t attributes) override;
    std::optional<std::string> ReadFile(const std::string& path) override;
    bool WriteFileAtomic(const std::string& path, const std::string& bytes) override;
    bool CopyFile(const std::string& from, const std::string& to) override;
    bool DeleteFile(const std::string& path) override;
    std::string TempFolder() override;
    std::optional<std::string> ProgramPath() override;
    std::string CurrentDirectory() override;
    bool SetCurrentDirectory(const std::string& path) override;
    std::string DocumentsFolder() override;
    FolderCreation CreateFolder(const std::string& path) override;
    std::optional<std::vector<FolderItem>> ListFolder(const std::string& path) override;
    bool RemoveFolder(const std::string& path) override;
};

class Win32Processes : public Processes {
public:
    bool RunAndWait(const std::string& commandLine, bool noWindow) override;
};

class Win32Instance : public Instance {
public:
    bool CreateOwnedMutexExisted(const std::string& name) override;
    void ActivateWindow(const std::string& title) override;

private:
    HANDLE mutex_ = nullptr;  // held until the process ends
};

struct Win32Services {
    Win32Spooler spooler;
    Win32Locale locale;
    Win32FileSystem files;
    Win32Processes processes;
    Win32Instance instance;
    Win32Clock clock;
    Services services{spooler, locale, files, processes, instance, clock};

    Win32Services() = default;
    Win32Services(const Win32Services&) = delete;
    Win32Services& operator=(const Win32Services&) = delete;
};

}  // namespace win
