// The two length-range rows a table starts with and keeps while no paper is flagged:
// 3 mm (24 dots) and 127 mm (1015 dots).
#pragma once

#include <gtest/gtest.h>

#include "kvx610f/caps_records.h"

namespace kvx610f::testing {

inline void ExpectInitialLengthRange(const LengthRangeRow* rows) {
    EXPECT_EQ(+rows[0].millimetres, 3);
    EXPECT_EQ(+rows[0].dots, 24);
    EXPECT_STREQ(rows[0].metricLabel, "3 mm");
    EXPECT_STREQ(rows[0].inchLabel, "0.12 \"");
    EXPECT_EQ(+rows[1].millimetres, 127);
    EXPECT_EQ(+rows[1].dots, 1015);
    EXPECT_STREQ(rows[1].metricLabel, "127 mm");
    EXPECT_STREQ(rows[1].inchLabel, "5 \"");
}

}  // namespace kvx610f::testing
