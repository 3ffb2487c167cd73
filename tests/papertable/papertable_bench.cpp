// Reading and writing a 100-paper source file with the in-memory engine against
// the platform's profile functions called key by key. Prints the times and ratios.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "papertable/source_reader.h"
#include "papertable/source_writer.h"
#include "tests/papertable/sample_source.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

std::string ReadAll(const std::string& path) {
    std::string bytes;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) return bytes;
    bytes.resize(GetFileSize(h, nullptr));
    DWORD done = 0;
    ::ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    CloseHandle(h);
    return bytes;
}

void WriteAll(const std::string& path, const std::string& bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    CloseHandle(h);
}

struct Entry {
    std::string section, key, value;
};

// The file's keys in order, as a key-by-key reader or writer goes through them.
std::vector<Entry> Entries(const std::string& text) {
    std::vector<Entry> entries;
    std::string section;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find("\r\n", pos);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(pos, end - pos);
        pos = end + 2;
        if (line.size() > 2 && line.front() == '[') {
            section = line.substr(1, line.size() - 2);
        } else if (const size_t eq = line.find('='); eq != std::string::npos && line[0] != ';') {
            entries.push_back({section, line.substr(0, eq), line.substr(eq + 1)});
        }
    }
    return entries;
}

}  // namespace

int main() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string ours = std::string(temp) + "papertable_bench_ours.txt";
    const std::string platform = std::string(temp) + "papertable_bench_platform.txt";

    papertable::PaperTable table;
    const auto sampleFile = papertable::ProfileFile::Parse(sample::File(100, "Label "));
    papertable::ReadDevice(sampleFile, table.device);
    papertable::LoadPaperTable(table, papertable::ProfileFile{}, sampleFile, false, nullptr);
    const std::string text = papertable::UserSourceText(table, table.paperCount);
    WriteAll(ours, text);
    const std::vector<Entry> entries = Entries(text);
    std::printf("table: %d papers, %zu keys, %zu bytes\n", table.paperCount, entries.size(),
                text.size());

    // Reading: ours parses the file once per run; the platform is asked key by key.
    constexpr int kOurRuns = 50;
    auto start = Clock::now();
    for (int run = 0; run < kOurRuns; ++run) {
        papertable::PaperTable read;
        const auto file = papertable::ProfileFile::Parse(ReadAll(ours));
        papertable::ReadDevice(file, read.device);
        papertable::LoadPaperTable(read, papertable::ProfileFile{}, file, false, nullptr);
        if (read.paperCount != 100) std::printf("read %d papers!\n", read.paperCount);
    }
    const double ourRead = Seconds(start) / kOurRuns;
    start = Clock::now();
    char buffer[260];
    for (const auto& e : entries) {
        GetPrivateProfileStringA(e.section.c_str(), e.key.c_str(), "\x01", buffer, sizeof buffer,
                                 ours.c_str());
    }
    const double platformRead = Seconds(start);

    // Writing: ours builds the text and writes it once; the platform writes key by key.
    start = Clock::now();
    for (int run = 0; run < kOurRuns; ++run)
        WriteAll(ours, papertable::UserSourceText(table, table.paperCount));
    const double ourWrite = Seconds(start) / kOurRuns;
    DeleteFileA(platform.c_str());
    start = Clock::now();
    for (const auto& e : entries) {
        WritePrivateProfileStringA(e.section.c_str(), e.key.c_str(), e.value.c_str(),
                                   platform.c_str());
    }
    const double platformWrite = Seconds(start);
    DeleteFileA(platform.c_str());
    DeleteFileA(ours.c_str());

    std::printf("read:  engine %8.3f ms   platform key by key %9.1f ms   ratio %7.0fx\n",
                ourRead * 1e3, platformRead * 1e3, platformRead / ourRead);
    std::printf("write: engine %8.3f ms   platform key by key %9.1f ms   ratio %7.0fx\n",
                ourWrite * 1e3, platformWrite * 1e3, platformWrite / ourWrite);
    return 0;
}
