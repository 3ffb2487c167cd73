#include "family/ornio/device_path.h"

#include <array>

namespace ornio {

std::optional<std::string> IniPathBeside(HMODULE module) {
    std::array<char, MAX_PATH> buffer{};
    const DWORD length = GetModuleFileNameA(module, buffer.data(), buffer.size());
    if (length == 0 || length >= buffer.size()) return std::nullopt;
    std::string path(buffer.data(), length);
    const size_t slash = path.find_last_of("\\/");
    path.erase(slash == std::string::npos ? 0 : slash + 1);
    return path + "ornio.ini";
}

std::optional<std::string> DevicePathFor(const std::string& iniPath, const char* portName) {
    std::array<char, 1024> buffer{};
    const DWORD length = GetPrivateProfileStringA("Ports", portName, "", buffer.data(),
                                                  buffer.size(), iniPath.c_str());
    // A value that fills the buffer may have been cut.
    if (length == 0 || length >= buffer.size() - 1) return std::nullopt;
    return std::string(buffer.data(), length);
}

}  // namespace ornio
