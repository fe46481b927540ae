// The command logic's view of the Win32 program: menu, status bar, window
// sizes, repaints, pens, font, the dialogs and the output of the window
// content.
#pragma once

#include "app/logic/shell.h"
#include "app/win32/program_context.h"

class Win32Shell : public Shell {
public:
    explicit Win32Shell(ProgramContext& context) : context_(context) {}

    void ApplyMenuState(const MenuState& menu) override;
    void SetStatusText(const std::string& text) override;
    void ResizeMainWindow(int width, int height) override;
    void InvalidateDiagram(bool erase) override;
    void UpdateDiagramNow() override;
    void InvalidateMainWindow(bool erase) override;
    void RecreateCurvePens(bool monochrome) override;
    void ChooseDisplayFont(FontSpec& font) override;
    bool AskOpenStationFile(std::string& path) override;
    bool AskSaveStationFile(std::string& path) override;
    bool ImportStationFromDatabase(StationData& station) override;
    bool ImportStationFromMap(StationData& station) override;
    void EnterStationData(StationData& station) override;
    void SaveWindowContent() override;
    void CopyWindowToClipboard() override;
    void PrintPage(PageView view) override;
    void ShowInformation(const std::string& text, const std::string& caption) override;
    void ShowMemorial() override;
    void ShowClimateFacts(const std::string& utf8_text, bool can_copy) override;
    void DestroyMainWindow() override;

private:
    ProgramContext& context_;
};
