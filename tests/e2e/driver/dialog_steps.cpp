// Driver steps for the program's own dialogs (the station search and the
// manual entry) and for the clipboard. Controls are addressed by the
// caption prefix of their dialog and their control id; every step that
// changes a control waits until the dialog has handled it, so the next
// step sees its effect.
//
//   set-text PREFIX ID TEXT     put TEXT into the control
//   get-text PREFIX ID          print the control's text
//   list-items PREFIX ID        print the items of a list box, one a line
//   list-select PREFIX ID TEXT  select the first item beginning with TEXT
//                               and notify the dialog (LBN_SELCHANGE)
//   list-open PREFIX ID TEXT    the same, then a double click (LBN_DBLCLK)
//   click-button PREFIX ID      click a button (BM_CLICK) and wait
//   checked PREFIX ID           print 1 when the button is checked, else 0
//   enabled PREFIX ID           print 1 when the control can be used, else 0
//   clipboard-emf FILE          write the clipboard's enhanced metafile to FILE
//   clipboard-text FILE         write the clipboard's Unicode text to FILE as UTF-8
//   hold-clipboard MS           keep the clipboard open for MS milliseconds,
//                               so that the program cannot open it
#include "dialog_steps.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr UINT kTimeoutMs = 20000;

HWND Control(const char* prefix, const char* id) {
    HWND window = FindByCaption(prefix);
    return window ? GetDlgItem(window, std::atoi(id)) : nullptr;
}

LRESULT Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wparam, lparam, SMTO_ABORTIFHUNG, kTimeoutMs, &result);
    return static_cast<LRESULT>(result);
}

std::string Text(HWND control) {
    char text[512] = {};
    Send(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// The items through the wide message: Wine carries LB_GETTEXT across
// processes as UTF-16, so the A message would return only the first letter.
int ListItems(HWND list) {
    LRESULT count = Send(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t item[512] = {};
        if (Send(list, LB_GETTEXTLEN, i, 0) >= 512) return 1;
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item), SMTO_ABORTIFHUNG, kTimeoutMs, &ignored);
        char text[1024] = {};
        WideCharToMultiByte(1252, 0, item, -1, text, sizeof text, nullptr, nullptr);
        std::printf("%s\n", text);
    }
    return 0;
}

// Selects as a user's click would and tells the dialog, synchronously.
int ListSelect(HWND list, const char* text, bool open) {
    if (Send(list, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)) == LB_ERR) {
        std::fprintf(stderr, "driver: no list item begins with '%s'\n", text);
        return 1;
    }
    HWND dialog = GetParent(list);
    WPARAM id = static_cast<WPARAM>(GetDlgCtrlID(list));
    Send(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    if (open) PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
    return 0;
}

// 0 when the bytes are all written.
int WriteFile(const char* path, const void* bytes, std::size_t size) {
    FILE* file = std::fopen(path, "wb");
    if (!file) return 1;
    bool written = std::fwrite(bytes, 1, size, file) == size;
    return std::fclose(file) == 0 && written ? 0 : 1;
}

int ClipboardMetafile(const char* path) {
    if (!OpenClipboard(nullptr)) {
        std::fprintf(stderr, "driver: clipboard cannot be opened\n");
        return 1;
    }
    HENHMETAFILE metafile = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
    std::vector<BYTE> bits(metafile ? GetEnhMetaFileBits(metafile, 0, nullptr) : 0);
    if (!bits.empty()) GetEnhMetaFileBits(metafile, static_cast<UINT>(bits.size()), bits.data());
    CloseClipboard();
    if (bits.empty()) {
        std::fprintf(stderr, "driver: no enhanced metafile on the clipboard\n");
        return 1;
    }
    return WriteFile(path, bits.data(), bits.size());
}

int ClipboardText(const char* path) {
    if (!OpenClipboard(nullptr)) {
        std::fprintf(stderr, "driver: clipboard cannot be opened\n");
        return 1;
    }
    std::string utf8;
    if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* text = static_cast<const wchar_t*>(GlobalLock(memory))) {
            const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
            utf8.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
            if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text, -1, &utf8[0], n, nullptr, nullptr);
            if (!utf8.empty()) utf8.pop_back();  // the terminating zero
            GlobalUnlock(memory);
        }
    }
    CloseClipboard();
    if (utf8.empty()) {
        std::fprintf(stderr, "driver: no Unicode text on the clipboard\n");
        return 1;
    }
    return WriteFile(path, utf8.data(), utf8.size());
}

int HoldClipboard(DWORD ms) {
    if (!OpenClipboard(nullptr)) return 1;
    std::printf("held\n");
    std::fflush(stdout);
    Sleep(ms);
    CloseClipboard();
    return 0;
}

}  // namespace

int RunDialogStep(int argc, char** argv) {
    if (argc < 3) return -1;
    std::string step = argv[1];
    if (step == "clipboard-emf") return ClipboardMetafile(argv[2]);
    if (step == "clipboard-text") return ClipboardText(argv[2]);
    if (step == "hold-clipboard") return HoldClipboard(static_cast<DWORD>(std::atoi(argv[2])));
    if (argc < 4) return -1;
    const bool known = step == "set-text" || step == "get-text" || step == "list-items" || step == "list-select" ||
                       step == "list-open" || step == "click-button" || step == "checked" || step == "enabled";
    if (!known) return -1;
    HWND control = Control(argv[2], argv[3]);
    if (!control) {
        std::fprintf(stderr, "driver: control %s of '%s' not found\n", argv[3], argv[2]);
        return 1;
    }
    if (step == "get-text") return std::printf("%s\n", Text(control).c_str()) < 0;
    if (step == "list-items") return ListItems(control);
    if (step == "enabled") return std::printf("%d\n", IsWindowEnabled(control) ? 1 : 0) < 0;
    if (step == "checked") return std::printf("%d\n", Send(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0) < 0;
    if (step == "click-button") {
        // BM_CLICK sends the notification from inside the dialog's thread;
        // the WM_NULL after it returns once the dialog has handled it.
        PostMessageA(control, BM_CLICK, 0, 0);
        Send(GetParent(control), WM_NULL, 0, 0);
        return 0;
    }
    if (argc < 5) return 2;
    if (step == "set-text") return Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4])) ? 0 : 1;
    return ListSelect(control, argv[4], step == "list-open");
}
