// Time of one whole drawing: the window content of a very wet station, the
// printed page of a full-screen window at scale 6, and a record of absurd
// values, each drawn onto a surface that only counts the calls.
#include <chrono>
#include <cstdio>
#include <limits>

#include "diagram/diagram_drawing.h"
#include "diagram/print_page.h"

namespace {

class CountingSurface : public DrawSurface {
public:
    void MoveTo(int, int) override { ++calls; }
    void LineTo(int, int) override { ++calls; }
    void SetPixel(int, int, Colour) override { ++calls; }
    void SelectPen(PenId) override { ++calls; }
    void SelectNullBrush() override { ++calls; }
    void SetTextAlign(TextAlign) override { ++calls; }
    void SetTextColour(Colour) override { ++calls; }
    void TextOut(int, int, std::string_view) override { ++calls; }
    void SelectFont(const FontSpec&) override { ++calls; }
    TextMetrics MeasureText() override { return {20, 40}; }
    long long calls = 0;
};

StationData WetStation() {
    StationData st;
    st.record = MakeStartupRecord();
    const float temps[12] = {11.3f, 13.1f, 16.5f, 18.3f, 19.6f, 20.2f, 20.4f, 20.9f, 20.4f, 19.4f, 16.5f, 13.0f};
    const float precips[12] = {15, 43, 249, 603, 1000, 2604, 2936, 1749, 1048, 435, 49, 23};
    for (int i = 1; i <= 12; ++i) {
        st.record.temp_c[i] = temps[i - 1];
        st.record.precip_mm[i] = precips[i - 1];
    }
    return st;
}

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
    CountingSurface surface;
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i) draw(surface);
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-34s %9.3f ms per drawing, %lld surface calls\n", name, ms / rounds, surface.calls / rounds);
}

}  // namespace

int main() {
    DrawingState state;
    StationData wet = WetStation();
    StationData absurd = AbsurdStation();
    Measure("window 380x510, wet station", 200,
            [&](DrawSurface& s) { DrawWindowContent(s, state, wet, DrawArea{0, 0, 380, 510}); });
    state.print_scale = 6;
    Measure("page 1920x1080 at scale 6, wet", 10,
            [&](DrawSurface& s) { DrawPrintPage(s, state, wet, 1080, 1920, PageView::diagram); });
    Measure("window 380x510, absurd values", 200,
            [&](DrawSurface& s) { DrawWindowContent(s, state, absurd, DrawArea{0, 0, 380, 510}); });
    Measure("page 1920x1080 at scale 6, absurd", 10,
            [&](DrawSurface& s) { DrawPrintPage(s, state, absurd, 1080, 1920, PageView::diagram); });
    return 0;
}
