#include "velkor/ui/popup_button.h"

#include <gtest/gtest.h>

namespace {

using ui::Line;
using ui::PopupAction;
using ui::Rect;

TEST(PopupButtonInput, ClickInTheArrowZoneOpensTheMenu) {
    struct Case {
        int x;
        int width;
        PopupAction action;
    };
    const Case cases[] = {
        {90, 100, PopupAction::ShowMenu},     // 10 pixels from the right edge
        {80, 100, PopupAction::PostCommand},  // 20 pixels from the right edge
        {84, 100, PopupAction::PostCommand},  // on the zone's border
        {85, 100, PopupAction::ShowMenu},     // first pixel of the zone
        {99, 100, PopupAction::ShowMenu},    {0, 100, PopupAction::PostCommand},
        {0, 10, PopupAction::ShowMenu},  // narrower than the zone: all arrow
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ui::ActionForClick(c.x, c.width), c.action) << c.x << " in " << c.width;
    }
}

TEST(PopupButtonInput, KeysBeforeTranslation) {
    EXPECT_EQ(ui::ActionForKey(13), PopupAction::PostCommand);  // Enter
    EXPECT_EQ(ui::ActionForKey(32), PopupAction::PostCommand);  // Space
    EXPECT_EQ(ui::ActionForKey(40), PopupAction::ShowMenu);     // Down
    for (int key : {9, 27, 37, 38, 39, 65}) {
        EXPECT_EQ(ui::ActionForKey(key), PopupAction::None) << key;
    }
}

const std::vector<win::MenuItem> kMenu = {{1452, "Send"}, {1453, "Save..."}, {1454, "Third"}};

TEST(PopupButtonMenu, CommandZeroTakesTheFirstItem) {
    EXPECT_EQ(ui::ResolveCommand(kMenu, 0), 1452);
    EXPECT_EQ(ui::ResolveCommand(kMenu, 1453), 1453);
    EXPECT_EQ(ui::ResolveCommand({}, 0), 0);
    EXPECT_EQ(ui::CommandText(kMenu, 1453), "Save...");
    EXPECT_EQ(ui::CommandText(kMenu, 99), std::nullopt);
}

TEST(PopupButtonMenu, TheOwnCommandIsNeverOffered) {
    for (const auto& own : kMenu) {
        const auto offered = ui::OfferedItems(kMenu, own.command);
        EXPECT_EQ(offered.size(), kMenu.size() - 1);
        for (const auto& item : offered) EXPECT_NE(item.command, own.command);
    }
    // Order of the remaining items is kept.
    EXPECT_EQ(ui::OfferedItems(kMenu, 1453),
              (std::vector<win::MenuItem>{{1452, "Send"}, {1454, "Third"}}));
}

TEST(PopupButtonStyle, OwnerDrawKeepsOnlyTheLowByte) {
    EXPECT_EQ(ui::OwnerDrawButtonStyle(0x50010000), 0x0Bu);  // WS_CHILD | WS_VISIBLE | WS_TABSTOP
    EXPECT_EQ(ui::OwnerDrawButtonStyle(0x50010001), 0x0Bu);  // default push button
    EXPECT_EQ(ui::OwnerDrawButtonStyle(0x50010040), 0x4Bu);  // BS_ICON kept
}

TEST(PopupButtonDrawing, ThemeStates) {
    EXPECT_EQ(ui::ThemeState(false, false, false), ui::kThemeNormal);
    EXPECT_EQ(ui::ThemeState(false, true, false), ui::kThemeHot);
    EXPECT_EQ(ui::ThemeState(true, true, false), ui::kThemePressed);
    EXPECT_EQ(ui::ThemeState(true, true, true), ui::kThemeDisabled);
}

TEST(PopupButtonDrawing, ThemedGeometry) {
    const auto d = ui::LayOutPopupButton(Rect{0, 0, 100, 24}, true, false);
    EXPECT_EQ(d.frame, (Rect{0, 0, 100, 24}));
    EXPECT_EQ(d.separator, (Line{84, 4, 84, 20}));
    EXPECT_EQ(d.arrow[0], (Line{88, 11, 93, 11}));  // 5 pixels
    EXPECT_EQ(d.arrow[1], (Line{89, 12, 92, 12}));  // 3 pixels
    EXPECT_EQ(d.arrow[2], (Line{90, 13, 91, 13}));  // 1 pixel
    EXPECT_EQ(d.focus, (Rect{4, 4, 96, 20}));
    EXPECT_EQ(d.text, (Rect{0, 0, 88, 24}));
    // Pressed, the themed drawing does not move.
    const auto pressed = ui::LayOutPopupButton(Rect{0, 0, 100, 24}, true, true);
    EXPECT_EQ(pressed.separator, d.separator);
    EXPECT_EQ(pressed.arrow, d.arrow);
}

TEST(PopupButtonDrawing, ClassicGeometryMovesUpAndShiftsWhenPressed) {
    const auto up = ui::LayOutPopupButton(Rect{0, 0, 100, 24}, false, false);
    EXPECT_EQ(up.frame, (Rect{0, -1, 100, 23}));
    // The lower end counts from the height: 23 - (-1) - 4.
    EXPECT_EQ(up.separator, (Line{84, 3, 84, 20}));
    EXPECT_EQ(up.arrow[0], (Line{89, 10, 94, 10}));
    EXPECT_EQ(up.arrow[1], (Line{90, 11, 93, 11}));
    EXPECT_EQ(up.arrow[2], (Line{91, 12, 92, 12}));
    EXPECT_EQ(up.focus, (Rect{4, 4, 96, 20}));  // on the unmoved rectangle
    EXPECT_EQ(up.text, (Rect{0, -1, 88, 23}));

    const auto down = ui::LayOutPopupButton(Rect{0, 0, 100, 24}, false, true);
    EXPECT_EQ(down.frame, (Rect{1, 0, 101, 24}));
    EXPECT_EQ(down.separator, (Line{85, 4, 85, 20}));
    EXPECT_EQ(down.arrow[0], (Line{90, 11, 95, 11}));
    EXPECT_EQ(down.focus, (Rect{4, 4, 96, 20}));
    EXPECT_EQ(down.text, (Rect{1, 0, 89, 24}));
}

TEST(PopupButtonDrawing, ArrowLengthsHoldForAnyHeight) {
    for (int height : {13, 20, 23, 24, 40}) {
        for (bool themed : {true, false}) {
            const auto d = ui::LayOutPopupButton(Rect{10, 0, 110, height}, themed, false);
            const int lengths[] = {5, 3, 1};
            for (int i = 0; i < 3; ++i) {
                EXPECT_EQ(d.arrow[i].x2 - d.arrow[i].x1, lengths[i]);
                EXPECT_EQ(d.arrow[i].y1, d.arrow[i].y2);
                EXPECT_LT(d.arrow[i].x2, 110);             // inside the button
                EXPECT_GT(d.arrow[i].x1, d.separator.x1);  // right of the separator
            }
            EXPECT_EQ(d.arrow[1].y1, d.arrow[0].y1 + 1);
        }
    }
}

}  // namespace
