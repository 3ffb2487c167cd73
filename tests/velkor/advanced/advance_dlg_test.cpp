#include "velkor/advanced/advance_dlg.h"

#include <gtest/gtest.h>

#include <functional>

#include "resources/resource_ids.h"
#include "tests/support/headless.h"

namespace {

using advanced::CAdvanceDlg;
using papertable::PaperRecord;
using win::headless::HeadlessWindow;

const int kAdjustCombos[] = {IDC_ADV_ADJUST_A1, IDC_ADV_ADJUST_A2, IDC_ADV_ADJUST_B1,
                             IDC_ADV_ADJUST_B2};

struct Advanced : ::testing::Test {
    win::headless::HeadlessUi ui;
    PaperRecord record;
    bool inch = false;
    char separator = '.';
    int resolution = 203;

    Advanced() {
        record.nType = papertable::kKindLabel;
        record.byEnergyRank = 3;
        record.reserved_12_ = "12,0,0,0,0,0,1,12,0,-1,2,0";
        // One script for every run, so each run drives the dialog with its own steps.
        ui.OnDialog(IDD_ADVANCED, [this](HeadlessWindow& w) { script(w); });
    }
    std::function<void(HeadlessWindow&)> script;

    // Runs the dialog on `record` with `steps` and gives its result.
    int Run(std::function<void(HeadlessWindow&)> steps) {
        CAdvanceDlg dialog(ui, record, inch, separator, resolution);
        this->script = std::move(steps);
        return dialog.RunModal(nullptr);
    }
    // Runs the dialog, types the offsets and confirms.
    int Confirm(const char* x, const char* y) {
        return Run([&](HeadlessWindow& w) {
            w.Type(IDC_ADV_X, x);
            w.Type(IDC_ADV_Y, y);
            w.Click(win::kIdOk);
        });
    }
};

TEST_F(Advanced, OpensWithUnitsRangesAndLists) {
    record.nVirtualOffsetX = 8;
    record.nVirtualOffsetY = -40;
    Run([&](HeadlessWindow& w) {
        const std::pair<int, const char*> texts[] = {
            {IDC_ADV_X, "1.0"},
            {IDC_ADV_Y, "-5.0"},
            {IDC_ADV_DIM_X, "1.0 mm"},
            {IDC_ADV_DIM_Y, "-5.0 mm"},
            {IDC_ADV_UNIT_X, "mm"},
            {IDC_ADV_UNIT_Y, "mm"},
            {IDC_ADV_RANGE_X, "[ -150.0 - 150.0 ]"},
            {IDC_ADV_RANGE_Y, "[ -150.0 - 150.0 ]"},
        };
        for (const auto& [id, text] : texts) EXPECT_EQ(w.Text(id), text) << id;
        EXPECT_EQ(
            w.Control(IDC_ADV_ENERGY).items,
            (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
        EXPECT_EQ(w.Selection(IDC_ADV_ENERGY), 3);
        for (int combo : kAdjustCombos) {
            EXPECT_EQ(
                w.Control(combo).items,
                (std::vector<std::string>{"-2 (less)", "-1", "0 (standard)", "+1", "+2 (more)"}));
        }
        for (int spin : {IDC_ADV_SPIN_X, IDC_ADV_SPIN_Y}) {
            EXPECT_EQ(w.Control(spin).spinLower, 0);
            EXPECT_EQ(w.Control(spin).spinUpper, 1);
        }
    });
}

TEST_F(Advanced, InchesAndCommaSeparator) {
    inch = true;
    separator = ',';
    resolution = 300;
    record.nVirtualOffsetX = 40;
    Run([&](HeadlessWindow& w) {
        EXPECT_EQ(w.Text(IDC_ADV_X), "0,13");
        EXPECT_EQ(w.Text(IDC_ADV_DIM_X), "0,13 \"");
        EXPECT_EQ(w.Text(IDC_ADV_Y), "0,00");
        EXPECT_EQ(w.Text(IDC_ADV_UNIT_Y), "\"");
        EXPECT_EQ(w.Text(IDC_ADV_RANGE_Y), "[ -5,91 - 5,91 ]");
        w.Type(IDC_ADV_Y, "-1,5");
        EXPECT_EQ(w.Text(IDC_ADV_Y), "-1,5");
        w.Type(IDC_ADV_Y, "-1.5");
        EXPECT_EQ(w.Text(IDC_ADV_Y), "-1,5");
        w.Click(win::kIdOk);
    });
    EXPECT_EQ(record.nVirtualOffsetX, 39);  // 0.13 in at 300 dpi
    EXPECT_EQ(record.nVirtualOffsetY, -450);
}

TEST_F(Advanced, OffsetStoredBackAsTheSameDots) {
    record.nVirtualOffsetX = 8;
    EXPECT_EQ(Run([](HeadlessWindow& w) { w.Click(win::kIdOk); }), win::kIdOk);
    EXPECT_EQ(record.nVirtualOffsetX, 8);
    EXPECT_EQ(record.nVirtualOffsetY, 0);
}

TEST_F(Advanced, TypingIsFilteredAndTheLabelFollows) {
    Run([&](HeadlessWindow& w) {
        w.Type(IDC_ADV_X, "1.2");
        w.Type(IDC_ADV_X, "1.23");
        EXPECT_EQ(w.Text(IDC_ADV_X), "1.2");
        EXPECT_EQ(w.Control(IDC_ADV_X).caret, (win::TextSelection{3, 3}));
        EXPECT_EQ(w.Text(IDC_ADV_DIM_X), "1.2 mm");
        w.Type(IDC_ADV_X, "-");
        EXPECT_EQ(w.Text(IDC_ADV_X), "-");
        EXPECT_EQ(w.Text(IDC_ADV_DIM_X), "- mm");
        w.Type(IDC_ADV_X, "-0000.1");
        EXPECT_EQ(w.Text(IDC_ADV_X), "-");
        // The other field keeps its own text and label.
        w.Type(IDC_ADV_Y, "a");
        EXPECT_EQ(w.Text(IDC_ADV_Y), "0.0");
        EXPECT_EQ(w.Text(IDC_ADV_DIM_Y), "0.0 mm");
        EXPECT_EQ(w.Text(IDC_ADV_X), "-");
    });
}

TEST_F(Advanced, SpinStepsAreHeldAtTheLimits) {
    Run([&](HeadlessWindow& w) {
        w.Type(IDC_ADV_X, "149.9");
        w.Spin(IDC_ADV_SPIN_X, 1);
        EXPECT_EQ(w.Text(IDC_ADV_X), "150.0");
        w.Spin(IDC_ADV_SPIN_X, 1);
        EXPECT_EQ(w.Text(IDC_ADV_X), "150.0");
        EXPECT_EQ(w.Text(IDC_ADV_DIM_X), "150.0 mm");
        w.Type(IDC_ADV_Y, "-150.0");
        w.Spin(IDC_ADV_SPIN_Y, 0);
        EXPECT_EQ(w.Text(IDC_ADV_Y), "-150.0");
        w.Type(IDC_ADV_Y, "2.0");
        w.Spin(IDC_ADV_SPIN_Y, 0);
        EXPECT_EQ(w.Text(IDC_ADV_Y), "1.9");
        EXPECT_EQ(w.Text(IDC_ADV_DIM_Y), "1.9 mm");
        w.Scroll(IDC_ADV_SPIN_Y, 0, 1);  // not the thumb position: no step
        EXPECT_EQ(w.Text(IDC_ADV_Y), "1.9");
        EXPECT_EQ(w.Text(IDC_ADV_X), "150.0");
    });
}

TEST_F(Advanced, InchSpinStepsAreHeldAt150Millimetres) {
    inch = true;
    Run([&](HeadlessWindow& w) {
        w.Type(IDC_ADV_X, "5.90");
        w.Spin(IDC_ADV_SPIN_X, 1);
        w.Spin(IDC_ADV_SPIN_X, 1);
        EXPECT_EQ(w.Text(IDC_ADV_X), "5.91");
        EXPECT_EQ(w.Text(IDC_ADV_DIM_X), "5.91 \"");
    });
}

TEST_F(Advanced, ConfirmationChecksTheRange) {
    const struct {
        const char* name;
        bool inch;
        char separator;
        const char* x;
        const char* y;
        const char* message;  // empty when accepted
    } cases[] = {
        {"upper limit", false, '.', "150.0", "-150.0", ""},
        {"X above", false, '.', "150.1", "0",
         "The entry for 'Horizontal offset' is not valid.\n( -150.0mm - 150.0mm )"},
        {"Y below", false, '.', "0", "-150.1",
         "The entry for 'Vertical offset' is not valid.\n( -150.0mm - 150.0mm )"},
        {"X reported first", false, '.', "-151", "151",
         "The entry for 'Horizontal offset' is not valid.\n( -150.0mm - 150.0mm )"},
        {"comma", false, ',', "150,1", "0",
         "The entry for 'Horizontal offset' is not valid.\n( -150,0mm - 150,0mm )"},
        {"inch limit", true, '.', "5.91", "-5.91", ""},
        {"inch above", true, '.', "0", "5.92",
         "The entry for 'Vertical offset' is not valid.\n( -5.91\" - 5.91\" )"},
    };
    for (const auto& c : cases) {
        ui.messages.clear();
        inch = c.inch;
        separator = c.separator;
        record.nVirtualOffsetX = 5;
        bool stayed = false;
        Run([&](HeadlessWindow& w) {
            w.Type(IDC_ADV_X, c.x);
            w.Type(IDC_ADV_Y, c.y);
            w.Click(win::kIdOk);
            stayed = !w.Ended();
        });
        if (*c.message == '\0') {
            EXPECT_TRUE(ui.messages.empty()) << c.name;
            EXPECT_FALSE(stayed) << c.name;
            EXPECT_NE(record.nVirtualOffsetX, 5) << c.name;
        } else {
            ASSERT_EQ(ui.messages.size(), 1u) << c.name;
            EXPECT_EQ(ui.messages[0].text, c.message) << c.name;
            EXPECT_EQ(ui.messages[0].kind, win::MessageKind::Error) << c.name;
            EXPECT_TRUE(stayed) << c.name;
            EXPECT_EQ(record.nVirtualOffsetX, 5) << c.name;
        }
    }
}

TEST_F(Advanced, ConfirmedOffsetsInDots) {
    EXPECT_EQ(Confirm("150.0", "-150.0"), win::kIdOk);
    EXPECT_EQ(record.nVirtualOffsetX, 1199);
    EXPECT_EQ(record.nVirtualOffsetY, -1199);
    resolution = 300;
    inch = true;
    Confirm("5.91", "-0.13");
    EXPECT_EQ(record.nVirtualOffsetX, 1773);
    EXPECT_EQ(record.nVirtualOffsetY, -39);
}

TEST_F(Advanced, EnergyRankAboveTenSelectsAndStoresTen) {
    record.byEnergyRank = 12;
    Run([&](HeadlessWindow& w) {
        EXPECT_EQ(w.Selection(IDC_ADV_ENERGY), 10);
        w.Click(win::kIdOk);
    });
    EXPECT_EQ(record.byEnergyRank, 10);
    Run([&](HeadlessWindow& w) {
        w.Choose(IDC_ADV_ENERGY, 0);
        w.Click(win::kIdOk);
    });
    EXPECT_EQ(record.byEnergyRank, 0);
}

TEST_F(Advanced, AdjustmentPairFollowsTheKind) {
    const struct {
        int16_t kind;
        bool pairA;
        bool pairB;
        const char* stored;  // after choosing entries 0 and 3 in every enabled combo
    } cases[] = {
        {papertable::kKindRoll, false, false, "1,2,3,4,5,6,7,8,9,-1,2,77"},
        {papertable::kKindLabel, true, false, "1,2,3,4,5,6,7,8,9,-2,1,77"},
        {papertable::kKindMark, false, true, "1,2,3,4,5,6,7,8,9,-2,1,77"},
    };
    for (const auto& c : cases) {
        record.nType = c.kind;
        record.reserved_12_ = "1,2,3,4,5,6,7,8,9,-1,2,77";
        Run([&](HeadlessWindow& w) {
            const struct {
                int id;
                bool enabled;
            } combos[] = {{IDC_ADV_ADJUST_A1, c.pairA},
                          {IDC_ADV_ADJUST_A2, c.pairA},
                          {IDC_ADV_ADJUST_B1, c.pairB},
                          {IDC_ADV_ADJUST_B2, c.pairB}};
            for (const auto& combo : combos) {
                EXPECT_EQ(w.IsEnabled(combo.id), combo.enabled) << c.kind << " " << combo.id;
                if (!combo.enabled) {
                    EXPECT_EQ(w.Selection(combo.id), 2) << c.kind << " " << combo.id;
                }
            }
            if (c.pairA) {
                EXPECT_EQ(w.Selection(IDC_ADV_ADJUST_A1), 1);  // item 9 = -1
                EXPECT_EQ(w.Selection(IDC_ADV_ADJUST_A2), 4);  // item 10 = 2
            }
            if (c.pairB) {
                EXPECT_EQ(w.Selection(IDC_ADV_ADJUST_B1), 1);
                EXPECT_EQ(w.Selection(IDC_ADV_ADJUST_B2), 4);
            }
            for (int first : {IDC_ADV_ADJUST_A1, IDC_ADV_ADJUST_B1}) w.Choose(first, 0);
            for (int second : {IDC_ADV_ADJUST_A2, IDC_ADV_ADJUST_B2}) w.Choose(second, 3);
            w.Click(win::kIdOk);
        });
        EXPECT_EQ(record.reserved_12_, c.stored) << c.kind;
    }
}

TEST_F(Advanced, StepOutsideTheListIsKept) {
    record.reserved_12_ = "0,0,0,0,0,0,1,0,0,7,-3";
    Run([&](HeadlessWindow& w) {
        EXPECT_EQ(w.Selection(IDC_ADV_ADJUST_A1), -1);
        EXPECT_EQ(w.Selection(IDC_ADV_ADJUST_A2), -1);
        w.Choose(IDC_ADV_ADJUST_A2, 4);
        w.Click(win::kIdOk);
    });
    EXPECT_EQ(record.reserved_12_, "0,0,0,0,0,0,1,0,0,7,2,0");
}

TEST_F(Advanced, CancelLeavesTheRecord) {
    record.nVirtualOffsetX = 8;
    const PaperRecord before = record;
    const int result = Run([&](HeadlessWindow& w) {
        w.Type(IDC_ADV_X, "12.5");
        w.Choose(IDC_ADV_ENERGY, 9);
        w.Choose(IDC_ADV_ADJUST_A1, 4);
        w.Click(win::kIdCancel);
    });
    EXPECT_EQ(result, win::kIdCancel);
    EXPECT_TRUE(record == before);
}

TEST_F(Advanced, RefusedConfirmationStoresNothing) {
    const PaperRecord before = record;
    Run([&](HeadlessWindow& w) {
        w.Choose(IDC_ADV_ENERGY, 9);
        w.Type(IDC_ADV_X, "200");
        w.Click(win::kIdOk);
    });
    EXPECT_TRUE(record == before);
}

TEST_F(Advanced, PictureDrawnAtItsAnchorAndPlacedOnce) {
    Run([&](HeadlessWindow& w) {
        EXPECT_EQ(w.placements, 1);
        w.Showing();
        EXPECT_EQ(w.placements, 1);
        w.Control(IDC_ADV_PICTURE).origin = {318, 18};
        w.Paint();
        EXPECT_EQ(w.drawn, (std::vector<win::headless::DrawnBitmap>{{IDB_ADVANCED, {318, 18}}}));
    });
}

}  // namespace
