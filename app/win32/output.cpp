#include "app/win32/output.h"

#include <cderr.h>  // PDERR_NODEFAULTPRN

#include <cstdio>
#include <string>
#include <vector>

#include "app/logic/app_state.h"
#include "app/logic/database_folder.h"
#include "app/logic/picture_format.h"
#include "app/win32/picture_output.h"
#include "app/win32/text_conversion.h"
#include "diagram/diagram_drawing.h"
#include "station/file_io.h"

namespace {

// Application name and picture name, each NUL-terminated, the second
// followed by a further NUL.
const wchar_t kMetafileDescription[] = L"Varnok\0EMF File of Varnok\0";
// Room for a long path (the manifest declares the program long-path aware).
constexpr std::size_t kPathChars = 32768;

// The path of the last window-content save in this run (UTF-8); its dialog
// starts from it. The start name lies in the user's Documents folder.
std::string window_content_name = "Climate station.emf";

void Inform(const ProgramContext& program, const std::string& text, const char* caption) {
    MessageBoxW(program.main_window, WideFromUtf8(text).c_str(), WideFromUtf8(caption).c_str(), MB_ICONINFORMATION);
}

// The type chosen in the dialog (1 metafile, 2 SVG, 3 PNG, 4 all files);
// false after Cancel.
bool AskWindowContentName(const ProgramContext& program, int& filter_index) {
    window_content_name = PlaceInFolder(window_content_name, program.documents_folder);
    std::vector<wchar_t> name(kPathChars, L'\0');
    WideFromUtf8(window_content_name).copy(name.data(), name.size() - 1);
    wchar_t file_title[256] = {};
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = program.main_window;
    dialog.lpstrFilter =
        L"Windows enhanced metafiles (*.emf)\0*.emf\0Scalable vector graphics (*.svg)\0*.svg\0"
        L"Portable network graphics (*.png)\0*.png\0All Files (*.*)\0*.*\0";
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrFileTitle = file_title;
    dialog.nMaxFileTitle = 256;
    dialog.lpstrTitle = L"Save window content";
    dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (!GetSaveFileNameW(&dialog)) return false;
    window_content_name = Utf8FromWide(name.data());
    filter_index = static_cast<int>(dialog.nFilterIndex);
    return true;
}

RECT DiagramClientRect(ProgramContext& program) {
    RECT client = {0, 0, 0, 0};
    HWND diagram = DiagramWindow(program);
    if (diagram) GetClientRect(diagram, &client);
    return client;
}

// The window's rectangle in the metafile frame's 0.01 mm, as the screen
// measures its pixels.
RECT FrameOfWindow(const RECT& client) {
    RECT frame = {0, 0, 0, 0};
    HDC screen = GetDC(nullptr);
    if (!screen) return frame;
    const int mm_x = GetDeviceCaps(screen, HORZSIZE), pixels_x = GetDeviceCaps(screen, HORZRES);
    const int mm_y = GetDeviceCaps(screen, VERTSIZE), pixels_y = GetDeviceCaps(screen, VERTRES);
    ReleaseDC(nullptr, screen);
    if (pixels_x > 0 && pixels_y > 0) {
        frame.right = MulDiv(client.right, mm_x * 100, pixels_x);
        frame.bottom = MulDiv(client.bottom, mm_y * 100, pixels_y);
    }
    return frame;
}

// Records the window content into a new metafile in memory and returns it
// closed, or null when it could not be made. The frame is the window; a
// white pixel at its top-left and bottom-right corners makes the drawing's
// bounds span it too, for readers that size a picture by its bounds.
HENHMETAFILE RecordWindowContent(ProgramContext& program) {
    const RECT client = DiagramClientRect(program);
    const RECT frame = FrameOfWindow(client);
    HDC dc = CreateEnhMetaFileW(nullptr, nullptr, frame.right > 0 && frame.bottom > 0 ? &frame : nullptr,
                                kMetafileDescription);
    if (!dc) return nullptr;
    {
        // The surface puts the context's own font back before the close.
        GdiSurface surface(dc, program.pens);
        surface.StartPicture(client.right, client.bottom);
        surface.SetPixel(0, 0, kWhite);
        surface.SetPixel(client.right - 1, client.bottom - 1, kWhite);
        DrawWindowContent(surface, program.state.drawing, program.state.station,
                          DrawArea{0, 0, client.right, client.bottom});
    }
    return CloseEnhMetaFile(dc);
}

// The printer the user chose, as a device context, or null. The dialog's
// device mode and names are freed here: only the context is kept.
HDC ChoosePrinter(const ProgramContext& program) {
    PRINTDLGW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
    BOOL chosen = PrintDlgW(&dialog);
    if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
    if (chosen) return dialog.hDC;
    // 0 is a plain cancel; without any printer the dialog has said so itself.
    DWORD error = CommDlgExtendedError();
    if (error != 0 && error != PDERR_NODEFAULTPRN) {
        char text[96];
        std::snprintf(text, sizeof text, "No printer can be used (print dialog error 0x%04lX).",
                      static_cast<unsigned long>(error));
        Inform(program, text, "Print");
    }
    return nullptr;
}

// The scale of the page: the one checked, or at "Fit to page" the largest
// whose content fits the printer's printable area, the print font measured
// on the printer at each scale.
int PageScale(ProgramContext& program, HDC printer, PageView view) {
    if (program.state.print_scale != kPrintScaleFitToPage) return program.state.print_scale;
    GdiSurface surface(printer, program.pens);
    auto metrics_at = [&](int s) {
        surface.SelectFont(MakePrintFont(program.state.drawing.display_font, s));
        return surface.MeasureText();
    };
    const DrawArea& rect = program.state.diagram_rect;
    return FitToPageScale(view, rect.bottom, rect.right, GetDeviceCaps(printer, HORZRES),
                          GetDeviceCaps(printer, VERTRES), metrics_at);
}

// One page between StartPage and EndPage; false when the printing system
// refused a step (the document is then aborted).
bool PrintOnePage(ProgramContext& program, HDC printer, PageView view) {
    DOCINFOW document = {};
    document.cbSize = sizeof document;
    document.lpszDocName = L"Climate diagram";
    if (StartDocW(printer, &document) <= 0) return false;
    if (StartPage(printer) <= 0) {
        AbortDoc(printer);
        return false;
    }
    {
        const DrawArea& rect = program.state.diagram_rect;
        const int scale = PageScale(program, printer, view);
        GdiSurface surface(printer, program.pens);
        DrawPrintPage(surface, program.state.drawing, program.state.station, rect.bottom, rect.right, view, scale);
    }
    if (EndPage(printer) <= 0) {
        AbortDoc(printer);
        return false;
    }
    return EndDoc(printer) > 0;
}

// The metafile is recorded in memory and written as a station file is, so
// that a failed save leaves the file that was there as it was.
bool WriteMetafile(HENHMETAFILE metafile, const std::string& path) {
    UINT size = GetEnhMetaFileBits(metafile, 0, nullptr);
    if (size == 0) return false;
    std::vector<BYTE> bytes(size);
    if (GetEnhMetaFileBits(metafile, size, bytes.data()) != size) return false;
    return SaveBytesReplacing(path, bytes.data(), bytes.size()) == SaveStatus::ok;
}

}  // namespace

void SaveWindowContent(ProgramContext& program) {
    int filter_index = 1;
    if (!AskWindowContentName(program, filter_index)) return;
    const PictureFormat format = PictureFormatFor(filter_index, window_content_name);
    if (format != PictureFormat::emf) {
        SaveWindowPicture(program, format, PicturePath(window_content_name, format));
        return;
    }
    HENHMETAFILE metafile = RecordWindowContent(program);
    bool saved = metafile && WriteMetafile(metafile, window_content_name);
    if (metafile) DeleteEnhMetaFile(metafile);
    if (!saved) {
        Inform(program, std::string("The window content could not be saved to '") + window_content_name + "'.",
               "Save window content");
    }
}

void CopyWindowToClipboard(ProgramContext& program) {
    HENHMETAFILE metafile = RecordWindowContent(program);
    if (!metafile) {
        Inform(program, "The window content could not be drawn into a metafile.", "Copy window content");
        return;
    }
    if (!OpenClipboard(program.main_window)) {
        DeleteEnhMetaFile(metafile);
        Inform(program, "The clipboard could not be opened.", "Copy window content");
        return;
    }
    EmptyClipboard();
    bool handed_over = SetClipboardData(CF_ENHMETAFILE, metafile) != nullptr;
    CloseClipboard();
    if (!handed_over) {
        DeleteEnhMetaFile(metafile);  // still ours: the clipboard did not take it
        Inform(program, "The window content could not be put on the clipboard.", "Copy window content");
    }
}

void PrintWindowContent(ProgramContext& program, PageView view) {
    HDC printer = ChoosePrinter(program);
    if (!printer) return;
    bool printed = PrintOnePage(program, printer, view);
    DeleteDC(printer);
    if (!printed) Inform(program, "The page could not be printed.", "Print");
}
