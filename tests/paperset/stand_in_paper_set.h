// A paper set of kvx510 in driver folder C:\Drivers\3 over fakes, whose stand-in
// tools make "table N" and "data N" at the N-th build, for the tests of the paper
// set and of its keepers.
#pragma once

#include <string>
#include <vector>

#include "paperset/paper_set.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_processes.h"
#include "win/codepage.h"

namespace settest {

inline const std::string kDriver = "C:\\Drivers\\3";
inline const std::string kSource = kDriver + "\\kvx510ed.txt";
inline const std::string kTable = kDriver + "\\kvx510ed.lyt";
inline const std::string kData = kDriver + "\\lty5141.bin";

struct StandInPaperSet {
    fakes::FakeFileSystem files;
    fakes::FakeProcesses processes;
    paperset::PaperSet set;
    int builds = 0;
    int16_t newPaperId = 515;  // the paper ID of Paper(): one the user source does not use

    // `keeper` may be a member of the deriving fixture, made after this part.
    explicit StandInPaperSet(paperset::ReplacedSetKeeper* keeper = nullptr)
        : set(files, processes, "kvx510", kDriver, keeper) {
        processes.onRun = [this](const std::string& commandLine) {
            if (commandLine.find("pc.exe") != std::string::npos)
                files.Put("C:\\Temp\\kvx510ed.lyt", "table " + std::to_string(++builds));
            if (commandLine.find("cv.exe") != std::string::npos)
                files.Put("C:\\Temp\\lty5141.bin", "data " + std::to_string(builds));
        };
    }
    // A copy of the table's second paper under `name` in both units.
    papertable::PaperRecord Paper(const std::string& name) const {
        papertable::PaperRecord paper = set.Table().papers[1];
        win::AnsiToWide(name, paper.szPaperName_mm);
        win::AnsiToWide(name, paper.szPaperName_inch);
        paper.nPaperSize = newPaperId;
        return paper;
    }
    // The names of the table's papers in the set's unit.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (int i = 0; i < set.Table().paperCount; ++i)
            names.push_back(set.PaperName(set.Table().papers[static_cast<size_t>(i)]));
        return names;
    }
};

}  // namespace settest
