#include "installer/setup_actions.h"

#include "installer/queue_links.h"
#include "win/ascii_case.h"

namespace setup {
namespace {

bool IsUserSourceName(std::wstring_view name) {
    return name.size() > kUserSourceSuffix.size() &&
           win::EqualsIgnoringAsciiCase(name.substr(name.size() - kUserSourceSuffix.size()),
                                        kUserSourceSuffix);
}

Shortcut QueueShortcut(SetupSystem& system, const std::wstring& queue) {
    const std::wstring folder = system.ProgramFolder();
    return {JoinPath(folder, kProgramName), LinkArguments(queue), folder,
            L"Paper formats of the printer queue " + queue};
}

bool DeleteLinks(SetupSystem& system, const std::wstring& menuFolder,
                 const std::vector<std::wstring>& names) {
    bool ok = true;
    for (const std::wstring& name : names) {
        const std::wstring path = JoinPath(menuFolder, name);
        if (system.RemoveFile(path)) {
            system.Report(L"removed " + path);
        } else {
            system.Report(L"cannot remove " + path);
            ok = false;
        }
    }
    return ok;
}

}  // namespace

std::wstring JoinPath(const std::wstring& folder, std::wstring_view name) {
    const bool separated = !folder.empty() && (folder.back() == L'\\' || folder.back() == L'/');
    return folder + (separated ? L"" : L"\\") + std::wstring(name);
}

bool MakeQueueLinks(SetupSystem& system, const std::wstring& menuFolder,
                    std::wstring_view queueList) {
    const QueueList list = ParseQueueList(queueList);
    if (!list.error.empty()) {
        system.Report(L"PRINTERS: " + list.error);
        return false;
    }
    const LinkPlan plan = PlanLinks(system.FileNames(menuFolder), list.queues);
    bool ok = DeleteLinks(system, menuFolder, plan.remove);
    for (const LinkPlan::Link& link : plan.create) {
        const std::wstring path = JoinPath(menuFolder, link.fileName);
        if (system.WriteShortcut(path, QueueShortcut(system, link.queue))) {
            system.Report(L"shortcut " + path);
        } else {
            system.Report(L"cannot write the shortcut " + path);
            ok = false;
        }
    }
    return ok;
}

bool RemoveQueueLinks(SetupSystem& system, const std::wstring& menuFolder) {
    std::vector<std::wstring> links;
    for (const std::wstring& name : system.FileNames(menuFolder))
        if (IsQueueLinkName(name)) links.push_back(name);
    return DeleteLinks(system, menuFolder, links);
}

bool CreateMissingUserSources(SetupSystem& system, const std::wstring& templateFolder,
                              const std::wstring& driverFolder) {
    bool ok = true;
    bool any = false;
    for (const std::wstring& name : system.FileNames(templateFolder)) {
        if (!IsUserSourceName(name)) continue;
        any = true;
        const std::wstring target = JoinPath(driverFolder, name);
        if (system.FileExists(target)) {
            system.Report(L"kept " + target);
        } else if (system.CopyNewFile(JoinPath(templateFolder, name), target)) {
            system.Report(L"created " + target);
        } else if (system.FileExists(target)) {
            system.Report(L"kept " + target + L" (made meanwhile)");
        } else {
            system.Report(L"cannot create " + target);
            ok = false;
        }
    }
    if (!any) {
        system.Report(L"no user sources in " + templateFolder);
        return false;
    }
    return ok;
}

bool RunCommand(SetupSystem& system, const Command& command) {
    switch (command.action) {
        case Action::Links:
            return MakeQueueLinks(system, command.folder, command.other);
        case Action::Unlinks:
            return RemoveQueueLinks(system, command.folder);
        case Action::UserSources:
            return CreateMissingUserSources(system, command.folder, command.other);
    }
    return false;
}

}  // namespace setup
