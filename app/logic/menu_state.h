// The menu's check marks and gray states as data: one pure function
// decides them from the menu marks, and the shell puts them on the menu.
#pragma once

#include <array>

struct MenuMarks;

struct MenuItemState {
    int command;
    bool checked;
    bool grayed;
};

// Every item that can carry a check mark or be grayed: 21, 22, 23, 24,
// 25, 26, 27 and 31..37.
constexpr int kStatefulMenuItems = 14;
using MenuState = std::array<MenuItemState, kStatefulMenuItems>;

MenuState ComputeMenuState(const MenuMarks& marks);

// The flags GetMenuState reports for a checked item (MF_CHECKED) and a
// grayed one (MF_GRAYED).
constexpr unsigned kMenuFlagChecked = 0x8;
constexpr unsigned kMenuFlagGrayed = 0x1;

// The state of one item in GetMenuState's flags; 0 for an item not in the list.
unsigned MenuItemFlags(const MenuState& menu, int command);

// True when the item shows its check mark and can be chosen (not grayed);
// false for an item not in the list.
bool IsCheckedAndEnabled(const MenuState& menu, int command);
