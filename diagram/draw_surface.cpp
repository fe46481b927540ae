#include "diagram/draw_surface.h"

PenStyle StandardPenStyle(PenId pen, bool monochrome) {
    switch (pen) {
        case PenId::surface_default:
        case PenId::thin:
            return {kBlack, 1, false};
        case PenId::dotted:
            return {kBlack, 1, true};
        case PenId::thick:
            return {kBlack, 2, false};
        case PenId::precip:
            return {monochrome ? kBlack : kBlue, 1, false};
        case PenId::temp:
            return {monochrome ? kBlack : kRed, 1, false};
    }
    return {kBlack, 1, false};
}
