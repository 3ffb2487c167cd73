#include "paperset/paper_set.h"

#include <array>

#include "paperset/restorable_set.h"
#include "papertable/source_reader.h"
#include "papertable/source_writer.h"
#include "papertable/table_edits.h"
#include "win/codepage.h"
#include "win/path_name.h"

namespace paperset {
namespace {

constexpr size_t kNameBytes = 260;

ChangeResult Refused(std::string reason) {
    return ChangeResult{ChangeStatus::Refused, std::move(reason), -1};
}

ChangeResult Failed(std::string reason) {
    return ChangeResult{ChangeStatus::Failed, std::move(reason), -1};
}

}  // namespace

PaperSet::PaperSet(win::FileSystem& files, win::Processes& processes, std::string modelPrefix,
                   std::string driverFolder, ReplacedSetKeeper* keeper)
    : files_(files),
      processes_(processes),
      modelPrefix_(std::move(modelPrefix)),
      driverFolder_(std::move(driverFolder)),
      keeper_(keeper),
      table_(std::make_unique<papertable::PaperTable>()) {}

PaperSet::~PaperSet() = default;

std::string PaperSet::BuiltInSourcePath() const {
    return driverFolder_ + "\\" + modelPrefix_ + "ad.txt";
}

std::string PaperSet::UserSourcePath() const {
    return DestinationSource(driverFolder_, modelPrefix_);
}

std::string PaperSet::PaperName(const papertable::PaperRecord& paper) const {
    const auto& name = inchUnits_ ? paper.szPaperName_inch : paper.szPaperName_mm;
    return win::WideToAnsi(name, kNameBytes).value_or(std::string());
}

std::optional<LoadResult> PaperSet::Open(bool inchUnits) {
    const std::string builtIn = BuiltInSourcePath();
    const std::string user = UserSourcePath();
    if (!files_.FileExists(builtIn) || !files_.FileExists(user)) return std::nullopt;
    return Load(papertable::LoadProfile(files_, builtIn), papertable::LoadProfile(files_, user),
                inchUnits);
}

LoadResult PaperSet::Load(const papertable::ProfileFile& builtInFile,
                          const papertable::ProfileFile& userFile, bool inchUnits) {
    inchUnits_ = inchUnits;
    // A partly read device record is used as read.
    papertable::ReadDevice(userFile, table_->device);
    LoadResult result;
    result.tooMany =
        !papertable::LoadPaperTable(*table_, builtInFile, userFile, inchUnits, nullptr);
    return result;
}

BuildContext PaperSet::Context() const {
    return BuildContext{files_, processes_, modelPrefix_, table_->device.bySeriesCode,
                        table_->device.byModelCode};
}

BuildResult PaperSet::BuildUserSource() {
    return BuildPaperData(
        Context(),
        [this](const std::string& path) {
            return papertable::WriteUserSource(files_, path, *table_, table_->paperCount);
        },
        true);
}

ChangeResult PaperSet::Install(const BuildResult& built, const ChangeDescription& change,
                               int index) {
    if (!built.outcome.Ok()) return Failed(built.outcome.failure);
    const SetPaths paths = DestinationPaths(driverFolder_, modelPrefix_, built.files);
    if (keeper_) {
        const auto bytes = ReadSet(files_, paths);
        if (!bytes) return Failed("cannot read the installed files in order to keep them");
        const Outcome kept = keeper_->Keep(ReplacedSet{paths, *bytes}, change);
        if (!kept.Ok()) return Failed(kept.failure);
    }
    const InstallResult installed = InstallPaperData(files_, built.files, paths, true);
    if (!installed.outcome.Ok()) {
        if (keeper_) keeper_->Withdraw();
        return Failed(installed.outcome.failure);
    }
    return ChangeResult{ChangeStatus::Done, std::string(), index};
}

ChangeResult PaperSet::BuildAndInstall(const papertable::PaperTable& before,
                                       const ChangeDescription& change, int index) {
    ChangeResult result = Install(BuildUserSource(), change, index);
    if (!result.Ok()) *table_ = before;
    return result;
}

bool PaperSet::IsFull() const {
    return table_->tableFull || table_->paperCount >= papertable::kMaxPapers;
}

std::string PaperSet::FullTableReason() {
    return "the table holds " + std::to_string(papertable::kMaxPapers) +
           " papers; delete a user paper first";
}

ChangeResult PaperSet::Add(const papertable::PaperRecord& paper) {
    if (IsFull()) return Refused(FullTableReason());
    const auto before = std::make_unique<papertable::PaperTable>(*table_);
    papertable::AppendPaper(*table_, paper);
    const int index = table_->paperCount - 1;
    return BuildAndInstall(*before, {ChangeDescription::Kind::Added, PaperName(paper)}, index);
}

ChangeResult PaperSet::Overwrite(int index, const papertable::PaperRecord& paper) {
    if (index < 0 || index >= table_->paperCount) return Refused("no paper at that place");
    auto& slot = table_->papers[static_cast<size_t>(index)];
    if (slot.builtIn) return Refused("a built-in paper cannot be replaced");
    if (slot.editLocked) return Refused("a locked paper cannot be replaced");
    const auto before = std::make_unique<papertable::PaperTable>(*table_);
    slot = paper;
    slot.builtIn = false;
    return BuildAndInstall(*before, {ChangeDescription::Kind::Overwritten, PaperName(paper)},
                           index);
}

ChangeResult PaperSet::Delete(int index) {
    if (index < 0 || index >= table_->paperCount) return Refused("no paper at that place");
    const auto& paper = table_->papers[static_cast<size_t>(index)];
    if (paper.builtIn) return Refused("a built-in paper cannot be deleted");
    if (paper.editLocked) return Refused("a locked paper cannot be deleted");
    const auto before = std::make_unique<papertable::PaperTable>(*table_);
    const ChangeDescription change{ChangeDescription::Kind::Deleted, PaperName(paper)};
    const int next = papertable::RemovePaper(*table_, index);
    // Whatever the install does, a table with one paper fewer has room again.
    table_->tableFull = false;
    return BuildAndInstall(*before, change, next);
}

ChangeResult PaperSet::Import(const std::string& path, bool inchUnits, LoadResult* load) {
    const auto before = std::make_unique<papertable::PaperTable>(*table_);
    const bool inchBefore = inchUnits_;
    const auto chosen = papertable::LoadProfile(files_, path);
    const LoadResult loaded =
        Load(papertable::LoadProfile(files_, BuiltInSourcePath()), chosen, inchUnits);
    if (load) *load = loaded;

    const auto built = BuildPaperData(
        Context(),
        [&](const std::string& tempSource) {
            ClearReadOnly(files_, tempSource);
            const bool copied = files_.CopyFile(path, tempSource);
            ClearReadOnly(files_, tempSource);
            return copied;
        },
        true);
    ChangeResult result = Install(built, {ChangeDescription::Kind::Imported, win::FileNameOf(path)},
                                  table_->paperCount > 0 ? 0 : -1);
    if (!result.Ok()) {
        *table_ = *before;
        inchUnits_ = inchBefore;
    }
    return result;
}

BuildResult PaperSet::StageSet(const SetBytes& set) {
    papertable::DeviceRecord device;
    papertable::ReadDevice(papertable::ProfileFile::Parse(set.bytes[0].value_or("")), device);
    if (!set.bytes[1] || !set.bytes[2]) {
        BuildContext context = Context();
        context.seriesCode = device.bySeriesCode;
        context.modelCode = device.byModelCode;
        return BuildPaperData(
            context,
            [&](const std::string& tempSource) {
                ClearReadOnly(files_, tempSource);
                return files_.WriteFileAtomic(tempSource, *set.bytes[0]);
            },
            true);
    }
    BuildResult staged;
    staged.files =
        MakeBuildFiles(files_.TempFolder(), modelPrefix_, device.bySeriesCode, device.byModelCode);
    const std::array<std::string, 3> paths = {staged.files.tempSource, staged.files.tempTable,
                                              staged.files.tempPaperData};
    for (size_t i = 0; i < paths.size(); ++i) {
        ClearReadOnly(files_, paths[i]);
        if (!files_.WriteFileAtomic(paths[i], set.bytes[i].value_or(""))) {
            staged.outcome = Outcome::Failed("cannot write " + paths[i]);
            break;
        }
    }
    return staged;
}

ChangeResult PaperSet::Restore(const SetBytes& set, const ChangeDescription& change,
                               LoadResult* load) {
    const Outcome restorable = CheckRestorable(set, modelPrefix_);
    if (!restorable.Ok()) return Refused(restorable.failure);
    ChangeResult result = Install(StageSet(set), change, 0);
    if (!result.Ok()) return result;
    const LoadResult loaded = Load(papertable::LoadProfile(files_, BuiltInSourcePath()),
                                   papertable::LoadProfile(files_, UserSourcePath()), inchUnits_);
    if (load) *load = loaded;
    if (table_->paperCount == 0) result.index = -1;
    return result;
}

bool PaperSet::ExportWouldOverwrite(const std::string& folder) {
    const auto names = MakeBuildFiles(files_.TempFolder(), modelPrefix_,
                                      table_->device.bySeriesCode, table_->device.byModelCode);
    for (const auto& path : DestinationPaths(folder, modelPrefix_, names).paths) {
        if (files_.FileExists(path)) return true;
    }
    return false;
}

ChangeResult PaperSet::Export(const std::string& folder) {
    const BuildResult built = BuildUserSource();
    if (!built.outcome.Ok()) return Failed(built.outcome.failure);
    const auto installed = InstallPaperData(
        files_, built.files, DestinationPaths(folder, modelPrefix_, built.files), false);
    if (!installed.outcome.Ok()) return Failed(installed.outcome.failure);
    return ChangeResult{};
}

BuildResult PaperSet::BuildSinglePaper(int index) {
    BuildResult built = BuildPaperData(
        Context(),
        [&](const std::string& path) {
            return papertable::WriteSinglePaperSource(files_, path, *table_, index);
        },
        false);
    files_.DeleteFile(built.files.tempSource);
    files_.DeleteFile(built.files.tempTable);
    // Paper data of a failed build must not be taken for this paper's.
    if (!built.outcome.Ok()) files_.DeleteFile(built.files.tempPaperData);
    return built;
}

}  // namespace paperset
