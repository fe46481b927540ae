#include "app/logic/menu_state.h"

#include "app/logic/app_state.h"
#include "resources/resource_ids.h"

MenuState ComputeMenuState(const MenuMarks& marks) {
    // The axis and month label items only make sense for the diagram.
    const bool table = !marks.diagram;
    MenuState menu{{
        {IDM_SHOW_DIAGRAM, marks.diagram, false},
        {IDM_SHOW_TABLE, !marks.diagram, false},
        {IDM_MONOCHROME, marks.monochrome, false},
        {IDM_COLOURS, !marks.monochrome, false},
        {IDM_AXIS_UP, false, table},
        {IDM_AXIS_DOWN, false, table},
        {IDM_MONTH_LABELS, marks.month_labels, table},
    }};
    for (int scale = 1; scale <= 6; ++scale) {
        menu[6 + scale] = {IDM_PRINT_SCALE_1 + scale - 1, marks.print_scale == scale, false};
    }
    return menu;
}

unsigned MenuItemFlags(const MenuState& menu, int command) {
    for (const MenuItemState& item : menu) {
        if (item.command == command) return (item.checked ? 8u : 0u) | (item.grayed ? 1u : 0u);
    }
    return 0;
}
