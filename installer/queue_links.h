// The Start-menu shortcuts of the printer queues: "Paper formats - <queue>.lnk",
// each starting velkor for its queue. The package names the queues in its property
// PRINTERS, separated by ";".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace setup {

inline constexpr std::wstring_view kLinkPrefix = L"Paper formats - ";
inline constexpr std::wstring_view kLinkExtension = L".lnk";

struct QueueList {
    std::vector<std::wstring> queues;  // in the order given, each once
    std::wstring error;                // empty when the list is good
};

// Splits `list` at ";" and trims blanks around each name; empty names are dropped
// and a name given twice (ignoring ASCII case, as the spooler does) counts once. A
// name holding a double quote cannot be passed on velkor's command line and makes
// the list wrong, as do two names that give one shortcut file name.
QueueList ParseQueueList(std::wstring_view list);

// The shortcut's file name for a queue: characters that a file name cannot hold
// (\ / : * ? " < > | and control characters) become "_".
std::wstring LinkFileName(std::wstring_view queue);

// True for a file name of the form LinkFileName() gives (ignoring ASCII case).
bool IsQueueLinkName(std::wstring_view fileName);

// velkor's arguments for a queue: the name in double quotes.
std::wstring LinkArguments(std::wstring_view queue);

struct LinkPlan {
    struct Link {
        std::wstring fileName;
        std::wstring queue;
    };
    std::vector<Link> create;          // made or made again, one per queue
    std::vector<std::wstring> remove;  // queue shortcuts of queues no longer listed
};

// What makes the queue shortcuts among `existing` (the file names of the menu
// folder) exactly those of `queues`. Files that are not queue shortcuts stay.
LinkPlan PlanLinks(const std::vector<std::wstring>& existing,
                   const std::vector<std::wstring>& queues);

}  // namespace setup
