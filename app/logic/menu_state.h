// The menu's check marks and gray states as data: one pure function
// decides them from the presentation settings, and the shell puts them on
// the menu.
#pragma once

#include <array>

struct AppState;

struct MenuItemState {
    int command;
    bool checked;
    bool grayed;
};

// Every item that can carry a check mark or be grayed: 21, 22, 23, 24,
// 25, 26, 27, 31..37, 28, 29 and 61..65.
constexpr int kStatefulMenuItems = 21;
using MenuState = std::array<MenuItemState, kStatefulMenuItems>;

// A new setting with menu items adds them to the list (and to
// kStatefulMenuItems), computed from its field.
MenuState ComputeMenuState(const AppState& state);

// True when the item shows its check mark and can be chosen (not grayed);
// false for an item not in the list.
bool IsCheckedAndEnabled(const MenuState& menu, int command);
