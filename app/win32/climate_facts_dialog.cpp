#include "app/win32/climate_facts_dialog.h"

#include <cstring>

#include "app/win32/text_conversion.h"
#include "resources/dialog_ids.h"

namespace {

struct FactsDialog {
    std::wstring text;
    bool can_copy;
};

// CF_UNICODETEXT: the text and its terminating zero in movable memory,
// which the clipboard owns once it has taken it.
bool PutOnClipboard(HWND owner, const std::wstring& text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return false;
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(target, text.c_str(), bytes);
    GlobalUnlock(memory);
    if (!OpenClipboard(owner)) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    const bool taken = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    if (!taken) GlobalFree(memory);
    return taken;
}

INT_PTR CALLBACK ClimateFactsDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dialog, DWLP_USER, lparam);
            const auto* facts = reinterpret_cast<const FactsDialog*>(lparam);
            SetDlgItemTextW(dialog, IDC_FACTS_TEXT, facts->text.c_str());
            EnableWindow(GetDlgItem(dialog, IDC_FACTS_COPY), facts->can_copy ? TRUE : FALSE);
            // Focus on Close, not on the text (which would select it all).
            SetFocus(GetDlgItem(dialog, IDCANCEL));
            return FALSE;
        }
        case WM_COMMAND:
            switch (LOWORD(wparam)) {
                case IDC_FACTS_COPY: {
                    const auto* facts = reinterpret_cast<const FactsDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
                    if (facts->can_copy && !PutOnClipboard(dialog, facts->text)) {
                        MessageBoxW(dialog, L"The climate facts could not be put on the clipboard.", L"Climate facts",
                                    MB_OK | MB_ICONINFORMATION);
                    }
                    return TRUE;
                }
                case IDOK:
                case IDCANCEL:
                    EndDialog(dialog, 0);
                    return TRUE;
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}

}  // namespace

void ShowClimateFactsDialog(HINSTANCE instance, HWND owner, const std::string& utf8_text, bool can_copy) {
    FactsDialog facts{WideFromUtf8(utf8_text), can_copy};
    DialogBoxParamW(instance, L"CLIMATEFACTS", owner, ClimateFactsDialogProc, reinterpret_cast<LPARAM>(&facts));
}
