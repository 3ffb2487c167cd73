// The compiler's own source reader against the program's reader (papertable's
// profile engine) on the same bytes: awkward files and random ones (fixed seed).
// The two share no code, so every read the compiler makes must give the same
// answer from both, or one of them breaks a rule of docs/source-file.md.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "family/reserved_items.h"
#include "family/source_integer.h"
#include "family/source_reader.h"
#include "papertable/profile.h"
#include "papertable/source_reader.h"
#include "tests/support/random_profile.h"

namespace family {
namespace {

using namespace std::string_literals;

// Long files are shown by their first 200 bytes.
std::string Escaped(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes.substr(0, 200)) {
        if (c < 32 || c > 126 || c == '\\') {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

class Comparison {
public:
    explicit Comparison(const std::string& bytes)
        : bytes_(bytes),
          ours_(SourceReader::Parse(bytes)),
          program_(papertable::ProfileFile::Parse(bytes)) {}

    // Every read the compiler makes, for each section and key; the number of
    // differences, the first few reported.
    int Compare(const std::vector<std::string>& sections, const std::vector<std::string>& keys) {
        for (const auto& s : sections) {
            Report("has [" + s + "]", program_.HasSection(s), ours_.HasSection(s));
            Report("lists [" + s + "]", program_.GetSection(s, 13000)[0] != '\0',
                   ours_.ListsEntries(s));
            for (const auto& k : keys) CompareKey(s, k);
        }
        return differences_;
    }

private:
    void CompareKey(const std::string& s, const std::string& k) {
        const std::string where = "[" + s + "] " + k;
        for (size_t size : {2, 3, 5, 8, 30, 255, 260}) {
            Report(where + " text size " + std::to_string(size),
                   program_.GetString(s, k, "\x01", size), ours_.Text(s, k, size).value_or("\x01"));
        }
        for (size_t size : {0, 1, 260}) {
            Report(where + " text or empty, size " + std::to_string(size),
                   program_.GetString(s, k, "", size), ours_.Text(s, k, size).value_or(""));
        }
        Report(where + " integer", program_.GetInt(s, k, 0), ours_.Integer(s, k));

        const std::string value = program_.GetString(s, k, "", 260);
        const auto theirs = papertable::ParseProfileInteger(value);
        const auto mine = ParseSourceInteger(value);
        Report(where + " integer reading",
               std::to_string(theirs.value) + " " + std::to_string(theirs.digits) + " " +
                   std::to_string(theirs.end) + " " + std::to_string(theirs.wrapped),
               std::to_string(mine.value) + " " + std::to_string(mine.digits) + " " +
                   std::to_string(mine.end) + " " + std::to_string(mine.wrapped));
        for (int item = 0; item < 6; ++item) {
            Report(where + " reserved item " + std::to_string(item),
                   papertable::ReservedItem(value, item), ReservedItem(value, item));
            Report(where + " reserved item text " + std::to_string(item),
                   std::string(papertable::ReservedItemText(value, item)),
                   std::string(ReservedItemText(value, item)));
        }
    }

    template <class T>
    void Report(const std::string& what, const T& program, const T& ours) {
        if (program == ours) return;
        if (++differences_ <= 5) {
            ADD_FAILURE() << Escaped(what) << "\n  file:    " << Escaped(bytes_)
                          << "\n  program: " << Escaped(Shown(program))
                          << "\n  ours:    " << Escaped(Shown(ours));
        }
    }
    static std::string Shown(const std::string& text) { return text; }
    template <class T>
    static std::string Shown(const T& value) {
        return std::to_string(value);
    }

    std::string bytes_;
    SourceReader ours_;
    papertable::ProfileFile program_;
    int differences_ = 0;
};

TEST(SourceReaderAgainstProgram, AwkwardFiles) {
    const std::vector<std::string> sections = {"S", "s", " S ", "T", "", "Br]ack", "Model", "x"};
    const std::vector<std::string> keys = {"k",      "K",         " k ",      "q",    "e",
                                           "n",      "",          ";c",       "long", "[NoClose",
                                           "nb\xa0", "\xe9t\xe9", "\xc9T\xc9"};
    const std::string corpus[] = {
        "[S]\r\nk = v \r\nk=second\r\n",
        "[S]\r\nq=\"quoted\"\r\ne=\r\nn\r\n;c=1\r\n",
        "[S]\r\nq='x\"\r\n[s]\r\nk=dup section\r\n",
        "[S]\nk=lf only\n[T]\nk=1",
        "[S]\rk=cr only\r[T]\rk=2\r",
        "[S]\r\nlong=" + std::string(400, 'L') + "\r\n",
        "[S]\r\nq=\"" + std::string(300, 'Q') + "\"\r\n",
        "[S]\r\nq=\"" + std::string(254, 'Q') + "\"\r\n",
        "k=before any section\r\n[S]\r\nk=1\r\n",
        "[]\r\nk=nameless\r\n[ S ]\r\nk=spaced\r\n",
        "[Br]ack]\r\n[NoClose\r\nk=1\r\n",
        "[S]\r\n\t k\t=\t\"  v  \"\t\r\n",
        "[S]\r\nk=a\0b\r\nq=\0\r\ne=a \0b\r\nn\0=x\r\n\0\r\n=y\r\n"s,
        "[S]\r\nnb\xa0=\xa0v\r\n\xc9T\xc9=up\r\n\x1ak\x1a=\x1az\x1a\r\n",
        "[S]\r\n\x1c k=\x1dv\x1e\x1f\x0b\x0c\r\n",
        "[S]\r\n=a\r\n=b\r\n\r\nk=c\r\n",
        "[Model]\r\n;only=comments\r\n  ; here\r\n[S]\r\nk=1\r\n",
        "[Model]\r\n\0\r\n[S]\r\n\0x\r\n"s,
        "[Model]\r\n\0x\r\n=y\r\n[S]\r\n\0x\r\nk=1\r\n=y\r\n"s,
        "[Model]\r\n" + std::string(14000, 'm') + "=1\r\nk=2\r\n",
        "[S]\r\nk=0x1F,+7, 8,abc,-0x3,99999999999999999999\r\nq=\"-0b101\"\r\n",
        "\xEF\xBB\xBF[S]\r\nk=bom \xC3\xA9t\xC3\xA9\r\n",
        "\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\xE9\0"s,
        "",
        "[S",
        "]]]\r\n[[[\r\n==\r\n",
    };
    int differences = 0;
    for (const auto& bytes : corpus) differences += Comparison(bytes).Compare(sections, keys);
    EXPECT_EQ(differences, 0);
}

// Random files from a small alphabet of names, blanks, quotes, numbers and line
// ends, so that names collide and every rule meets every other.
TEST(SourceReaderAgainstProgram, RandomFiles) {
    std::mt19937 random(20261211);
    testsupport::ProfileAlphabet alphabet;
    alphabet.names = {"a", "A", "b", "ab", "\xe9", "\xc9", ";a", "", "\0a"s};
    alphabet.blanks = {"", "", " ", "\t", "  ", "\x1a", "\x0b", "\xa0", "\x1c"};
    alphabet.values = {"",
                       "1",
                       "-5",
                       "0x4b",
                       "0X4B",
                       "\"q\"",
                       "'q'",
                       "\"",
                       "v w",
                       "\"a'",
                       "12ab",
                       "+3",
                       "  ",
                       "0b11",
                       "0o8",
                       "- 4",
                       "\x01",
                       "a\0b"s,
                       "\" 7 \"",
                       "1,,-2, 3,x",
                       std::string(40, '9'),
                       "0x" + std::string(30, 'f')};
    int differences = 0;
    for (int file = 0; file < 400 && differences == 0; ++file) {
        const std::string bytes = testsupport::RandomProfileText(random, alphabet);
        differences += Comparison(bytes).Compare({"a", "b", "ab", "\xc9", "", " a "},
                                                 {"a", "b", "ab", "\xe9", ";a", ""});
    }
    EXPECT_EQ(differences, 0);
}

}  // namespace
}  // namespace family
