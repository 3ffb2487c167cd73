#include "history/history.h"

#include <algorithm>
#include <memory>

#include "history/entry_file.h"
#include "paperset/restorable_set.h"
#include "papertable/source_reader.h"
#include "win/path_name.h"

namespace history {
namespace {

// A file name that stays inside the entry's folder.
bool PlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("\\/:") == std::string::npos;
}

// The user papers the program would read from `source`.
int CountUserPapers(const std::optional<std::string>& source) {
    if (!source) return 0;
    auto table = std::make_unique<papertable::PaperTable>();  // 101 records
    papertable::LoadPaperTable(*table, papertable::ProfileFile(),
                               papertable::ProfileFile::Parse(*source), false, nullptr);
    return table->paperCount;
}

bool MakeFolder(win::FileSystem& files, const std::string& path) {
    return files.CreateFolder(path) != win::FolderCreation::Failed;
}

}  // namespace

History::History(win::FileSystem& files, win::Clock& clock, std::string driverFolder,
                 std::string modelPrefix)
    : files_(files),
      clock_(clock),
      driverFolder_(std::move(driverFolder)),
      modelPrefix_(std::move(modelPrefix)) {}

std::string History::Folder() const {
    return driverFolder_ + "\\history\\" + modelPrefix_;
}

std::string History::PathOf(const std::string& name) const {
    return Folder() + "\\" + name;
}

std::string History::DescriptionPath(const std::string& name) const {
    return PathOf(name) + "\\" + kDescriptionName;
}

bool History::IsFinished(const std::string& name) {
    return files_.FileExists(DescriptionPath(name));
}

std::optional<std::vector<History::EntryFolder>> History::EntryFolders() {
    const auto items = files_.ListFolder(Folder());
    if (!items) return std::nullopt;
    std::vector<EntryFolder> folders;
    for (const auto& item : *items) {
        const auto id = item.isFolder ? ParseEntryId(item.name) : std::nullopt;
        if (!id) continue;
        folders.push_back({item.name, *id, IsFinished(item.name)});
    }
    std::sort(folders.begin(), folders.end(), [](const EntryFolder& a, const EntryFolder& b) {
        return a.id.sequence != b.id.sequence ? a.id.sequence < b.id.sequence : a.name < b.name;
    });
    return folders;
}

std::vector<Entry> History::Entries() {
    std::vector<Entry> entries;
    const auto folders = EntryFolders();
    if (!folders) return entries;
    for (auto folder = folders->rbegin(); folder != folders->rend(); ++folder) {
        if (folder->finished) entries.push_back(Read(*folder, nullptr));
    }
    return entries;
}

bool History::HasEntries() {
    // Asked after every change: it stops at the first finished entry.
    const auto items = files_.ListFolder(Folder());
    return items && std::any_of(items->begin(), items->end(), [&](const win::FolderItem& item) {
               return item.isFolder && ParseEntryId(item.name) && IsFinished(item.name);
           });
}

Entry History::Read(const EntryFolder& folder, paperset::SetBytes* bytes) {
    Entry entry;
    entry.id = folder.name;
    entry.kept = folder.id.kept;
    const auto damaged = [&entry](std::string why) {
        entry.damaged = true;
        entry.damage = std::move(why);
        return entry;
    };
    const std::string path = PathOf(folder.name);
    const auto text = files_.ReadFile(DescriptionPath(folder.name));
    const auto description = text ? ParseDescription(*text) : std::nullopt;
    if (!description) return damaged("its description cannot be read");
    entry.kept = description->kept;
    entry.change = description->change;
    entry.paperCount = description->paperCount;

    paperset::SetBytes set;
    for (size_t i = 0; i < set.bytes.size(); ++i) {
        const auto& kept = description->files[i];
        if (!kept) continue;  // CheckRestorable names the missing file
        if (!PlainName(kept->name)) return damaged("its description cannot be read");
        set.bytes[i] = files_.ReadFile(path + "\\" + kept->name);
        if (!set.bytes[i]) return damaged(kept->name + " is missing");
        if (set.bytes[i]->size() != kept->size || ContentHash(*set.bytes[i]) != kept->hash)
            return damaged(kept->name + " is damaged");
    }
    const paperset::Outcome restorable = paperset::CheckRestorable(set, modelPrefix_);
    if (!restorable.Ok()) return damaged(restorable.failure);
    if (bytes) *bytes = std::move(set);
    return entry;
}

paperset::ChangeResult History::Restore(paperset::PaperSet& set, const std::string& id,
                                        paperset::LoadResult* load) {
    const auto refused = [](std::string why) {
        return paperset::ChangeResult{paperset::ChangeStatus::Refused, std::move(why), -1};
    };
    const auto folders = EntryFolders();
    if (!folders) return refused("no history entry " + id);
    const auto folder = std::find_if(folders->begin(), folders->end(), [&](const EntryFolder& f) {
        return f.finished && f.name == id;
    });
    if (folder == folders->end()) return refused("no history entry " + id);
    paperset::SetBytes bytes;
    const Entry entry = Read(*folder, &bytes);
    if (entry.damaged) return refused("the history entry is damaged: " + entry.damage);
    return set.Restore(bytes, {paperset::ChangeDescription::Kind::Restored, id}, load);
}

paperset::Outcome History::Keep(const paperset::ReplacedSet& replaced,
                                const paperset::ChangeDescription& change) {
    lastKept_.clear();
    const paperset::Outcome failed =
        paperset::Outcome::Failed("cannot write the history folder " + Folder());
    if (!MakeFolder(files_, driverFolder_ + "\\history") || !MakeFolder(files_, Folder()))
        return failed;
    const auto folders = EntryFolders();
    if (!folders) return failed;

    // A name that no other entry has: the next number, and later ones if taken.
    EntryId id{folders->empty() ? 1 : folders->back().id.sequence + 1, clock_.Now()};
    std::string name;
    for (int attempt = 0;; ++attempt, ++id.sequence) {
        if (attempt == 100) return failed;
        name = FormatEntryId(id);
        const auto created = files_.CreateFolder(PathOf(name));
        if (created == win::FolderCreation::Created) break;
        if (created == win::FolderCreation::Failed) return failed;
    }

    EntryDescription description{id.kept, change, CountUserPapers(replaced.bytes.bytes[0]), {}};
    for (size_t i = 0; i < replaced.bytes.bytes.size(); ++i) {
        const auto& bytes = replaced.bytes.bytes[i];
        if (!bytes) continue;
        const std::string fileName = win::FileNameOf(replaced.paths.paths[i]);
        if (!files_.WriteFileAtomic(PathOf(name) + "\\" + fileName, *bytes)) {
            RemoveEntry(name);
            return failed;
        }
        description.files[i] = KeptFile{fileName, bytes->size(), ContentHash(*bytes)};
    }
    // Last: only now is the entry whole.
    if (!files_.WriteFileAtomic(DescriptionPath(name), FormatDescription(description))) {
        RemoveEntry(name);
        return failed;
    }
    lastKept_ = name;
    // The folders as listed before, and this entry: no second listing.
    std::vector<EntryFolder> kept = *folders;
    kept.push_back({name, id, true});
    Prune(kept);
    return {};
}

void History::Withdraw() {
    if (!lastKept_.empty()) RemoveEntry(lastKept_);
    lastKept_.clear();
}

void History::RemoveEntry(const std::string& name) {
    const std::string path = PathOf(name);
    // The description first: whatever stays behind is no longer a whole entry.
    files_.DeleteFile(DescriptionPath(name));
    if (const auto items = files_.ListFolder(path)) {
        for (const auto& item : *items)
            if (!item.isFolder) files_.DeleteFile(path + "\\" + item.name);
    }
    files_.RemoveFolder(path);
}

void History::Prune(const std::vector<EntryFolder>& folders) {
    auto finished = std::count_if(folders.begin(), folders.end(),
                                  [](const EntryFolder& folder) { return folder.finished; });
    for (const auto& folder : folders) {
        if (folder.finished && finished > kMaxEntries) {
            RemoveEntry(folder.name);
            --finished;
        } else if (!folder.finished) {
            RemoveEntry(folder.name);
        }
    }
}

}  // namespace history
