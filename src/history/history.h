// The history of one model's paper sets. Before every install into the driver
// folder, the paper set hands this keeper the set it is about to replace, and the
// set is kept as one entry in <driverFolder>\history\<modelPrefix>\<entry id>\: its
// three files under their own names and, written last, the description file
// (history/entry_file.h). At most kMaxEntries entries are kept; the oldest go
// first. An entry is restored through the paper set, which keeps the set that the
// restore replaces in turn, so a restore can be undone like any change.
//
// No user interface, and only the services of win/services.h: the main window's
// history dialog and the command-line tool list and restore through this model.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "history/entry_id.h"
#include "paperset/paper_set.h"
#include "win/services.h"

namespace history {

inline constexpr int kMaxEntries = 30;

struct Entry {
    std::string id;       // the name of the entry's folder, which names it for Restore
    win::LocalTime kept;  // when it was kept, in local time
    // What replaced the set; nullopt when the description does not read.
    std::optional<paperset::ChangeDescription> change;
    int paperCount = 0;  // user papers in its source text
    bool damaged = false;
    std::string damage;  // why it cannot be restored, one line
};

class History : public paperset::ReplacedSetKeeper {
public:
    History(win::FileSystem& files, win::Clock& clock, std::string driverFolder,
            std::string modelPrefix);

    // <driverFolder>\history\<modelPrefix>
    std::string Folder() const;
    // Every finished entry, newest first, the damaged ones marked.
    std::vector<Entry> Entries();
    // True when there is at least one finished entry, damaged or not.
    bool HasEntries();

    // Installs entry `id` again through `set`, which keeps what it replaces when
    // this history is its keeper. An unknown or damaged entry is refused.
    paperset::ChangeResult Restore(paperset::PaperSet& set, const std::string& id,
                                   paperset::LoadResult* load = nullptr);

    // paperset::ReplacedSetKeeper: a set that cannot be kept whole fails with "cannot
    // write the history folder <Folder()>", and what was written of it is removed.
    paperset::Outcome Keep(const paperset::ReplacedSet& replaced,
                           const paperset::ChangeDescription& change) override;
    void Withdraw() override;

private:
    struct EntryFolder {
        std::string name;
        EntryId id;
        bool finished = false;  // its description file is there
    };
    // The folders named as entries, oldest first; nullopt when the history folder
    // cannot be listed.
    std::optional<std::vector<EntryFolder>> EntryFolders();
    std::string PathOf(const std::string& name) const;
    std::string DescriptionPath(const std::string& name) const;
    // The entry's description is written: the entry is whole.
    bool IsFinished(const std::string& name);
    // The entry's fields and, when `bytes` is given, its files.
    Entry Read(const EntryFolder& folder, paperset::SetBytes* bytes);
    void RemoveEntry(const std::string& name);
    // Drops the oldest finished entries of `folders` (oldest first, the newest
    // entry last) beyond the limit, and the unfinished ones an earlier keep left.
    void Prune(const std::vector<EntryFolder>& folders);

    win::FileSystem& files_;
    win::Clock& clock_;
    std::string driverFolder_;
    std::string modelPrefix_;
    std::string lastKept_;  // the entry the last Keep wrote, for Withdraw
};

}  // namespace history
