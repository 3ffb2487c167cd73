#include "history/entry_text.h"

#include "resources/resource_ids.h"
#include "win/format_text.h"

namespace history {
namespace {

using Kind = paperset::ChangeDescription::Kind;

struct KindText {
    Kind kind;
    int stringId;
};
constexpr KindText kKindTexts[] = {
    {Kind::Added, IDS_HISTORY_ADDED},       {Kind::Overwritten, IDS_HISTORY_OVERWRITTEN},
    {Kind::Deleted, IDS_HISTORY_DELETED},   {Kind::Imported, IDS_HISTORY_IMPORTED},
    {Kind::Restored, IDS_HISTORY_RESTORED},
};

constexpr char kSeparator[] = ", ";

}  // namespace

std::string EntryTexts::When(const win::LocalTime& time) const {
    const std::string date = locale_.FormatDate(time);
    const std::string clock = locale_.FormatTime(time);
    if (date.empty() || clock.empty()) return FormatKeptTime(time);
    return date + " " + clock;
}

std::string EntryTexts::Change(const paperset::ChangeDescription& change) const {
    std::string subject = change.subject;
    if (change.kind == Kind::Restored) {
        if (const auto restored = ParseEntryId(subject)) subject = When(restored->kept);
    }
    for (const auto& text : kKindTexts) {
        if (text.kind == change.kind)
            return win::FormatText(strings_.LoadString(text.stringId), subject);
    }
    return subject;
}

std::string EntryTexts::Papers(int count) const {
    if (count == 1) return strings_.LoadString(IDS_HISTORY_ONE_PAPER);
    return win::FormatText(strings_.LoadString(IDS_HISTORY_PAPERS), std::to_string(count));
}

std::string EntryTexts::Name(const Entry& entry) const {
    std::string name = When(entry.kept);
    if (entry.change) name += kSeparator + Change(*entry.change);
    return name;
}

std::string EntryTexts::Line(const Entry& entry) const {
    std::string line = Name(entry);
    if (entry.change) line += kSeparator + Papers(entry.paperCount);
    if (entry.damaged) line += kSeparator + strings_.LoadString(IDS_HISTORY_DAMAGED);
    return line;
}

}  // namespace history
