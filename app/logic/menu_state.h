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
// 25, 26, 27 and 31..36.
constexpr int kStatefulMenuItems = 13;
using MenuState = std::array<MenuItemState, kStatefulMenuItems>;

MenuState ComputeMenuState(const MenuMarks& marks);

// The state of one item, as GetMenuState reports it for a checked
// (MF_CHECKED 8) and grayed (MF_GRAYED 1) item; 0 for an item not in the list.
unsigned MenuItemFlags(const MenuState& menu, int command);
