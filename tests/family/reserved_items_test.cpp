// reserved_12_ items as the compiler reads them: the program's reading of the list.
#include "family/reserved_items.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace family {
namespace {

TEST(ReservedItems, CommaSeparatedDecimalsInTheFirst100Characters) {
    struct Case {
        std::string text;
        int index;
        int value;
        std::string itemText;
    };
    const Case cases[] = {
        {"12,0,16,1,200", 0, 12, "12"},
        {"12,0,16,1,200", 4, 200, "200"},
        {"12,0,16,1,200", 5, 0, ""},  // absent
        {"1,,3", 1, 0, ""},           // empty
        {"", 0, 0, ""},
        {"1,-2", 1, -2, "-2"},
        {"1,+16", 1, 16, "+16"},
        {"1, 16", 1, 16, " 16"},
        {"1,\t16", 1, 16, "\t16"},
        {"1,- 16", 1, 0, "- 16"},
        {"1,0x10", 1, 0, "0x10"},  // decimal only: "0", then "x" ends it
        {"1,16mm", 1, 16, "16mm"},
        {"1,abc", 1, 0, "abc"},
        {"1,99999999999999999999", 1, INT_MAX, "99999999999999999999"},
        {"1,-99999999999999999999", 1, INT_MIN, "-99999999999999999999"},
        {std::string(98, '0') + ",5", 1, 5, "5"},         // the 100th character
        {std::string(99, '0') + ",5", 1, 0, ""},          // the comma is the 100th
        {std::string(96, '0') + ",1234", 1, 123, "123"},  // cut at 100 characters
        {"0,0,0,0,0,0," + std::string(95, '0') + "5", 6, 0, std::string(88, '0')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + " item " + std::to_string(c.index));
        EXPECT_EQ(ReservedItem(c.text, c.index), c.value);
        EXPECT_EQ(ReservedItemText(c.text, c.index), c.itemText);
    }
}

}  // namespace
}  // namespace family
