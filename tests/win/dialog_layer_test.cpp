#include <gtest/gtest.h>

#include "tests/support/headless.h"
#include "win/codepage.h"
#include "win/dialog.h"

namespace {

using win::Event;
using win::Message;
using win::headless::HeadlessUi;
using win::headless::HeadlessWindow;

// A small dialog exercising the layer: text exchange, change notifications,
// a nested modal dialog and a question box.
class EchoDlg : public win::Dialog {
public:
    explicit EchoDlg(win::Ui& ui, int templateId = 500) : Dialog(ui, templateId) {
        static const win::MessageEntry<EchoDlg> map[] = {
            {Event::Change, 10, &EchoDlg::OnNameChange},
            {Event::Command, 20, &EchoDlg::OnNested},
            {Event::Command, 30, &EchoDlg::OnAsk},
        };
        UseMessageMap(this, map);
    }
    std::string name = "start";
    int changes = 0;
    int nestedResult = 0;
    int answer = 0;

protected:
    void Exchange(DataExchange& dx) override { dx.Text(10, name); }
    void OnNameChange(const Message&) {
        ++changes;
        UpdateData(true);
        UpdateData(false);  // writing back must not notify again
    }
    void OnNested(const Message&) {
        EchoDlg inner(GetUi(), 501);
        nestedResult = inner.RunModal(&Window());
    }
    void OnAsk(const Message&) { answer = GetUi().MessageBox("Sure?", win::MessageKind::Question); }
};

TEST(DialogLayer, ExchangesTextAndDeliversOnlyUserChanges) {
    HeadlessUi ui;
    EchoDlg dialog(ui);
    std::string seenText;
    ui.OnDialog(500, [&](HeadlessWindow& w) {
        seenText = w.Text(10);
        w.Type(10, "typed");
        w.Click(win::kIdOk);
    });
    EXPECT_EQ(dialog.RunModal(nullptr), win::kIdOk);
    EXPECT_EQ(seenText, "start");
    EXPECT_EQ(dialog.changes, 1);
    EXPECT_EQ(dialog.name, "typed");
}

TEST(DialogLayer, NestedModalRunsAreScriptedByTemplate) {
    HeadlessUi ui;
    EchoDlg dialog(ui);
    ui.OnDialog(500, [&](HeadlessWindow& w) {
        w.Click(20);
        w.Click(win::kIdCancel);
    });
    ui.OnDialog(501, [](HeadlessWindow& w) { w.Click(win::kIdOk); });
    EXPECT_EQ(dialog.RunModal(nullptr), win::kIdCancel);
    EXPECT_EQ(dialog.nestedResult, win::kIdOk);
    EXPECT_EQ(ui.modalRuns, (std::vector<int>{500, 501}));
}

TEST(DialogLayer, UnscriptedRunCancelsAndQuestionsDefaultToNo) {
    HeadlessUi ui;
    EchoDlg dialog(ui);
    EXPECT_EQ(dialog.RunModal(nullptr), win::kIdCancel);
    EXPECT_EQ(ui.unscriptedRuns, std::vector<int>{500});

    ui.OnDialog(500, [&](HeadlessWindow& w) {
        w.Click(30);
        w.Click(30);
        w.Click(win::kIdOk);
    });
    ui.answers.push_back(win::kIdYes);
    dialog.RunModal(nullptr);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(dialog.answer, win::kIdNo);  // second question, no answer queued
}

TEST(DialogLayer, DisabledControlsTakeNoInput) {
    HeadlessUi ui;
    EchoDlg dialog(ui);
    ui.OnDialog(500, [&](HeadlessWindow& w) {
        w.Enable(10, false);
        w.Type(10, "ignored");
        w.Click(win::kIdOk);
    });
    dialog.RunModal(nullptr);
    EXPECT_EQ(dialog.changes, 0);
    EXPECT_EQ(dialog.name, "start");
}

TEST(CodePage, ConversionsFailWhenTheTextDoesNotFit) {
    std::array<char16_t, 4> out{};
    EXPECT_TRUE(win::AnsiToWide("abc", out));
    EXPECT_EQ(out[2], u'c');
    EXPECT_FALSE(win::AnsiToWide("abcd", out));  // no room for the terminator
    EXPECT_EQ(out[0], 0);

    const std::array<char16_t, 3> euro = {0x20AC, u'x', 0};
    const std::array<char16_t, 1> empty = {0};
    const struct {
        std::span<const char16_t> wide;
        size_t capacity;
        std::optional<std::string> expected;
    } cases[] = {
        {euro, 3, "\x80x"},      {euro, 2, std::nullopt},
        {empty, 1, ""},          {empty, 0, std::nullopt},  // not even the terminator fits
        {euro, 0, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(win::WideToAnsi(c.wide, c.capacity), c.expected)
            << c.wide.size() << " units into " << c.capacity << " bytes";
    }
}

}  // namespace
