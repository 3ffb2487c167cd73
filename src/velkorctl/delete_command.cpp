// delete: as velkor's delete without the question: the user paper is removed and
// the table built and installed.
#include "resources/resource_ids.h"
#include "velkorctl/commands.h"
#include "velkorctl/exit_codes.h"

namespace velkorctl {

int DeletePaper(Session& session, const Invocation& invocation, Environment& environment) {
    const std::string& name = invocation.operand;
    const int index = FindPaper(session, name);
    if (index < 0)
        return Fail(environment, kExitBadInput,
                    "no paper is named \"" + name + "\"; see velkorctl list " + invocation.queue);
    const auto result = session.papers->paperSet.Delete(index);
    if (result.status == paperset::ChangeStatus::Refused)
        return Fail(environment, kExitBadInput,
                    "\"" + name + "\" cannot be deleted: " + result.reason +
                        "; only user papers that are not locked can");
    if (!result.Ok())
        return Fail(environment, kExitFailed,
                    session.strings->LoadString(IDS_INSTALL_FAILED) + " " + result.reason +
                        std::string(kNothingChanged));
    environment.out << "deleted \"" << name << "\"\n";
    return kExitDone;
}

}  // namespace velkorctl
