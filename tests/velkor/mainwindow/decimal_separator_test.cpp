// The locale's decimal separator from the main window's details through the paper
// editor and the advanced settings to the installed source: every number shown uses
// it, typing takes it and refuses the point, and a paper typed with a comma is stored
// exactly as the same paper typed with a point.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/velkor/mainwindow/command_run.h"

namespace {

using win::headless::HeadlessWindow;

// The texts of one locale: `sep` stands for its separator in every number.
struct Locale {
    char separator;
    std::string Number(std::string text) const {
        std::replace(text.begin(), text.end(), '.', separator);
        return text;
    }
};

struct AddedPaper {
    std::string installedSource;
    std::string widthDetail;
    std::string lengthDetail;
};

// Adds a die-cut label of 50.5 x 30.0 mm with unequal margins and an advanced X
// offset of 1.5 mm through the editor, typing every number in the locale's form, and
// checks on the way what the editor and the advanced dialog show.
AddedPaper AddThroughTheEditor(const Locale& locale) {
    mwtest::CommandRun run;
    run.locale.decimalSeparator = std::string(1, locale.separator);
    const auto n = [&](const char* text) { return locale.Number(text); };
    // The point is refused where it is not the separator, and the comma likewise.
    const std::string other = locale.separator == ',' ? "50.5" : "50,5";

    run.ui.OnDialog(IDD_ADVANCED, [&](HeadlessWindow& a) {
        EXPECT_EQ(a.Text(IDC_ADV_RANGE_X), n("[ -150.0 - 150.0 ]"));
        EXPECT_EQ(a.Text(IDC_ADV_X), n("0.0"));
        a.Type(IDC_ADV_X, locale.separator == ',' ? "1.4" : "1,4");
        EXPECT_EQ(a.Text(IDC_ADV_X), n("0.0"));
        a.Type(IDC_ADV_X, n("1.4"));
        a.Spin(IDC_ADV_SPIN_X, 1);
        EXPECT_EQ(a.Text(IDC_ADV_X), n("1.5"));
        EXPECT_EQ(a.Text(IDC_ADV_DIM_X), n("1.5 mm"));
        a.Type(IDC_ADV_Y, n("150.1"));
        a.Click(win::kIdOk);
        EXPECT_EQ(run.Messages().back(),
                  "The entry for 'Vertical offset' is not valid." + n("\n( -150.0mm - 150.0mm )"));
        a.Type(IDC_ADV_Y, n("0.0"));
        a.Click(win::kIdOk);
    });
    run.ui.OnDialog(IDD_EDITOR, [&](HeadlessWindow& e) {
        EXPECT_EQ(e.Text(IDC_ED_WIDTH), n("50.0"));
        EXPECT_EQ(e.Text(IDC_ED_DIM_WIDTH), n("50.0 mm"));
        EXPECT_EQ(e.Text(IDC_ED_RANGE_WIDTH), n("[ 11.9 - 63.0 ]"));
        e.Choose(IDC_ED_KIND, 1);
        EXPECT_EQ(e.Text(IDC_ED_RANGE_LENGTH), n("[ 6.0 - 1000.0 ]"));
        e.Type(IDC_ED_NAME, "Separator");
        e.Type(IDC_ED_WIDTH, other);
        EXPECT_EQ(e.Text(IDC_ED_WIDTH), n("50.0"));
        e.Type(IDC_ED_WIDTH, n("70.0"));
        e.Click(win::kIdOk);
        EXPECT_EQ(run.Messages().back(),
                  "The entry for 'Width' is not valid." + n("\n( 11.9mm - 63.0mm )"));
        e.Type(IDC_ED_WIDTH, n("50.5"));
        EXPECT_EQ(e.Text(IDC_ED_DIM_WIDTH), n("50.5 mm"));
        e.Type(IDC_ED_LENGTH, n("30.0"));
        e.Type(IDC_ED_GAP, n("2.9"));
        e.Spin(IDC_ED_SPIN_GAP, 1);
        EXPECT_EQ(e.Text(IDC_ED_GAP), n("3.0"));
        EXPECT_EQ(e.Text(IDC_ED_DIM_GAP), n("3.0 mm"));
        e.Type(IDC_ED_LEFT, n("2.0"));
        e.Type(IDC_ED_RIGHT, n("1.5"));
        e.Type(IDC_ED_TOP, n("2.5"));
        e.Type(IDC_ED_BOTTOM, n("1.0"));
        e.Click(IDC_ED_ADVANCED);
        e.Click(win::kIdOk);
        EXPECT_TRUE(e.Ended()) << run.Messages().back();
    });
    AddedPaper added;
    run.Run([&](mainwindow::CTarnelDlg&, HeadlessWindow& w) {
        EXPECT_EQ(w.Text(IDC_MAIN_WIDTH), n("50.0 mm"));
        EXPECT_EQ(w.Text(IDC_MAIN_LENGTH), n("30.0 mm"));
        w.Click(IDC_MAIN_ADD);
        added.widthDetail = w.Text(IDC_MAIN_WIDTH);
        added.lengthDetail = w.Text(IDC_MAIN_LENGTH);
    });
    added.installedSource = run.files.Get(mwtest::kUserSource).value_or("");
    return added;
}

// "key=value" of the paper named `name` in a source text.
std::string Value(std::string source, const std::string& name, const std::string& key) {
    source.erase(std::remove(source.begin(), source.end(), '\r'), source.end());
    const size_t section = source.find("szPaperName_mm=" + name + "\n");
    if (section == std::string::npos) return "<no paper>";
    const size_t at = source.find("\n" + key + "=", section);
    if (at == std::string::npos) return "<no key>";
    const size_t begin = at + key.size() + 2;
    return source.substr(begin, source.find('\n', begin) - begin);
}

TEST(DecimalSeparator, ACommaPaperIsStoredAsThePointPaper) {
    const AddedPaper comma = AddThroughTheEditor({','});
    const AddedPaper point = AddThroughTheEditor({'.'});
    EXPECT_EQ(comma.widthDetail, "50,5 mm");
    EXPECT_EQ(comma.lengthDetail, "30,0 mm");
    EXPECT_EQ(point.widthDetail, "50.5 mm");
    const std::pair<const char*, const char*> stored[] = {
        {"nPaperWidth", "505"},     {"nPaperLength", "300"},
        {"nPhysicalOffsetX", "16"}, {"nImageAreaWidthRes", "376"},
        {"nVirtualOffsetX", "12"},  {"szPaperWidthString_inch", "1.99\""},
    };
    for (const auto& [key, value] : stored)
        EXPECT_EQ(Value(comma.installedSource, "Separator", key), value) << key;
    EXPECT_FALSE(comma.installedSource.empty());
    EXPECT_EQ(comma.installedSource, point.installedSource);
}

}  // namespace
