// Deleting a paper from a 100-paper table end to end, as the delete command does it
// (source written, compiled, converted, the three files installed), against the
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

#include "build/pipeline.h"
#include "mainwindow/paper_list_edit.h"
#include "papertable/source_reader.h"
#include "papertable/source_writer.h"
#include "tests/support/headless.h"
#include "win/codepage.h"
#include "win/win32_api.h"
#include "win/win32_services.h"

namespace {

using Clock = std::chrono::steady_clock;

// The run's files, with the program path of the tools' folder, as if the
// benchmark were velkor beside them.
class ToolFolderFiles : public win::Win32FileSystem {
public:
    explicit ToolFolderFiles(std::string programFolder) : folder_(std::move(programFolder)) {}
    std::optional<std::string> ProgramPath() override { return folder_ + "\\velkor.exe"; }

private:
    std::string folder_;
};

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void StartAndWait(const std::string& commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process)) {
        std::fprintf(stderr, "cannot start %s\n", commandLine.c_str());
        return;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

// 100 user labels made from the first built-in label of kvx510, under the device
// sections of the installed user source.
papertable::PaperTable HundredPapers(win::FileSystem& files, win::Ui& ui,
                                     const std::string& folder) {
    papertable::PaperTable loaded;
    const auto userFile = papertable::LoadProfile(files, folder + "\\kvx510ed.txt");
    papertable::ReadDevice(userFile, loaded.device);
    papertable::LoadPaperTable(loaded, papertable::LoadProfile(files, folder + "\\kvx510ad.txt"),
                               userFile, false, ui, [](const std::string&) {});
    const auto first = loaded.papers.begin();
    const auto label = std::find_if(first, first + loaded.paperCount, [](const auto& paper) {
        return paper.nType == papertable::kKindLabel;
    });
    papertable::PaperTable table;
    table.device = loaded.device;
    for (int i = 0; i < papertable::kMaxPapers; ++i) {
        papertable::PaperRecord paper = *label;
        const std::string name = "Label " + std::to_string(i);
        win::AnsiToWide(name, paper.szPaperName_mm);
        win::AnsiToWide(name, paper.szPaperName_inch);
        paper.builtIn = false;
        paper.nPaperSize = static_cast<int16_t>(mainwindow::kFirstUserPaperId + i);
        paper.wPafMediaID = std::to_string(paper.nPaperSize);
        mainwindow::AppendPaper(table, paper);
    }
    return table;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string programFolder = argc > 1 ? argv[1] : "C:\\Program Files\\Mertavo";
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

    // do_nothing.exe is built beside this program.
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string nothing = self;
    nothing.replace(nothing.find_last_of('\\') + 1, std::string::npos, "do_nothing.exe");
    nothing = "\"" + nothing + "\"";

    win::Win32Services real;
    ToolFolderFiles files(programFolder);
    win::headless::HeadlessUi ui;  // a failed install only records its message
    const std::string destination = files.TempFolder() + "velkor-delete-bench";
    CreateDirectoryA(destination.c_str(), nullptr);
    const std::string driverFolder = real.spooler.DriverDirectory().value_or("") + "\\3";
    const papertable::PaperTable hundred = HundredPapers(files, ui, driverFolder);
    if (hundred.paperCount != papertable::kMaxPapers) {
        std::fprintf(stderr, "no kvx510 paper source in %s: run scripts/wine-setup\n",
                     driverFolder.c_str());
        return 1;
    }

    std::vector<double> floors, deletes;
    for (int round = 0; round < rounds; ++round) {
        auto start = Clock::now();
        StartAndWait(nothing);
        StartAndWait(nothing);
        floors.push_back(Milliseconds(Clock::now() - start));

        papertable::PaperTable table = hundred;
        const build::BuildContext context{files,
                                          real.processes,
                                          ui,
                                          nullptr,
                                          "kvx510",
                                          table.device.bySeriesCode,
                                          table.device.byModelCode};
        start = Clock::now();
        mainwindow::RemovePaper(table, 50);
        table.tableFull = false;
        const auto built = build::BuildPaperData(
            context,
            [&](const std::string& path) {
                papertable::WriteUserSource(files, path, table, table.paperCount);
            },
            true);
        const bool installed = build::InstallPaperData(context, built, destination, 1102);
        deletes.push_back(Milliseconds(Clock::now() - start));
        if (!installed) {
            std::fprintf(stderr, "install failed: are the tools in %s?\n", programFolder.c_str());
            return 1;
        }
    }
    const double floor = Median(floors), remove = Median(deletes);
    std::printf("rounds: %d (medians)\n", rounds);
    std::printf("two bare starts of a do-nothing program: %.1f ms\n", floor);
    std::printf("delete from 100 papers (write, compile, convert, install): %.1f ms\n", remove);
    std::printf("ratio: %.2f (goal: at most 1.5)\n", remove / floor);
    return 0;
}
