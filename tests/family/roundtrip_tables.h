// Random paper tables the program can hold, and what the family's tools must make of
// them once the program has written them: the device and paper records the
// paper-table library hands out, after the documented cuts. Shared by the round
// trip through the compiler's logic (native) and through the real tools (Wine).
#pragma once

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "familyapi/lyt_api.h"
#include "papertable/paper_record.h"

namespace family_test {

// Fixed seed and a modest count unless VELKOR_ROUNDTRIP_SEED / VELKOR_ROUNDTRIP_RUNS
// ask for others. Run i uses seed + i, so one failing run is repeated alone with
// VELKOR_ROUNDTRIP_SEED=<seed + i> VELKOR_ROUNDTRIP_RUNS=1.
struct RoundTripSettings {
    unsigned seed = 20261210;
    int runs = 0;
};
RoundTripSettings RoundTripSettingsFromEnvironment(int defaultRuns);

struct RoundTripTable {
    std::unique_ptr<papertable::PaperTable> table;
    std::string modelPrefix;
    // The device record as the table must hold it (the generator chose each text
    // together with the value it stands for).
    DeviceInfoRecord device{};
    // Set when the device gives no usable table: the start of the first error.
    std::string deviceError;
};

// A table of one model: its shipped "Model" section with odd code strings, long or
// lenient texts and integers, then built-in and user papers (0 to 12 user papers,
// now and then 100) with extreme values, long texts and damaged reserved_12_.
RoundTripTable RandomTable(unsigned seed);

struct ExpectedBuild {
    bool usable = true;
    std::string firstError;  // the start of the compiler's first error when not usable
    DeviceInfoRecord device{};
    std::vector<PaperInfoRecord> papers;
};

// What a build of the table must give, once WriteUserSource has written it with
// count paperCount (call afterwards: the table then holds what was written).
ExpectedBuild ExpectedFromWrittenTable(const RoundTripTable& generated);

// "" when equal, else one line per differing field.
std::string Differences(const DeviceInfoRecord& expected, const DeviceInfoRecord& actual);
std::string Differences(const PaperInfoRecord& expected, const PaperInfoRecord& actual);

}  // namespace family_test
