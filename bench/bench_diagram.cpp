// Time of one whole drawing: the window content of a very wet station, the
// printed page of a full-screen window at scale 6, and a record of absurd
// values, each drawn onto a surface that only counts the calls.
#include <chrono>
#include <cstdio>
#include <limits>

#include "diagram/diagram_drawing.h"
#include "diagram/print_page.h"
#include "tests/counting_surface.h"

namespace {

StationData AbsurdStation() {
    StationData st;
    st.record = MakeStartupRecord();
    for (int i = 1; i <= 12; ++i) {
        st.record.temp_c[i] = i % 2 ? 1e30f : -std::numeric_limits<float>::infinity();
        st.record.precip_mm[i] = i % 3 ? -1e30f : std::numeric_limits<float>::quiet_NaN();
    }
    return st;
}

template <typename Draw>
void Measure(const char* name, int rounds, Draw draw) {
    CountingSurface surface({20, 40});
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i) draw(surface);
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-34s %9.3f ms per drawing, %lld surface calls\n", name, ms / rounds, surface.calls / rounds);
}

}  // namespace

int main() {
    DrawingState state;
    StationData wet = WettestStation();
    StationData absurd = AbsurdStation();
    Measure("window 380x510, wet station", 200,
            [&](DrawSurface& s) { DrawWindowContent(s, state, wet, DrawArea{0, 0, 380, 510}); });
    Measure("page 1920x1080 at scale 6, wet", 10,
            [&](DrawSurface& s) { DrawPrintPage(s, state, wet, 1080, 1920, PageView::diagram, 6); });
    Measure("window 380x510, absurd values", 200,
            [&](DrawSurface& s) { DrawWindowContent(s, state, absurd, DrawArea{0, 0, 380, 510}); });
    Measure("page 1920x1080 at scale 6, absurd", 10,
            [&](DrawSurface& s) { DrawPrintPage(s, state, absurd, 1080, 1920, PageView::diagram, 6); });
    return 0;
}
