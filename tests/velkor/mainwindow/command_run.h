// A run of the main window for the commands that build: an in-memory file system
// that logs every change, tools that stand in for the compiler and converter, and
// a transport for the transfer dialog.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/fakes/fake_services.h"
#include "tests/fakes/stand_in_tools.h"
#include "tests/support/headless.h"
#include "tests/velkor/mainwindow/source_text.h"
#include "tests/velkor/transfer/fakes.h"
#include "velkor/mainwindow/tarnel_dlg.h"

namespace mwtest {

inline const std::string kProgramFolder = "C:\\Program Files\\Mertavo";
inline const std::string kDriverFolder = "C:\\windows\\system32\\spool\\drivers\\x64\\3";
inline const std::string kBuiltInSource = kDriverFolder + "\\kvx510ad.txt";
inline const std::string kUserSource = kDriverFolder + "\\kvx510ed.txt";
// Temporary names of a kvx510 build with the codes of DeviceSections().
inline const std::string kTempSource = "C:\\Temp\\kvx510ed.txt";
inline const std::string kTempTable = "C:\\Temp\\kvx510ed.lyt";
inline const std::string kTempData = "C:\\Temp\\lty5141.bin";
inline const std::string kDataName = "lty5141.bin";

inline TestPaper Paper(const std::string& name) {
    return {name + " mm", name + " in"};
}

inline std::vector<TestPaper> Papers(const std::string& stem, int count) {
    std::vector<TestPaper> papers;
    for (int i = 0; i < count; ++i) papers.push_back(Paper(stem + " " + std::to_string(i)));
    return papers;
}

struct CommandRun : fakes::FakeServices<> {
    transfer::testing::FakeTransport transport;
    win::headless::HeadlessUi ui;
    mainwindow::MainWindowArgs args{"kvx510", false, papertable::k203DpiLimits, "Shelf"};
    std::unique_ptr<mainwindow::CTarnelDlg> dialog;

    // What the stand-in tools make: the compiler a table from the source, the
    // converter `paperData` from the table (or "data of " + table when unset). A
    // tool whose input is missing writes nothing.
    std::optional<std::string> paperData;
    std::vector<std::string> compiledSources;  // the source text at each compiler run

    CommandRun() {
        files.Put(kProgramFolder + "\\kvx500cv.exe", "");
        files.Put(kProgramFolder + "\\kvx500pc.exe", "");
        SetSources({Paper("Built-in A"), Paper("Built-in B")}, {Paper("User C"), Paper("User D")});
        processes.onRun = [this](const std::string& line) {
            fakes::RunStandInTool(files, line, paperData, compiledSources);
        };
    }
    void SetSources(const std::vector<TestPaper>& builtIn, const std::vector<TestPaper>& user) {
        files.Put(kBuiltInSource, SourceText(builtIn, false));
        files.Put(kUserSource, SourceText(user, true));
    }
    // Runs the window with `script`, which sees the dialog and its window.
    int Run(const std::function<void(mainwindow::CTarnelDlg&, win::headless::HeadlessWindow&)>&
                script) {
        dialog = std::make_unique<mainwindow::CTarnelDlg>(ui, services, args, &transport);
        ui.OnDialog(IDD_MAIN, [&](win::headless::HeadlessWindow& w) {
            files.log.clear();
            script(*dialog, w);
        });
        return dialog->RunModal(nullptr);
    }
    // The texts of the message boxes shown, in order.
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const auto& m : ui.messages) texts.push_back(m.text);
        return texts;
    }
    std::string Text(int id) { return ui.strings[id]; }
    // Whether a change was logged for a path in `folder` (paths without blanks: the
    // changed path is the last word of a log entry, a copy's destination).
    bool Touched(const std::string& folder) const {
        for (const auto& entry : files.log)
            if (entry.compare(entry.rfind(' ') + 1, folder.size(), folder) == 0) return true;
        return false;
    }
};

}  // namespace mwtest
