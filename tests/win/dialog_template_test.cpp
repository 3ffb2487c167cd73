#include "tests/support/dialog_template.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "resources/resource_ids.h"

namespace {

using win::headless::ControlKind;
using win::headless::DialogTemplate;
using win::headless::GroupAround;
using win::headless::ReadDialogTemplates;
using win::headless::ReadResourceIds;
using win::headless::TemplateControl;

constexpr auto kAuto = ControlKind::AutoRadioButton;
constexpr auto kPlain = ControlKind::RadioButton;
constexpr auto kOther = ControlKind::Other;

const char kIds[] = R"(
#pragma once
#define IDD_UNITS 300  // a comment
#define IDC_NAME 301
#define IDC_A 302
#define IDC_B 303
#define IDC_C 304
#define IDC_D 305
#define NOT_A_NUMBER "text"
#define TWICE(x) ((x) * 2)
)";

const char kScript[] = R"(
#include <windows.h>
#include "ids.h"
#define SPIN(id, x, y) CONTROL "", id, "msctls_updown32", WS_CHILD | WS_VISIBLE, \
    x, y, 10, 14
#define RADIO(id, y) CONTROL "R", id, "Button", BS_AUTORADIOBUTTON | WS_TABSTOP, 1, y, 9, 9
#define FIRST_STYLE WS_GROUP | WS_TABSTOP

IDM_POPUP MENU
BEGIN
    POPUP "Printer"
    BEGIN
        MENUITEM "&Send", 1
    END
END

IDD_UNITS DIALOGEX 0, 0, 191, 60
STYLE DS_MODALFRAME | WS_POPUP
CAPTION "Units, ""quoted"" END"
BEGIN
    LTEXT "&Name, first:", -1, 7, 7, 50, 8
    EDITTEXT IDC_NAME, 60, 7, 50, 14, ES_AUTOHSCROLL
    AUTORADIOBUTTON "&A", IDC_A, 14, 20, 100, 10, FIRST_STYLE
    /* the second of the group */ AUTORADIOBUTTON "&B", IDC_B, 14, 35, 100, 10
    RADIO(IDC_C, 50)
    LTEXT "Not a group", -1, 7, 60, 50, 8, NOT WS_GROUP
    RADIOBUTTON "&D", IDC_D, 14, 70, 100, 10
    SPIN(310, 108, 20)
    CONTROL "", 311, "ListBox",
        LBS_NOTIFY | WS_GROUP,
        7, 18, 200, 118
    DEFPUSHBUTTON "OK", IDOK, 134, 7, 50, 14, WS_GROUP
    PUSHBUTTON "Cancel", IDCANCEL, 134, 24, 50, 14
END

400 DIALOG 0, 0, 10, 10
{
    AUTORADIOBUTTON "x", 401, 0, 0, 5, 5, 0x00020000
}
)";

TEST(DialogTemplate, ReadsControlsInOrderWithTheirGroupsAndRadioKinds) {
    const auto ids = ReadResourceIds(kIds);
    EXPECT_EQ(ids.at("IDD_UNITS"), 300);
    EXPECT_EQ(ids.count("NOT_A_NUMBER") + ids.count("TWICE"), 0u);

    const auto templates = ReadDialogTemplates(kScript, ids);
    ASSERT_EQ(templates.size(), 2u);
    const DialogTemplate expected = {
        {-1, kOther, true},  // a static text starts a group unless told otherwise
        {301, kOther, false}, {302, kAuto, true},   {303, kAuto, false},  {304, kAuto, false},
        {-1, kOther, false},  {305, kPlain, false}, {310, kOther, false}, {311, kOther, true},
        {1, kOther, true},    {2, kOther, false},
    };
    EXPECT_EQ(templates.at(300), expected);
    EXPECT_EQ(templates.at(400), (DialogTemplate{{401, kAuto, true}}));
}

TEST(DialogTemplate, NamesAndStatementsItCannotReadAreErrors) {
    const auto ids = ReadResourceIds(kIds);
    for (const char* script : {
             "1 DIALOGEX 0, 0, 9, 9\nBEGIN\n PUSHBUTTON \"x\", IDC_UNKNOWN, 0, 0, 5, 5\nEND\n",
             "IDD_MISSING DIALOGEX 0, 0, 9, 9\nBEGIN\nEND\n",
             "1 DIALOGEX 0, 0, 9, 9\nBEGIN\n SLIDER 5, 0, 0, 5, 5\nEND\n",
             "1 DIALOGEX 0, 0, 9, 9\nBEGIN\n PUSHBUTTON \"x\", 5, 0, 0\nEND\n",
             "1 DIALOGEX 0, 0, 9, 9\nBEGIN\n PUSHBUTTON \"x\", 5, 0, 0, 5, 5\n",
         }) {
        EXPECT_THROW(ReadDialogTemplates(script, ids), std::runtime_error) << script;
    }
}

TEST(DialogTemplate, AGroupRunsFromItsFirstControlToTheNextGroupStart) {
    const DialogTemplate dialog = {
        {1, kAuto, false}, {2, kAuto, false}, {3, kOther, true},
        {4, kAuto, true},  {5, kAuto, false}, {6, kAuto, true},
    };
    struct Case {
        size_t index;
        std::vector<size_t> group;
    };
    const Case cases[] = {
        {0, {0, 1}},  // no group start before: the group opens the template
        {1, {0, 1}}, {2, {2}}, {3, {3, 4}}, {4, {3, 4}}, {5, {5}},
    };
    for (const Case& c : cases) EXPECT_EQ(GroupAround(dialog, c.index), c.group) << c.index;
}

TEST(DialogTemplate, TheLanguageModuleGroupsTheUnitButtonsApartFromTheButtons) {
    const auto& templates = win::headless::LanguageModuleTemplates();
    for (int id : {IDD_ABOUT, IDD_MAIN, IDD_EDITOR, IDD_OPTION, IDD_ADVANCED, IDD_TRANSFER})
        EXPECT_EQ(templates.count(id), 1u) << id;
    const DialogTemplate& option = templates.at(IDD_OPTION);
    ASSERT_EQ(option.size(), 5u);
    EXPECT_EQ(option[1], (TemplateControl{IDC_OPT_MM, kAuto, true}));
    EXPECT_EQ(option[2], (TemplateControl{IDC_OPT_INCH, kAuto, false}));
    EXPECT_EQ(GroupAround(option, 2), (std::vector<size_t>{1, 2}));
}

}  // namespace
