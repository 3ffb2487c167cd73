// Where a port's device lies, read from the library's own ini file.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace ornio {

// "ornio.ini" in the folder of `module`; nullopt when the module path does not fit
// the system's path limit (a cut path would name another folder).
std::optional<std::string> IniPathBeside(HMODULE module);

// The [Ports] value for `portName`; nullopt when there is none or it is longer than
// the buffer allows (a cut path would name another device).
std::optional<std::string> DevicePathFor(const std::string& iniPath, const char* portName);

}  // namespace ornio
