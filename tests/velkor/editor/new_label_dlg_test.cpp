#include "velkor/editor/new_label_dlg.h"

#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "rules/paper_values.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_processes.h"
#include "tests/rules/field_texts.h"
#include "tests/support/headless.h"
#include "win/codepage.h"

namespace {

using editor::CNewLabelDlg;
using editor::EditorArgs;
using papertable::PaperRecord;
using win::headless::HeadlessWindow;

const char* const kDriverFolder = "C:\\Drivers\\3";
const char* const kInstalledSource = "C:\\Drivers\\3\\kvx510ed.txt";

// A user paper made the way the editor makes one.
PaperRecord MakePaper(const std::string& name, int16_t id, int kindIndex = 1) {
    rules::FieldTexts t = editortest::ValidFields(kindIndex);
    t.name = name;
    t.markOffset = "1.0";
    PaperRecord r;
    r.nPaperSize = id;
    editortest::ApplyFields(t, {false, '.', papertable::k203DpiLimits}, r);
    if (kindIndex == 2) r.nType = papertable::kKindMark;
    return r;
}

struct EditorRun {
    win::headless::HeadlessUi ui;
    fakes::FakeFileSystem files;
    fakes::FakeProcesses processes;
    paperset::PaperSet paperSet{files, processes, "kvx510", kDriverFolder, nullptr};
    papertable::PaperTable& table = paperSet.Table();
    PaperRecord record;

    EditorRun() {
        table.device.bySeriesCode = "0x41";
        table.device.byModelCode = "0x1F";
        table.device.dmDeviceName = "Ostrel LM-510";
        AddPaper(MakePaper("Roll 50", 513, 0));
        AddPaper(MakePaper("Label 50", 514));
        AddPaper(MakePaper("Label 40", 516));
        // The tools stand in by leaving their outputs in the temporary folder.
        processes.onRun = [this](const std::string& commandLine) {
            if (commandLine.find("pc.exe") != std::string::npos)
                files.Put("C:\\Temp\\kvx510ed.lyt", "table");
            if (commandLine.find("cv.exe") != std::string::npos)
                files.Put("C:\\Temp\\lty1F41.bin", "data");
        };
    }
    void AddPaper(const PaperRecord& paper) {
        table.papers[static_cast<size_t>(table.paperCount++)] = paper;
    }
    EditorArgs NewArgs() {
        record = table.papers[1];
        record.nPaperSize = 515;
        win::AnsiToWide("New paper", record.szPaperName_mm);
        win::AnsiToWide("New paper", record.szPaperName_inch);
        EditorArgs args{record, paperSet};
        args.limits = papertable::k203DpiLimits;
        args.currentIndex = 1;
        return args;
    }
    EditorArgs EditArgs(int index) {
        EditorArgs args = NewArgs();
        record = table.papers[static_cast<size_t>(index)];
        args.editMode = rules::EditMode::ExistingPaper;
        args.okInitiallyEnabled = false;
        args.currentIndex = index;
        return args;
    }
    // Runs the editor with `script` and gives its result.
    int Run(CNewLabelDlg& dialog, std::function<void(HeadlessWindow&)> script) {
        ui.OnDialog(IDD_EDITOR, std::move(script));
        return dialog.RunModal(nullptr);
    }
    std::string Name(const PaperRecord& r) { return *win::WideToAnsi(r.szPaperName_mm, 64); }
    std::vector<std::string> Messages() {
        std::vector<std::string> texts;
        for (const auto& m : ui.messages) texts.push_back(m.text);
        return texts;
    }
};

struct Editor : ::testing::Test, EditorRun {
    using EditorRun::Run;
};

TEST_F(Editor, OpensANewPaperFromTheRecord) {
    record.editLocked = true;
    auto args = NewArgs();
    record.editLocked = true;
    CNewLabelDlg dialog(ui, args);
    Run(dialog, [&](HeadlessWindow& w) {
        EXPECT_EQ(w.title, "New Paper Format");
        EXPECT_FALSE(w.IsVisible(IDC_ED_OVERWRITE));
        EXPECT_TRUE(w.IsEnabled(win::kIdOk));
        EXPECT_EQ(w.Text(IDC_ED_NAME), "New paper");
        EXPECT_EQ(w.Control(IDC_ED_KIND).items,
                  (std::vector<std::string>{"Continuous roll", "Die-cut labels",
                                            "Labels with black mark"}));
        EXPECT_EQ(w.Selection(IDC_ED_KIND), 1);
        const std::pair<int, const char*> texts[] = {
            {IDC_ED_WIDTH, "50.0"},
            {IDC_ED_LENGTH, "30.0"},
            {IDC_ED_GAP, "3.0"},
            {IDC_ED_RIGHT, "2.0"},
            {IDC_ED_LEFT, "2.0"},
            {IDC_ED_TOP, "3.0"},
            {IDC_ED_BOTTOM, "3.0"},
            {IDC_ED_DIM_WIDTH, "50.0 mm"},
            {IDC_ED_DIM_GAP, "3.0 mm"},
            {IDC_ED_DIM_BOTTOM, "3.0 mm"},
            {IDC_ED_UNIT_WIDTH, "mm"},
            {IDC_ED_UNIT_BOTTOM, "mm"},
            {IDC_ED_UNIT_MARK_OFFSET, "mm"},
            {IDC_ED_RANGE_WIDTH, "[ 11.9 - 63.0 ]"},
            {IDC_ED_RANGE_LENGTH, "[ 6.0 - 1000.0 ]"},
        };
        for (const auto& [id, text] : texts) EXPECT_EQ(w.Text(id), text) << id;
        EXPECT_TRUE(w.IsEnabled(IDC_ED_GAP));
        EXPECT_FALSE(w.IsEnabled(IDC_ED_MARK_LENGTH));
        EXPECT_FALSE(w.IsEnabled(IDC_ED_MARK_OFFSET));
        EXPECT_FALSE(w.IsVisible(IDC_ED_DIM_MARK_LENGTH));
        EXPECT_TRUE(w.IsVisible(IDC_ED_DIM_GAP));
        EXPECT_EQ(w.Control(IDC_ED_SPIN_MARK_OFFSET).spinUpper, 1);
        EXPECT_EQ(w.Control(IDC_ED_SPIN_WIDTH).spinLower, 0);
    });
    EXPECT_FALSE(record.editLocked);
    EXPECT_EQ(dialog.Kind(), 75);
}

TEST_F(Editor, OpensInInchesWithTheUsersSeparator) {
    auto args = NewArgs();
    args.inchUnits = true;
    args.decimalSeparator = ',';
    win::AnsiToWide("Inch name", record.szPaperName_inch);
    CNewLabelDlg dialog(ui, args);
    Run(dialog, [&](HeadlessWindow& w) {
        EXPECT_EQ(w.Text(IDC_ED_NAME), "Inch name");
        EXPECT_EQ(w.Text(IDC_ED_WIDTH), "1,97");
        EXPECT_EQ(w.Text(IDC_ED_DIM_WIDTH), "1,97 \"");
        EXPECT_EQ(w.Text(IDC_ED_UNIT_LEFT), "\"");
        EXPECT_EQ(w.Text(IDC_ED_RANGE_WIDTH), "[ 0,47 - 2,48 ]");
        EXPECT_EQ(w.Text(IDC_ED_RANGE_LENGTH), "[ 0,24 - 39,37 ]");
    });
}

// The right and bottom margins are what the width and the length leave beside the
// printable area; a paper whose margins differ shows each one where it belongs.
//   right: 400 - 24 - 368 = 8 dots, 8 x 254 / 2030 = 1.0 mm or 8 / 203 = 0.04 in;
//   bottom: 240 - 16 - 188 = 36 dots, 4.5 mm or 0.18 in;
//   left 24 dots: 3.0 mm, 0.12 in; top 16 dots: 2.0 mm, 0.08 in.
TEST_F(Editor, OpensUnequalMarginsFromThePrintableArea) {
    const struct {
        bool inch;
        const char *right, *left, *top, *bottom, *bottomLabel;
    } cases[] = {
        {false, "1.0", "3.0", "2.0", "4.5", "4.5 mm"},
        {true, "0.04", "0.12", "0.08", "0.18", "0.18 \""},
    };
    for (const auto& c : cases) {
        EditorRun t;
        auto args = t.NewArgs();
        args.inchUnits = c.inch;
        auto& r = t.record;
        r.nType = papertable::kKindLabel;
        r.nPaperWidthRes = 400;
        r.nPhysicalOffsetX = 24;
        r.nImageAreaWidthRes = 368;
        r.nPaperLengthRes = 240;
        r.nPhysicalOffsetY = 16;
        r.nImageAreaLengthRes = 188;
        CNewLabelDlg dialog(t.ui, args);
        t.Run(dialog, [&](HeadlessWindow& w) {
            EXPECT_EQ(w.Text(IDC_ED_RIGHT), c.right) << c.inch;
            EXPECT_EQ(w.Text(IDC_ED_LEFT), c.left) << c.inch;
            EXPECT_EQ(w.Text(IDC_ED_TOP), c.top) << c.inch;
            EXPECT_EQ(w.Text(IDC_ED_BOTTOM), c.bottom) << c.inch;
            EXPECT_EQ(w.Text(IDC_ED_DIM_BOTTOM), c.bottomLabel) << c.inch;
        });
    }
}

TEST_F(Editor, MarkedPaperOpensWithTheThirdKind) {
    table.papers[2] = MakePaper("Marked", 516, 2);
    table.papers[2].nType = 75;  // as read: kind 76 lives in item 6 of reserved_12_
    auto args = EditArgs(2);
    CNewLabelDlg dialog(ui, args);
    Run(dialog, [&](HeadlessWindow& w) {
        EXPECT_EQ(w.Selection(IDC_ED_KIND), 2);
        EXPECT_FALSE(w.IsEnabled(IDC_ED_GAP));
        EXPECT_TRUE(w.IsEnabled(IDC_ED_MARK_LENGTH));
        EXPECT_TRUE(w.IsEnabled(IDC_ED_MARK_OFFSET));
        EXPECT_TRUE(w.IsVisible(IDC_ED_DIM_MARK_OFFSET));
        EXPECT_EQ(w.Text(IDC_ED_MARK_OFFSET), "1.0");
        EXPECT_EQ(w.Text(IDC_ED_RANGE_LENGTH), "[ 25.4 - 1000.0 ]");
        EXPECT_EQ(w.title, "Edit Paper Format");
        EXPECT_TRUE(w.IsVisible(IDC_ED_OVERWRITE));
    });
    EXPECT_EQ(record.nType, 76);
    EXPECT_EQ(dialog.Kind(), 76);
}

TEST_F(Editor, OkWaitsForANameChangeWhenEditing) {
    auto args = EditArgs(1);
    CNewLabelDlg dialog(ui, args);
    Run(dialog, [&](HeadlessWindow& w) {
        EXPECT_FALSE(w.IsEnabled(win::kIdOk));
        w.Type(IDC_ED_NAME, "Label 50");  // changed back to the same text
        EXPECT_TRUE(w.IsEnabled(win::kIdOk));
    });
}

TEST_F(Editor, OkStaysOffWhileTheTableIsFull) {
    auto args = EditArgs(1);
    args.tableFull = true;
    CNewLabelDlg dialog(ui, args);
    Run(dialog, [&](HeadlessWindow& w) {
        w.Type(IDC_ED_NAME, "Other");
        EXPECT_FALSE(w.IsEnabled(win::kIdOk));
        EXPECT_TRUE(w.IsVisible(IDC_ED_OVERWRITE));
        EXPECT_TRUE(w.IsEnabled(IDC_ED_OVERWRITE));
    });
}

TEST_F(Editor, NameTakesBackThe32ndCharacter) {
    auto args = NewArgs();
    CNewLabelDlg dialog(ui, args);
    const std::string name31(31, 'n');
    Run(dialog, [&](HeadlessWindow& w) {
        w.Type(IDC_ED_NAME, name31);
        EXPECT_EQ(w.Text(IDC_ED_NAME), name31);
        w.Type(IDC_ED_NAME, name31 + "x");
        EXPECT_EQ(w.Text(IDC_ED_NAME), name31);
        EXPECT_EQ(w.EditSelection(IDC_ED_NAME), (win::TextSelection{31, 31}));
        w.Type(IDC_ED_NAME, "Pasted text much longer than the field takes", {44, 44});
        EXPECT_EQ(w.Text(IDC_ED_NAME), name31);
    });
}

// Setting an edit control's text puts its caret at the start, as the platform's
// edit controls do; the editor must take the caret before it writes texts back.
class EditControlWindow : public HeadlessWindow {
public:
    using HeadlessWindow::HeadlessWindow;
    void SetText(int id, std::string_view text) override {
        HeadlessWindow::SetText(id, text);
        SetEditSelection(id, {0, 0});
    }
};

TEST_F(Editor, RefusedKeystrokeLeavesTheCaretBeforeIt) {
    auto args = NewArgs();
    CNewLabelDlg dialog(ui, args);
    EditControlWindow w(dialog, nullptr);
    dialog.Attach(&w);
    dialog.Initialize();
    const std::string name31(31, 'n');
    w.Type(IDC_ED_NAME, name31);
    w.Type(IDC_ED_NAME, name31.substr(0, 10) + "x" + name31.substr(10), {11, 11});
    EXPECT_EQ(w.Text(IDC_ED_NAME), name31);
    EXPECT_EQ(w.EditSelection(IDC_ED_NAME), (win::TextSelection{10, 10}));
    w.Type(IDC_ED_WIDTH, "5x0.0", {2, 2});
    EXPECT_EQ(w.Text(IDC_ED_WIDTH), "50.0");
    EXPECT_EQ(w.EditSelection(IDC_ED_WIDTH), (win::TextSelection{1, 1}));
    dialog.Attach(nullptr);
}

TEST_F(Editor, TypingIsFilteredPerField) {
    auto args = NewArgs();
    CNewLabelDlg dialog(ui, args);
    Run(dialog, [&](HeadlessWindow& w) {
        w.Type(IDC_ED_WIDTH, "1234.5");
        EXPECT_EQ(w.Text(IDC_ED_DIM_WIDTH), "1234.5 mm");
        w.Type(IDC_ED_WIDTH, "1234.56", {7, 7});
        EXPECT_EQ(w.Text(IDC_ED_WIDTH), "1234.5");
        EXPECT_EQ(w.EditSelection(IDC_ED_WIDTH), (win::TextSelection{6, 6}));
        EXPECT_EQ(w.Text(IDC_ED_DIM_WIDTH), "1234.5 mm");
        w.Type(IDC_ED_LEFT, "12.3");
        w.Type(IDC_ED_LEFT, "12.34");
        EXPECT_EQ(w.Text(IDC_ED_LEFT), "12.3");
        EXPECT_EQ(w.EditSelection(IDC_ED_LEFT), (win::TextSelection{4, 4}));
        w.Type(IDC_ED_GAP, "9999.9");
        EXPECT_EQ(w.Text(IDC_ED_GAP), "9999.9");
        w.Type(IDC_ED_LENGTH, "10000");
        EXPECT_EQ(w.Text(IDC_ED_LENGTH), "30.0");
        w.Type(IDC_ED_RIGHT, "-1");
        EXPECT_EQ(w.Text(IDC_ED_RIGHT), "2.0");
    });
}

TEST_F(Editor, InchFieldsTakeTwoDecimals) {
    auto args = NewArgs();
    args.inchUnits = true;
    CNewLabelDlg dialog(ui, args);
    Run(dialog, [&](HeadlessWindow& w) {
        w.Type(IDC_ED_WIDTH, "1.23");
        EXPECT_EQ(w.Text(IDC_ED_DIM_WIDTH), "1.23 \"");
        w.Type(IDC_ED_WIDTH, "1.234");
        EXPECT_EQ(w.Text(IDC_ED_WIDTH), "1.23");
    });
}

TEST_F(Editor, RollMirrorsTopIntoBottom) {
    auto args = NewArgs();
    CNewLabelDlg dialog(ui, args);
    Run(dialog, [&](HeadlessWindow& w) {
        w.Choose(IDC_ED_KIND, 0);
        EXPECT_FALSE(w.IsEnabled(IDC_ED_BOTTOM));
        EXPECT_FALSE(w.IsEnabled(IDC_ED_SPIN_BOTTOM));
        EXPECT_FALSE(w.IsEnabled(IDC_ED_LENGTH));
        EXPECT_FALSE(w.IsVisible(IDC_ED_DIM_LENGTH));
        w.Type(IDC_ED_TOP, "2.5");
        EXPECT_EQ(w.Text(IDC_ED_BOTTOM), "2.5");
        EXPECT_EQ(w.Text(IDC_ED_DIM_BOTTOM), "2.5 mm");
        w.Spin(IDC_ED_SPIN_TOP, 1);
        EXPECT_EQ(w.Text(IDC_ED_TOP), "2.6");
        EXPECT_EQ(w.Text(IDC_ED_BOTTOM), "2.6");
        EXPECT_EQ(w.Text(IDC_ED_DIM_BOTTOM), "2.6 mm");
    });
    EXPECT_EQ(record.nType, 74);  // the spin took the kind from the selection
}

TEST_F(Editor, SpinButtonsStepWithinTheirLimits) {
    auto args = NewArgs();
    args.decimalSeparator = ',';
    CNewLabelDlg dialog(ui, args);
    Run(dialog, [&](HeadlessWindow& w) {
        w.Type(IDC_ED_WIDTH, "63,0");
        w.Spin(IDC_ED_SPIN_WIDTH, 1);
        EXPECT_EQ(w.Text(IDC_ED_WIDTH), "63,0");
        w.Type(IDC_ED_WIDTH, "11,9");
        w.Spin(IDC_ED_SPIN_WIDTH, 0);
        EXPECT_EQ(w.Text(IDC_ED_WIDTH), "11,9");
        w.Type(IDC_ED_GAP, "2,5");
        w.Spin(IDC_ED_SPIN_GAP, 1);
        EXPECT_EQ(w.Text(IDC_ED_GAP), "2,6");
        EXPECT_EQ(w.Text(IDC_ED_DIM_GAP), "2,6 mm");
        w.Scroll(IDC_ED_SPIN_GAP, 5, 1);  // not a thumb position: no step
        EXPECT_EQ(w.Text(IDC_ED_GAP), "2,6");
        w.Choose(IDC_ED_KIND, 2);
        w.Type(IDC_ED_MARK_OFFSET, "-999,9");
        w.Spin(IDC_ED_SPIN_MARK_OFFSET, 0);
        EXPECT_EQ(w.Text(IDC_ED_MARK_OFFSET), "-1000,0");
        w.Spin(IDC_ED_SPIN_MARK_OFFSET, 0);
        EXPECT_EQ(w.Text(IDC_ED_MARK_OFFSET), "-1000,0");
    });
}

TEST_F(Editor, KindChangeUpdatesRangeAndPreview) {
    auto args = NewArgs();
    CNewLabelDlg dialog(ui, args);
    Run(dialog, [&](HeadlessWindow& w) {
        w.Choose(IDC_ED_KIND, 0);
        w.Paint();
        EXPECT_EQ(w.drawn[0].bitmapId, IDB_KIND_ROLL);
        const int before = w.invalidations;
        w.Choose(IDC_ED_KIND, 1);
        EXPECT_EQ(w.invalidations, before + 1);
        w.Paint();
        EXPECT_EQ(w.drawn[0].bitmapId, IDB_KIND_LABEL);
        EXPECT_EQ(w.Text(IDC_ED_RANGE_LENGTH), "[ 6.0 - 1000.0 ]");
        w.Choose(IDC_ED_KIND, 2);
        EXPECT_EQ(w.Text(IDC_ED_RANGE_LENGTH), "[ 25.4 - 1000.0 ]");
        EXPECT_FALSE(w.IsEnabled(IDC_ED_GAP));
        EXPECT_FALSE(w.IsVisible(IDC_ED_DIM_GAP));
        EXPECT_TRUE(w.IsVisible(IDC_ED_DIM_MARK_LENGTH));
    });
    EXPECT_EQ(record.nType, 75);  // a selection alone does not change the kind
}

TEST_F(Editor, MissingKindTextsLeaveEmptyEntriesThatStillTellTheKind) {
    // Without strings 2000 and 2001 both entries are empty; an entry's place in the
    // list tells its kind, so the two can still be told apart.
    ui.strings.erase(IDS_KIND_ROLL);
    ui.strings.erase(IDS_KIND_LABEL);
    auto args = NewArgs();
    CNewLabelDlg dialog(ui, args);
    Run(dialog, [&](HeadlessWindow& w) {
        EXPECT_EQ(w.Control(IDC_ED_KIND).items,
                  (std::vector<std::string>{"", "", "Labels with black mark"}));
        w.Choose(IDC_ED_KIND, 2);
        EXPECT_EQ(dialog.Kind(), 76);
        w.Choose(IDC_ED_KIND, 1);
        EXPECT_EQ(dialog.Kind(), 75);
        EXPECT_TRUE(w.IsEnabled(IDC_ED_GAP));
        w.Choose(IDC_ED_KIND, 0);
        EXPECT_EQ(dialog.Kind(), 74);
        EXPECT_FALSE(w.IsEnabled(IDC_ED_LENGTH));
        EXPECT_EQ(w.Text(IDC_ED_RANGE_LENGTH), "[ 6.0 - 1000.0 ]");
    });
}

TEST_F(Editor, MarkOffsetSignChangeRepaints) {
    auto args = NewArgs();
    CNewLabelDlg dialog(ui, args);
    Run(dialog, [&](HeadlessWindow& w) {
        w.Choose(IDC_ED_KIND, 2);
        w.Type(IDC_ED_MARK_OFFSET, "3.0");
        int count = w.invalidations;
        w.Type(IDC_ED_MARK_OFFSET, "-3.0", {1, 1});
        EXPECT_EQ(w.invalidations, count + 1);
        w.Paint();
        EXPECT_EQ(w.drawn[1].bitmapId, IDB_MARK_NEGATIVE);
        count = w.invalidations;
        w.Type(IDC_ED_MARK_OFFSET, "-3.05");  // refused, sign kept
        w.Type(IDC_ED_MARK_OFFSET, "-13.0", {2, 2});
        EXPECT_EQ(w.invalidations, count);
        w.Type(IDC_ED_MARK_OFFSET, "0.1");
        w.Spin(IDC_ED_SPIN_MARK_OFFSET, 0);
        EXPECT_EQ(w.Text(IDC_ED_MARK_OFFSET), "0.0");
        EXPECT_EQ(w.invalidations, count + 1);  // the typing, not the step to 0.0
        w.Spin(IDC_ED_SPIN_MARK_OFFSET, 0);
        EXPECT_EQ(w.Text(IDC_ED_MARK_OFFSET), "-0.1");
        EXPECT_EQ(w.invalidations, count + 1);  // -0.1 still counts as 0 or more
        w.Type(IDC_ED_MARK_OFFSET, "-1.1");
        w.Spin(IDC_ED_SPIN_MARK_OFFSET, 1);
        w.Spin(IDC_ED_SPIN_MARK_OFFSET, 1);
        EXPECT_EQ(w.Text(IDC_ED_MARK_OFFSET), "-0.9");
        // The typing made it negative; stepping from -1.0 to -0.9 reads 0 again.
        EXPECT_EQ(w.invalidations, count + 3);
    });
}

TEST_F(Editor, PreviewPicturesByKindAndSign) {
    struct Case {
        int kindIndex;
        const char* offset;
        int kindBitmap;
        int markBitmap;
    };
    const Case cases[] = {
        {0, "1.0", IDB_KIND_ROLL, IDB_FEED_POSITIVE},
        {0, "-1.0", IDB_KIND_ROLL, IDB_FEED_NEGATIVE},
        {1, "0.0", IDB_KIND_LABEL, IDB_FEED_POSITIVE},
        {1, "-2.0", IDB_KIND_LABEL, IDB_FEED_NEGATIVE},
        {2, "-0.5", IDB_KIND_MARK, IDB_MARK_POSITIVE},
        {2, "-1.0", IDB_KIND_MARK, IDB_MARK_NEGATIVE},
        {2, "5.0", IDB_KIND_MARK, IDB_MARK_POSITIVE},
    };
    for (const auto& c : cases) {
        auto args = NewArgs();
        CNewLabelDlg dialog(ui, args);
        Run(dialog, [&](HeadlessWindow& w) {
            w.Control(IDC_ED_PIC_KIND).origin = {10, 20};
            w.Control(IDC_ED_PIC_MARK).origin = {30, 40};
            w.Control(IDC_ED_PIC_RULER).origin = {50, 60};
            w.Choose(IDC_ED_KIND, 2);  // so the mark offset can be typed
            w.Type(IDC_ED_MARK_OFFSET, c.offset);
            w.Choose(IDC_ED_KIND, c.kindIndex);
            w.Paint();
            const std::vector<win::headless::DrawnBitmap> expected = {
                {c.kindBitmap, {10, 20}}, {c.markBitmap, {30, 40}}, {IDB_RULER, {50, 60}}};
            EXPECT_EQ(w.drawn, expected) << c.kindIndex << " " << c.offset;
        });
    }
}

TEST_F(Editor, MissingPictureLeavesOnlyItsPlaceEmpty) {
    auto args = NewArgs();
    CNewLabelDlg dialog(ui, args);
    Run(dialog, [&](HeadlessWindow& w) {
        w.missingBitmaps = {IDB_KIND_LABEL};
        w.Paint();
        ASSERT_EQ(w.drawn.size(), 2u);
        EXPECT_EQ(w.drawn[0].bitmapId, IDB_FEED_POSITIVE);
        EXPECT_EQ(w.drawn[1].bitmapId, IDB_RULER);
    });
}

TEST_F(Editor, PlacedOnTheFirstShowOnly) {
    auto args = NewArgs();
    CNewLabelDlg dialog(ui, args);
    Run(dialog, [&](HeadlessWindow& w) {
        EXPECT_EQ(w.placements, 1);
        w.Showing();
        EXPECT_EQ(w.placements, 1);
    });
}

TEST_F(Editor, AdvancedButtonOpensTheAdvancedSettingsWithTheSelectedKind) {
    auto args = NewArgs();
    args.inchUnits = true;
    args.decimalSeparator = ',';
    std::vector<int16_t> kindsSeen;
    args.advancedSettings = [&](const editor::AdvancedSettingsRequest& request,
                                win::DialogWindow& owner) {
        EXPECT_EQ(&request.record, &record);
        EXPECT_TRUE(request.inchUnits);
        EXPECT_EQ(request.decimalSeparator, ',');
        EXPECT_EQ(request.resolution, 203);
        EXPECT_EQ(&owner, ui.Current());
        kindsSeen.push_back(request.record.nType);
    };
    CNewLabelDlg dialog(ui, args);
    Run(dialog, [&](HeadlessWindow& w) {
        w.Choose(IDC_ED_KIND, 2);
        w.Click(IDC_ED_ADVANCED);
        w.Choose(IDC_ED_KIND, 0);
        w.Click(IDC_ED_ADVANCED);
    });
    EXPECT_EQ(kindsSeen, (std::vector<int16_t>{76, 74}));
}

// Each spin button steps its own field within its own limits, in millimetres
// whatever the unit.
TEST_F(Editor, EverySpinButtonStopsAtItsLimits) {
    struct Case {
        int field;
        int spin;
        const char* belowUpper;
        const char* upper;
        const char* aboveLower;
        const char* lower;
    };
    const Case mm[] = {
        {IDC_ED_WIDTH, IDC_ED_SPIN_WIDTH, "62.9", "63.0", "12.0", "11.9"},
        {IDC_ED_LENGTH, IDC_ED_SPIN_LENGTH, "999.9", "1000.0", "6.1", "6.0"},
        {IDC_ED_GAP, IDC_ED_SPIN_GAP, "999.9", "1000.0", "3.1", "3.0"},
        {IDC_ED_RIGHT, IDC_ED_SPIN_RIGHT, "55.9", "56.0", "0.1", "0.0"},
        {IDC_ED_LEFT, IDC_ED_SPIN_LEFT, "55.9", "56.0", "0.1", "0.0"},
        {IDC_ED_TOP, IDC_ED_SPIN_TOP, "999.9", "1000.0", "0.1", "0.0"},
        {IDC_ED_BOTTOM, IDC_ED_SPIN_BOTTOM, "999.9", "1000.0", "0.1", "0.0"},
        {IDC_ED_MARK_LENGTH, IDC_ED_SPIN_MARK_LENGTH, "999.9", "1000.0", "2.1", "2.0"},
        {IDC_ED_MARK_OFFSET, IDC_ED_SPIN_MARK_OFFSET, "999.9", "1000.0", "-999.9", "-1000.0"},
    };
    auto args = NewArgs();
    CNewLabelDlg dialog(ui, args);
    Run(dialog, [&](HeadlessWindow& w) {
        for (const auto& c : mm) {
            // Each field is enabled with one kind or another: labels, then marks.
            w.Choose(IDC_ED_KIND, c.field == IDC_ED_GAP ? 1 : 2);
            w.Type(c.field, c.belowUpper);
            w.Spin(c.spin, 1);
            EXPECT_EQ(w.Text(c.field), c.upper) << c.spin;
            w.Spin(c.spin, 1);
            EXPECT_EQ(w.Text(c.field), c.upper) << c.spin;
            w.Type(c.field, c.aboveLower);
            w.Spin(c.spin, 0);
            EXPECT_EQ(w.Text(c.field), c.lower) << c.spin;
            w.Spin(c.spin, 0);
            EXPECT_EQ(w.Text(c.field), c.lower) << c.spin;
        }
    });
}

TEST_F(Editor, SpinLimitsAreMillimetresShownInInches) {
    auto args = NewArgs();
    args.inchUnits = true;
    args.limits = papertable::k300DpiLimits;
    CNewLabelDlg dialog(ui, args);
    Run(dialog, [&](HeadlessWindow& w) {
        w.Type(IDC_ED_WIDTH, "2.47");
        w.Spin(IDC_ED_SPIN_WIDTH, 1);
        w.Spin(IDC_ED_SPIN_WIDTH, 1);
        EXPECT_EQ(w.Text(IDC_ED_WIDTH), "2.48");  // 63.0 mm
        w.Type(IDC_ED_RIGHT, "2.23");
        w.Spin(IDC_ED_SPIN_RIGHT, 1);
        w.Spin(IDC_ED_SPIN_RIGHT, 1);
        EXPECT_EQ(w.Text(IDC_ED_RIGHT), "2.24");  // 56.8 mm is 2.236 in
        w.Type(IDC_ED_LENGTH, "0.25");
        w.Spin(IDC_ED_SPIN_LENGTH, 0);
        w.Spin(IDC_ED_SPIN_LENGTH, 0);
        EXPECT_EQ(w.Text(IDC_ED_LENGTH), "0.24");  // 6.0 mm is 0.236 in
    });
}

TEST_F(Editor, OkStoresANewPaperAndInstallsTheTable) {
    auto args = NewArgs();
    CNewLabelDlg dialog(ui, args);
    const int result = Run(dialog, [&](HeadlessWindow& w) {
        w.Type(IDC_ED_NAME, "Label 62");
        w.Type(IDC_ED_WIDTH, "62.0");
        w.Type(IDC_ED_RIGHT, "3.0");
        w.Type(IDC_ED_LEFT, "3.0");
        w.Click(win::kIdOk);
    });
    EXPECT_EQ(result, editor::kStoredAsNew);
    EXPECT_TRUE(ui.messages.empty()) << Messages()[0];
    EXPECT_EQ(table.paperCount, 4);
    EXPECT_EQ(table.papers[3], record);
    EXPECT_EQ(Name(record), "Label 62");
    EXPECT_EQ(record.nPaperSize, 515);
    EXPECT_EQ(record.nPaperWidth, 620);
    EXPECT_EQ(processes.runs.size(), 2u);
    const auto installed = files.Get(kInstalledSource);
    ASSERT_TRUE(installed);
    EXPECT_NE(installed->find("Label 62"), std::string::npos);
    EXPECT_TRUE(files.Has("C:\\Drivers\\3\\kvx510ed.lyt"));
    EXPECT_TRUE(files.Has("C:\\Drivers\\3\\lty1F41.bin"));
}

TEST_F(Editor, StoringAnEditedPaperAsNewTakesTheFirstFreeIdentifier) {
    auto args = EditArgs(1);
    CNewLabelDlg dialog(ui, args);
    const int result = Run(dialog, [&](HeadlessWindow& w) {
        w.Type(IDC_ED_NAME, "Label 50 copy");
        w.Click(win::kIdOk);
    });
    EXPECT_EQ(result, editor::kStoredAsNew);
    EXPECT_EQ(record.nPaperSize, 515);  // 513, 514 and 516 are in use
    EXPECT_EQ(record.wPafMediaID, "515");
    EXPECT_EQ(table.papers[3].nPaperSize, 515);
    EXPECT_EQ(table.papers[1].nPaperSize, 514);
}

TEST_F(Editor, StoringAnUnchangedNameAsNewIsADuplicate) {
    auto args = EditArgs(1);
    CNewLabelDlg dialog(ui, args);
    const int result = Run(dialog, [&](HeadlessWindow& w) {
        w.Type(IDC_ED_NAME, "Label 5");
        w.Type(IDC_ED_NAME, "Label 50");
        w.Click(win::kIdOk);
        EXPECT_FALSE(w.Ended());
    });
    EXPECT_EQ(result, win::kIdCancel);
    EXPECT_EQ(Messages(),
              std::vector<std::string>{"A paper format with this name already exists."});
    EXPECT_EQ(record.nPaperSize, 514);  // the fresh identifier was put back
    EXPECT_EQ(record.wPafMediaID, "514");
    EXPECT_EQ(table.paperCount, 3);
    EXPECT_TRUE(processes.runs.empty());
}

TEST_F(Editor, OverwriteKeepsTheNameAndTheSlot) {
    auto args = EditArgs(1);
    CNewLabelDlg dialog(ui, args);
    const int result = Run(dialog, [&](HeadlessWindow& w) {
        w.Type(IDC_ED_WIDTH, "40.0");
        w.Click(IDC_ED_OVERWRITE);
    });
    EXPECT_EQ(result, editor::kStoredOver);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(table.paperCount, 3);
    EXPECT_EQ(table.papers[1], record);
    EXPECT_EQ(table.papers[1].nPaperWidth, 400);
    EXPECT_EQ(table.papers[1].nPaperSize, 514);
}

TEST_F(Editor, OverwriteWithoutAnEditedSlotWritesNothing) {
    const auto before = table.papers;
    for (const int index : {-1, 3}) {  // no paper selected; one past the count
        auto args = EditArgs(1);
        args.currentIndex = index;
        CNewLabelDlg dialog(ui, args);
        Run(dialog, [&](HeadlessWindow& w) {
            w.Type(IDC_ED_WIDTH, "40.0");
            w.Click(IDC_ED_OVERWRITE);
            EXPECT_FALSE(w.Ended()) << index;
        });
        EXPECT_EQ(table.papers, before) << index;
        EXPECT_TRUE(processes.runs.empty()) << index;
    }
}

TEST_F(Editor, RangeErrorKeepsTheDialogOpen) {
    auto args = NewArgs();
    CNewLabelDlg dialog(ui, args);
    Run(dialog, [&](HeadlessWindow& w) {
        w.Type(IDC_ED_NAME, "Narrow");
        w.Type(IDC_ED_WIDTH, "11.8");
        w.Click(win::kIdOk);
        EXPECT_FALSE(w.Ended());
    });
    EXPECT_EQ(Messages(),
              std::vector<std::string>{"The entry for 'Width' is not valid.\n( 11.9mm - 63.0mm )"});
    EXPECT_EQ(ui.messages[0].kind, win::MessageKind::Error);
    EXPECT_EQ(table.paperCount, 3);
    EXPECT_TRUE(processes.runs.empty());
}

TEST_F(Editor, CancelLeavesTheTable) {
    const auto before = table.papers;
    auto args = NewArgs();
    CNewLabelDlg dialog(ui, args);
    const int result = Run(dialog, [&](HeadlessWindow& w) {
        w.Type(IDC_ED_NAME, "Changed");
        w.Type(IDC_ED_WIDTH, "40.0");
        w.Click(win::kIdCancel);
    });
    EXPECT_EQ(result, win::kIdCancel);
    EXPECT_EQ(table.papers, before);
    EXPECT_EQ(table.paperCount, 3);
    EXPECT_TRUE(processes.runs.empty());
    EXPECT_EQ(files.log, std::vector<std::string>{});
}

TEST_F(Editor, FailedInstallOfANewPaperCanBeRetried) {
    files.FailCopy("C:\\Drivers\\3\\kvx510ed.lyt");
    auto args = NewArgs();
    CNewLabelDlg dialog(ui, args);
    const int result = Run(dialog, [&](HeadlessWindow& w) {
        w.Type(IDC_ED_NAME, "Retried");
        w.Click(win::kIdOk);
        EXPECT_FALSE(w.Ended());
        EXPECT_EQ(table.paperCount, 3);
        files = fakes::FakeFileSystem();  // the copy works now
        w.Click(win::kIdOk);
    });
    EXPECT_EQ(result, editor::kStoredAsNew);
    EXPECT_EQ(Messages(),
              std::vector<std::string>{
                  "The paper table could not be installed in the printer-driver folder.\n"
                  "cannot replace C:\\Drivers\\3\\kvx510ed.lyt"});
    EXPECT_EQ(table.paperCount, 4);
    EXPECT_EQ(Name(table.papers[3]), "Retried");
}

TEST_F(Editor, FailedOverwritePutsTheReplacedPaperBack) {
    files.FailCopy(kInstalledSource);
    const PaperRecord original = table.papers[1];
    auto args = EditArgs(1);
    CNewLabelDlg dialog(ui, args);
    Run(dialog, [&](HeadlessWindow& w) {
        w.Type(IDC_ED_WIDTH, "40.0");
        w.Click(IDC_ED_OVERWRITE);
        EXPECT_FALSE(w.Ended());
    });
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(table.papers[1], original);
}

// A read-only file left in the temporary folder or installed in the driver folder
// does not stop either save flow: each is made writable and replaced.
TEST_F(Editor, ReadOnlyFilesOfAnEarlierBuildAreReplaced) {
    const char* const files[] = {
        "C:\\Temp\\kvx510ed.txt", "C:\\Temp\\kvx510ed.lyt",       "C:\\Temp\\lty1F41.bin",
        kInstalledSource,         "C:\\Drivers\\3\\kvx510ed.lyt", "C:\\Drivers\\3\\lty1F41.bin",
    };
    for (const char* readOnly : files) {
        for (const int button :
             {static_cast<int>(win::kIdOk), static_cast<int>(IDC_ED_OVERWRITE)}) {
            EditorRun t;
            t.files.Put(readOnly, "earlier", win::kAttributeReadOnly);
            auto args = t.EditArgs(1);
            CNewLabelDlg dialog(t.ui, args);
            const int result = t.Run(dialog, [&](HeadlessWindow& w) {
                w.Type(IDC_ED_NAME, "Changed");
                w.Click(button);
            });
            EXPECT_NE(result, win::kIdCancel) << readOnly << " " << button;
            EXPECT_EQ(t.Messages(), std::vector<std::string>{}) << readOnly << " " << button;
            EXPECT_NE(t.files.Get(readOnly), "earlier") << readOnly << " " << button;
            const auto installed = t.files.Get(kInstalledSource);
            EXPECT_TRUE(installed && installed->find("Changed") != std::string::npos)
                << readOnly << " " << button;
            EXPECT_EQ(t.files.Get("C:\\Drivers\\3\\kvx510ed.lyt"), "table") << readOnly;
            EXPECT_EQ(t.files.Get("C:\\Drivers\\3\\lty1F41.bin"), "data") << readOnly;
        }
    }
}

// Both save flows keep the dialog open and the table and driver folder as they
// were, whichever step fails, and say why under the install message.
TEST_F(Editor, EverySaveFailureShowsItsReasonAndChangesNothing) {
    struct Failure {
        const char* what;
        std::function<void(EditorRun&)> arrange;
        std::string reason;
    };
    const Failure failures[] = {
        {"temporary source not writable",
         [](EditorRun& t) {
             // An earlier build's table must not be installed in place of this one.
             t.files.Put("C:\\Temp\\kvx510ed.lyt", "earlier table");
             t.files.FailWrite("C:\\Temp\\kvx510ed.txt");
         },
         "cannot write C:\\Temp\\kvx510ed.txt"},
        {"converter library missing",
         [](EditorRun& t) {
             t.processes.onRun = [&t](const std::string& line) {
                 if (line.find("pc.exe") != std::string::npos)
                     t.files.Put("C:\\Temp\\kvx510ed.lyt", "table");
                 else
                     t.files.Put("C:\\Temp\\lty1F41.bin.log", "error: cannot load kvx500i3.dll\n");
             };
         },
         "cannot load kvx500i3.dll"},
        {"second copy", [](EditorRun& t) { t.files.FailCopy("C:\\Drivers\\3\\kvx510ed.lyt"); },
         "cannot replace C:\\Drivers\\3\\kvx510ed.lyt"},
        {"third copy", [](EditorRun& t) { t.files.FailCopy("C:\\Drivers\\3\\lty1F41.bin"); },
         "cannot replace C:\\Drivers\\3\\lty1F41.bin"},
    };
    for (const auto& failure : failures) {
        for (const int button :
             {static_cast<int>(win::kIdOk), static_cast<int>(IDC_ED_OVERWRITE)}) {
            EditorRun t;
            t.files.Put(kInstalledSource, "installed source");
            t.files.Put("C:\\Drivers\\3\\kvx510ed.lyt", "installed table");
            failure.arrange(t);
            const auto before = std::make_unique<papertable::PaperTable>(t.table);
            auto args = t.EditArgs(1);
            CNewLabelDlg dialog(t.ui, args);
            t.Run(dialog, [&](HeadlessWindow& w) {
                w.Type(IDC_ED_NAME, "Changed");
                w.Click(button);
                EXPECT_FALSE(w.Ended()) << failure.what;
                w.Click(win::kIdCancel);
            });
            EXPECT_EQ(t.Messages(),
                      std::vector<std::string>{
                          "The paper table could not be installed in the printer-driver folder.\n" +
                          failure.reason})
                << failure.what << " " << button;
            EXPECT_TRUE(t.table == *before) << failure.what << " " << button;
            EXPECT_EQ(t.files.Get(kInstalledSource), "installed source") << failure.what;
            EXPECT_EQ(t.files.Get("C:\\Drivers\\3\\kvx510ed.lyt"), "installed table")
                << failure.what;
            EXPECT_FALSE(t.files.Has("C:\\Drivers\\3\\lty1F41.bin")) << failure.what;
        }
    }
}

}  // namespace
