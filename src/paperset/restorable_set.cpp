#include "paperset/restorable_set.h"

#include "papertable/source_reader.h"

namespace paperset {

Outcome CheckRestorable(const SetBytes& set, const std::string& modelPrefix) {
    if (!set.bytes[0]) return Outcome::Failed("the source text is missing");
    const auto source = papertable::ProfileFile::Parse(*set.bytes[0]);
    if (!papertable::IsModelSource(source, modelPrefix))
        return Outcome::Failed("the source text is not one of " + modelPrefix);
    papertable::DeviceRecord device;
    if (!papertable::ReadDevice(source, device))
        return Outcome::Failed("the device section of the source text does not read");
    return {};
}

}  // namespace paperset
