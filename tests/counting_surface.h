// A drawing surface that only counts its calls, and the wettest station
// there is (Cherrapunji): the measure of a drawing's cost for the tests and
// the drawing benchmark.
#pragma once

#include "diagram/draw_surface.h"
#include "station/station_record.h"

class CountingSurface : public DrawSurface {
public:
    explicit CountingSurface(TextMetrics metrics = {8, 16}) : metrics_(metrics) {}
    // metafile: as GdiSurface records into an enhanced metafile, where every
    // batch of pixels is a polyline record (readers drop single pixels).
    CountingSurface(TextMetrics metrics, bool metafile) : metrics_(metrics), metafile_(metafile) {}
    void MoveTo(int, int) override { ++calls; }
    void LineTo(int, int) override { ++calls; }
    void SetPixel(int, int, Colour) override { ++calls; }
    // A batch is one device call, a short batch of pixels a call a pixel
    // (as GdiSurface draws them).
    void SetPixels(const SurfacePoint*, std::size_t count, Colour) override {
        calls += count < kShortestPixelBatch && !metafile_ ? static_cast<long long>(count) : 1;
    }
    void DrawHorizontalStrokes(const HorizontalStroke*, std::size_t, Colour) override { ++calls; }
    void DrawLines(const LineSegment*, std::size_t) override { ++calls; }
    void SelectPen(PenId) override { ++calls; }
    void SelectNullBrush() override { ++calls; }
    void FillPolygons(const SurfacePoint*, const std::uint32_t*, std::size_t, Colour) override { ++calls; }
    void FillDisc(int, int, int, Colour, Colour) override { ++calls; }
    void SetTextAlign(TextAlign) override { ++calls; }
    void SetTextColour(Colour) override { ++calls; }
    void TextOut(int, int, std::string_view) override { ++calls; }
    void SelectFont(const FontSpec&) override { ++calls; }
    TextMetrics MeasureText() override { return metrics_; }
    long long calls = 0;

private:
    TextMetrics metrics_;
    bool metafile_ = false;
};

inline StationData WettestStation() {
    StationData st;
    st.record = MakeStartupRecord();
    const float temps[12] = {11.3f, 13.1f, 16.5f, 18.3f, 19.6f, 20.2f, 20.4f, 20.9f, 20.4f, 19.4f, 16.5f, 13.0f};
    const float precips[12] = {15, 43, 249, 603, 1000, 2604, 2936, 1749, 1048, 435, 49, 23};
    for (int i = 1; i <= 12; ++i) {
        st.record.temp_c[i] = temps[i - 1];
        st.record.precip_mm[i] = precips[i - 1];
    }
    UpdateDerivedValues(st, MonthExtremes::keep);
    return st;
}
