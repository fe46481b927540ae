#include "tools/dbgen/normals_table.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>

namespace {

using Row = std::vector<std::string>;

class Columns {
public:
    explicit Columns(const Row& header) {
        for (std::size_t i = 0; i < header.size(); ++i) index_[header[i]] = i;
    }
    bool Has(const std::string& name) const { return index_.count(name) != 0; }
    // The cell, or "" for a column the table lacks or a short row.
    std::string Get(const Row& row, const std::string& name) const {
        auto it = index_.find(name);
        return it != index_.end() && it->second < row.size() ? row[it->second] : std::string();
    }

private:
    std::map<std::string, std::size_t> index_;
};

std::string MonthColumn(const char* prefix, int month) {
    char name[32];
    std::snprintf(name, sizeof name, "%s_%02d", prefix, month);
    return name;
}

std::string UpperCase(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

std::int32_t WholeNumber(const std::string& text) {
    if (text.empty()) return 0;
    double v = std::strtod(text.c_str(), nullptr);
    if (!(std::fabs(v) < 2e9)) return 0;
    return static_cast<std::int32_t>(std::lround(v));
}

// Fills one block of `row` from the 12 month columns; true when any is set.
bool FillBlock(const Columns& c, const Row& cells, const char* prefix, std::array<std::string, 12>& block) {
    bool any = false;
    for (int m = 1; m <= 12; ++m) {
        block[static_cast<std::size_t>(m - 1)] = c.Get(cells, MonthColumn(prefix, m));
        any = any || !block[static_cast<std::size_t>(m - 1)].empty();
    }
    return any;
}

bool ReadFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

std::vector<std::vector<std::string>> ParseCsv(const std::string& text) {
    std::vector<Row> rows;
    Row row;
    std::string field;
    bool quoted = false;
    bool row_started = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
            continue;
        }
        row_started = true;
        if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row.push_back(field);
            field.clear();
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            row.push_back(field);
            rows.push_back(row);
            row.clear();
            field.clear();
            row_started = false;
        } else {
            field += c;
        }
    }
    if (row_started) {
        row.push_back(field);
        rows.push_back(row);
    }
    return rows;
}

bool NormalsStation::Complete() const {
    for (int m = 0; m < 12; ++m) {
        if (precip.months[0][static_cast<std::size_t>(m)].empty() || temp.months[0][static_cast<std::size_t>(m)].empty()) {
            return false;
        }
    }
    return true;
}

int NormalsStation::FirstYear() const {
    return std::max(has_precip ? precip.first_year : 0, has_temp ? temp.first_year : 0);
}

int NormalsStation::LastYear() const {
    return std::max(has_precip ? precip.last_year : 0, has_temp ? temp.last_year : 0);
}

bool ReadNormalsTable(const std::string& csv_path, NormalsDatabase& out, std::string* error) {
    out = NormalsDatabase{};
    out.path = csv_path;
    std::string text;
    if (!ReadFile(csv_path, text)) {
        if (error) *error = "cannot read " + csv_path;
        return false;
    }
    std::vector<Row> rows = ParseCsv(text);
    if (rows.empty()) {
        if (error) *error = csv_path + " is empty";
        return false;
    }
    Columns c(rows[0]);
    for (const char* needed : {"wmo_id", "station_name", "country_name", "country_iso_numeric", "lat_deg_min",
                               "lon_deg_min", "elevation_m", "precip_01", "temp_mean_01"}) {
        if (!c.Has(needed)) {
            if (error) *error = csv_path + " has no column " + needed;
            return false;
        }
    }
    bool one_period = c.Has("normal_first_year");
    std::map<std::string, std::string> countries;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const Row& cells = rows[i];
        if (cells.size() == 1 && cells[0].empty()) continue;  // a blank line
        ++out.rows;
        StationRow station;
        station.country_code = c.Get(cells, "country_iso_numeric");
        station.number = c.Get(cells, "wmo_id");
        station.name = UpperCase(c.Get(cells, "station_name"));
        station.latitude = c.Get(cells, "lat_deg_min");
        station.longitude = c.Get(cells, "lon_deg_min");
        station.elevation_m = WholeNumber(c.Get(cells, "elevation_m"));
        countries.emplace(station.country_code, c.Get(cells, "country_name"));

        StationRow precip = station;
        bool has_precip = FillBlock(c, cells, "precip", precip.months[0]);
        FillBlock(c, cells, "precip_min", precip.months[1]);
        FillBlock(c, cells, "precip_max", precip.months[2]);
        precip.first_year = WholeNumber(c.Get(cells, one_period ? "normal_first_year" : "precip_first_year"));
        precip.last_year = WholeNumber(c.Get(cells, one_period ? "normal_last_year" : "precip_last_year"));
        if (has_precip) out.precip.push_back(precip);

        StationRow temp = station;
        bool has_temp = FillBlock(c, cells, "temp_mean", temp.months[0]);
        has_temp = FillBlock(c, cells, "temp_min", temp.months[1]) || has_temp;
        has_temp = FillBlock(c, cells, "temp_max", temp.months[2]) || has_temp;
        temp.first_year = WholeNumber(c.Get(cells, one_period ? "normal_first_year" : "temp_first_year"));
        temp.last_year = WholeNumber(c.Get(cells, one_period ? "normal_last_year" : "temp_last_year"));
        if (has_temp) out.temp.push_back(temp);
        out.stations.push_back({precip, temp, has_precip, has_temp, c.Get(cells, "country_name")});
    }
    for (const auto& [code, name] : countries) out.countries.push_back({code, name});
    return true;
}
