// The paper set of one model: its table in memory and every change to it. A change
// (add, overwrite, delete, import) edits the table, builds it with the family's tools
// and installs the three files into the driver folder, all or nothing; when any step
// fails, the table is put back as it was, so it always matches the installed files.
// A restore installs a kept set as it is and reads the table anew. Export and the
// single-paper builds of the printer-data commands use the same build.
//
// No user interface: results carry a status and one line of reason, and the caller
// shows its own message. So the main window, the paper editor and the command-line
// tool share this one model.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "paperset/pipeline.h"
#include "papertable/paper_record.h"
#include "papertable/profile.h"

namespace paperset {

// What a change did, for whoever keeps the replaced sets.
struct ChangeDescription {
    enum class Kind { Added, Overwritten, Deleted, Imported, Restored };
    Kind kind = Kind::Added;
    std::string subject;  // the paper's name, the imported file's name, the restored entry
};

// The installed set a change is about to replace.
struct ReplacedSet {
    SetPaths paths;  // where the three files are installed
    SetBytes bytes;  // what they hold now (nullopt: no such file)
};

// Keeps each replaced set before the change is installed. A set that cannot be kept
// stops the change: nothing is installed without its way back.
class ReplacedSetKeeper {
public:
    virtual ~ReplacedSetKeeper() = default;
    virtual Outcome Keep(const ReplacedSet& replaced, const ChangeDescription& change) = 0;
    // The change whose set was kept last could not be installed after all: the
    // driver folder still holds that set, so the keeper may let it go.
    virtual void Withdraw() {}
};

enum class ChangeStatus {
    Done,
    Refused,  // not possible with this table: full, no such paper, a built-in or locked one
    Failed,   // the build or the install failed; nothing was changed
};

struct ChangeResult {
    ChangeStatus status = ChangeStatus::Done;
    std::string reason;  // one line, when not done
    int index = -1;      // the paper to select afterwards
    bool Ok() const { return status == ChangeStatus::Done; }
};

struct LoadResult {
    bool tooMany = false;  // a paper was refused because the table was full
};

class PaperSet {
public:
    // `keeper` keeps each replaced set; null keeps nothing (a set with no history).
    PaperSet(win::FileSystem& files, win::Processes& processes, std::string modelPrefix,
             std::string driverFolder, ReplacedSetKeeper* keeper);
    ~PaperSet();
    PaperSet(const PaperSet&) = delete;
    PaperSet& operator=(const PaperSet&) = delete;

    papertable::PaperTable& Table() { return *table_; }
    const papertable::PaperTable& Table() const { return *table_; }
    const std::string& ModelPrefix() const { return modelPrefix_; }
    const std::string& DriverFolder() const { return driverFolder_; }
    // The driver folder's built-in source (<prefix>ad.txt) and user source (<prefix>ed.txt).
    std::string BuiltInSourcePath() const;
    std::string UserSourcePath() const;

    // The unit of the paper names in change descriptions.
    void SetInchUnits(bool inchUnits) { inchUnits_ = inchUnits; }

    // Loads the model's two sources from the driver folder (see Load); nullopt, and
    // nothing loaded, when either of them is missing.
    std::optional<LoadResult> Open(bool inchUnits);
    // Reads the device record from `userFile` and the papers of both files, the
    // names checked in the given unit (a name the code page cannot hold drops its
    // paper).
    LoadResult Load(const papertable::ProfileFile& builtInFile,
                    const papertable::ProfileFile& userFile, bool inchUnits);

    // True when the table takes no further paper.
    bool IsFull() const;
    // Why a full table refuses a new paper.
    static std::string FullTableReason();

    ChangeResult Add(const papertable::PaperRecord& paper);
    ChangeResult Overwrite(int index, const papertable::PaperRecord& paper);
    ChangeResult Delete(int index);
    // Replaces the user papers by those of the source file at `path` (a source of
    // this model: the caller checks its model tag) and installs it as it is.
    ChangeResult Import(const std::string& path, bool inchUnits, LoadResult* load = nullptr);
    // Installs a kept set again exactly as it is, the paper data under the name its
    // source's device codes give, and then reads the table anew from the driver
    // folder. A set kept without its compiled table or paper data has them built
    // from its source. A set that CheckRestorable (paperset/restorable_set.h) refuses
    // is refused.
    ChangeResult Restore(const SetBytes& set, const ChangeDescription& change,
                         LoadResult* load = nullptr);

    // True when exporting into `folder` would replace a file there.
    bool ExportWouldOverwrite(const std::string& folder);
    // Builds the user papers and copies the three files into `folder`.
    ChangeResult Export(const std::string& folder);
    // Builds the paper at `index` alone; the temporary source and table are removed,
    // and no paper data is left when the build failed.
    BuildResult BuildSinglePaper(int index);

    // The paper's name in the unit of the last load, as the list shows it.
    std::string PaperName(const papertable::PaperRecord& paper) const;

private:
    BuildContext Context() const;
    BuildResult BuildUserSource();
    // Builds the table in memory and installs it; the table is put back from
    // `before` when anything fails.
    ChangeResult BuildAndInstall(const papertable::PaperTable& before,
                                 const ChangeDescription& change, int index);
    ChangeResult Install(const BuildResult& built, const ChangeDescription& change, int index);
    // Puts the three files of `set` where a build of its source leaves its files;
    // builds the table and paper data from the source when the set lacks them.
    BuildResult StageSet(const SetBytes& set);

    win::FileSystem& files_;
    win::Processes& processes_;
    std::string modelPrefix_;
    std::string driverFolder_;
    ReplacedSetKeeper* keeper_ = nullptr;
    bool inchUnits_ = false;
    // 101 records: too large for the stack of the caller's window.
    std::unique_ptr<papertable::PaperTable> table_;
};

}  // namespace paperset
