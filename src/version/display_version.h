// The version as the about box shows it: major, a point and the minor number in two
// digits ("1.00" for 1.0.0, "1.12" for 1.12.0), then a point and the patch number
// when that is not 0 ("1.02.3").
#pragma once

#include <string>

#include "velkor_version.h"

namespace version {

std::string DisplayVersion(unsigned major, unsigned minor, unsigned patch);

// The version this program was built as.
inline std::string ProgramDisplayVersion() {
    return DisplayVersion(VELKOR_VERSION_MAJOR, VELKOR_VERSION_MINOR, VELKOR_VERSION_PATCH);
}

}  // namespace version
