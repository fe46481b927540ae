#include "app/win32/bars.h"


#include <cstring>

#include "app/logic/menu_help.h"
#include "app/logic/toolbar_buttons.h"
#include "app/logic/window_layout.h"
#include "app/win32/text_conversion.h"
#include "resources/resource_ids.h"

namespace {

const TBBUTTON* ToolbarTable() {
    static TBBUTTON table[kToolbarEntryCount];
    static bool made = false;
    if (!made) {
        for (int i = 0; i < kToolbarEntryCount; ++i) {
            const ToolbarEntry& entry = toolbar_buttons[i];
            TBBUTTON& button = table[i];
            std::memset(&button, 0, sizeof button);
            button.iBitmap = entry.image;
            button.idCommand = entry.command;
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = entry.separator ? TBSTYLE_SEP : TBSTYLE_BUTTON;
        }
        made = true;
    }
    return table;
}

void CopyButtonInfo(NMTOOLBARW& request, const ToolbarEntry* entry) {
    request.tbButton = ToolbarTable()[entry - toolbar_buttons];
    // Within the buffer the toolbar gave, however small.
    if (request.pszText && request.cchText > 0) {
        lstrcpynW(request.pszText, WideFromUtf8(kToolbarButtonText).c_str(), request.cchText);
    }
}

void ResetToolbar(HWND toolbar) {
    while (SendMessageW(toolbar, TB_DELETEBUTTON, 0, 0)) {
    }
    SendMessageW(toolbar, TB_ADDBUTTONSW, kToolbarEntryCount, reinterpret_cast<LPARAM>(ToolbarTable()));
}

}  // namespace

void CreateBars(ProgramContext& program) {
    program.status_bar = CreateStatusWindowW(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SBARS_SIZEGRIP | CCS_BOTTOM,
                                             WideFromUtf8(kStatusDiagramMode).c_str(), program.main_window,
                                             STATUSBAR_ID);
    program.toolbar = CreateToolbarEx(
        program.main_window, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_TOOLTIPS | CCS_ADJUSTABLE | CCS_TOP,
        TOOLBAR_ID, kToolbarImageCount, program.instance, IDB_TOOLBAR, ToolbarTable(), kToolbarEntryCount, 24, 24, 24,
        24, sizeof(TBBUTTON));
}

void LayoutBars(const ProgramContext& program) {
    SendMessageW(program.toolbar, TB_AUTOSIZE, 0, 0);
    SendMessageW(program.status_bar, WM_SIZE, 0, 0);
    // The main window does not clip its children: its background erase
    // after a size change can cover a bar that has just moved, so both
    // are drawn again.
    const UINT redraw = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME;
    if (program.toolbar) RedrawWindow(program.toolbar, nullptr, nullptr, redraw);
    if (program.status_bar) RedrawWindow(program.status_bar, nullptr, nullptr, redraw);
}

LRESULT OnToolbarNotify(ProgramContext& program, WPARAM wparam, LPARAM lparam) {
    auto* header = reinterpret_cast<NMHDR*>(lparam);
    if (!header) return 0;
    HWND toolbar = GetDlgItem(program.main_window, TOOLBAR_ID);
    if (wparam == TOOLBAR_ID) SendMessageW(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(32, 32));
    switch (header->code) {
        // The main window is a Unicode window: the controls ask in UTF-16.
        case TTN_NEEDTEXTW: {
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(lparam);
            info->hinst = program.instance;
            info->lpszText = MAKEINTRESOURCEW(LOWORD(header->idFrom));
            return 0;
        }
        case TBN_QUERYINSERT:
        case TBN_QUERYDELETE:
            return TRUE;
        case TBN_GETBUTTONINFOW: {
            auto* request = reinterpret_cast<NMTOOLBARW*>(lparam);
            const ToolbarEntry* entry = ToolbarEntryAt(request->iItem);
            if (!entry) return FALSE;
            CopyButtonInfo(*request, entry);
            return TRUE;
        }
        case TBN_RESET:
            ResetToolbar(toolbar);
            return 0;
        case TBN_CUSTHELP:
            MessageBoxW(program.main_window, WideFromUtf8(kToolbarHelpText).c_str(),
                        WideFromUtf8(kToolbarHelpCaption).c_str(), MB_OK | MB_ICONINFORMATION);
            return 0;
        default:
            return 0;
    }
}

void OnMenuSelect(const ProgramContext& program, WPARAM wparam, LPARAM lparam) {
    if (ClassifyMenuSelect(static_cast<std::uint32_t>(wparam), lparam == 0) == MenuSelection::no_help) {
        // MenuHelp has no text for a submenu title and would leave the help
        // of the item highlighted before on show: back to the mode text.
        SendMessageW(program.status_bar, SB_SIMPLE, FALSE, 0);
        return;
    }
    // Base 0: the help text of a command is the string with its identifier.
    UINT ids[2] = {0, 0};
    MenuHelp(WM_MENUSELECT, wparam, lparam, nullptr, program.instance, program.status_bar, ids);
    // In simple mode the status bar reports the help text as part 0; set it
    // again as the simple text without drawing flags. A text that would not
    // fit the buffer is left as MenuHelp set it.
    wchar_t text[128];
    LRESULT length = SendMessageW(program.status_bar, SB_GETTEXTLENGTHW, 0, 0);
    if (LOWORD(length) >= sizeof text / sizeof text[0]) return;
    text[0] = L'\0';
    SendMessageW(program.status_bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    SendMessageW(program.status_bar, SB_SETTEXTW, 255, reinterpret_cast<LPARAM>(text));
}
