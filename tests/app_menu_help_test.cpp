// Which WM_MENUSELECT shows a help text in the status bar.
#include <gtest/gtest.h>

#include <cstdint>

#include "app/logic/menu_help.h"
#include "resources/resource_ids.h"

namespace {

std::uint32_t Select(std::uint32_t item, std::uint32_t flags) { return (flags << 16) | item; }

constexpr std::uint32_t kHilite = 0x0080;     // MF_HILITE
constexpr std::uint32_t kPopup = 0x0010;      // MF_POPUP
constexpr std::uint32_t kSeparator = 0x0800;  // MF_SEPARATOR
constexpr std::uint32_t kGrayed = 0x0003;     // MF_GRAYED | MF_DISABLED
constexpr std::uint32_t kChecked = 0x0008;

TEST(MenuHelp, OnlyCommandItemsHaveAHelpText) {
    struct Case {
        std::uint32_t wparam;
        bool menu_is_null;
        MenuSelection expected;
    } cases[] = {
        {Select(IDM_PRINT, kHilite), false, MenuSelection::command_item},
        {Select(IDM_EXIT, kHilite), false, MenuSelection::command_item},
        // Grayed and checked items keep their help.
        {Select(IDM_AXIS_UP, kHilite | kGrayed), false, MenuSelection::command_item},
        {Select(IDM_PRINT_SCALE_3, kHilite | kChecked), false, MenuSelection::command_item},
        // "Print &scale" is item 8 of the File menu: 8 is its position, and
        // the help of command 8 (there is none) or of the item before must
        // not show.
        {Select(8, kHilite | kPopup), false, MenuSelection::no_help},
        // A title of the menu bar, "&Presentation" at position 2 (= command 2).
        {Select(2, kHilite | kPopup), false, MenuSelection::no_help},
        {Select(0, kSeparator), false, MenuSelection::no_help},
        {Select(0, 0), false, MenuSelection::no_help},
        {Select(0xFFFF, 0xFFFF), true, MenuSelection::menu_closed},
        {Select(0, 0xFFFF), true, MenuSelection::menu_closed},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClassifyMenuSelect(c.wparam, c.menu_is_null), c.expected) << std::hex << c.wparam;
    }
}

}  // namespace
