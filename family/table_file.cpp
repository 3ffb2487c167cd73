#include "family/table_file.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace family {
namespace {

template <size_t N>
bool IsTerminated(const char (&text)[N]) {
    return std::memchr(text, 0, N) != nullptr;
}

template <size_t N>
bool IsTerminated(const char16_t (&text)[N]) {
    return std::find(text, text + N, u'\0') != text + N;
}

bool Fail(std::string* error, std::string reason) {
    if (error) *error = std::move(reason);
    return false;
}

}  // namespace

uint32_t Crc32(std::string_view bytes, uint32_t crc) {
    static const auto table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (unsigned char b : bytes) crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::string SerializeTable(const CompiledTable& table) {
    std::string body(sizeof(DeviceInfoRecord) + table.papers.size() * sizeof(PaperInfoRecord),
                     '\0');
    std::memcpy(body.data(), &table.device, sizeof(DeviceInfoRecord));
    if (!table.papers.empty()) {
        std::memcpy(body.data() + sizeof(DeviceInfoRecord), table.papers.data(),
                    table.papers.size() * sizeof(PaperInfoRecord));
    }
    TableFileHeader header{};
    std::memcpy(header.magic, kTableMagic, sizeof header.magic);
    header.version = kTableVersion;
    header.headerSize = sizeof(TableFileHeader);
    header.deviceSize = sizeof(DeviceInfoRecord);
    header.paperSize = sizeof(PaperInfoRecord);
    header.paperCount = static_cast<uint16_t>(table.papers.size());
    header.crc = Crc32(body);
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    return bytes + body;
}

bool IsValidDevice(const DeviceInfoRecord& device, std::string* error) {
    if (!IsTerminated(device.dmDeviceName) || !IsTerminated(device.szFormatVersion) ||
        !IsTerminated(device.szModelVersion) || !IsTerminated(device.szOutputFileName)) {
        return Fail(error, "device record: unterminated text");
    }
    if (device.wResolutionX == 0 || device.wResolutionY == 0) {
        return Fail(error, "device record: zero resolution");
    }
    if (std::any_of(std::begin(device.reserved88), std::end(device.reserved88),
                    [](uint8_t b) { return b != 0; })) {
        return Fail(error, "device record: reserved bytes set");
    }
    return true;
}

bool IsValidPaper(const PaperInfoRecord& paper, std::string* error) {
    if (!IsTerminated(paper.szPaperName_mm) || !IsTerminated(paper.szPaperName_inch) ||
        !IsTerminated(paper.szPaperWidthString_inch) ||
        !IsTerminated(paper.szPaperLengthString_inch)) {
        return Fail(error, "paper record: unterminated text");
    }
    if (paper.szPaperName_mm[0] == 0 || paper.szPaperName_inch[0] == 0) {
        return Fail(error, "paper record: empty name");
    }
    if ((paper.flags & ~kLytKnownFlags) != 0) return Fail(error, "paper record: unknown flags");
    if (paper.bySensing > kLytSensingMark) return Fail(error, "paper record: unknown sensing");
    if (paper.reserved247 != 0) return Fail(error, "paper record: reserved byte set");
    return true;
}

const char* ZeroWidthKey(const PaperInfoRecord& paper) {
    if (paper.nPaperWidth == 0) return "nPaperWidth";
    if (paper.nPaperWidthRes == 0) return "nPaperWidthRes";
    return nullptr;
}

std::optional<CompiledTable> ParseTable(std::string_view bytes, std::string* error) {
    TableFileHeader header{};
    if (bytes.size() < sizeof header) {
        Fail(error, "file too short");
        return std::nullopt;
    }
    std::memcpy(&header, bytes.data(), sizeof header);
    if (std::memcmp(header.magic, kTableMagic, sizeof header.magic) != 0 ||
        header.version != kTableVersion || header.headerSize != sizeof header ||
        header.deviceSize != sizeof(DeviceInfoRecord) ||
        header.paperSize != sizeof(PaperInfoRecord) || header.reserved14 != 0 ||
        std::any_of(std::begin(header.reserved20), std::end(header.reserved20),
                    [](uint8_t b) { return b != 0; })) {
        Fail(error, "not a paper table of this version");
        return std::nullopt;
    }
    if (header.paperCount > kMaxTablePapers) {
        Fail(error, "too many papers");
        return std::nullopt;
    }
    const size_t expected = sizeof header + sizeof(DeviceInfoRecord) +
                            size_t{header.paperCount} * sizeof(PaperInfoRecord);
    if (bytes.size() != expected) {
        Fail(error, "file size does not match the paper count");
        return std::nullopt;
    }
    const std::string_view body = bytes.substr(sizeof header);
    if (Crc32(body) != header.crc) {
        Fail(error, "checksum mismatch");
        return std::nullopt;
    }
    CompiledTable table;
    std::memcpy(&table.device, body.data(), sizeof(DeviceInfoRecord));
    if (!IsValidDevice(table.device, error)) return std::nullopt;
    table.papers.resize(header.paperCount);
    if (header.paperCount > 0) {
        std::memcpy(table.papers.data(), body.data() + sizeof(DeviceInfoRecord),
                    table.papers.size() * sizeof(PaperInfoRecord));
    }
    for (const auto& paper : table.papers) {
        if (!IsValidPaper(paper, error)) return std::nullopt;
    }
    return table;
}

std::optional<std::string> UserTableBeside(std::string_view builtInPath) {
    constexpr std::string_view kSuffix = "ad.lyt";
    if (builtInPath.size() < kSuffix.size()) return std::nullopt;
    const size_t at = builtInPath.size() - kSuffix.size();
    for (size_t i = 0; i < kSuffix.size(); ++i) {
        const char c = builtInPath[at + i];
        const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != kSuffix[i]) return std::nullopt;
    }
    std::string user(builtInPath);
    user[at] = user[at] == 'A' ? 'E' : 'e';
    return user;
}

std::optional<CompiledTable> OpenTableWithUserPapers(const std::string& path, FileReader read,
                                                     std::string* error) {
    const auto bytes = read(path);
    if (!bytes) {
        Fail(error, "cannot read " + path);
        return std::nullopt;
    }
    auto table = ParseTable(*bytes, error);
    if (!table) return std::nullopt;
    const auto userPath = UserTableBeside(path);
    if (!userPath) return table;
    const auto userBytes = read(*userPath);
    if (!userBytes) return table;
    const auto user = ParseTable(*userBytes);
    if (!user || user->device.bySeriesCode != table->device.bySeriesCode ||
        user->device.byModelCode != table->device.byModelCode) {
        return table;
    }
    // The program lists at most kMaxTablePapers papers, built-in ones first.
    const size_t room = kMaxTablePapers - std::min(kMaxTablePapers, table->papers.size());
    const size_t taken = std::min(room, user->papers.size());
    table->papers.insert(table->papers.end(), user->papers.begin(),
                         user->papers.begin() + static_cast<std::ptrdiff_t>(taken));
    return table;
}

}  // namespace family
