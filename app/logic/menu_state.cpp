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
    for (int scale = 1; scale <= kPrintScaleFitToPage; ++scale) {
        menu[6 + scale] = {IDM_PRINT_SCALE_1 + scale - 1, marks.print_scale == scale, false};
    }
    return menu;
}

namespace {

const MenuItemState* FindItem(const MenuState& menu, int command) {
    for (const MenuItemState& item : menu) {
        if (item.command == command) return &item;
    }
    return nullptr;
}

}  // namespace

unsigned MenuItemFlags(const MenuState& menu, int command) {
    const MenuItemState* item = FindItem(menu, command);
    if (!item) return 0;
    return (item->checked ? kMenuFlagChecked : 0u) | (item->grayed ? kMenuFlagGrayed : 0u);
}

bool IsCheckedAndEnabled(const MenuState& menu, int command) {
    const MenuItemState* item = FindItem(menu, command);
    return item && item->checked && !item->grayed;
}
