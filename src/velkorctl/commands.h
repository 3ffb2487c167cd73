// The commands of velkorctl, one file each. Each works on an opened session, writes
// its result to standard output and its error line to standard error, and gives the
// exit code.
#pragma once

#include "velkorctl/arguments.h"
#include "velkorctl/environment.h"
#include "velkorctl/session.h"

namespace velkorctl {

int ListPapers(Session& session, const Invocation& invocation, Environment& environment);
int CheckSource(Session& session, const Invocation& invocation, Environment& environment);
int ExportPapers(Session& session, const Invocation& invocation, Environment& environment);
int ImportPapers(Session& session, const Invocation& invocation, Environment& environment);
int AddPaper(Session& session, const Invocation& invocation, Environment& environment);
int DeletePaper(Session& session, const Invocation& invocation, Environment& environment);
int ShowHistory(Session& session, const Invocation& invocation, Environment& environment);
int RestoreEntry(Session& session, const Invocation& invocation, Environment& environment);

}  // namespace velkorctl
