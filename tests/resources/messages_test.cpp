// Every message the paper editor and the advanced dialog build from string 1108 and
// an item name, in every language: one sentence, then the range line if any.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "resources/resource_ids.h"
#include "rules/paper_values.h"
#include "rules/validate_fields.h"
#include "tests/resources/resource_sources.h"
#include "tests/rules/field_texts.h"
#include "tests/support/headless.h"
#include "velkor/advanced/advance_dlg.h"
#include "win/codepage.h"

namespace {

namespace rs = resource_sources;
using editortest::ValidFields;
using editortest::With;
using rules::FieldTexts;
using win::headless::HeadlessWindow;

const std::string kSource = VELKOR_SOURCE_DIR;

bool Upper(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
}

// An opening quote: ' or the low double quote of German (0x84 in code page 1252).
bool OpeningQuote(unsigned char c) {
    return c == '\'' || c == 0x84;
}

// Empty when `message` is one sentence, optionally followed by "\n( ... )";
// otherwise what is wrong.
std::string SentenceFault(const std::string& message) {
    const size_t lineEnd = message.find('\n');
    const std::string sentence = message.substr(0, lineEnd);
    if (lineEnd != std::string::npos) {
        const std::string range = message.substr(lineEnd + 1);
        if (range.rfind("( ", 0) != 0 || !range.ends_with(" )")) return "range line";
    }
    if (sentence.empty()) return "empty";
    auto first = static_cast<unsigned char>(sentence[0]);
    if (OpeningQuote(first) && sentence.size() > 1) first = static_cast<unsigned char>(sentence[1]);
    if (!Upper(first)) return "does not start with a capital";
    if (std::string(".?!").find(sentence.back()) == std::string::npos) return "no full stop";
    for (const char* inner : {". ", "? ", "! ", "..", "%"}) {
        if (sentence.find(inner) != std::string::npos)
            return std::string("holds \"") + inner + "\"";
    }
    return "";
}

TEST(SentenceFault, TellsSentencesFromOtherTexts) {
    const struct {
        const char* text;
        bool sentence;
    } cases[] = {
        {"The entry for 'Width' is not valid.\n( 6.0mm - 1000.0mm )", true},
        {"Die Eingabe f\xFCr \x84"
         "Breite\x93 ist ung\xFCltig.",
         true},
        {"'Width' is too small.", true},
        {"Enter a paper name that does not start with a blank. is out of range.", false},
        {"Width is out of range", false},
        {"width is out of range.", false},
        {"%s is out of range.", false},
        {"Width is out of range.\n6.0mm - 1000.0mm", false},
        {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(SentenceFault(c.text).empty(), c.sentence) << c.text;
}

class Messages : public ::testing::TestWithParam<std::string> {
protected:
    Messages() {
        const auto ids =
            rs::ReadResourceIds(rs::ReadFile(kSource + "/src/resources/resource_ids.h"));
        for (const auto& s : rs::ReadStrings(
                 rs::ReadFile(kSource + "/src/resources/lang/" + GetParam() + "/strings.def"), ids))
            strings_[s.id] = s.text;
    }

    // The editor's message for these fields, or "" when they pass.
    std::string EditorMessage(const FieldTexts& texts, bool inch) {
        const rules::UnitSettings units{inch, '.', papertable::k203DpiLimits};
        papertable::PaperRecord record;
        record.nPaperSize = 520;
        const rules::PaperValues values = rules::ReadFieldValues(texts, units.separator);
        const bool markMode = rules::BuildRecord(values, units, record);
        std::vector<papertable::PaperRecord> papers(1);
        win::AnsiToWide("In use", papers[0].szPaperName_mm);
        win::AnsiToWide("In use", papers[0].szPaperName_inch);
        papers[0].nPaperSize = 513;
        const auto violation = rules::ValidateFields(
            {record, markMode, rules::EditMode::NewPaper, papers}, values, units);
        win::headless::HeadlessUi ui;
        ui.strings = strings_;
        return violation ? rules::ViolationText(*violation, ui, units) : "";
    }

    // The advanced dialog's message on confirming these offsets.
    std::string AdvancedMessage(const char* x, const char* y, bool inch) {
        papertable::PaperRecord record;
        win::headless::HeadlessUi ui;
        ui.strings = strings_;
        ui.OnDialog(IDD_ADVANCED, [&](HeadlessWindow& w) {
            w.Type(IDC_ADV_X, x);
            w.Type(IDC_ADV_Y, y);
            w.Click(win::kIdOk);
        });
        advanced::CAdvanceDlg dialog(ui, record, inch, '.', 203);
        dialog.RunModal(nullptr);
        return ui.messages.empty() ? "" : ui.messages[0].text;
    }

    std::map<int, std::string> strings_;
};

TEST_P(Messages, EveryEditorMessageIsOneSentence) {
    const struct {
        const char* what;
        FieldTexts texts;
        bool inch;
    } cases[] = {
        {"no name", With(ValidFields(1), [](auto& t) { t.name = ""; }), false},
        {"leading blank", With(ValidFields(1), [](auto& t) { t.name = " A"; }), false},
        {"name in use", With(ValidFields(1), [](auto& t) { t.name = "In use"; }), false},
        {"width", With(ValidFields(1), [](auto& t) { t.width = "11.8"; }), false},
        {"width inch", With(ValidFields(1), [](auto& t) { t.width = "0.40"; }), true},
        {"length", With(ValidFields(1), [](auto& t) { t.length = "4.0"; }), false},
        {"gap", With(ValidFields(1), [](auto& t) { t.gap = "2.9"; }), false},
        {"mark length", With(ValidFields(2), [](auto& t) { t.markLength = "1.9"; }), false},
        {"mark offset", With(ValidFields(2), [](auto& t) { t.markOffset = "-30.1"; }), false},
        {"side margin",
         With(ValidFields(1),
              [](auto& t) {
                  t.width = "62.0";
                  t.right = "2.9";
              }),
         false},
        {"side sum", With(ValidFields(1), [](auto& t) { t.right = t.left = "25.0"; }), false},
        {"top margin", With(ValidFields(2), [](auto& t) { t.top = "2.9"; }), false},
        {"top sum", With(ValidFields(1), [](auto& t) { t.top = t.bottom = "15.0"; }), false},
    };
    for (const auto& c : cases) {
        const std::string message = EditorMessage(c.texts, c.inch);
        ASSERT_FALSE(message.empty()) << c.what;
        EXPECT_EQ(SentenceFault(message), "") << c.what << ": " << message;
    }
}

TEST_P(Messages, EveryAdvancedMessageIsOneSentence) {
    for (const auto& [x, y, inch] :
         {std::tuple{"150.1", "0", false}, std::tuple{"0", "-150.1", false},
          std::tuple{"6.00", "0", true}}) {
        const std::string message = AdvancedMessage(x, y, inch);
        ASSERT_FALSE(message.empty()) << x << " " << y;
        EXPECT_EQ(SentenceFault(message), "") << message;
    }
}

INSTANTIATE_TEST_SUITE_P(Every, Messages, ::testing::ValuesIn(rs::Languages(kSource)),
                         [](const auto& info) { return info.param; });

}  // namespace
