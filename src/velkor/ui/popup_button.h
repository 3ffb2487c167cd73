// The split button's rules apart from any window: what a click or a key does, which
// command the button carries and which ones its menu offers, and where the drawing
// goes. The Win32 glue (popup_button_win32.cpp) only carries these out.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "win/ui.h"

namespace ui {

inline constexpr int kArrowZoneWidth = 16;        // pixels at the right edge that open the menu
inline constexpr uint32_t kOwnerDrawType = 0x0B;  // BS_OWNERDRAW

enum class PopupAction {
    None,         // not ours: the key goes the normal way
    ShowMenu,     // drop the menu down below the button
    PostCommand,  // post the button's own command to the parent
};

// A left-button press at client x in a button `width` pixels wide.
PopupAction ActionForClick(int x, int width);
// A key press while the button has the focus, before translation.
PopupAction ActionForKey(int virtualKey);

// The button's own command: `commandId`, or the first item's when it is 0 (0 when the
// menu is empty).
int ResolveCommand(const std::vector<win::MenuItem>& items, int commandId);
// The text of the item carrying `commandId`; nullopt when no item does.
std::optional<std::string> CommandText(const std::vector<win::MenuItem>& items, int commandId);
// The items the drop-down menu shows: every item but the button's own command.
std::vector<win::MenuItem> OfferedItems(const std::vector<win::MenuItem>& items, int commandId);

// The button style that makes the control owner-drawn, from its window style.
uint32_t OwnerDrawButtonStyle(uint32_t windowStyle);

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Rect&) const = default;
};

// A line from (x1, y1) to (x2, y2), the end point excluded.
struct Line {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    bool operator==(const Line&) const = default;
};

// Theme states of a push button.
inline constexpr int kThemeNormal = 1;
inline constexpr int kThemeHot = 2;
inline constexpr int kThemePressed = 3;
inline constexpr int kThemeDisabled = 4;
// A disabled button (no paper to act on) is drawn greyed, whatever else holds.
int ThemeState(bool selected, bool hot, bool disabled);

struct PopupDrawing {
    Rect frame;                 // where the button background or classic frame goes
    Line separator;             // button-shadow colour
    std::array<Line, 3> arrow;  // black, 5, 3 and 1 pixels long
    Rect focus;                 // focus rectangle, drawn only with the focus
    Rect text;                  // text area; themed drawing narrows it to the theme's content
};

// Geometry of one owner-draw pass over `item`, themed or classic.
PopupDrawing LayOutPopupButton(const Rect& item, bool themed, bool selected);

}  // namespace ui
