// varnok_dbgen: writes the station database files COUNTRY.DAT, PRECIP.DAT
// and TEMP.DAT, from normals tables or made up for benchmarks.
//
//   varnok_dbgen table NORMALS.csv [MORE.csv ...] -o DIR [--countries iso_3166-1.json]
//   varnok_dbgen synthetic N -o DIR
//   varnok_dbgen outline LAND.json -o DIR
//
// Several tables make one database: one station per WMO number, the tables
// given first winning a tie (see MergeNormalsTables). COUNTRY.DAT lists the
// countries that have a station; with --countries their names come from the
// ISO 3166-1 file (Debian's iso-codes JSON), the common name where there is
// one, otherwise from the tables. What the screen dropped and what was left
// out is reported on standard output. `outline` writes WORLD.DAT, the land
// under the station map, from a TopoJSON file of Natural Earth's land.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/dbgen/database_writer.h"
#include "tools/dbgen/normals_table.h"
#include "tools/dbgen/station_merge.h"
#include "tools/dbgen/synthetic_database.h"
#include "tools/dbgen/iso_countries.h"
#include "tools/dbgen/topojson_land.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: varnok_dbgen table NORMALS.csv [MORE.csv ...] -o DIR [--countries iso_3166-1.json]\n"
                 "       varnok_dbgen synthetic N -o DIR\n"
                 "       varnok_dbgen outline LAND.json -o DIR\n");
    return 2;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "varnok_dbgen: %s\n", message.c_str());
    return 1;
}

void PrintReport(const MergeReport& report) {
    for (const MergeReport::TableCount& t : report.tables) {
        std::printf("%s: %d rows, %d stations used, %d of them with temperature and precipitation\n", t.path.c_str(),
                    t.rows, t.chosen, t.complete);
    }
    for (const std::string& line : report.screened) std::printf("screen: %s\n", line.c_str());
    for (const std::string& line : report.positions) std::printf("position: %s\n", line.c_str());
    for (const std::string& line : report.left_out) std::printf("left out: %s\n", line.c_str());
}

// The ISO names of the countries that have stations; a code the ISO file
// lacks keeps the table's name.
bool NameCountries(const std::string& iso_json, std::vector<CountryRow>& countries, std::string* error) {
    std::vector<CountryRow> iso;
    if (!ReadIsoCountries(iso_json, iso, error)) return false;
    for (CountryRow& used : countries) {
        auto it = std::find_if(iso.begin(), iso.end(), [&](const CountryRow& c) { return c.code == used.code; });
        if (it != iso.end()) {
            used.name = it->name;
        } else {
            std::fprintf(stderr, "varnok_dbgen: code %s (%s) is not in %s; the table's name is kept\n",
                         used.code.c_str(), used.name.c_str(), iso_json.c_str());
        }
    }
    return true;
}

int RunTables(const std::vector<std::string>& csvs, const std::string& dir, const std::string& iso_json) {
    std::string error;
    std::vector<NormalsDatabase> tables(csvs.size());
    for (std::size_t i = 0; i < csvs.size(); ++i) {
        if (!ReadNormalsTable(csvs[i], tables[i], &error)) return Fail(error);
    }
    MergeReport report;
    MergedDatabase merged = MergeNormalsTables(std::move(tables), report);
    if (!iso_json.empty() && !NameCountries(iso_json, merged.countries, &error)) return Fail(error);
    DatabaseWriter writer;
    if (!writer.Open(dir, &error)) return Fail(error);
    for (const CountryRow& c : merged.countries) writer.AddCountry(c);
    for (const StationRow& s : merged.precip) writer.AddPrecip(s);
    for (const StationRow& s : merged.temp) writer.AddTemp(s);
    if (!writer.Close(&error)) return Fail(error);
    PrintReport(report);
    std::printf("%zu countries, %zu precipitation and %zu temperature records, %d stations with both\n",
                merged.countries.size(), merged.precip.size(), merged.temp.size(), merged.complete);
    return 0;
}

int RunSynthetic(const std::string& count_text, const std::string& dir) {
    char* end = nullptr;
    long long count = std::strtoll(count_text.c_str(), &end, 10);
    if (count_text.empty() || *end != '\0' || count < 0 || count > 9000000) return Fail("N must be 0 to 9000000");
    std::string error;
    if (!WriteSyntheticDatabase(dir, count, &error)) return Fail(error);
    std::printf("%d countries, %lld stations\n", kSyntheticCountries, count);
    return 0;
}

int RunOutline(const std::string& json_path, const std::string& dir) {
    std::ifstream in(json_path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) return Fail(json_path + " could not be read");
    WorldOutline outline;
    std::string error;
    if (!ReadTopoJsonLand(text, "land", outline, &error)) return Fail(json_path + ": " + error);
    const std::string path = dir + "/" + kWorldOutlineFileName;
    const std::string bytes = EncodeWorldOutline(outline);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) return Fail(path + " could not be written");
    std::printf("%s: %zu rings, %zu points, %zu bytes\n", path.c_str(), outline.ring_sizes.size(),
                outline.points.size(), bytes.size());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string dir, iso_json;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if ((args[i] == "-o" || args[i] == "--countries") && i + 1 < args.size()) {
            (args[i] == "-o" ? dir : iso_json) = args[i + 1];
            ++i;
        } else {
            positional.push_back(args[i]);
        }
    }
    if (dir.empty() || positional.size() < 2) return Usage();
    if (positional[0] == "table") return RunTables({positional.begin() + 1, positional.end()}, dir, iso_json);
    if (positional[0] == "outline" && iso_json.empty() && positional.size() == 2) {
        return RunOutline(positional[1], dir);
    }
    if (positional[0] == "synthetic" && iso_json.empty() && positional.size() == 2) {
        return RunSynthetic(positional[1], dir);
    }
    return Usage();
}
