// Random profile files from a small alphabet of names, blanks, values and line ends,
// so that names collide and every reading rule meets every other. Shared by the
// tests that hold two readers of one file against each other.
#pragma once

#include <random>
#include <string>
#include <vector>

namespace testsupport {

struct ProfileAlphabet {
    std::vector<std::string> names;
    std::vector<std::string> blanks;
    std::vector<std::string> values;
    std::vector<std::string> ends = {"\r\n", "\n", "\r", "\r\r\n", "\n\n"};
};

// Up to 14 lines: section headers, keys without "=" and "key=value" lines, each
// padded with blanks; the last line ends or not.
inline std::string RandomProfileText(std::mt19937& random, const ProfileAlphabet& alphabet) {
    auto pick = [&](const std::vector<std::string>& from) {
        return from[std::uniform_int_distribution<size_t>(0, from.size() - 1)(random)];
    };
    std::string bytes;
    const int lines = std::uniform_int_distribution<int>(0, 14)(random);
    for (int i = 0; i < lines; ++i) {
        const int kind = std::uniform_int_distribution<int>(0, 9)(random);
        if (kind < 2) {
            bytes += pick(alphabet.blanks) + "[" + pick(alphabet.blanks) + pick(alphabet.names) +
                     pick(alphabet.blanks) + "]";
        } else if (kind < 3) {
            bytes += pick(alphabet.blanks) + pick(alphabet.names);  // no "="
        } else {
            bytes += pick(alphabet.blanks) + pick(alphabet.names) + pick(alphabet.blanks) + "=" +
                     pick(alphabet.blanks) + pick(alphabet.values) + pick(alphabet.blanks);
        }
        if (i + 1 < lines || random() % 2) bytes += pick(alphabet.ends);
    }
    return bytes;
}

}  // namespace testsupport
