// What the command logic asks of the window shell. The Win32 program
// implements it over its windows, menu and common dialogs; the unit tests
// implement it with a fake that records every call.
#pragma once

#include <string>

#include "app/logic/menu_state.h"
#include "diagram/draw_surface.h"
#include "diagram/print_page.h"
#include "station/station_record.h"

// Texts and paths are UTF-8; station texts (Windows-1252) reach the shell
// only inside the station record and the drawing.
class Shell {
public:
    virtual ~Shell() = default;

    // Check marks and gray states of the menu bar (the diagram window's
    // popup is the same submenu, so it follows).
    virtual void ApplyMenuState(const MenuState& menu) = 0;
    // Text of the status bar's part 0.
    virtual void SetStatusText(const std::string& text) = 0;
    // Gives the main window this outer size, given in 96-DPI units and
    // scaled to the window's DPI, keeping its top-left corner; the size
    // change lays out and repaints the diagram window.
    virtual void ResizeMainWindow(int width, int height) = 0;
    virtual void InvalidateDiagram(bool erase) = 0;
    // Repaints the diagram window before returning.
    virtual void UpdateDiagramNow() = 0;
    // Invalidating the main window repaints the diagram window too.
    virtual void InvalidateMainWindow(bool erase) = 0;

    // Replaces precip_pen and temp_pen (black in monochrome, else blue and red).
    virtual void RecreateCurvePens(bool monochrome) = 0;
    // The system font dialog, starting from and writing back into font;
    // after Cancel the description is unchanged. The drawing makes its font
    // from the description at every paint.
    virtual void ChooseDisplayFont(FontSpec& font) = 0;

    // The common file dialogs for station files. path holds the proposal
    // and receives the chosen full path; false after Cancel.
    virtual bool AskOpenStationFile(std::string& path) = 0;
    virtual bool AskSaveStationFile(std::string& path) = 0;

    // The station search dialog GETSTATION and the import of the station
    // picked there into `station`, each message of the import shown in an
    // information box. False when nothing was imported (Cancel, or no pick).
    virtual bool ImportStationFromDatabase(StationData& station) = 0;
    // The map dialog STATIONMAP and the import of the station picked there,
    // through the same pick as the search dialog's OK (name and WMO
    // number), each message shown in an information box. False when
    // nothing was imported; Cancel changes nothing, not even the pick the
    // search dialog keeps.
    virtual bool ImportStationFromMap(StationData& station) = 0;
    // The manual data entry dialog GETMANUALDATA over `station`.
    virtual void EnterStationData(StationData& station) = 0;

    // The diagram window's content in a file the user names, as an enhanced
    // metafile, an SVG or a PNG picture; a failure is reported.
    virtual void SaveWindowContent() = 0;
    // The diagram window's content as an enhanced metafile on the clipboard.
    virtual void CopyWindowToClipboard() = 0;
    // The print dialog, then one page of the view at the print scale;
    // nothing when the dialog is cancelled, a failure is reported.
    virtual void PrintPage(PageView view) = 0;

    // A message box owned by the main window with the information icon.
    virtual void ShowInformation(const std::string& text, const std::string& caption) = 0;
    virtual void ShowMemorial() = 0;
    // The modal dialog CLIMATEFACTS with the facts (UTF-8, lines ending in
    // "\r\n"); its Copy button puts them on the clipboard as Unicode text
    // and is grayed when `can_copy` is false.
    virtual void ShowClimateFacts(const std::string& utf8_text, bool can_copy) = 0;
    // Destroys the main window: resources freed, end of program requested.
    virtual void DestroyMainWindow() = 0;
};
