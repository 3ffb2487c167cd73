#include "build/restorable_set.h"

#include <array>

#include "papertable/source_reader.h"

namespace build {

Outcome CheckRestorable(const SetBytes& set, const std::string& modelPrefix) {
    static constexpr std::array<const char*, 3> kFiles = {"source text", "compiled table",
                                                          "paper data"};
    for (size_t i = 0; i < kFiles.size(); ++i) {
        if (!set.bytes[i]) return Outcome::Failed(std::string("the ") + kFiles[i] + " is missing");
    }
    const auto source = papertable::ProfileFile::Parse(*set.bytes[0]);
    if (!papertable::IsModelSource(source, modelPrefix))
        return Outcome::Failed("the source text is not one of " + modelPrefix);
    papertable::DeviceRecord device;
    if (!papertable::ReadDevice(source, device))
        return Outcome::Failed("the device section of the source text does not read");
    return {};
}

}  // namespace build
