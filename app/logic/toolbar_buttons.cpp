#include "app/logic/toolbar_buttons.h"

#include "resources/resource_ids.h"

namespace {
constexpr ToolbarEntry Separator() { return {true, 0, 0}; }
constexpr ToolbarEntry Button(int image, int command) { return {false, image, command}; }
}  // namespace

const ToolbarEntry toolbar_buttons[kToolbarEntryCount] = {
    Separator(),
    Button(0, IDM_OPEN_STATION_FILE),
    Button(12, IDM_SAVE_STATION_FILE),
    Button(10, IDM_ENTER_DATA_MANUALLY),
    Separator(),
    Button(13, IDM_OPEN_FROM_DATABASE),
    Button(14, IDM_OPEN_FROM_MAP),
    Separator(),
    Button(1, IDM_PRINT),
    Separator(),
    Button(11, IDM_SAVE_WINDOW_CONTENT),
    Button(7, IDM_COPY_TO_CLIPBOARD),
    Separator(),
    Button(8, IDM_SHOW_DIAGRAM),
    Button(9, IDM_SHOW_TABLE),
    Separator(),
    Button(3, IDM_SELECT_FONT),
};

const ToolbarEntry* ToolbarEntryAt(int index) {
    if (index < 0 || index >= kToolbarEntryCount) return nullptr;
    return &toolbar_buttons[index];
}

const char kToolbarButtonText[] = "Buttonsymbol";
const char kToolbarHelpText[] = "This dialog allows to configure the toolbar.";
const char kToolbarHelpCaption[] = "Help window";
