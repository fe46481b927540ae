// The drawing surface: the few operations the diagram, the table and the
// printed page draw with. The Win32 shell implements it over a device
// context (window, enhanced metafile, printer), the varnok tool writes SVG,
// and the tests record every call.
//
// Device units, origin top-left, y growing downwards. Texts are
// Windows-1252 bytes (the degree sign is 0xB0).
#pragma once

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

class DrawSurface {
public:
    virtual ~DrawSurface() = default;

    virtual void MoveTo(int x, int y) = 0;
    // Draws from the current position up to, not including, (x, y), which
    // becomes the current position.
    virtual void LineTo(int x, int y) = 0;
    virtual void SetPixel(int x, int y, Colour colour) = 0;
    virtual void SelectPen(PenId pen) = 0;
    virtual void SelectNullBrush() = 0;

    virtual void SetTextAlign(TextAlign align) = 0;
    virtual void SetTextColour(Colour colour) = 0;
    virtual void TextOut(int x, int y, std::string_view text) = 0;
    // Makes a font from the description and selects it; the surface owns
    // it until the next SelectFont or its own end.
    virtual void SelectFont(const FontSpec& font) = 0;
    virtual TextMetrics MeasureText() = 0;
};

// MoveTo (x1, y1), LineTo (x2, y2) with the current pen. The coordinates
// are the drawing's own (kept inside +-kMaxCoordinate by the geometry), so
// they fit the surface's int.
void Line(DrawSurface& surface, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2);
