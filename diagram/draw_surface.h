// The drawing surface: the few operations the diagram, the table and the
// printed page draw with. The Win32 shell implements it over a device
// context (window, enhanced metafile, printer), the varnok tool writes SVG,
// and the tests record every call.
//
// Device units, origin top-left, y growing downwards. Texts are
// Windows-1252 bytes (the degree sign is 0xB0).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// A colour in the Win32 COLORREF convention 0x00BBGGRR: blue is 0xFF0000.
using Colour = std::uint32_t;
constexpr Colour kBlack = 0x000000;
constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kBlue = 0xFF0000;
constexpr Colour kRed = 0x0000FF;

// Text alignment: the reference point of a text is its top edge and its
// left edge, right edge or horizontal centre (the Win32 TA_* values).
enum class TextAlign : int { left_top = 0, right_top = 2, center_top = 6 };

// The pens a drawing selects. surface_default is the pen a surface has
// before anything is selected: solid, black, width 1.
enum class PenId : int { surface_default, thin, dotted, thick, precip, temp };

struct PenStyle {
    Colour colour;
    int width;
    bool dotted;
};

// The pens as the program makes them; the two curve pens are black in
// monochrome mode.
PenStyle StandardPenStyle(PenId pen, bool monochrome);

// The text metrics of the selected font.
struct TextMetrics {
    int char_width;   // tmAveCharWidth
    int line_height;  // tmHeight + tmExternalLeading
    int ascent = 0;   // tmAscent: from a text's top edge to its baseline; 0 when not known
};

// A font description, the portable part of a Win32 LOGFONT.
struct FontSpec {
    std::int32_t height = 0;  // negative: character height in device units
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strike_out = 0;
    std::uint8_t char_set = 0;
    std::uint8_t out_precision = 0;
    std::uint8_t clip_precision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitch_and_family = 0;
    char face_name[32] = {};
};

// A point of a batch of pixels.
struct SurfacePoint {
    int x;
    int y;
};

// A line from (x1, y1) up to, not including, (x2, y2).
struct LineSegment {
    int x1;
    int y1;
    int x2;
    int y2;
};

// A device draws a batch of fewer pixels than this pixel by pixel: setting
// up one call for the batch costs more than a few single pixels.
constexpr std::size_t kShortestPixelBatch = 64;

// A horizontal stroke from (x1, y) to (x2, y), x1 <= x2, both ends drawn.
struct HorizontalStroke {
    int x1;
    int x2;
    int y;
};

class DrawSurface {
public:
    virtual ~DrawSurface() = default;

    virtual void MoveTo(int x, int y) = 0;
    // Draws from the current position up to, not including, (x, y), which
    // becomes the current position.
    virtual void LineTo(int x, int y) = 0;
    virtual void SetPixel(int x, int y, Colour colour) = 0;
    // The two batches draw exactly what the calls they stand for draw, in the
    // same order; a device context draws a whole batch in one call, where a
    // call per pixel or per stroke would be a device call each (an area of
    // arid dots is thousands). The surfaces that write or record every call
    // take the calls one by one, as these defaults do.
    // SetPixel (x, y, colour) for each point.
    virtual void SetPixels(const SurfacePoint* points, std::size_t count, Colour colour);
    // MoveTo (x1, y1), LineTo (x2, y2) for each segment, with the current
    // pen: the current position is the last x2, y2.
    virtual void DrawLines(const LineSegment* segments, std::size_t count);
    // For each stroke MoveTo (x1, y), LineTo (x2, y) with the current pen and
    // SetPixel (x2, y, end_colour): the current position is the last x2, y.
    virtual void DrawHorizontalStrokes(const HorizontalStroke* strokes, std::size_t count, Colour end_colour);
    virtual void SelectPen(PenId pen) = 0;
    virtual void SelectNullBrush() = 0;
    // Fills the area of the rings (ring_count rings of ring_sizes[i] points,
    // the points one ring after the other, each ring closed) with `colour`
    // by the even-odd rule, without an outline: a ring inside another is a
    // hole. The pen, brush and current position stay as they were.
    virtual void FillPolygons(const SurfacePoint* points, const std::uint32_t* ring_sizes, std::size_t ring_count,
                              Colour colour) = 0;
    // A disc of centre (x, y): the pixels within `radius` filled with
    // `fill`, its rim one pixel of `outline`. Pen, brush and current
    // position stay as they were.
    virtual void FillDisc(int x, int y, int radius, Colour fill, Colour outline) = 0;

    virtual void SetTextAlign(TextAlign align) = 0;
    virtual void SetTextColour(Colour colour) = 0;
    virtual void TextOut(int x, int y, std::string_view text) = 0;
    // Makes a font from the description and selects it; the surface owns
    // it until the next SelectFont or its own end.
    virtual void SelectFont(const FontSpec& font) = 0;
    virtual TextMetrics MeasureText() = 0;

    // What is drawn from here on, up to the next BeginGroup or the end,
    // forms one named part of the picture ("head", "axes", "temperature",
    // "precipitation", "humid", "arid", "frost", "table"; the map's "land"
    // and "stations"), which a picture
    // file keeps as one group its readers can select and edit. The drawing
    // itself does not change; a surface without groups ignores the call.
    virtual void BeginGroup(std::string_view name);
};

// MoveTo (x1, y1), LineTo (x2, y2) with the current pen. The coordinates
// are the drawing's own (kept inside +-kMaxCoordinate by the geometry), so
// they fit the surface's int.
void Line(DrawSurface& surface, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2);
