#include "velkor/ui/popup_button.h"

#include <algorithm>

namespace ui {
namespace {

constexpr int kVkReturn = 13;
constexpr int kVkSpace = 32;
constexpr int kVkDown = 40;

constexpr int kTextInset = 12;  // the text stays clear of the arrow
constexpr int kFocusInset = 4;

}  // namespace

PopupAction ActionForClick(int x, int width) {
    return x > width - kArrowZoneWidth ? PopupAction::ShowMenu : PopupAction::PostCommand;
}

PopupAction ActionForKey(int virtualKey) {
    switch (virtualKey) {
        case kVkReturn:
        case kVkSpace:
            return PopupAction::PostCommand;
        case kVkDown:
            return PopupAction::ShowMenu;
        default:
            return PopupAction::None;
    }
}

int ResolveCommand(const std::vector<win::MenuItem>& items, int commandId) {
    if (commandId != 0) return commandId;
    return items.empty() ? 0 : items.front().command;
}

std::optional<std::string> CommandText(const std::vector<win::MenuItem>& items, int commandId) {
    for (const auto& item : items) {
        if (item.command == commandId) return item.text;
    }
    return std::nullopt;
}

std::vector<win::MenuItem> OfferedItems(const std::vector<win::MenuItem>& items, int commandId) {
    std::vector<win::MenuItem> offered;
    std::copy_if(items.begin(), items.end(), std::back_inserter(offered),
                 [commandId](const win::MenuItem& item) { return item.command != commandId; });
    return offered;
}

uint32_t OwnerDrawButtonStyle(uint32_t windowStyle) {
    return (windowStyle & 0xFF) | kOwnerDrawType;
}

int ThemeState(bool selected, bool hot, bool disabled) {
    if (disabled) return kThemeDisabled;
    if (selected) return kThemePressed;
    return hot ? kThemeHot : kThemeNormal;
}

PopupDrawing LayOutPopupButton(const Rect& item, bool themed, bool selected) {
    PopupDrawing drawing;
    Rect moved = item;
    if (!themed) {
        // The classic frame sits one pixel higher; pressed, it shifts right and down.
        moved.top -= 1;
        moved.bottom -= 1;
        if (selected) {
            moved.left += 1;
            moved.right += 1;
            moved.top += 1;
            moved.bottom += 1;
        }
    }
    drawing.frame = moved;

    const int right = moved.right;
    const int top = moved.top;
    const int bottom = moved.bottom;
    // The lower end is measured from the height, not from the bottom edge.
    drawing.separator = {right - kArrowZoneWidth, top + 4, right - kArrowZoneWidth,
                         bottom - top - 4};

    const int mid = top + (bottom - top) / 2;
    const int shift = themed ? 0 : 1;
    drawing.arrow = {Line{right - 12 + shift, mid - 1, right - 7 + shift, mid - 1},
                     Line{right - 11 + shift, mid, right - 8 + shift, mid},
                     Line{right - 10 + shift, mid + 1, right - 9 + shift, mid + 1}};

    drawing.focus = {item.left + kFocusInset, item.top + kFocusInset, item.right - kFocusInset,
                     item.bottom - kFocusInset};

    drawing.text = themed ? item : moved;
    drawing.text.right -= kTextInset;
    return drawing;
}

}  // namespace ui
