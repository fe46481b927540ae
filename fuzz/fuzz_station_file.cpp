// Station file bytes, opened as the program opens them, then drawn as the
// window shows them (diagram or table) and as the printed page at a scale
// of 1 to 6, onto a surface that counts the calls.
//
// The input is the file. The program reads only its first 660 bytes, so the
// bytes after them choose the presentation: window size (up to 1920x1080,
// zero and negative sizes too), axis offset, monochrome, month labels, view,
// print scale and the font metrics.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "diagram/diagram_drawing.h"
#include "diagram/print_page.h"
#include "fuzz/fuzz_input.h"
#include "station/file_io.h"
#include "station/station_file.h"
#include "tests/counting_surface.h"

namespace {

const std::uint8_t* g_data;
std::size_t g_size;

// The file seam opens the input itself: the station file as bytes.
std::FILE* OpenInput(const char*, const char*) {
    if (g_size == 0) return std::tmpfile();
    return fmemopen(const_cast<std::uint8_t*>(g_data), g_size, "rb");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    g_data = data;
    g_size = size;
    FileOps ops = DefaultFileOps();
    ops.open = &OpenInput;
    SetFileOps(&ops);
    StationData station;
    station.record = MakeStartupRecord();
    StationFileResult result = ReadStationFile("input.cli", station.record);
    SetFileOps(nullptr);
    if (result != StationFileResult::ok) {
        if (size >= kRecordSize) __builtin_trap();  // a whole record must open
        return 0;
    }
    FinishOpenedStation(station);

    FuzzInput options(data + kRecordSize, size - kRecordSize);
    DrawingState state;
    const int width = options.Range(-64, 1920);
    const int height = options.Range(-64, 1080);
    state.axis_offset = options.Flag() ? options.Range(-100000, 100000) : 25 * options.Range(2, 40);
    state.monochrome = options.Flag();
    if (options.Flag()) station.record.month_labels = options.Flag() ? 1 : 0;
    if (options.Flag()) station.record.diagram_mode = options.Flag() ? 1 : 0;
    const int print_scale = options.Range(1, 6);
    const TextMetrics metrics{options.Range(1, 64), options.Range(1, 128)};
    const PageView page_view = options.Flag() ? PageView::table : PageView::diagram;

    CountingSurface window(metrics);
    StationData shown = station;
    DrawWindowContent(window, state, shown, DrawArea{0, 0, width, height});
    CountingSurface page(metrics);
    StationData printed = station;
    DrawPrintPage(page, state, printed, height, width, page_view, print_scale);
    return 0;
}
