// The compiler's own source reader against the profile-reading rules of
// docs/source-file.md ("How the file is read"), rule by rule.
#include "family/source_reader.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace family {
namespace {

using namespace std::string_literals;

constexpr size_t kWide = 260;
const std::optional<std::string> kNone = std::nullopt;

std::string Shown(const std::optional<std::string>& text) {
    return text ? "\"" + *text + "\"" : "(none)";
}

struct TextCase {
    const char* what;
    std::string file;
    const char* section;
    const char* key;
    size_t buffer;
    std::optional<std::string> expected;
};

void CheckTexts(const TextCase* begin, const TextCase* end) {
    for (const TextCase* c = begin; c != end; ++c) {
        SCOPED_TRACE(c->what);
        const auto read = SourceReader::Parse(c->file).Text(c->section, c->key, c->buffer);
        EXPECT_EQ(read, c->expected) << Shown(read);
    }
}

TEST(SourceReader, NamesCompareWithoutAsciiCaseAndTheFirstOneWins) {
    const TextCase cases[] = {
        {"key in another case", "[S]\r\nKey=v\r\n", "s", "KEY", kWide, "v"},
        {"first key of a name", "[S]\r\nk=first\r\nK=second\r\n", "S", "k", kWide, "first"},
        {"first section of a name", "[S]\r\na=1\r\n[s]\r\nb=2\r\n", "S", "b", kWide, kNone},
        {"first section holds it", "[S]\r\na=1\r\n[s]\r\na=2\r\n", "s", "a", kWide, "1"},
        {"letters beyond ASCII keep their case", "[S]\r\n\xc9t\xc9=v\r\n", "S", "\xe9t\xe9", kWide,
         kNone},
        {"the same letter beyond ASCII", "[S]\r\n\xc9T\xc9=v\r\n", "S", "\xc9t\xc9", kWide, "v"},
        {"names asked for with blanks", "[S]\r\nk=v\r\n", " S\t", " k ", kWide, "v"},
        {"lines before the first header", "k=top\r\n[S]\r\nk=v\r\n", "", "k", kWide, "top"},
        // The lines before the first header are the first section named "", even
        // when there are none.
        {"an empty header names a second one", "[]\r\nk=v\r\n", "", "k", kWide, kNone},
        {"no such section", "[S]\r\nk=v\r\n", "T", "k", kWide, kNone},
    };
    CheckTexts(std::begin(cases), std::end(cases));
}

TEST(SourceReader, HeadersRunToTheLastBracket) {
    const TextCase cases[] = {
        {"blanks inside the brackets", "[ S\t]\r\nk=v\r\n", "S", "k", kWide, "v"},
        {"text after the bracket", "[S]junk\r\nk=v\r\n", "S", "k", kWide, "v"},
        {"a bracket inside the name", "[S]x]\r\nk=v\r\n", "S]x", "k", kWide, "v"},
        {"no closing bracket: a key line", "[S]\r\n[T\r\nk=v\r\n", "S", "k", kWide, "v"},
        {"the key line reads as a key", "[S]\r\n[T\r\n", "S", "[T", kWide, kNone},
        {"a header after blanks", "  [S]\r\nk=v\r\n", "S", "k", kWide, "v"},
    };
    CheckTexts(std::begin(cases), std::end(cases));
}

TEST(SourceReader, WhiteSpaceAroundLinesNamesAndValuesIsDropped) {
    const TextCase cases[] = {
        {"blanks and tabs", "[S]\r\n \t k \t= \t v w \t \r\n", "S", "k", kWide, "v w"},
        {"vertical tab and form feed", "[S]\r\n\x0bk\x0c=\x0bv\x0c\r\n", "S", "k", kWide, "v"},
        {"0x1A", "[S]\r\n\x1ak\x1a=\x1av\x1a\r\n", "S", "k", kWide, "v"},
        {"0x1C to 0x1F are not white space", "[S]\r\nk=\x1cv\x1f\r\n", "S", "k", kWide,
         "\x1cv\x1f"},
        {"nor is the no-break space", "[S]\r\nk\xa0=\xa0v\r\n", "S", "k\xa0", kWide, "\xa0v"},
        {"inside a value they stay", "[S]\r\nk=a  b\r\n", "S", "k", kWide, "a  b"},
    };
    CheckTexts(std::begin(cases), std::end(cases));
}

TEST(SourceReader, LinesEndAtCrOrLfInAnyMix) {
    const std::string file = "[A]\na=1\r[B]\rb=2\r\n\r\n[C]\n\rc=3\r\r\nd=4";
    const TextCase cases[] = {
        {"after LF", file, "A", "a", kWide, "1"},
        {"after CR", file, "B", "b", kWide, "2"},
        {"after LF CR", file, "C", "c", kWide, "3"},
        {"the last line without an end", file, "C", "d", kWide, "4"},
    };
    CheckTexts(std::begin(cases), std::end(cases));
}

TEST(SourceReader, MissingKeyLineWithoutEqualsAndEmptyValueDiffer) {
    const std::string file = "[S]\r\nempty=\r\nbare\r\nblank=   \r\n";
    const TextCase cases[] = {
        {"an empty value", file, "S", "empty", kWide, ""},
        {"a line without \"=\" reads the default", file, "S", "bare", kWide, kNone},
        {"only white space", file, "S", "blank", kWide, ""},
        {"no such key", file, "S", "absent", kWide, kNone},
    };
    CheckTexts(std::begin(cases), std::end(cases));
}

TEST(SourceReader, PairsOfEqualQuotesComeOff) {
    const TextCase cases[] = {
        {"double quotes", "[S]\r\nk=\"v\"\r\n", "S", "k", kWide, "v"},
        {"single quotes", "[S]\r\nk='v'\r\n", "S", "k", kWide, "v"},
        {"blanks inside stay", "[S]\r\nk=\" v \"\r\n", "S", "k", kWide, " v "},
        {"an empty pair", "[S]\r\nk=\"\"\r\n", "S", "k", kWide, ""},
        {"one quote alone", "[S]\r\nk=\"\r\n", "S", "k", kWide, "\""},
        {"quotes that differ", "[S]\r\nk=\"v'\r\n", "S", "k", kWide, "\"v'"},
        {"an opening quote only", "[S]\r\nk=\"v\r\n", "S", "k", kWide, "\"v"},
        {"quotes inside", "[S]\r\nk=a\"b\"\r\n", "S", "k", kWide, "a\"b\""},
    };
    CheckTexts(std::begin(cases), std::end(cases));
}

TEST(SourceReader, TextsAreCutToTheBufferLessOne) {
    const std::string file = "[S]\r\nk=abcdef\r\nq=\"abcdef\"\r\n";
    const TextCase cases[] = {
        {"room for all", file, "S", "k", 7, "abcdef"},
        {"one short", file, "S", "k", 6, "abcde"},
        {"one byte", file, "S", "k", 2, "a"},
        {"only the terminator", file, "S", "k", 1, ""},
        {"no buffer", file, "S", "k", 0, ""},
        {"quoted, room for the closing quote", file, "S", "q", 8, "abcdef"},
        // The buffer holds the text but not the closing quote: the platform drops the
        // last character it copied all the same.
        {"quoted, one short of the closing quote", file, "S", "q", 7, "abcde"},
        {"quoted, cut before it", file, "S", "q", 6, "abcde"},
        {"quoted, cut further", file, "S", "q", 3, "ab"},
    };
    CheckTexts(std::begin(cases), std::end(cases));
}

TEST(SourceReader, AZeroByteEndsANameOrValue) {
    const TextCase cases[] = {
        {"in a value", "[S]\r\nk=ab\0cd\r\n"s, "S", "k", kWide, "ab"},
        {"at the start of a value", "[S]\r\nk=\0cd\r\n"s, "S", "k", kWide, ""},
        {"in a name", "[S]\r\nk\0x=v\r\n"s, "S", "k", kWide, "v"},
        {"in a header", "[S\0x]\r\nk=v\r\n"s, "S", "k", kWide, "v"},
    };
    CheckTexts(std::begin(cases), std::end(cases));
}

TEST(SourceReader, ByteOrderMarksAreConvertedToAnsiFirst) {
    const TextCase cases[] = {
        {"UTF-8", "\xEF\xBB\xBF[S]\r\nk=caf\xC3\xA9\r\n", "S", "k", kWide, "caf\xE9"},
        {"UTF-8 beyond the code page", "\xEF\xBB\xBF[S]\r\nk=\xE2\x86\x92\r\n", "S", "k", kWide,
         "?"},
        {"UTF-8 not well formed", "\xEF\xBB\xBF[S]\r\nk=a\xC3z\r\n", "S", "k", kWide, "a?z"},
        {"UTF-16, little end first", "\xFF\xFE[\0S\0]\0\n\0k\0=\0\xE9\0"s, "S", "k", kWide, "\xE9"},
        {"UTF-16, big end first", "\xFE\xFF\0[\0S\0]\0\n\0k\0=\x20\xAC"s, "S", "k", kWide, "\x80"},
        {"no mark: taken as it is", "[S]\r\nk=caf\xC3\xA9\r\n", "S", "k", kWide, "caf\xC3\xA9"},
    };
    CheckTexts(std::begin(cases), std::end(cases));
}

TEST(SourceReader, IntegerReadsTheFirst29CharactersOfTheValue) {
    const SourceReader file = SourceReader::Parse(
        "[I]\r\ndecimal=75\r\nnegative=-5\r\nplus=+7\r\nhex=0x4B\r\nupperX=0X10\r\n"
        "octal=0o17\r\nbinary=0b101\r\ntrailing=12abc\r\nnone=abc\r\nsign=-\r\n"
        "apart=  -  3\r\nempty=\r\nbare\r\nquoted=\" 12\"\r\nwrap=4294967297\r\n"
        "top=0xFFFFFFFF\r\nnegativeHex=-0x10\r\n"
        "long=0000000000000000000000000000122\r\nfits=00000000000000000000000000012\r\n");
    const std::pair<const char*, uint32_t> cases[] = {
        {"decimal", 75}, {"negative", 0u - 5}, {"plus", 7},          {"hex", 0x4B},
        {"upperX", 0},  // only a lower-case prefix counts: "0", then "X" ends it
        {"octal", 15},   {"binary", 5},        {"trailing", 12},     {"none", 0},
        {"sign", 0},     {"apart", 0},         {"empty", 0},         {"bare", 0},
        {"quoted", 12},  {"wrap", 1},          {"top", 0xFFFFFFFFu}, {"negativeHex", 0u - 16},
        {"long", 1},  // 31 characters: the read sees 28 zeros and "1"
        {"fits", 12},    {"absent", 0},
    };
    for (const auto& [key, expected] : cases) {
        EXPECT_EQ(file.Integer("I", key), expected) << key;
    }
}

TEST(SourceReader, SectionsAndWhatTheirWholeReadLists) {
    struct Case {
        const char* what;
        std::string file;
        const char* section;
        bool has;
        bool lists;
    };
    const Case cases[] = {
        {"entries", "[M]\r\nk=v\r\n", "M", true, true},
        {"another case", "[M]\r\nk=v\r\n", "m", true, true},
        {"nothing", "[M]\r\n[N]\r\nk=v\r\n", "M", true, false},
        {"blank lines only", "[M]\r\n\r\n  \r\n", "M", true, false},
        {"comments only", "[M]\r\n;k=v\r\n  ; note\r\n", "M", true, false},
        {"a key without a value", "[M]\r\nk\r\n", "M", true, true},
        {"a nameless value", "[M]\r\n=v\r\n", "M", true, true},
        {"an empty value", "[M]\r\nk=\r\n", "M", true, true},
        {"a line a zero byte leaves empty", "[M]\r\n\0k\r\n"s, "M", true, false},
        // Of nameless lines in a row only the first counts, here the one above.
        {"a nameless value after it", "[M]\r\n\0k\r\n=v\r\n"s, "M", true, false},
        {"only the first section counts", "[M]\r\n[m]\r\nk=v\r\n", "M", true, false},
        {"missing", "[N]\r\nk=v\r\n", "M", false, false},
        {"the whole read takes the name as given", "[M]\r\nk=v\r\n", " M", true, false},
        {"no file", "", "M", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SourceReader file = SourceReader::Parse(c.file);
        EXPECT_EQ(file.HasSection(c.section), c.has);
        EXPECT_EQ(file.ListsEntries(c.section), c.lists);
    }
}

}  // namespace
}  // namespace family
