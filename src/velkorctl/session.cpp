#include "velkorctl/session.h"

#include "paperset/pipeline.h"
#include "papertable/paper_name.h"
#include "resources/resource_ids.h"
#include "rules/unit_choice.h"
#include "rules/units.h"
#include "velkorctl/exit_codes.h"
#include "win/program_folder.h"

namespace velkorctl {
namespace {

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string FamilyDrivers() {
    std::string names;
    for (const auto& entry : papertable::kModelTable) {
        if (!names.empty()) names += ", ";
        names += std::string(entry.driverName);
    }
    return names;
}

}  // namespace

std::unique_ptr<Session> OpenSession(const Invocation& invocation, Access access,
                                     Environment& environment, int& exitCode) {
    const win::Services& services = environment.services;
    auto fail = [&](int code, const std::string& message) {
        exitCode = Fail(environment, code, message);
        return nullptr;
    };
    auto session = std::make_unique<Session>();

    const auto modulePath = paperset::LanguageModulePath(services.files);
    if (modulePath) session->strings = environment.loadStrings(*modulePath);
    if (!session->strings)
        return fail(kExitFailed, "cannot load the language module " +
                                     modulePath.value_or("kvx500ct.dll") +
                                     "; install velkorctl.exe beside velkor.exe and its files");

    session->printer = paperset::FindPrinterModel(services.spooler, invocation.queue);
    if (session->printer.printerName.empty())
        return fail(kExitBadInput, "no printer queue is named " + Quoted(invocation.queue) +
                                       "; give the name exactly as the printer settings show it");
    if (session->printer.modelPrefix.empty())
        return fail(kExitBadInput, "the driver " + Quoted(session->printer.driverName) +
                                       " of queue " + Quoted(invocation.queue) + " is not one of " +
                                       FamilyDrivers() + "; give a queue of one of these models");
    const std::string& prefix = session->printer.modelPrefix;
    session->limits = papertable::LimitsForPrefix(prefix);
    session->inchUnits =
        invocation.inchUnits.value_or(rules::ChooseInchUnits(std::nullopt, services.locale));
    session->separator = rules::DecimalSeparatorFrom(services.locale.DecimalSeparator());

    if (access == Access::Change && services.instance.CreateOwnedMutexExisted("mutex_" + prefix))
        return fail(kExitBusy, "the papers of " + Quoted(invocation.queue) +
                                   " are in use by velkor or another velkorctl (mutex_" + prefix +
                                   "); close velkor for this model and try again");
    const std::string missing = session->strings->LoadString(IDS_FILES_MISSING);
    if (access == Access::Change && !paperset::ToolsPresent(services.files))
        return fail(kExitFailed, missing + " (kvx500pc.exe and kvx500cv.exe are not both in " +
                                     win::ProgramFolder(services.files).value_or("?") + ")");

    const std::string driverFolder = paperset::DriverFolder(services.spooler);
    session->papers = std::make_unique<history::ModelPapers>(services, prefix, driverFolder);
    auto& paperSet = session->papers->paperSet;
    const auto loaded = paperSet.Open(session->inchUnits);
    if (!loaded)
        return fail(kExitFailed, missing + " (" + paperSet.BuiltInSourcePath() + " and " +
                                     paperSet.UserSourcePath() + " are not both there)");
    if (loaded->tooMany) Note(environment, session->strings->LoadString(IDS_TOO_MANY_PAPERS));
    return session;
}

int FindPaper(const Session& session, std::string_view name) {
    const auto& table = session.papers->paperSet.Table();
    for (const bool inch : {session.inchUnits, !session.inchUnits}) {
        for (int i = 0; i < table.paperCount; ++i) {
            const auto& paper = table.papers[static_cast<size_t>(i)];
            if (papertable::AnsiName(inch ? paper.szPaperName_inch : paper.szPaperName_mm) == name)
                return i;
        }
    }
    return -1;
}

std::string PaperName(const Session& session, int index) {
    return session.papers->paperSet.PaperName(
        session.papers->paperSet.Table().papers[static_cast<size_t>(index)]);
}

}  // namespace velkorctl
