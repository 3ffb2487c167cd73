// What a user waits for when deleting a paper from a full list: from Yes in the
// delete question until velkor's list shows one line fewer, against two bare starts
// of a do-nothing program, measured in one run.
//
//   delete_gui_bench <velkor.exe> <queue> <title> [rounds]
//
// Each round puts a user source into the driver folder that fills the list to 100
// lines (the kvx510 built-in papers and user labels made from the first of them),
// starts velkor for the queue, selects the last paper, presses Delete, answers Yes
// and polls the list's line count (LB_GETCOUNT only: reading every line would load
// the measured program). Run it in a prefix whose windows are unmanaged (see
// docs/wine.md), or Wine's wait for hidden windows is measured too.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "paperset/pipeline.h"
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

constexpr int kPaperList = 1000;
constexpr int kDeleteButton = 1003;

struct Found {
    std::string title;
    bool wantList;
    HWND window = nullptr;
};

BOOL CALLBACK Match(HWND window, LPARAM data) {
    auto& found = *reinterpret_cast<Found*>(data);
    char caption[256] = {};
    GetWindowTextA(window, caption, sizeof caption);
    if (!IsWindowVisible(window) || found.title != caption) return TRUE;
    if ((GetDlgItem(window, kPaperList) != nullptr) != found.wantList) return TRUE;
    found.window = window;
    return FALSE;
}

// The main window (with the paper list) or the message box of that title.
HWND WaitForWindow(const std::string& title, bool wantList, int seconds) {
    for (int i = 0; i < seconds * 100; ++i) {
        Found found{title, wantList};
        EnumWindows(Match, reinterpret_cast<LPARAM>(&found));
        if (found.window) return found.window;
        Sleep(10);
    }
    return nullptr;
}

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 10000, &result);
    return static_cast<LRESULT>(result);
}

// The built-in papers of the folder's kvx510 sources and user labels after them, 100
// papers in all; the device sections are the user source's.
papertable::PaperTable FullTable(win::FileSystem& files, const std::string& folder) {
    auto table = std::make_unique<papertable::PaperTable>();
    const auto user = papertable::LoadProfile(files, folder + "\\kvx510ed.txt");
    papertable::ReadDevice(user, table->device);
    papertable::LoadPaperTable(*table, papertable::LoadProfile(files, folder + "\\kvx510ad.txt"),
                               papertable::ProfileFile{}, false, nullptr);
    const papertable::PaperRecord first = table->papers[0];
    for (int i = 0; table->paperCount < papertable::kMaxPapers; ++i) {
        papertable::AppendPaper(*table,
                                bench::UserCopy(first, i, "Bench label " + std::to_string(i)));
    }
    return *table;
}

struct Round {
    bool ok = false;
    double milliseconds = 0;
};

Round DeleteOnce(const std::string& velkor, const std::string& queue, const std::string& title) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = "\"" + velkor + "\" \"" + queue + "\"";
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                        nullptr, nullptr, &startup, &process))
        return {};
    Round round;
    HWND main = WaitForWindow(title, true, 60);
    HWND list = main ? GetDlgItem(main, kPaperList) : nullptr;
    const LRESULT lines = list ? Send(list, LB_GETCOUNT) : 0;
    if (lines == papertable::kMaxPapers) {
        Send(list, LB_SETCURSEL, static_cast<WPARAM>(lines - 1));
        Send(main, WM_COMMAND, MAKEWPARAM(kPaperList, LBN_SELCHANGE),
             reinterpret_cast<LPARAM>(list));
        PostMessageA(main, WM_COMMAND, MAKEWPARAM(kDeleteButton, BN_CLICKED), 0);
        if (HWND question = WaitForWindow(title, false, 30)) {
            const auto start = Clock::now();
            PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
            for (int i = 0; i < 60000 && !round.ok; ++i) {
                round.ok = Send(list, LB_GETCOUNT) == lines - 1;
                if (!round.ok) Sleep(1);
            }
            round.milliseconds = Milliseconds(Clock::now() - start);
        }
    }
    if (main) PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return round;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: delete_gui_bench <velkor.exe> <queue> <title> [rounds]\n");
        return 2;
    }
    const std::string velkor = argv[1], queue = argv[2], title = argv[3];
    const int rounds = argc > 4 ? std::max(1, std::atoi(argv[4])) : 5;

    const std::string nothing = bench::DoNothingCommand();

    win::Win32Services real;
    const std::string folder = real.spooler.DriverDirectory().value_or("") + "\\3";
    const std::string userSource = folder + "\\kvx510ed.txt";
    if (!real.files.FileExists(userSource)) {
        std::fprintf(stderr, "no %s: run scripts/wine-setup\n", userSource.c_str());
        return 1;
    }
    papertable::PaperTable full = FullTable(real.files, folder);
    // The installed set is put back afterwards: the prefix keeps its papers.
    const auto paths = paperset::DestinationPaths(
        folder, "kvx510",
        paperset::MakeBuildFiles(real.files.TempFolder(), "kvx510", full.device.bySeriesCode,
                                 full.device.byModelCode));
    const auto original = paperset::ReadSet(real.files, paths);

    std::vector<double> floors, deletes;
    int failed = 0;
    for (int i = 0; i < rounds; ++i) {
        floors.push_back(bench::TwoBareStarts(nothing));

        papertable::WriteUserSource(real.files, userSource, full, full.paperCount);
        const Round round = DeleteOnce(velkor, queue, title);
        if (round.ok)
            deletes.push_back(round.milliseconds);
        else
            ++failed;
    }
    if (original) paperset::WriteSet(real.files, paths, *original);
    if (deletes.empty()) {
        std::fprintf(stderr, "no delete was measured: is velkor installed for \"%s\"?\n",
                     queue.c_str());
        return 1;
    }
    const double floor = Median(floors), remove = Median(deletes);
    std::printf("rounds: %d measured, %d failed (medians)\n", static_cast<int>(deletes.size()),
                failed);
    std::printf("two bare starts of a do-nothing program: %.1f ms\n", floor);
    std::printf("Yes on a delete in a 100-paper list until the list is refilled: %.1f ms\n",
                remove);
    std::printf("ratio: %.2f (goal: at most 1.5)\n", remove / floor);
    return failed == 0 ? 0 : 1;
}
