// The strings of a loaded language module, read the one way both programs read them:
// velkor's Win32Ui and velkorctl, which loads the module for its texts alone.
#pragma once

#include "win/strings.h"
#include "win/win32_api.h"

namespace win {

// String `id` of `module` in the ANSI code page, whole whatever its length; empty
// when missing or empty.
std::string LoadModuleString(HINSTANCE module, int id);
bool ModuleHasString(HINSTANCE module, int id);

class Win32Strings : public Strings {
public:
    explicit Win32Strings(HINSTANCE module) : module_(module) {}
    std::string LoadString(int id) override { return LoadModuleString(module_, id); }
    bool HasString(int id) override { return ModuleHasString(module_, id); }

private:
    HINSTANCE module_;
};

}  // namespace win
