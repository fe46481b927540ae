#include "app/win32/win32_shell.h"

#include "app/logic/display_scale.h"
#include "app/win32/climate_facts_dialog.h"
#include "app/win32/drawing_resources.h"
#include "app/win32/manual_entry_dialog.h"
#include "app/win32/memorial_dialog.h"
#include "app/win32/output.h"
#include "app/win32/station_file_dialogs.h"
#include "app/win32/station_map_dialog.h"
#include "app/win32/station_search_dialog.h"
#include "app/win32/text_conversion.h"
#include "app/win32/window_dpi.h"
#include "database/station_import.h"

void Win32Shell::ApplyMenuState(const MenuState& menu) {
    HMENU bar = GetMenu(context_.main_window);
    if (!bar) return;
    for (const MenuItemState& item : menu) {
        CheckMenuItem(bar, item.command, MF_BYCOMMAND | (item.checked ? MF_CHECKED : MF_UNCHECKED));
        EnableMenuItem(bar, item.command, MF_BYCOMMAND | (item.grayed ? MF_GRAYED : MF_ENABLED));
    }
}

void Win32Shell::SetStatusText(const std::string& text) {
    SendMessageW(context_.status_bar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(WideFromUtf8(text).c_str()));
}

void Win32Shell::ResizeMainWindow(int width, int height) {
    RECT rect = {};
    GetWindowRect(context_.main_window, &rect);
    HWND window = context_.main_window;
    MoveWindow(window, rect.left, rect.top, ScaleForWindow(window, width), ScaleForWindow(window, height), TRUE);
}

void Win32Shell::InvalidateDiagram(bool erase) { RepaintDiagram(context_, erase, false); }

void Win32Shell::UpdateDiagramNow() {
    HWND diagram = DiagramWindow(context_);
    if (diagram) UpdateWindow(diagram);
}

void Win32Shell::InvalidateMainWindow(bool erase) {
    InvalidateRect(context_.main_window, nullptr, erase ? TRUE : FALSE);
}

void Win32Shell::RecreateCurvePens(bool monochrome) { ::RecreateCurvePens(context_, monochrome); }

void Win32Shell::ChooseDisplayFont(FontSpec& font) {
    // The record lives for the run, so the colour chosen last is offered again.
    static CHOOSEFONTW request;
    static LOGFONTW description;
    // The description is in 96-DPI units; the dialog reads and writes
    // heights at the screen's DPI.
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kDefaultDpi;
    if (screen) ReleaseDC(nullptr, screen);
    description = ToLogFont(FontAtDpi(font, kDefaultDpi, dpi));
    request.lStructSize = sizeof request;
    request.hwndOwner = nullptr;
    request.lpLogFont = &description;
    request.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS | CF_TTONLY;
    FontSpec chosen = font;
    if (!ChooseFontW(&request)) return;
    if (FromLogFont(description, chosen)) {
        font = FontAtDpi(chosen, dpi, kDefaultDpi);
    } else {
        // The drawing's texts and the SVG name the face in Windows-1252.
        ShowInformation("The font " + Utf8FromWide(description.lfFaceName) +
                            " cannot be used: its name has characters outside Windows-1252.",
                        "Varnok 32");
    }
}

bool Win32Shell::AskOpenStationFile(std::string& path) {
    return AskStationFileName(context_.main_window, StationFileDialog::open, path);
}

bool Win32Shell::AskSaveStationFile(std::string& path) {
    return AskStationFileName(context_.main_window, StationFileDialog::save, path);
}

bool Win32Shell::ImportStationFromDatabase(StationData& station) {
    StationSearchContext search;
    search.db_dir = context_.database_folder;
    search.country_table = &context_.country_table;
    search.chosen_station_name = &context_.chosen_station_name;
    if (!RunStationSearchDialog(context_.instance, context_.main_window, search)) return false;
    // An empty pick (Cancel, or nothing picked in this run) imports nothing.
    StationImport import =
        ::ImportStationFromDatabase(search.db_dir, context_.country_table, context_.chosen_station_name, station);
    for (const UserMessage& message : import.messages) ShowInformation(message.text, message.caption);
    return import.imported;
}

bool Win32Shell::ImportStationFromMap(StationData& station) {
    StationMapDialogContext map;
    map.db_dir = context_.database_folder;
    map.pens = &context_.pens;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    map.command_start = now.QuadPart;
    if (!RunStationMapDialog(context_.instance, context_.main_window, map) || map.pick_text.empty()) return false;
    // The pick as the search dialog's OK leaves it, and the same import.
    context_.chosen_station_name = map.pick_text;
    StationImport import =
        ::ImportStationFromDatabase(map.db_dir, context_.country_table, context_.chosen_station_name, station);
    for (const UserMessage& message : import.messages) ShowInformation(message.text, message.caption);
    return import.imported;
}

void Win32Shell::EnterStationData(StationData& station) {
    RunManualEntryDialog(context_.instance, context_.main_window, station);
}

void Win32Shell::SaveWindowContent() { ::SaveWindowContent(context_); }

void Win32Shell::CopyWindowToClipboard() { ::CopyWindowToClipboard(context_); }

void Win32Shell::PrintPage(PageView view) { PrintWindowContent(context_, view); }

void Win32Shell::ShowInformation(const std::string& text, const std::string& caption) {
    MessageBoxW(context_.main_window, WideFromUtf8(text).c_str(), WideFromUtf8(caption).c_str(),
                MB_OK | MB_ICONINFORMATION);
}

void Win32Shell::ShowMemorial() { ShowMemorialDialog(context_.instance, context_.main_window); }

void Win32Shell::ShowClimateFacts(const std::string& utf8_text, bool can_copy) {
    ShowClimateFactsDialog(context_.instance, context_.main_window, utf8_text, can_copy);
}

// DestroyWindow sends WM_DESTROY and also takes the window away, so no paint
// can reach it after its pens are gone.
void Win32Shell::DestroyMainWindow() { DestroyWindow(context_.main_window); }
