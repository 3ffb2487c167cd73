#include "history/entry_file.h"

#include <cstdio>

#include "history/entry_id.h"
#include "papertable/profile.h"

namespace history {
namespace {

using Kind = paperset::ChangeDescription::Kind;

struct KindWord {
    Kind kind;
    std::string_view word;
};
constexpr KindWord kKindWords[] = {
    {Kind::Added, "added"},       {Kind::Overwritten, "overwritten"}, {Kind::Deleted, "deleted"},
    {Kind::Imported, "imported"}, {Kind::Restored, "restored"},
};

// The keys of the three files, in the order of paperset::SetBytes.
constexpr std::array<std::string_view, 3> kFileKeys = {"Source", "Table", "Data"};

constexpr char kMissing[] = "\x01";
constexpr size_t kValueBytes = 4096;

// A value the profile reader gives back as written: in quotes, so that blanks at
// either end stay, with '%' and the bytes that would end the line as "%XX".
std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '%') {
            char escape[4];
            std::snprintf(escape, sizeof escape, "%%%02X", byte);
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Undoes the "%XX" of Quoted (the reader has taken the quotes off already).
std::optional<std::string> Unescaped(std::string_view text) {
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            plain += text[i];
            continue;
        }
        if (i + 2 >= text.size()) return std::nullopt;
        const int high = HexDigit(text[i + 1]);
        const int low = HexDigit(text[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        plain += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return plain;
}

std::optional<uint64_t> Decimal(std::string_view text) {
    if (text.empty() || text.size() > 19) return std::nullopt;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    return value;
}

std::optional<uint64_t> Hexadecimal(std::string_view text) {
    if (text.size() != 16) return std::nullopt;
    uint64_t value = 0;
    for (char c : text) {
        const int digit = HexDigit(c);
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<uint64_t>(digit);
    }
    return value;
}

class Reader {
public:
    explicit Reader(std::string_view text) : file_(papertable::ProfileFile::Parse(text)) {}
    // nullopt when the key is missing.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const {
        std::string value = file_.GetString(section, key, kMissing, kValueBytes);
        if (!value.empty() && value[0] == kMissing[0]) return std::nullopt;
        return value;
    }

private:
    papertable::ProfileFile file_;
};

std::optional<KeptFile> ReadKeptFile(const Reader& reader, std::string_view key, bool& ok) {
    const std::string k(key);
    const auto name = reader.Get("Files", k);
    if (!name) ok = false;
    if (!name || name->empty()) return std::nullopt;
    const auto size = Decimal(reader.Get("Files", k + "Bytes").value_or(""));
    const auto hash = Hexadecimal(reader.Get("Files", k + "Hash").value_or(""));
    if (!size || !hash) {
        ok = false;
        return std::nullopt;
    }
    return KeptFile{*name, *size, *hash};
}

}  // namespace

uint64_t ContentHash(std::string_view bytes) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ull;
    }
    return hash;
}

std::string_view ChangeWord(Kind kind) {
    for (const auto& entry : kKindWords)
        if (entry.kind == kind) return entry.word;
    return {};
}

std::optional<Kind> ChangeKindOfWord(std::string_view word) {
    for (const auto& entry : kKindWords)
        if (entry.word == word) return entry.kind;
    return std::nullopt;
}

std::string FormatDescription(const EntryDescription& d) {
    std::string text =
        "; A paper set of the printer-driver folder, kept before a change replaced it.\r\n"
        "; To restore it by hand, copy the files named under [Files] back into that folder.\r\n"
        "[Entry]\r\n";
    text += "Kept=" + FormatKeptTime(d.kept) + "\r\n";
    text += "Change=" + std::string(ChangeWord(d.change.kind)) + "\r\n";
    text += "Subject=" + Quoted(d.change.subject) + "\r\n";
    text += "Papers=" + std::to_string(d.paperCount) + "\r\n";
    text += "[Files]\r\n";
    for (size_t i = 0; i < kFileKeys.size(); ++i) {
        const std::string key(kFileKeys[i]);
        const auto& file = d.files[i];
        text += key + "=" + (file ? file->name : std::string()) + "\r\n";
        if (!file) continue;
        char hash[20];
        std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(file->hash));
        text += key + "Bytes=" + std::to_string(file->size) + "\r\n";
        text += key + "Hash=" + hash + "\r\n";
    }
    return text;
}

std::optional<EntryDescription> ParseDescription(std::string_view text) {
    const Reader reader(text);
    EntryDescription d;
    const auto kept = ParseKeptTime(reader.Get("Entry", "Kept").value_or(""));
    const auto kind = ChangeKindOfWord(reader.Get("Entry", "Change").value_or(""));
    const auto quoted = reader.Get("Entry", "Subject");
    const auto subject = quoted ? Unescaped(*quoted) : std::nullopt;
    const auto papers = Decimal(reader.Get("Entry", "Papers").value_or(""));
    if (!kept || !kind || !subject || !papers || *papers > 1000) return std::nullopt;
    d.kept = *kept;
    d.change = {*kind, *subject};
    d.paperCount = static_cast<int>(*papers);
    bool ok = true;
    for (size_t i = 0; i < kFileKeys.size(); ++i)
        d.files[i] = ReadKeptFile(reader, kFileKeys[i], ok);
    if (!ok) return std::nullopt;
    return d;
}

}  // namespace history
