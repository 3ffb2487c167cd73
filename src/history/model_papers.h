// A model's paper set together with its history: how velkor and velkorctl open a
// model, so that every change either front end makes keeps the set it replaces.
#pragma once

#include <string>

#include "history/history.h"
#include "paperset/paper_set.h"
#include "win/services.h"

namespace history {

struct ModelPapers {
    ModelPapers(const win::Services& services, const std::string& modelPrefix,
                const std::string& driverFolder);
    ModelPapers(const ModelPapers&) = delete;
    ModelPapers& operator=(const ModelPapers&) = delete;

    History history;  // the paper set's keeper, so made before it
    paperset::PaperSet paperSet;
};

}  // namespace history
