// Whether a kept paper set can be installed again: the one rule that the history
// uses to mark an entry damaged and that the paper set applies before a restore.
#pragma once

#include <string>

#include "paperset/pipeline.h"

namespace paperset {

// Success when the source text is there, is a source of the model (its
// "OutputFileName" is <modelPrefix>ed.lyt) and its device section reads; otherwise a
// failure saying which of these is not so. The compiled table and the paper data
// may be absent: the driver folder holds the source alone until the first change
// after an installation, and such a set is restored by building them again.
Outcome CheckRestorable(const SetBytes& set, const std::string& modelPrefix);

}  // namespace paperset
