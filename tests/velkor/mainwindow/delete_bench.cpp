// Deleting a paper from a 100-paper table end to end, as the delete command does it
// (source written, compiled, converted, the replaced set kept in the history, the
// three files installed), against the
// floor of two bare starts of a console program that does nothing (do_nothing.exe,
// CreateProcess and wait).
// Run from anywhere under Wine after scripts/wine-setup:
//   delete_bench.exe [program folder] [rounds]
// The program folder holds kvx500pc.exe, kvx500cv.exe and kvx500i3.dll (default
// "C:\Program Files\Mertavo"); the files are installed into a folder of the
// temporary folder, so the driver folder is left alone.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "history/history.h"
#include "paperset/paper_set.h"
#include "papertable/source_reader.h"
#include "papertable/source_writer.h"
#include "papertable/table_edits.h"
#include "tests/velkor/mainwindow/bench_timing.h"
#include "win/win32_api.h"
#include "win/win32_services.h"

namespace {

using bench::Clock;
using bench::Median;
using bench::Milliseconds;

// The run's files, with the program path of the tools' folder, as if the
// benchmark were velkor beside them.
class ToolFolderFiles : public win::Win32FileSystem {
public:
    explicit ToolFolderFiles(std::string programFolder) : folder_(std::move(programFolder)) {}
    std::optional<std::string> ProgramPath() override { return folder_ + "\\velkor.exe"; }

private:
    std::string folder_;
};

// 100 user labels made from the first built-in label of kvx510, under the device
// sections of the installed user source.
papertable::PaperTable HundredPapers(win::FileSystem& files, const std::string& folder) {
    papertable::PaperTable loaded;
    const auto userFile = papertable::LoadProfile(files, folder + "\\kvx510ed.txt");
    papertable::ReadDevice(userFile, loaded.device);
    papertable::LoadPaperTable(loaded, papertable::LoadProfile(files, folder + "\\kvx510ad.txt"),
                               userFile, false, nullptr);
    const auto first = loaded.papers.begin();
    const auto label = std::find_if(first, first + loaded.paperCount, [](const auto& paper) {
        return paper.nType == papertable::kKindLabel;
    });
    papertable::PaperTable table;
    table.device = loaded.device;
    for (int i = 0; i < papertable::kMaxPapers; ++i) {
        papertable::AppendPaper(table, bench::UserCopy(*label, i, "Label " + std::to_string(i)));
    }
    return table;
}

// The history as keeper, with the time its keeps take.
class TimedKeeper : public paperset::ReplacedSetKeeper {
public:
    explicit TimedKeeper(paperset::ReplacedSetKeeper& keeper) : keeper_(keeper) {}
    paperset::Outcome Keep(const paperset::ReplacedSet& replaced,
                           const paperset::ChangeDescription& change) override {
        const auto start = Clock::now();
        paperset::Outcome kept = keeper_.Keep(replaced, change);
        milliseconds += Milliseconds(Clock::now() - start);
        return kept;
    }
    void Withdraw() override { keeper_.Withdraw(); }
    double milliseconds = 0;

private:
    paperset::ReplacedSetKeeper& keeper_;
};

}  // namespace

int main(int argc, char** argv) {
    const std::string programFolder = argc > 1 ? argv[1] : "C:\\Program Files\\Mertavo";
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

    const std::string nothing = bench::DoNothingCommand();

    win::Win32Services real;
    ToolFolderFiles files(programFolder);
    const std::string destination = files.TempFolder() + "velkor-delete-bench";
    CreateDirectoryA(destination.c_str(), nullptr);
    const std::string driverFolder = real.spooler.DriverDirectory().value_or("") + "\\3";
    const papertable::PaperTable hundred = HundredPapers(files, driverFolder);
    if (hundred.paperCount != papertable::kMaxPapers) {
        std::fprintf(stderr, "no kvx510 paper source in %s: run scripts/wine-setup\n",
                     driverFolder.c_str());
        return 1;
    }

    std::vector<double> floors, deletes, keeps;
    for (int round = 0; round < rounds; ++round) {
        floors.push_back(bench::TwoBareStarts(nothing));

        history::History history(files, real.clock, destination, "kvx510");
        TimedKeeper keeper(history);
        paperset::PaperSet paperSet(files, real.processes, "kvx510", destination, &keeper);
        paperSet.Table() = hundred;
        const auto start = Clock::now();
        const auto result = paperSet.Delete(50);
        deletes.push_back(Milliseconds(Clock::now() - start));
        keeps.push_back(keeper.milliseconds);
        if (!result.Ok()) {
            std::fprintf(stderr, "delete failed (%s): are the tools in %s?\n",
                         result.reason.c_str(), programFolder.c_str());
            return 1;
        }
    }
    const double floor = Median(floors), remove = Median(deletes);
    std::printf("rounds: %d (medians)\n", rounds);
    std::printf("two bare starts of a do-nothing program: %.1f ms\n", floor);
    std::printf("delete from 100 papers (write, compile, convert, keep, install): %.1f ms\n",
                remove);
    std::printf("  of which keeping the replaced set in the history: %.1f ms\n", Median(keeps));
    std::printf("ratio: %.2f (goal: at most 1.5)\n", remove / floor);
    return 0;
}
