#include "tools/varnok/atlas.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "database/country_table.h"
#include "database/data_text.h"
#include "database/map_stations.h"
#include "database/world_outline.h"
#include "database/station_import.h"
#include "diagram/svg_surface.h"
#include "diagram/world_map.h"
#include "station/climate_class.h"
#include "station/text_encoding.h"
#include "tools/varnok/atlas_page.h"
#include "tools/varnok/commands.h"
#include "tools/varnok/render_svg.h"
#include "tools/varnok/whole_file.h"

namespace {

using namespace db_layout;

constexpr std::size_t kMaxUnwrittenShown = 5;

// A folder or file name that is the same on every system: letters, digits,
// '-' and '_', and none of the device names Windows reserves.
bool UsableName(std::string_view name) {
    if (name.empty() || name.size() > 32) return false;
    for (char c : name) {
        const bool ok = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' ||
                        c == '_';
        if (!ok) return false;
    }
    std::string upper(name);
    for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL") return false;
    const bool numbered_device = upper.size() == 4 && (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0) &&
                                 upper[3] >= '1' && upper[3] <= '9';
    return !numbered_device;
}

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return out;
}

// A station drawn, for the page: texts in Windows-1252 as the record holds them.
struct DrawnStation {
    std::string code;
    std::string country;
    std::string name;
    std::string number;
    std::string climate_class;
    const MapStation* place = nullptr;  // where it lies, when it has a position
};

constexpr int kMapWidth = 1440;
constexpr int kMapHeight = 720;

// Wraps each dot of the map in a link to its station's figure, the name
// and number as its tooltip.
class DotLinks : public MapDotHook {
public:
    DotLinks(SvgSurface& svg, const std::vector<DrawnStation>& stations) : svg_(svg), stations_(stations) {}
    void BeforeDot(std::size_t i) override {
        const DrawnStation& s = stations_[i];
        svg_.WriteMarkup("<a href=\"#" + HtmlEscape(AtlasFigureId(s.code, s.number)) + "\"><title>" +
                         HtmlEscape(Cp1252ToUtf8(s.name) + " " + s.number) + "</title>");
    }
    void AfterDot(std::size_t) override { svg_.WriteMarkup("</a>"); }

private:
    SvgSurface& svg_;
    const std::vector<DrawnStation>& stations_;
};

// The station map of the drawn stations as an inline <svg> element.
std::string AtlasMap(const std::string& db_dir, const std::vector<DrawnStation>& drawn) {
    std::vector<DrawnStation> placed;
    std::vector<GeoPosition> positions;
    std::vector<Colour> colours;
    for (const DrawnStation& s : drawn) {
        if (!s.place) continue;
        placed.push_back(s);
        positions.push_back({s.place->lon, s.place->lat});
        colours.push_back(ClimateClassDotColour(s.place->climate_class));
    }
    const OutlineRead land = ReadWorldOutline(db_dir);
    SvgSurface svg(kMapWidth, kMapHeight, TextMetrics{8, 16}, false);
    DotLinks links(svg, placed);
    MapDrawing map;
    map.area = MapArea{0, 0, kMapWidth, kMapHeight};
    map.land = land.status == OutlineStatus::ok ? &land.outline : nullptr;
    map.stations = &positions;
    map.colours = &colours;
    map.hook = &links;
    DrawWorldMap(svg, map);
    std::string_view document = svg.Finish();
    document.remove_prefix(document.find('\n') + 1);  // the XML declaration: not in HTML
    return std::string(document);
}

std::vector<AtlasCountry> PageCountries(std::vector<DrawnStation> drawn) {
    std::stable_sort(drawn.begin(), drawn.end(), [](const DrawnStation& a, const DrawnStation& b) {
        if (a.country != b.country) return ListBoxLess(a.country, b.country);
        if (a.code != b.code) return a.code < b.code;
        if (a.name != b.name) return ListBoxLess(a.name, b.name);
        return a.number < b.number;
    });
    std::vector<AtlasCountry> countries;
    for (const DrawnStation& s : drawn) {
        if (countries.empty() || countries.back().code != s.code || countries.back().name != Cp1252ToUtf8(s.country)) {
            countries.push_back(AtlasCountry{Cp1252ToUtf8(s.country), s.code, {}});
        }
        countries.back().stations.push_back(
            AtlasStation{Cp1252ToUtf8(s.name), s.number, s.code + "/" + s.number + ".svg", s.climate_class});
    }
    return countries;
}

std::string ClassCode(const StationRecord& record) {
    const auto climate_class = ClassifyClimate(record).climate_class;
    return climate_class ? std::string(ClimateClassCode(*climate_class)) : std::string();
}

AtlasResult Failure(AtlasResult result, UserMessage message) {
    result.ok = false;
    result.message = std::move(message);
    return result;
}

}  // namespace

std::int64_t AtlasResult::Skipped() const {
    std::int64_t n = 0;
    for (std::int64_t s : skipped) n += s;
    return n;
}

AtlasResult MakeAtlas(const AtlasOptions& options, const AtlasProgress& progress) {
    AtlasResult result;
    CountryTable table;
    DataFileStatus status = LoadCountryTable(options.db_dir, table);
    if (status != DataFileStatus::ok) return Failure(result, DataFileProblemMessage(DataFile::country, status));
    const WholeRecords precip = ReadWholeRecords(DataFilePath(options.db_dir, DataFile::precip));
    if (precip.status != DataFileStatus::ok) return Failure(result, DataFileProblemMessage(DataFile::precip, precip.status));
    const WholeRecords temp = ReadWholeRecords(DataFilePath(options.db_dir, DataFile::temp));
    if (temp.status != DataFileStatus::ok) return Failure(result, DataFileProblemMessage(DataFile::temp, temp.status));
    const std::vector<std::int64_t> pairs =
        PairTemperatureRecords(precip.bytes.data(), precip.count, temp.bytes.data(), temp.count);
    MapStations places;
    CollectMapStations(precip.bytes.data(), precip.count, temp.bytes.data(), pairs, places);
    std::vector<const MapStation*> place_of(precip.count, nullptr);
    for (const MapStation& s : places.stations) place_of[s.precip_index] = &s;

    auto skip = [&](AtlasSkip why) { ++result.skipped[static_cast<int>(why)]; };
    std::vector<bool> temp_taken(temp.count, false);
    for (std::int64_t t : pairs) {
        if (t >= 0) temp_taken[static_cast<std::size_t>(t)] = true;
    }
    result.skipped[static_cast<int>(AtlasSkip::no_precipitation)] =
        std::count(temp_taken.begin(), temp_taken.end(), false);

    std::error_code error;
    std::filesystem::create_directories(std::filesystem::u8path(options.out_dir), error);
    if (!std::filesystem::is_directory(std::filesystem::u8path(options.out_dir), error)) {
        return Failure(result, {"The folder " + options.out_dir + " could not be created.", ""});
    }
    RenderOptions render;
    render.view = options.table ? RenderView::table : RenderView::diagram;
    StationData start;
    start.record = MakeStartupRecord();
    SvgSurface surface;
    StationData station;
    std::set<std::string> folders;
    std::set<std::string> files;
    std::vector<DrawnStation> drawn;
    std::string path;
    for (std::size_t i = 0; i < precip.count; ++i) {
        if (progress) progress(static_cast<std::int64_t>(i), static_cast<std::int64_t>(precip.count));
        const char* record = precip.Record(i);
        const std::string_view number = TrimmedColumn(std::string_view(record + kNumberOffset, kNumberWidth));
        const std::string_view code = TrimmedColumn(std::string_view(record + kCodeOffset, kCountryCodeWidth));
        if (pairs[i] < 0) {
            skip(AtlasSkip::no_temperature);
            continue;
        }
        if (!UsableName(number)) {
            skip(AtlasSkip::bad_number);
            continue;
        }
        if (!UsableName(code)) {
            skip(AtlasSkip::bad_country);
            continue;
        }
        if (!files.insert(Lower(code) + "/" + Lower(number)).second) {
            skip(AtlasSkip::same_file);
            continue;
        }
        path.assign(options.out_dir).append("/").append(code);
        if (folders.insert(std::string(code)).second) std::filesystem::create_directories(std::filesystem::u8path(path), error);
        path.append("/").append(number).append(".svg");

        station = start;
        ImportStationRecords(table, std::string_view(record + kNameOffset, kNameWidth), {record, DataFileStatus::ok},
                             {temp.Record(static_cast<std::size_t>(pairs[i])), DataFileStatus::ok}, station);
        if (!WriteWholeFile(path, RenderSvg(render, station, surface))) {
            skip(AtlasSkip::not_written);
            if (result.unwritten.size() < kMaxUnwrittenShown) result.unwritten.push_back(path);
            continue;
        }
        ++result.drawn;
        const StationRecord& r = station.record;
        drawn.push_back(DrawnStation{std::string(code),
                                     std::string(TrimTrailingBlanks(CutAtNul(std::string_view(r.country_name, sizeof r.country_name)))),
                                     std::string(TrimmedColumn(std::string_view(r.station_name, sizeof r.station_name))),
                                     std::string(number), ClassCode(r), place_of[i]});
    }
    if (progress) progress(static_cast<std::int64_t>(precip.count), static_cast<std::int64_t>(precip.count));

    const std::string map = AtlasMap(options.db_dir, drawn);
    const std::vector<AtlasCountry> countries = PageCountries(std::move(drawn));
    result.countries = static_cast<std::int64_t>(countries.size());
    const bool diagram = !options.table;
    const RenderSize picture = WindowSizeForView(render, diagram);
    const AtlasPictureSize size{picture.width, picture.height, options.table};
    const std::string index = options.out_dir + "/index.html";
    if (!WriteWholeFile(index, AtlasPage(countries, size, map))) {
        return Failure(std::move(result), {"The page " + index + " could not be written.", ""});
    }
    return result;
}

std::string AtlasSummary(const AtlasResult& result) {
    static const char* const kWhy[] = {
        "without temperatures", "without precipitation", "without a WMO number usable as a file name",
        "without a country code usable as a folder name", "with a country and WMO number drawn before",
        "not written",
    };
    std::string text = std::to_string(result.drawn) + " stations drawn in " + std::to_string(result.countries) +
                       " countries, " + std::to_string(result.Skipped()) + " skipped";
    const char* separator = ": ";
    for (int i = 0; i < static_cast<int>(AtlasSkip::count_); ++i) {
        if (result.skipped[i] == 0) continue;
        text += separator + std::to_string(result.skipped[i]) + " " + kWhy[i];
        separator = ", ";
    }
    return text;
}
