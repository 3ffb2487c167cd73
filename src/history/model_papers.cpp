#include "history/model_papers.h"

namespace history {

ModelPapers::ModelPapers(const win::Services& services, const std::string& modelPrefix,
                         const std::string& driverFolder)
    : history(services.files, services.clock, driverFolder, modelPrefix),
      paperSet(services.files, services.processes, modelPrefix, driverFolder, &history) {}

}  // namespace history
