#include "app/logic/menu_state.h"

#include <iterator>

#include "app/logic/app_state.h"
#include "app/logic/display_scale.h"
#include "resources/resource_ids.h"

MenuState ComputeMenuState(const AppState& state) {
    const StationRecord& record = state.station.record;
    const bool diagram = record.diagram_mode != 0;
    const bool monochrome = state.drawing.monochrome;
    // The axis and month label items only make sense for the diagram.
    const bool table = !diagram;
    MenuState menu{{
        {IDM_SHOW_DIAGRAM, diagram, false},
        {IDM_SHOW_TABLE, !diagram, false},
        {IDM_MONOCHROME, monochrome, false},
        {IDM_COLOURS, !monochrome, false},
        {IDM_AXIS_UP, false, table},
        {IDM_AXIS_DOWN, false, table},
        {IDM_MONTH_LABELS, record.month_labels != 0, table},
    }};
    for (int scale = 1; scale <= kPrintScaleFitToPage; ++scale) {
        menu[6 + scale] = {IDM_PRINT_SCALE_1 + scale - 1, state.print_scale == scale, false};
    }
    // The class line and the quiz hold for the diagram and the table alike.
    menu[14] = {IDM_CLIMATE_CLASS, state.drawing.climate_class_line, false};
    menu[15] = {IDM_HIDE_STATION, state.drawing.hide_station, false};
    // 61..64 the fixed zooms in the order of kZoomPercents, 65 Fit to window.
    constexpr int kFirstZoomItem = 16;
    for (int i = 0; i < static_cast<int>(std::size(kZoomPercents)); ++i) {
        menu[kFirstZoomItem + i] = {IDM_ZOOM_100 + i, state.zoom == kZoomPercents[i], false};
    }
    menu[kStatefulMenuItems - 1] = {IDM_ZOOM_FIT, state.zoom == kZoomFitToWindow, false};
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

bool IsCheckedAndEnabled(const MenuState& menu, int command) {
    const MenuItemState* item = FindItem(menu, command);
    return item && item->checked && !item->grayed;
}
