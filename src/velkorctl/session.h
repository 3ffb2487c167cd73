// One model opened for a command, as velkor opens it at start-up: the queue's model
// from its driver, the unit, the language module, the model's paper set loaded from
// the driver folder with its history, and for a change the model's mutex, held until
// the program ends.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "history/model_papers.h"
#include "paperset/paper_set.h"
#include "paperset/printer_model.h"
#include "papertable/model_table.h"
#include "rules/paper_fields.h"
#include "velkorctl/arguments.h"
#include "velkorctl/environment.h"

namespace velkorctl {

struct Session {
    paperset::PrinterModel printer;
    papertable::ModelLimits limits;
    bool inchUnits = false;
    char separator = '.';
    std::unique_ptr<win::Strings> strings;
    // The model's paper set and its history, which keeps what each change replaces,
    // as velkor's does.
    std::unique_ptr<history::ModelPapers> papers;

    rules::UnitSettings Units() const { return {inchUnits, separator, limits}; }
    const std::string& Prefix() const { return printer.modelPrefix; }
};

enum class Access {
    Read,    // list, check, history: nothing changes
    Change,  // builds or installs: the model's mutex is taken first
};

// Opens the model of `invocation.queue`. On failure the error line is written and
// `exitCode` set; the result is null then.
std::unique_ptr<Session> OpenSession(const Invocation& invocation, Access access,
                                     Environment& environment, int& exitCode);

// The paper named `name`: its name in the chosen unit first, else in the other unit,
// compared exactly; the first in table order. -1 when no paper has that name.
int FindPaper(const Session& session, std::string_view name);

// A paper's name in the chosen unit, in the ANSI code page, as velkor's list shows it.
std::string PaperName(const Session& session, int index);

}  // namespace velkorctl
