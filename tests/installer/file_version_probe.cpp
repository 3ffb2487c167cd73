// Prints the version resource of one program or library for the installer test,
// one "key=value" a line:
//
//   file_version_probe <file>
//   fixed=1.0.0.0            the numeric file version
//   product=1.0.0.0          the numeric product version
//   FileVersion=1.0.0        the strings of the US English block
//   ProductVersion=1.0.0
//   ProductName=...
//
// Exit code 0 on success, 1 when the file has no version resource, 2 on bad usage.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Numbers(DWORD high, DWORD low) {
    char text[64];
    std::snprintf(text, sizeof text, "%lu.%lu.%lu.%lu", static_cast<unsigned long>(HIWORD(high)),
                  static_cast<unsigned long>(LOWORD(high)), static_cast<unsigned long>(HIWORD(low)),
                  static_cast<unsigned long>(LOWORD(low)));
    return text;
}

void PrintString(const std::vector<char>& data, const char* key) {
    const std::string query = std::string("\\StringFileInfo\\040904E4\\") + key;
    char* value = nullptr;
    UINT size = 0;
    if (VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &size) &&
        value)
        std::printf("%s=%s\n", key, value);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: file_version_probe <file>\n");
        return 2;
    }
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(argv[1], &handle);
    if (size == 0) return 1;
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(argv[1], 0, size, data.data())) return 1;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize) || !fixed)
        return 1;
    std::printf("fixed=%s\n", Numbers(fixed->dwFileVersionMS, fixed->dwFileVersionLS).c_str());
    std::printf("product=%s\n",
                Numbers(fixed->dwProductVersionMS, fixed->dwProductVersionLS).c_str());
    for (const char* key : {"FileVersion", "ProductVersion", "ProductName"}) PrintString(data, key);
    std::fflush(stdout);
    return 0;
}
