// varnok map [--db DIR] -o OUT.svg [--size WxH]: the station map in its
// start view as SVG, drawn as the map dialog draws it.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "diagram/station_map.h"
#include "diagram/svg_surface.h"
#include "tools/varnok/commands.h"
#include "tools/varnok/whole_file.h"

namespace {

const char kUsage[] = "usage: varnok map [--db DIR] -o OUT.svg [--size WxH]\n";
constexpr int kMaxWidth = 20000;
constexpr int kMaxHeight = 10000;

int Fail(const std::string& message) {
    std::fprintf(stderr, "varnok map: %s\n%s", message.c_str(), kUsage);
    return 1;
}

bool ParseDimension(const std::string& text, int high, int& value) {
    if (text.empty() || text.size() > 5) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    const long v = std::strtol(text.c_str(), nullptr, 10);
    if (v < 1 || v > high) return false;
    value = static_cast<int>(v);
    return true;
}

}  // namespace

int RunMap(const Args& args) {
    std::string db_dir, output;
    int width = 1440, height = 720;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a != "--db" && a != "-o" && a != "--size") return Fail("unknown option " + a);
        if (i + 1 >= args.size()) return Fail(a + " needs a value");
        const std::string& value = args[++i];
        if (a == "--db") {
            db_dir = value;
        } else if (a == "-o") {
            output = value;
        } else {
            const std::size_t x = value.find('x');
            if (x == std::string::npos || !ParseDimension(value.substr(0, x), kMaxWidth, width) ||
                !ParseDimension(value.substr(x + 1), kMaxHeight, height)) {
                return Fail("--size wants WxH, at most 20000x10000");
            }
        }
    }
    if (output.empty()) return Fail("no output file (-o OUT.svg)");
    if (!CheckDatabase(db_dir)) return 1;
    const StationMap map = LoadStationMap(db_dir);
    if (map.stations.status != DataFileStatus::ok) {
        PrintMessage(DataFileProblemMessage(map.stations.failed_file, map.stations.status));
        return 1;
    }
    if (map.land.status != OutlineStatus::ok) {
        std::fprintf(stderr, "varnok map: %s The map shows no land.\n", map.land.message.c_str());
    }
    SvgSurface surface(width, height, TextMetrics{8, 16}, false);
    DrawWorldMap(surface, StationMapDrawing(map, MapArea{0, 0, width, height}, MapView{}));
    if (!WriteWholeFile(output, surface.Finish())) {
        std::fprintf(stderr, "varnok map: could not write %s\n", output.c_str());
        return 1;
    }
    return 0;
}
