// A shell that records what the command logic asks of the windows, for the
// tests of the command logic.
#pragma once

#include <string>
#include <vector>

#include "app/logic/shell.h"

class FakeShell : public Shell {
public:
    void ApplyMenuState(const MenuState& state) override {
        menu = state;
        Log("menu");
    }
    void SetStatusText(const std::string& text) override {
        status_text = text;
        Log("status " + text);
    }
    void ResizeMainWindow(int width, int height) override {
        Log("resize " + std::to_string(width) + "x" + std::to_string(height));
    }
    void InvalidateDiagram(bool erase) override { Log(erase ? "invalidate diagram erase" : "invalidate diagram"); }
    void UpdateDiagramNow() override { Log("update diagram"); }
    void InvalidateMainWindow(bool erase) override { Log(erase ? "invalidate main erase" : "invalidate main"); }
    void RecreateCurvePens(bool monochrome) override { Log(monochrome ? "pens black" : "pens colour"); }
    void ChooseDisplayFont(FontSpec& font) override {
        Log("font dialog");
        if (font_choice) font = *font_choice;
    }
    bool AskOpenStationFile(std::string& path) override {
        Log("open dialog " + path);
        if (!file_choice.empty()) path = file_choice;
        return !file_choice.empty();
    }
    bool AskSaveStationFile(std::string& path) override {
        Log("save dialog " + path);
        if (!file_choice.empty()) path = file_choice;
        return !file_choice.empty();
    }
    bool ImportStationFromDatabase(StationData& station) override {
        Log("search dialog");
        if (!imported_station) return false;
        station = *imported_station;
        return true;
    }
    bool ImportStationFromMap(StationData& station) override {
        Log("map dialog");
        if (!imported_station) return false;
        station = *imported_station;
        return true;
    }
    void EnterStationData(StationData& station) override {
        Log("manual entry dialog");
        if (entered_station) station = *entered_station;
    }
    void SaveWindowContent() override { Log("window content file"); }
    void CopyWindowToClipboard() override { Log("metafile clipboard"); }
    void PrintPage(PageView view) override { Log(view == PageView::diagram ? "print diagram" : "print table"); }
    void ShowInformation(const std::string& text, const std::string& caption) override {
        messages.push_back(caption + ": " + text);
        Log("message");
    }
    void ShowMemorial() override { Log("memorial"); }
    void ShowClimateFacts(const std::string& utf8_text, bool can_copy) override {
        facts_text = utf8_text;
        Log(can_copy ? "climate facts" : "climate facts without copy");
    }
    void DestroyMainWindow() override { Log("destroy"); }

    void Log(const std::string& entry) { calls.push_back(entry); }

    std::vector<std::string> calls;
    std::vector<std::string> messages;
    MenuState menu{};
    std::string status_text;
    std::string facts_text;
    std::string file_choice;  // empty: the dialogs are cancelled
    const FontSpec* font_choice = nullptr;
    const StationData* imported_station = nullptr;  // null: the search dialog is cancelled
    const StationData* entered_station = nullptr;   // null: the manual entry is cancelled
};
