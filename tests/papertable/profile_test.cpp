// The profile engine against the answers the platform's profile functions give on
// the same bytes (measured under Wine 8; the differential test repeats them live).
#include "papertable/profile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using papertable::ProfileFile;
using namespace std::string_literals;

const std::string kTricky =
    "; comment line\r\n"
    "[Sec]\r\n"
    "  key1  =  value one  \r\n"
    "KEY1=second\r\n"
    "q1=\"quoted\"\r\n"
    "q2=\" spaced \"\r\n"
    "q3=\"half\r\n"
    "q4='single'\r\n"
    "q5=\"mixed'\r\n"
    "q6=\"\"\r\n"
    "q7=\"\r\n"
    "empty=\r\n"
    "noeq line\r\n"
    ";comkey=1\r\n"
    "long=0123456789abcdefghij\r\n"
    "[ Spaced ]\r\n"
    "k=1\r\n"
    "[sec]\r\n"
    "dup=fromsecond\r\n"
    "[Other]x\r\n"
    "a=1\r\n"
    "[Br]ack]\r\n"
    "b=2\r\n"
    "[NoClose\r\n"
    "c=3\r\n"
    "[Lf]\nx=1\ny=2\r[Cr]\rz=3\r\n"
    "[Tab]\r\n"
    "\tt\t=\tv\t\r\n"
    "\x1a"
    "k2\x1a=\x1a"
    "v2\x1a\r\n"
    "nb\xa0=\xa0v\xa0\r\n"
    "\x1c"
    "fs=\x1dv\x1e\r\n"
    "\xc9T\xc9=upper\r\n"
    "nul=ab\0cd\r\n"
    "[Last]\r\n"
    "end=final"s;

struct StringCase {
    const char* section;
    const char* key;
    const char* defaultValue;
    size_t size;
    std::string expected;
};

TEST(ProfileFileTest, StringReadsAnswerAsThePlatform) {
    const ProfileFile file = ProfileFile::Parse(kTricky);
    const StringCase cases[] = {
        {"Sec", "key1", "d", 100, "value one"},      // blanks trimmed, first key wins
        {"sEC", "KEY1", "d", 100, "value one"},      // names without case
        {" Sec ", " key1 ", "d", 100, "value one"},  // query names trimmed too
        {"Sec", "key1", "d", 5, "valu"},             // cut to the buffer
        {"Sec", "key1", "d", 2, "v"},
        {"Sec", "key1", "d", 1, ""},
        {"Sec", "key1", "d", 0, ""},
        {"Sec", "q1", "d", 100, "quoted"},  // enclosing quotes dropped
        {"Sec", "q1", "d", 8, "quoted"},
        {"Sec", "q1", "d", 7, "quote"},  // closing quote in reach: one less
        {"Sec", "q1", "d", 6, "quote"},
        {"Sec", "q2", "d", 100, " spaced "},
        {"Sec", "q3", "d", 100, "\"half"},
        {"Sec", "q4", "d", 100, "single"},
        {"Sec", "q5", "d", 100, "\"mixed'"},
        {"Sec", "q6", "d", 100, ""},
        {"Sec", "q7", "d", 100, "\""},
        {"Sec", "empty", "d", 100, ""},       // an empty value is not the default
        {"Sec", "noeq line", "d", 100, "d"},  // a key without "=" reads the default
        {"Sec", ";comkey", "d", 100, "1"},    // comments are keys to a look-up
        {"Sec", "long", "d", 10, "012345678"},
        {"Sec", "missing", "\x01", 260, "\x01"},
        {"Sec", "missing", "  def  ", 100, "  def"},  // default: trailing blanks only
        {"Sec", "missing", "   ", 100, " "},          // ... never its first character
        {"Sec", "missing", "\"def\"", 100, "def"},
        {"Sec", "missing", "", 100, ""},
        {"Sec", "missing", "0123456789", 5, "0123"},
        {"Spaced", "k", "d", 100, "1"},   // section names trimmed
        {"sec", "dup", "d", 100, "d"},    // only the first section is searched
        {"Other", "a", "d", 100, "1"},    // text after "]" ignored
        {"Br]ack", "b", "d", 100, "2"},   // up to the last "]"
        {"NoClose", "c", "d", 100, "d"},  // no "]": a key line of the last section
        {"Lf", "y", "d", 100, "2"},
        {"Cr", "z", "d", 100, "3"},
        {"Tab", "t", "d", 100, "v"},
        {"Tab", "k2", "d", 100, "v2"},             // 0x1A counts as white space
        {"Tab", "nb\xa0", "d", 100, "\xa0v\xa0"},  // no-break space does not
        {"Tab",
         "\x1c"
         "fs",
         "d", 100, "\x1dv\x1e"},  // nor do 0x1C to 0x1F
        {"Tab", "\xc9t\xc9", "d", 100, "upper"},
        {"Tab", "\xe9t\xe9", "d", 100, "d"},  // case folds for ASCII letters only
        {"Tab", "nul", "d", 100, "ab"},       // a zero byte ends the value
        {"Last", "end", "d", 100, "final"},   // no final line end
        {"Nosuch", "end", "d", 100, "d"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key + " size " + std::to_string(c.size));
        EXPECT_EQ(file.GetString(c.section, c.key, c.defaultValue, c.size), c.expected);
    }
}

TEST(ProfileFileTest, IntegerReadsAnswerAsThePlatform) {
    const ProfileFile file = ProfileFile::Parse(
        "[I]\r\ni1=0x4b\r\ni2=-5\r\ni3=0X10\r\ni4= 12abc\r\ni5=4294967297\r\ni6=-0x10\r\n"
        "i7=+7\r\ni8=0b101\r\ni9=0o17\r\ni10=abc\r\ni11=\r\ni12=\"12\"\r\ni13=65535\r\n"
        "i14=0x\r\ni15=00012\r\ni16=-\r\ni17=0xFFFFFFFF\r\ni18=  -  3\r\n"
        "i19=0000000000000000000000000000000000123\r\ni20=\"  7\"\r\n");
    const std::pair<const char*, unsigned> cases[] = {
        {"i1", 75u},
        {"i2", 0u - 5},
        {"i3", 0u},
        {"i4", 12u},
        {"i5", 1u},
        {"i6", 0u - 16},
        {"i7", 7u},
        {"i8", 5u},
        {"i9", 15u},
        {"i10", 0u},
        {"i11", 9u},
        {"i12", 12u},
        {"i13", 65535u},
        {"i14", 0u},
        {"i15", 12u},
        {"i16", 0u},
        {"i17", 0xFFFFFFFFu},
        {"i18", 0u},
        {"i19", 0u},  // read through a
                      // 30-character
                      // buffer: only zeros
                      // arrive
        {"i20", 7u},
        {"absent", 9u},
    };
    for (const auto& [key, expected] : cases) {
        SCOPED_TRACE(key);
        EXPECT_EQ(file.GetInt("I", key, 9), expected);
    }
    EXPECT_EQ(file.GetInt("I", "absent", -3), 0u - 3);
}

TEST(ProfileFileTest, IntegerReadingTellsWhatItPassedOver) {
    struct Case {
        const char* text;
        unsigned value;
        size_t digits;
        size_t end;
        bool wrapped;
    };
    const Case cases[] = {
        {"75", 75u, 2, 2, false},
        {" -5", 0u - 5, 1, 3, false},
        {"0x4b", 0x4bu, 2, 4, false},
        {"12abc", 12u, 2, 2, false},
        {"abc", 0u, 0, 0, false},
        {"0x", 0u, 0, 0, false},
        {"", 0u, 0, 0, false},
        {"4294967297", 1u, 10, 10, true},
        {"0xFFFFFFFF", 0xFFFFFFFFu, 8, 10, false},
        {"0x100000000", 0u, 9, 11, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const papertable::ProfileInteger read = papertable::ParseProfileInteger(c.text);
        EXPECT_EQ(read.value, c.value);
        EXPECT_EQ(read.digits, c.digits);
        EXPECT_EQ(read.end, c.end);
        EXPECT_EQ(read.wrapped, c.wrapped);
    }
}

TEST(ProfileFileTest, SectionListKeepsEntriesAndCutsLikeThePlatform) {
    const ProfileFile file = ProfileFile::Parse(kTricky);
    EXPECT_EQ(file.GetSection("Sec", 1000),
              "key1=value one\0KEY1=second\0q1=\"quoted\"\0q2=\" spaced \"\0q3=\"half\0"
              "q4='single'\0q5=\"mixed'\0q6=\"\"\0q7=\"\0empty=\0noeq line\0"
              "long=0123456789abcdefghij\0\0"s);
    const std::pair<size_t, std::string> cuts[] = {
        {20, "key1=value one\0KEY\0\0"s}, {3, "k\0\0"s}, {2, "\0\0"s}, {1, "\0"s}, {0, ""},
    };
    for (const auto& [size, expected] : cuts) {
        SCOPED_TRACE(size);
        EXPECT_EQ(file.GetSection("Sec", size), expected);
    }
    const std::pair<size_t, std::string> last[] = {
        {9, "end=fin\0\0"s}, {10, "end=fina\0\0"s}, {11, "end=final\0\0"s}, {12, "end=final\0\0"s}};
    for (const auto& [size, expected] : last) {
        SCOPED_TRACE(size);
        EXPECT_EQ(file.GetSection("Last", size), expected);
    }
    EXPECT_EQ(file.GetSection("Br]ack", 100), "b=2\0[NoClose\0c=3\0\0"s);
    EXPECT_EQ(file.GetSection("Nosuch", 100), "\0\0"s);
    EXPECT_FALSE(file.HasSection("Nosuch"));
    EXPECT_TRUE(file.HasSection("spaced"));
}

TEST(ProfileFileTest, CommentsAndNamelessLinesInSectionLists) {
    const ProfileFile file = ProfileFile::Parse(
        "[A]\r\n;c1\r\n  ;c2=5\r\n#h=6\r\n=first\r\n=second\r\nk\0x=kx\r\n"
        "[B]\r\n\r\n\r\n[C]\r\nonly\r\n[D]\r\nk=\r\n"s);
    EXPECT_EQ(file.GetSection("A", 100), "#h=6\0=first\0k=kx\0\0"s);
    EXPECT_EQ(file.GetString("A", ";c2", "d", 100), "5");
    EXPECT_EQ(file.GetString("A", "", "d", 100), "first");
    EXPECT_EQ(file.GetSection("B", 100), "\0\0"s);
    EXPECT_TRUE(file.HasSection("B"));
    EXPECT_EQ(file.GetSection("C", 100), "only\0\0"s);
    EXPECT_EQ(file.GetSection("D", 100), "k=\0\0"s);
}

TEST(ProfileFileTest, ByteOrderMarksConvertToAnsi) {
    const ProfileFile utf8 = ProfileFile::Parse("\xEF\xBB\xBF[S]\r\nk=caf\xC3\xA9\r\n");
    EXPECT_EQ(utf8.GetString("S", "k", "", 100), "caf\xE9");
    const ProfileFile utf16 = ProfileFile::Parse("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\xE9\0"s);
    EXPECT_EQ(utf16.GetString("S", "k", "", 100), "\xE9");
    const ProfileFile utf16be = ProfileFile::Parse("\xFE\xFF\0[\0S\0]\0\n\0k\0=\0v"s);
    EXPECT_EQ(utf16be.GetString("S", "k", "", 100), "v");
}

}  // namespace
