// varnok_dbgen: writes the station database files COUNTRY.DAT, PRECIP.DAT
// and TEMP.DAT, from a normals table or made up for benchmarks.
//
//   varnok_dbgen table NORMALS.csv -o DIR [--countries iso_3166-1.json]
//   varnok_dbgen synthetic N -o DIR
//
// With --countries, COUNTRY.DAT lists every country of the ISO 3166-1 file
// (Debian's iso-codes JSON), the numeric code as the 3-character code and
// the common name where there is one; otherwise it lists the countries of
// the table.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tools/dbgen/database_writer.h"
#include "tools/dbgen/normals_table.h"
#include "tools/dbgen/synthetic_database.h"
#include "tools/dbgen/iso_countries.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: varnok_dbgen table NORMALS.csv -o DIR [--countries iso_3166-1.json]\n"
                 "       varnok_dbgen synthetic N -o DIR\n");
    return 2;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "varnok_dbgen: %s\n", message.c_str());
    return 1;
}

int RunTable(const std::string& csv, const std::string& dir, const std::string& iso_json) {
    std::string error;
    NormalsDatabase table;
    if (!ReadNormalsTable(csv, table, &error)) return Fail(error);
    std::vector<CountryRow> countries = table.countries;
    if (!iso_json.empty()) {
        if (!ReadIsoCountries(iso_json, countries, &error)) return Fail(error);
        for (const CountryRow& used : table.countries) {
            bool known = false;
            for (const CountryRow& c : countries) known = known || c.code == used.code;
            if (!known) {
                std::fprintf(stderr, "varnok_dbgen: code %s (%s) is not in %s; added\n", used.code.c_str(),
                             used.name.c_str(), iso_json.c_str());
                countries.push_back(used);
            }
        }
    }
    DatabaseWriter writer;
    if (!writer.Open(dir, &error)) return Fail(error);
    for (const CountryRow& c : countries) writer.AddCountry(c);
    for (const StationRow& s : table.precip) writer.AddPrecip(s);
    for (const StationRow& s : table.temp) writer.AddTemp(s);
    if (!writer.Close(&error)) return Fail(error);
    std::printf("%zu countries, %zu precipitation and %zu temperature records from %d stations\n",
                countries.size(), table.precip.size(), table.temp.size(), table.rows);
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
    if (dir.empty() || positional.size() != 2) return Usage();
    if (positional[0] == "table") return RunTable(positional[1], dir, iso_json);
    if (positional[0] == "synthetic" && iso_json.empty()) return RunSynthetic(positional[1], dir);
    return Usage();
}
