// history: the kept paper sets of the model, newest first; nothing changes.
// restore: a kept set installed again through the paper set, as velkor's history
// dialog does after its question; the set it replaces is kept in turn.
#include "history/entry_file.h"
#include "history/entry_id.h"
#include "history/entry_text.h"
#include "resources/resource_ids.h"
#include "velkorctl/commands.h"
#include "velkorctl/exit_codes.h"
#include "velkorctl/json.h"
#include "velkorctl/tab_line.h"

namespace velkorctl {
namespace {

constexpr char kNone[] = "--";

// id, when (the user's formats), what replaced the set, user papers, and whether
// it can be restored.
std::string TextLine(const history::Entry& entry, const history::EntryTexts& texts) {
    const std::string fields[] = {
        entry.id,
        texts.When(entry.kept),
        entry.change ? texts.Change(*entry.change) : kNone,
        entry.change ? std::to_string(entry.paperCount) : kNone,
        entry.damaged ? "damaged: " + entry.damage : "restorable",
    };
    return TabSeparated(fields);
}

std::string JsonObject(const history::Entry& entry) {
    std::string json = "{\"entry\": " + JsonStringFromAnsi(entry.id) +
                       ", \"kept\": " + JsonStringFromAnsi(history::FormatKeptTime(entry.kept));
    if (entry.change) {
        json += ", \"change\": " + JsonStringFromAnsi(history::ChangeWord(entry.change->kind)) +
                ", \"subject\": " + JsonStringFromAnsi(entry.change->subject) +
                ", \"papers\": " + std::to_string(entry.paperCount);
    } else {
        json += ", \"change\": null, \"subject\": null, \"papers\": null";
    }
    json += std::string(", \"damaged\": ") + (entry.damaged ? "true" : "false");
    if (entry.damaged) json += ", \"damage\": " + JsonStringFromAnsi(entry.damage);
    return json + "}";
}

}  // namespace

int ShowHistory(Session& session, const Invocation& invocation, Environment& environment) {
    const auto entries = session.papers->history.Entries();
    if (invocation.json) {
        std::string json = "[";
        for (const auto& entry : entries) json += (json.size() > 1 ? ", " : "") + JsonObject(entry);
        environment.out << json << "]\n";
        return kExitDone;
    }
    const history::EntryTexts texts(*session.strings, environment.services.locale);
    for (const auto& entry : entries) environment.out << TextLine(entry, texts) << '\n';
    return kExitDone;
}

int RestoreEntry(Session& session, const Invocation& invocation, Environment& environment) {
    auto& strings = *session.strings;
    const std::string& id = invocation.operand;
    paperset::LoadResult loaded;
    const auto result = session.papers->history.Restore(session.papers->paperSet, id, &loaded);
    if (loaded.tooMany) Note(environment, strings.LoadString(IDS_TOO_MANY_PAPERS));
    if (result.status == paperset::ChangeStatus::Refused)
        return Fail(environment, kExitBadInput,
                    result.reason + "; give an entry that velkorctl history " + invocation.queue +
                        " lists as restorable");
    if (!result.Ok())
        return Fail(environment, kExitFailed,
                    strings.LoadString(IDS_INSTALL_FAILED) + " " + result.reason +
                        std::string(kNothingChanged));
    environment.out << "restored " << id << '\n';
    return kExitDone;
}

}  // namespace velkorctl
