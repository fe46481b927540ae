#include "app/logic/menu_help.h"

namespace {
constexpr std::uint32_t kPopupFlag = 0x0010;      // MF_POPUP
constexpr std::uint32_t kSeparatorFlag = 0x0800;  // MF_SEPARATOR
constexpr std::uint32_t kClosedFlags = 0xFFFF;
}  // namespace

MenuSelection ClassifyMenuSelect(std::uint32_t wparam, bool menu_is_null) {
    const std::uint32_t item = wparam & 0xFFFF;
    const std::uint32_t flags = (wparam >> 16) & 0xFFFF;
    if (flags == kClosedFlags && menu_is_null) return MenuSelection::menu_closed;
    // For a submenu title the low half is its position, not a command.
    if ((flags & (kPopupFlag | kSeparatorFlag)) != 0 || item == 0) return MenuSelection::no_help;
    return MenuSelection::command_item;
}
