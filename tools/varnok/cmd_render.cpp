// varnok render FILE.cli -o OUT.svg [options]: the diagram, the table or
// the printed page of a station file as SVG.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "diagram/svg_surface.h"
#include "station/station_file.h"
#include "tools/varnok/commands.h"
#include "tools/varnok/render_svg.h"
#include "tools/varnok/whole_file.h"

namespace {

const char kUsage[] =
    "usage: varnok render FILE.cli -o OUT.svg [--size WxH] [--axis-offset N] [--mono]\n"
    "                     [--month-labels] [--climate-class] [--hide-station]\n"
    "                     [--diagram|--table] [--print S]\n"
    "                     [--char-width N] [--line-height N]\n";

constexpr int kMaxSize = 20000;

// A whole decimal number in low..high, nothing else.
bool ParseInt(const std::string& text, int low, int high, int& value) {
    if (text.empty() || text.size() > 9) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    long v = std::strtol(text.c_str(), nullptr, 10);
    if (v < low || v > high) return false;
    value = static_cast<int>(v);
    return true;
}

bool ParseSize(const std::string& text, RenderOptions& o) {
    std::size_t x = text.find('x');
    if (x == std::string::npos) return false;
    return ParseInt(text.substr(0, x), 1, kMaxSize, o.width) && ParseInt(text.substr(x + 1), 1, kMaxSize, o.height);
}

struct Command {
    std::string input;
    std::string output;
    RenderOptions options;
};

bool Fail(const std::string& message) {
    std::fprintf(stderr, "varnok render: %s\n%s", message.c_str(), kUsage);
    return false;
}

// Options that take a value; returns false with a message when it is bad.
bool ParseValueOption(const std::string& name, const std::string& value, Command& c) {
    RenderOptions& o = c.options;
    if (name == "-o") {
        c.output = value;
        return !value.empty() || Fail("-o needs a file name");
    }
    if (name == "--size") return ParseSize(value, o) ? (o.size_given = true) : Fail("--size wants WxH, 1 to 20000 each");
    if (name == "--axis-offset") {
        if (!ParseInt(value, 50, kMaxSize, o.axis_offset) || o.axis_offset % 25 != 0)
            return Fail("--axis-offset wants a multiple of 25, at least 50");
        return true;
    }
    if (name == "--print") return ParseInt(value, 1, 6, o.print_scale) || Fail("--print wants a scale of 1 to 6");
    if (name == "--char-width") return ParseInt(value, 1, 1000, o.char_width) || Fail("--char-width wants 1 to 1000");
    if (name == "--line-height") return ParseInt(value, 1, 1000, o.line_height) || Fail("--line-height wants 1 to 1000");
    return Fail("unknown option " + name);
}

bool ParseArgs(const Args& args, Command& c) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--mono") {
            c.options.monochrome = true;
        } else if (a == "--month-labels") {
            c.options.month_labels = true;
        } else if (a == "--climate-class") {
            c.options.climate_class = true;
        } else if (a == "--hide-station") {
            c.options.hide_station = true;
        } else if (a == "--diagram" || a == "--table") {
            c.options.view = a == "--diagram" ? RenderView::diagram : RenderView::table;
        } else if (a == "-o" || a == "--size" || a == "--axis-offset" || a == "--print" || a == "--char-width" ||
                   a == "--line-height") {
            if (i + 1 >= args.size()) return Fail(a + " needs a value");
            if (!ParseValueOption(a, args[++i], c)) return false;
        } else if (!a.empty() && a[0] == '-') {
            return Fail("unknown option " + a);
        } else if (c.input.empty()) {
            c.input = a;
        } else {
            return Fail("more than one station file");
        }
    }
    if (c.input.empty()) return Fail("no station file");
    if (c.output.empty()) return Fail("no output file (-o OUT.svg)");
    return true;
}

}  // namespace

int RunRender(const Args& args) {
    Command c;
    if (!ParseArgs(args, c)) return 1;
    StationData station;
    if (!LoadStationForTool(c.input, station)) return 1;
    // The document is written from the surface's own buffer, not copied first.
    SvgSurface surface;
    if (!WriteWholeFile(c.output, RenderSvg(c.options, station, surface))) {
        std::fprintf(stderr, "varnok render: could not write %s\n", c.output.c_str());
        return 1;
    }
    return 0;
}
