// Radio buttons in the headless backend behave as Win32's: a click on an automatic
// one checks it and unchecks the rest of its group, as the template groups them.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "tests/support/headless.h"
#include "win/dialog.h"

namespace {

using win::headless::HeadlessUi;
using win::headless::HeadlessWindow;

constexpr int kTemplate = 600;
constexpr int kA = 601, kB = 602, kC = 603, kX = 604, kY = 605, kPlain = 606, kEdit = 607;

// Two groups of automatic buttons, a plain radio button after a text that starts
// a group of its own, and an edit control.
const char kScript[] = R"(
600 DIALOGEX 0, 0, 100, 100
BEGIN
    AUTORADIOBUTTON "A", 601, 0, 0, 9, 9, WS_GROUP
    AUTORADIOBUTTON "B", 602, 0, 10, 9, 9
    AUTORADIOBUTTON "C", 603, 0, 20, 9, 9
    AUTORADIOBUTTON "X", 604, 0, 30, 9, 9, WS_GROUP
    AUTORADIOBUTTON "Y", 605, 0, 40, 9, 9
    LTEXT "Other", -1, 0, 50, 9, 9
    RADIOBUTTON "Plain", 606, 0, 60, 9, 9
    EDITTEXT 607, 0, 70, 9, 9
END
)";

// Binds both groups and counts the clicks it is told of.
class RadioDlg : public win::Dialog {
public:
    explicit RadioDlg(win::Ui& ui) : Dialog(ui, kTemplate) {
        static const win::MessageEntry<RadioDlg> map[] = {
            {win::Event::Command, kA, &RadioDlg::OnClick},
            {win::Event::Command, kB, &RadioDlg::OnClick},
            {win::Event::Command, kC, &RadioDlg::OnClick},
            {win::Event::Command, kX, &RadioDlg::OnClick},
            {win::Event::Command, kY, &RadioDlg::OnClick},
            {win::Event::Command, kPlain, &RadioDlg::OnClick},
        };
        UseMessageMap(this, map);
    }
    int first = 0;   // A, B or C
    int second = 1;  // X or Y
    std::vector<int> clicks;

protected:
    void Exchange(DataExchange& dx) override {
        dx.Radio(kA, kC, first);
        dx.Radio(kX, kY, second);
    }
    void OnClick(const win::Message& message) { clicks.push_back(message.id); }
};

struct RadioRun {
    HeadlessUi ui;
    RadioDlg dialog{ui};
    std::set<int> checked;  // what the script saw checked before OK

    RadioRun() { ui.templates = win::headless::ReadDialogTemplates(kScript, {}); }
    void Script(std::function<void(HeadlessWindow&)> steps) {
        ui.OnDialog(kTemplate, [this, steps](HeadlessWindow& w) {
            steps(w);
            for (int id : {kA, kB, kC, kX, kY, kPlain})
                if (w.IsChecked(id)) checked.insert(id);
            w.Click(win::kIdOk);
        });
        ASSERT_EQ(dialog.RunModal(nullptr), win::kIdOk);
    }
};

TEST(HeadlessRadio, ACheckUnchecksTheOthersOfItsGroupOnly) {
    struct Case {
        std::vector<int> checks;
        std::set<int> checked;
        int first, second;
    };
    const Case cases[] = {
        {{}, {kA, kY}, 0, 1},           {{kB}, {kB, kY}, 1, 1}, {{kC, kX}, {kC, kX}, 2, 0},
        {{kB, kA, kC}, {kC, kY}, 2, 1}, {{kY}, {kA, kY}, 0, 1},  // checking the checked one changes
                                                                 // nothing
    };
    for (const Case& c : cases) {
        RadioRun run;
        run.Script([&](HeadlessWindow& w) {
            for (int id : c.checks) w.Check(id);
        });
        EXPECT_EQ(run.checked, c.checked) << ::testing::PrintToString(c.checks);
        EXPECT_EQ(run.dialog.first, c.first);
        EXPECT_EQ(run.dialog.second, c.second);
        EXPECT_EQ(run.dialog.clicks, c.checks);
    }
}

TEST(HeadlessRadio, DisabledOrHiddenButtonsTakeNoClickAndKeepTheirCheck) {
    for (bool hide : {false, true}) {
        RadioRun run;
        run.Script([&](HeadlessWindow& w) {
            auto& b = w.Control(kB);
            (hide ? b.visible : b.enabled) = false;
            w.Check(kB);  // no effect
            w.Control(kB).checked = true;
            w.Check(kC);  // the platform steps over B: it stays checked
        });
        EXPECT_EQ(run.checked, (std::set<int>{kB, kC, kY})) << hide;
        EXPECT_EQ(run.dialog.clicks, (std::vector<int>{kC})) << hide;
    }
}

TEST(HeadlessRadio, APlainRadioButtonIsLeftToTheDialog) {
    RadioRun run;
    run.Script([](HeadlessWindow& w) { w.Check(kPlain); });
    EXPECT_EQ(run.checked, (std::set<int>{kA, kY}));
    EXPECT_EQ(run.dialog.clicks, (std::vector<int>{kPlain}));
}

TEST(HeadlessRadio, CheckingWhatTheTemplateHasAsNoRadioButtonIsAnError) {
    for (int id : {kEdit, 999}) {
        RadioRun run;
        run.Script([id](HeadlessWindow& w) { EXPECT_THROW(w.Check(id), std::logic_error) << id; });
    }
    HeadlessUi ui;  // the language module has no template 600
    RadioDlg dialog(ui);
    ui.OnDialog(kTemplate, [](HeadlessWindow& w) { EXPECT_THROW(w.Check(kA), std::logic_error); });
    dialog.RunModal(nullptr);
}

}  // namespace
