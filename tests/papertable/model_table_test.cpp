#include "papertable/model_table.h"

#include <gtest/gtest.h>

namespace {

TEST(ModelTable, DriverNamesMatchWithoutRegardToCase) {
    const struct {
        const char* driver;
        const char* prefix;
    } cases[] = {
        {"Ostrel LM-510", "kvx510"},  {"Ostrel LM-520", "kvx520"},
        {"Ostrel LM-610N", "kvx610"}, {"Ostrel LM-620N", "kvx620"},
        {"ostrel lm-520", "kvx520"},  {"OSTREL LM-610n", "kvx610"},
        {"Ostrel LM-610", ""},        {"Ostrel LM-510 ", ""},
        {" Ostrel LM-510", ""},       {"", ""},
        {"Ostrel LM-5200", ""},       {"Generic Text", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(papertable::ModelPrefixForDriver(c.driver), c.prefix) << c.driver;
}

TEST(ModelTable, LimitsFollowThePrefix) {
    const papertable::ModelLimits dpi203{203,         448,         {6300, 248},
                                         {5600, 220}, {5600, 220}, {5600, 220}};
    // The 300-dpi print width is 56.80 mm but 2.20 inches.
    const papertable::ModelLimits dpi300{300,         672,         {6300, 248},
                                         {5680, 220}, {5680, 224}, {5680, 224}};
    const struct {
        const char* prefix;
        papertable::ModelLimits limits;
    } cases[] = {
        {"kvx510", dpi203}, {"kvx610", dpi203}, {"kvx520", dpi300}, {"kvx620", dpi300},
        {"", dpi203},       {"kvx500", dpi203}, {"KVX520", dpi203},
    };
    for (const auto& c : cases)
        EXPECT_EQ(papertable::LimitsForPrefix(c.prefix), c.limits) << c.prefix;
}

TEST(ModelTable, RowsAreInComparisonOrder) {
    const char* drivers[] = {"Ostrel LM-510", "Ostrel LM-520", "Ostrel LM-610N", "Ostrel LM-620N"};
    ASSERT_EQ(std::size(papertable::kModelTable), std::size(drivers));
    for (size_t i = 0; i < std::size(drivers); ++i) {
        EXPECT_EQ(papertable::kModelTable[i].driverName, drivers[i]);
    }
}

}  // namespace
