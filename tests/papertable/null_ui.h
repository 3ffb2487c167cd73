// A Ui that shows nothing and answers every question with 0, for programs that
// read source files without a user (fuzzing, benchmarks).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "win/ui.h"

class NullUi : public win::Ui {
public:
    int RunModal(win::Dialog&, win::DialogWindow*) override { return 0; }
    int MessageBox(std::string_view, win::MessageKind) override { return 0; }
    std::string LoadString(int) override { return {}; }
    bool HasString(int) override { return false; }
    std::vector<win::MenuItem> LoadMenu(int) override { return {}; }
    void SetApplicationTitle(std::string) override {}
    std::string ApplicationTitle() const override { return {}; }
    std::optional<std::string> BrowseForFolder(win::DialogWindow&, std::string_view) override {
        return std::nullopt;
    }
    std::optional<std::string> OpenFileName(win::DialogWindow&,
                                            const win::FileDialogArgs&) override {
        return std::nullopt;
    }
    std::optional<std::string> SaveFileName(win::DialogWindow&,
                                            const win::FileDialogArgs&) override {
        return std::nullopt;
    }
};
