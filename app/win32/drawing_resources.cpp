#include "app/win32/drawing_resources.h"

#include "resources/resource_ids.h"

namespace {

HPEN MakePen(PenId pen, bool monochrome) {
    PenStyle style = StandardPenStyle(pen, monochrome);
    return CreatePen(style.dotted ? PS_DOT : PS_SOLID, style.width, style.colour);
}

template <typename Handle>
void Delete(Handle& handle) {
    if (handle) DeleteObject(handle);
    handle = nullptr;
}

}  // namespace

HBRUSH CreateBackgroundBrush(HINSTANCE instance) {
    HBITMAP pattern = LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_BACKGROUND));
    // The brush keeps its own copy of the pattern.
    HBRUSH brush = CreatePatternBrush(pattern);
    if (pattern) DeleteObject(pattern);
    return brush;
}

void CreatePens(ShellContext& shell) {
    bool mono = shell.state.drawing.monochrome;
    shell.pens.thick = MakePen(PenId::thick, mono);
    shell.pens.precip = MakePen(PenId::precip, mono);
    shell.pens.temp = MakePen(PenId::temp, mono);
    shell.pens.thin = MakePen(PenId::thin, mono);
    shell.pens.dotted = MakePen(PenId::dotted, mono);
}

void RecreateCurvePens(ShellContext& shell, bool monochrome) {
    Delete(shell.pens.temp);
    Delete(shell.pens.precip);
    shell.pens.precip = MakePen(PenId::precip, monochrome);
    shell.pens.temp = MakePen(PenId::temp, monochrome);
}

void DeleteDrawingResources(ShellContext& shell) {
    Delete(shell.background_brush);
    Delete(shell.pens.thick);
    Delete(shell.pens.precip);
    Delete(shell.pens.thin);
    Delete(shell.pens.temp);
    Delete(shell.pens.dotted);
}
