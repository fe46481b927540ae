#include "tools/dbgen/topojson_land.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <vector>

namespace {

// Just enough JSON for TopoJSON: objects, arrays, numbers, strings, literals.
struct Json {
    enum Kind { null, number, string, array, object } kind = null;
    double value = 0;
    std::string text;
    std::vector<Json> items;
    std::map<std::string, Json> members;

    const Json* Member(const std::string& key) const {
        auto it = members.find(key);
        return it == members.end() ? nullptr : &it->second;
    }
};

class JsonParser {
public:
    explicit JsonParser(const std::string& text) : s_(text) {}

    bool Parse(Json& out) {
        if (!Value(out, 0)) return false;
        Blank();
        return i_ == s_.size();
    }

private:
    static constexpr int kMaxDepth = 64;

    void Blank() {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\n' || s_[i_] == '\r' || s_[i_] == '\t')) ++i_;
    }

    bool String(std::string& out) {
        if (s_[i_] != '"') return false;
        for (++i_; i_ < s_.size() && s_[i_] != '"'; ++i_) {
            if (s_[i_] == '\\' && ++i_ < s_.size() && s_[i_] == 'u') {
                out += '?';  // names only; the geometry never escapes
                i_ += 4;
                continue;
            }
            if (i_ < s_.size()) out += s_[i_];
        }
        if (i_ >= s_.size()) return false;
        ++i_;
        return true;
    }

    bool Value(Json& out, int depth) {
        Blank();
        if (i_ >= s_.size() || depth > kMaxDepth) return false;
        const char c = s_[i_];
        if (c == '{') {
            out.kind = Json::object;
            ++i_;
            Blank();
            if (i_ < s_.size() && s_[i_] == '}') return ++i_, true;
            for (;;) {
                Blank();
                std::string key;
                if (i_ >= s_.size() || !String(key)) return false;
                Blank();
                if (i_ >= s_.size() || s_[i_++] != ':') return false;
                if (!Value(out.members[key], depth + 1)) return false;
                Blank();
                if (i_ >= s_.size()) return false;
                if (s_[i_] == '}') return ++i_, true;
                if (s_[i_++] != ',') return false;
            }
        }
        if (c == '[') {
            out.kind = Json::array;
            ++i_;
            Blank();
            if (i_ < s_.size() && s_[i_] == ']') return ++i_, true;
            for (;;) {
                out.items.emplace_back();
                if (!Value(out.items.back(), depth + 1)) return false;
                Blank();
                if (i_ >= s_.size()) return false;
                if (s_[i_] == ']') return ++i_, true;
                if (s_[i_++] != ',') return false;
            }
        }
        if (c == '"') {
            out.kind = Json::string;
            return String(out.text);
        }
        for (const char* literal : {"null", "true", "false"}) {
            const std::string word(literal);
            if (s_.compare(i_, word.size(), word) == 0) {
                i_ += word.size();
                return true;
            }
        }
        char* end = nullptr;
        out.kind = Json::number;
        out.value = std::strtod(s_.c_str() + i_, &end);
        if (end == s_.c_str() + i_) return false;
        i_ = static_cast<std::size_t>(end - s_.c_str());
        return true;
    }

    const std::string& s_;
    std::size_t i_ = 0;
};

struct Degrees {
    double lon, lat;
};

bool Fail(std::string* error, const std::string& message) {
    if (error) *error = message;
    return false;
}

// The arcs in degrees: each a running sum of its pairs, then scaled.
bool DecodeArcs(const Json& topology, std::vector<std::vector<Degrees>>& arcs, std::string* error) {
    const Json* transform = topology.Member("transform");
    const Json* list = topology.Member("arcs");
    if (!list || list->kind != Json::array) return Fail(error, "no arcs");
    double scale[2] = {1, 1}, translate[2] = {0, 0};
    const bool quantized = transform != nullptr;
    if (quantized) {
        const Json* s = transform->Member("scale");
        const Json* t = transform->Member("translate");
        if (!s || !t || s->items.size() != 2 || t->items.size() != 2) return Fail(error, "a transform without scale or translate");
        for (int k = 0; k < 2; ++k) {
            scale[k] = s->items[k].value;
            translate[k] = t->items[k].value;
        }
    }
    for (const Json& arc : list->items) {
        std::vector<Degrees> points;
        double x = 0, y = 0;
        for (const Json& pair : arc.items) {
            if (pair.items.size() < 2) return Fail(error, "an arc position without two numbers");
            if (quantized) {
                x += pair.items[0].value;
                y += pair.items[1].value;
                points.push_back({x * scale[0] + translate[0], y * scale[1] + translate[1]});
            } else {
                points.push_back({pair.items[0].value, pair.items[1].value});
            }
        }
        arcs.push_back(std::move(points));
    }
    return true;
}

// A ring's positions from its arc indexes; each arc after the first leaves
// out its first point, the last of the arc before.
bool JoinRing(const Json& ring, const std::vector<std::vector<Degrees>>& arcs, std::vector<Degrees>& out,
              std::string* error) {
    for (const Json& index : ring.items) {
        const long long i = static_cast<long long>(index.value);
        const long long arc = i < 0 ? ~i : i;
        if (index.kind != Json::number || arc >= static_cast<long long>(arcs.size())) {
            return Fail(error, "an arc index out of range");
        }
        std::vector<Degrees> points = arcs[static_cast<std::size_t>(arc)];
        if (i < 0) std::reverse(points.begin(), points.end());
        out.insert(out.end(), points.begin() + (out.empty() || points.empty() ? 0 : 1), points.end());
    }
    return true;
}

std::int16_t Hundredths(double degrees, int limit) {
    const long v = std::lround(degrees * world_layout::kUnitsPerDegree);
    return static_cast<std::int16_t>(std::max<long>(-limit, std::min<long>(limit, v)));
}

// The ring's longitudes made continuous: each step of more than 180 degrees
// is the short way across the date line.
std::vector<Degrees> Unwrapped(const std::vector<Degrees>& ring) {
    std::vector<Degrees> out(ring);
    for (std::size_t i = 1; i < out.size(); ++i) {
        double d = ring[i].lon - ring[i - 1].lon;
        if (d > 180) d -= 360;
        if (d < -180) d += 360;
        out[i].lon = out[i - 1].lon + d;
    }
    return out;
}

// The part of a closed ring on one side of the meridian `lon` (west of it
// when keep_west), Sutherland-Hodgman: where the ring leaves and comes back
// it runs along the meridian, which fills nothing.
std::vector<Degrees> ClipAt(const std::vector<Degrees>& ring, double lon, bool keep_west) {
    std::vector<Degrees> out;
    auto inside = [&](const Degrees& p) { return keep_west ? p.lon <= lon : p.lon >= lon; };
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const Degrees& a = ring[i];
        const Degrees& b = ring[(i + 1) % ring.size()];
        if (inside(a)) out.push_back(a);
        if (inside(a) != inside(b)) {
            const double t = (lon - a.lon) / (b.lon - a.lon);
            out.push_back({lon, a.lat + t * (b.lat - a.lat)});
        }
    }
    return out;
}

void AddPlaneRing(const std::vector<Degrees>& ring, WorldOutline& out) {
    std::vector<OutlinePoint> points;
    for (const Degrees& p : ring) {
        const OutlinePoint q{Hundredths(p.lon, world_layout::kMaxLongitude), Hundredths(p.lat, world_layout::kMaxLatitude)};
        if (!points.empty() && points.back().lon == q.lon && points.back().lat == q.lat) continue;
        points.push_back(q);
    }
    while (points.size() > 1 && points.back().lon == points.front().lon && points.back().lat == points.front().lat) {
        points.pop_back();
    }
    if (points.size() < 3) return;
    out.ring_sizes.push_back(static_cast<std::uint32_t>(points.size()));
    out.points.insert(out.points.end(), points.begin(), points.end());
}

// A ring of the sphere on the flat map. A ring that crosses the date line
// is cut there into its pieces on either side; a ring that goes once round
// a pole (Antarctica's coast) is closed along the map's edge at that pole.
void AddRing(const std::vector<Degrees>& ring, WorldOutline& out) {
    if (ring.size() < 3) return;
    std::vector<Degrees> flat = Unwrapped(ring);
    double step = ring.front().lon - ring.back().lon;  // the closing step
    if (step > 180) step -= 360;
    if (step < -180) step += 360;
    const double turn = flat.front().lon - (flat.back().lon + step);  // 0 or +-360
    if (std::fabs(turn) > 180) {
        double mean = 0;
        for (const Degrees& p : flat) mean += p.lat;
        const double pole = mean < 0 ? -90.0 : 90.0;
        const Degrees last = flat.back();
        const double end = flat.front().lon - turn;
        flat.push_back({end, last.lat + (flat.front().lat - last.lat) * (end - last.lon) / (step == 0 ? 1 : step)});
        flat.push_back({end, pole});
        flat.push_back({flat.front().lon, pole});
    }
    double west = flat.front().lon, east = west;
    for (const Degrees& p : flat) {
        west = std::min(west, p.lon);
        east = std::max(east, p.lon);
    }
    for (int k = -2; k <= 2; ++k) {
        if (east + 360 * k < -180 || west + 360 * k > 180) continue;
        std::vector<Degrees> shifted(flat);
        for (Degrees& p : shifted) p.lon += 360 * k;
        AddPlaneRing(ClipAt(ClipAt(shifted, -180, false), 180, true), out);
    }
}

}  // namespace

bool ReadTopoJsonLand(const std::string& json_text, const std::string& object, WorldOutline& out, std::string* error) {
    Json topology;
    if (!JsonParser(json_text).Parse(topology) || topology.kind != Json::object) return Fail(error, "not a JSON object");
    const Json* objects = topology.Member("objects");
    const Json* land = objects ? objects->Member(object) : nullptr;
    if (!land) return Fail(error, "no object \"" + object + "\"");
    std::vector<std::vector<Degrees>> arcs;
    if (!DecodeArcs(topology, arcs, error)) return false;

    // The polygons: a GeometryCollection of Polygons and MultiPolygons, or one of them.
    std::vector<const Json*> polygons;
    std::vector<const Json*> geometries{land};
    if (const Json* list = land->Member("geometries")) {
        geometries.clear();
        for (const Json& g : list->items) geometries.push_back(&g);
    }
    for (const Json* g : geometries) {
        const Json* type = g->Member("type");
        const Json* rings = g->Member("arcs");
        if (!type || !rings) continue;
        if (type->text == "Polygon") polygons.push_back(rings);
        if (type->text == "MultiPolygon") {
            for (const Json& p : rings->items) polygons.push_back(&p);
        }
    }
    WorldOutline outline;
    for (const Json* polygon : polygons) {
        for (const Json& ring : polygon->items) {
            std::vector<Degrees> points;
            if (!JoinRing(ring, arcs, points, error)) return false;
            AddRing(points, outline);
        }
    }
    if (outline.ring_sizes.empty()) return Fail(error, "no land rings");
    if (outline.ring_sizes.size() > world_layout::kMaxOutlineRings || outline.points.size() > world_layout::kMaxOutlinePoints) {
        return Fail(error, "more rings or points than the outline file holds");
    }
    out = std::move(outline);
    return true;
}
