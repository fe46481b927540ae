// What a WM_MENUSELECT asks of the menu help in the status bar. Only a
// highlighted command item has a help text (the string with its
// identifier); a submenu title, a separator or a closing menu has none, and
// the text of the item highlighted before must not stay on show then.
#pragma once

#include <cstdint>

enum class MenuSelection {
    command_item,   // show the help text of the item
    no_help,        // a submenu title or a separator: the normal status text
    menu_closed,    // the menu has closed: the normal status text again
};

// wparam and whether lparam (the menu handle) is null, as WM_MENUSELECT
// brings them: the item in the low half, its MF_ flags in the high half.
MenuSelection ClassifyMenuSelect(std::uint32_t wparam, bool menu_is_null);
