#include "installer/queue_links.h"

#include <algorithm>

#include "win/ascii_case.h"

namespace setup {
namespace {

constexpr std::wstring_view kBlanks = L" \t";
constexpr std::wstring_view kNotInFileNames = L"\\/:*?\"<>|";

std::wstring_view Trim(std::wstring_view text) {
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::wstring_view::npos) return {};
    const size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

bool ContainsIgnoringCase(const std::vector<std::wstring>& names, std::wstring_view name) {
    return std::any_of(names.begin(), names.end(), [&](const std::wstring& n) {
        return win::EqualsIgnoringAsciiCase(n, name);
    });
}

bool StartsWithIgnoringCase(std::wstring_view text, std::wstring_view start) {
    return text.size() >= start.size() &&
           win::EqualsIgnoringAsciiCase(text.substr(0, start.size()), start);
}

bool EndsWithIgnoringCase(std::wstring_view text, std::wstring_view end) {
    return text.size() >= end.size() &&
           win::EqualsIgnoringAsciiCase(text.substr(text.size() - end.size()), end);
}

}  // namespace

QueueList ParseQueueList(std::wstring_view list) {
    QueueList result;
    std::vector<std::wstring> fileNames;
    while (!list.empty()) {
        const size_t end = std::min(list.find(L';'), list.size());
        const std::wstring_view name = Trim(list.substr(0, end));
        list.remove_prefix(end == list.size() ? end : end + 1);
        if (name.empty() || ContainsIgnoringCase(result.queues, name)) continue;
        if (name.find(L'"') != std::wstring_view::npos) {
            result.error = L"the queue name " + std::wstring(name) + L" holds a double quote";
            return result;
        }
        std::wstring fileName = LinkFileName(name);
        if (ContainsIgnoringCase(fileNames, fileName)) {
            result.error = L"two queue names give the shortcut " + fileName;
            return result;
        }
        fileNames.push_back(std::move(fileName));
        result.queues.emplace_back(name);
    }
    return result;
}

std::wstring LinkFileName(std::wstring_view queue) {
    std::wstring name(kLinkPrefix);
    for (wchar_t c : queue) {
        const bool bad = c < 32 || kNotInFileNames.find(c) != std::wstring_view::npos;
        name += bad ? L'_' : c;
    }
    name += kLinkExtension;
    return name;
}

bool IsQueueLinkName(std::wstring_view fileName) {
    return fileName.size() > kLinkPrefix.size() + kLinkExtension.size() &&
           StartsWithIgnoringCase(fileName, kLinkPrefix) &&
           EndsWithIgnoringCase(fileName, kLinkExtension);
}

std::wstring LinkArguments(std::wstring_view queue) {
    return L"\"" + std::wstring(queue) + L"\"";
}

LinkPlan PlanLinks(const std::vector<std::wstring>& existing,
                   const std::vector<std::wstring>& queues) {
    LinkPlan plan;
    std::vector<std::wstring> wanted;
    for (const std::wstring& queue : queues) {
        plan.create.push_back({LinkFileName(queue), queue});
        wanted.push_back(plan.create.back().fileName);
    }
    for (const std::wstring& name : existing) {
        if (IsQueueLinkName(name) && !ContainsIgnoringCase(wanted, name))
            plan.remove.push_back(name);
    }
    return plan;
}

}  // namespace setup
