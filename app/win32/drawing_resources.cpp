#include "app/win32/drawing_resources.h"

#include "app/win32/gdi_objects.h"
#include "resources/resource_ids.h"

namespace {

HPEN MakePen(PenId pen, bool monochrome) {
    PenStyle style = StandardPenStyle(pen, monochrome);
    return CountedCreatePen(style.dotted ? PS_DOT : PS_SOLID, style.width, style.colour);
}

template <typename Handle>
void Delete(Handle& handle) {
    CountedDelete(handle);
    handle = nullptr;
}

}  // namespace

HBRUSH CreateBackgroundBrush(HINSTANCE instance) {
    HBITMAP pattern = CountedLoadBitmap(instance, IDB_BACKGROUND);
    // The brush keeps its own copy of the pattern.
    HBRUSH brush = CountedCreatePatternBrush(pattern);
    CountedDelete(pattern);
    return brush;
}

void CreatePens(ProgramContext& program) {
    bool mono = program.state.drawing.monochrome;
    program.pens.thick = MakePen(PenId::thick, mono);
    program.pens.precip = MakePen(PenId::precip, mono);
    program.pens.temp = MakePen(PenId::temp, mono);
    program.pens.thin = MakePen(PenId::thin, mono);
    program.pens.dotted = MakePen(PenId::dotted, mono);
    const PenStyle dotted = StandardPenStyle(PenId::dotted, mono);
    program.hairline_dotted_pen = CountedCreatePen(PS_DOT, 0, dotted.colour);
}

void RecreateCurvePens(ProgramContext& program, bool monochrome) {
    Delete(program.pens.temp);
    Delete(program.pens.precip);
    program.pens.precip = MakePen(PenId::precip, monochrome);
    program.pens.temp = MakePen(PenId::temp, monochrome);
}

void DeleteDrawingResources(ProgramContext& program) {
    Delete(program.background_brush);
    Delete(program.pens.thick);
    Delete(program.pens.precip);
    Delete(program.pens.thin);
    Delete(program.pens.temp);
    Delete(program.pens.dotted);
    Delete(program.hairline_dotted_pen);
}
