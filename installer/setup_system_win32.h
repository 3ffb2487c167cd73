// The Win32 SetupSystem: files through the wide file calls, shortcuts through the
// shell's link object. COM must be initialised on the calling thread.
#pragma once

#include "installer/setup_system.h"

namespace setup {

class Win32SetupSystem : public SetupSystem {
public:
    std::vector<std::wstring> FileNames(const std::wstring& folder) override;
    bool FileExists(const std::wstring& path) override;
    bool CopyNewFile(const std::wstring& from, const std::wstring& to) override;
    bool RemoveFile(const std::wstring& path) override;
    bool WriteShortcut(const std::wstring& path, const Shortcut& shortcut) override;
    std::wstring ProgramFolder() override;
    void Report(const std::wstring& line) override;
};

}  // namespace setup
