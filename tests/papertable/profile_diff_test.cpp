// The profile engine and the platform's profile functions on the same files: a
// corpus of awkward files and randomly generated ones (fixed seed). Every look-up
// must give the same bytes.
#include <gtest/gtest.h>
#include <windows.h>

#include <random>
#include <string>
#include <vector>

#include "papertable/profile.h"
#include "tests/support/random_profile.h"

namespace {

using papertable::ProfileFile;
using namespace std::string_literals;

std::string Escaped(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c < 32 || c > 126 || c == '\\') {
            char hex[8];
            wsprintfA(hex, "\\x%02x", c);
            out += hex;
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

class ProfileDiffTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ =
            std::string(temp) + "velkor_profile_diff_" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder_.c_str(), nullptr);
    }
    void TearDown() override {
        for (const auto& path : written_) DeleteFileA(path.c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    // Each file gets a new name: the platform keeps recently read files cached.
    std::string WriteFile(const std::string& bytes) {
        const std::string path = folder_ + "\\f" + std::to_string(written_.size()) + ".ini";
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD done = 0;
        ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
        CloseHandle(h);
        written_.push_back(path);
        return path;
    }

    // Runs the look-ups on one file; returns the number of differences (each one
    // reported).
    int Compare(const std::string& bytes, const std::vector<std::string>& sections,
                const std::vector<std::string>& keys) {
        const std::string path = WriteFile(bytes);
        const ProfileFile ours = ProfileFile::Parse(bytes);
        int differences = 0;
        auto report = [&](const std::string& what, const std::string& platform,
                          const std::string& engine) {
            if (platform == engine) return;
            if (++differences <= 5) {
                ADD_FAILURE() << what << "\n  file: " << Escaped(bytes)
                              << "\n  platform: " << Escaped(platform)
                              << "\n  engine:   " << Escaped(engine);
            }
        };
        static const size_t kStringSizes[] = {1, 2, 3, 5, 8, 30, 260};
        static const char* const kDefaults[] = {"\x01", "", "  d e f  ", "\"q\""};
        for (const auto& s : sections) {
            for (const auto& k : keys) {
                for (size_t size : kStringSizes) {
                    const char* def = kDefaults[(size + k.size()) % 4];
                    std::string buffer(size + 8, '\x7f');
                    const DWORD n =
                        GetPrivateProfileStringA(s.c_str(), k.c_str(), def, buffer.data(),
                                                 static_cast<DWORD>(size), path.c_str());
                    report("string [" + s + "] " + k + " size " + std::to_string(size),
                           buffer.substr(0, n), ours.GetString(s, k, def, size));
                }
                const UINT platformInt =
                    GetPrivateProfileIntA(s.c_str(), k.c_str(), 7, path.c_str());
                report("int [" + s + "] " + k, std::to_string(platformInt),
                       std::to_string(ours.GetInt(s, k, 7)));
            }
            static const size_t kSectionSizes[] = {3, 4, 7, 16, 41, 13000};
            for (size_t size : kSectionSizes) {
                std::string buffer(size + 8, '\x7f');
                GetPrivateProfileSectionA(s.c_str(), buffer.data(), static_cast<DWORD>(size),
                                          path.c_str());
                const std::string engine = ours.GetSection(s, size);
                report("section [" + s + "] size " + std::to_string(size),
                       buffer.substr(0, engine.size()), engine);
            }
        }
        return differences;
    }

    std::string folder_;
    std::vector<std::string> written_;
};

TEST_F(ProfileDiffTest, AwkwardFiles) {
    const std::vector<std::string> sections = {"S", "s", " S ", "T", "", "Br]ack", "x", "Model"};
    const std::vector<std::string> keys = {
        "k", "K", " k ", "q", "e", "n", "", ";c", "long", "dup", "[NoClose", "nb\xa0", "\xe9t\xe9"};
    const std::string corpus[] = {
        "[S]\r\nk = v \r\nk=second\r\n",                  // blanks around =, duplicate key
        "[S]\r\nq=\"quoted\"\r\ne=\r\nn\r\n;c=1\r\n",     // quotes, empty, no "=", comment
        "[S]\r\nq='x\"\r\n[s]\r\nk=dup section\r\n",      // mixed quotes, duplicate section
        "[S]\nk=lf only\n[T]\nk=1",                       // LF only, no final line end
        "[S]\rk=cr only\r[T]\rk=2\r",                     // CR only
        "[S]\r\nlong=" + std::string(400, 'L') + "\r\n",  // longer than any buffer
        "[S]\r\nq=\"" + std::string(300, 'Q') + "\"\r\n",
        "k=before any section\r\n[S]\r\nk=1\r\n",
        "[]\r\nk=nameless\r\n[ S ]\r\nk=spaced\r\n",
        "[Br]ack]\r\n[NoClose\r\nk=1\r\n",
        "[S]\r\n\t k\t=\t\"  v  \"\t\r\n",
        "[S]\r\nk=a\0b\r\nq=\0\r\n"s,  // zero bytes
        "[S]\r\nnb\xa0=\xa0v\r\n\xc9T\xc9=up\r\n\x1ak\x1a=\x1az\x1a\r\n",
        "[S]\r\n\x1c k=\x1dv\x1e\x1f\x0b\x0c\r\n",
        "[S]\r\n=a\r\n=b\r\n\r\nk=c\r\n",
        "\xEF\xBB\xBF[S]\r\nk=bom \xC3\xA9t\xC3\xA9\r\n",
        "[Model]\r\n" + std::string(14000, 'm') + "=1\r\nk=2\r\n",
        "",
        "[S",
        "]]]\r\n[[[\r\n==\r\n",
    };
    int differences = 0;
    for (const auto& bytes : corpus) differences += Compare(bytes, sections, keys);
    EXPECT_EQ(differences, 0);
}

// Random files from a small alphabet of names, blanks, quotes and line ends, so
// that names collide and every rule meets every other.
TEST_F(ProfileDiffTest, RandomFiles) {
    std::mt19937 random(20240611);
    testsupport::ProfileAlphabet alphabet;
    alphabet.names = {"a", "A", "b", "ab", "\xe9", "\xc9", ";a", ""};
    alphabet.blanks = {"", "", " ", "\t", "  ", "\x1a", "\x0b", "\xa0"};
    alphabet.values = {"",      "1",   "-5", "0x4b", "0X4B",
                       "\"q\"", "'q'", "\"", "v w",  "\"a'",
                       "12ab",  "+3",  "  ", "0b11", std::string(40, '9')};
    int differences = 0;
    for (int file = 0; file < 100 && differences == 0; ++file) {
        const std::string bytes = testsupport::RandomProfileText(random, alphabet);
        differences +=
            Compare(bytes, {"a", "b", "ab", "\xc9", "", " a "}, {"a", "b", "ab", "\xe9", ";a", ""});
    }
    EXPECT_EQ(differences, 0);
}

}  // namespace
