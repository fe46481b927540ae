#include "tools/dbgen/station_merge.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <tuple>

namespace {

constexpr double kWetMonthMm = 300.0;
constexpr double kTenfoldFactor = 8.0;

struct Candidate {
    std::size_t table;
    const NormalsStation* row;
};

// Complete first, then the later period, then the earlier table.
bool Preferred(const Candidate& a, const Candidate& b) {
    auto key = [](const Candidate& c) {
        return std::make_tuple(c.row->Complete() ? 1 : 0, c.row->LastYear(), c.row->FirstYear(),
                               -static_cast<long>(c.table));
    };
    return key(a) > key(b);
}

std::string Describe(const NormalsStation& s) {
    const StationRow& r = s.has_precip ? s.precip : s.temp;
    return (r.number.empty() ? std::string("(no number)") : r.number) + " " + r.name;
}

void SetPosition(NormalsStation& s, const std::string& latitude, const std::string& longitude) {
    s.precip.latitude = s.temp.latitude = latitude;
    s.precip.longitude = s.temp.longitude = longitude;
}

}  // namespace

std::vector<int> ScreenPrecipitation(const std::array<std::string, 12>& months) {
    double v[12];
    bool has[12];
    for (int m = 0; m < 12; ++m) {
        has[m] = !months[static_cast<std::size_t>(m)].empty();
        v[m] = has[m] ? std::strtod(months[static_cast<std::size_t>(m)].c_str(), nullptr) : 0.0;
    }
    // The nearest month with a value before `from` (step -1) or after it (+1),
    // or -1 when there is none outside the run.
    auto neighbour = [&](int from, int step, int run) {
        for (int k = 1; k <= 12 - run; ++k) {
            int m = ((from + step * k) % 12 + 12) % 12;
            if (has[m]) return m;
        }
        return -1;
    };
    std::vector<int> failing;
    for (int run = 1; run <= 2; ++run) {
        for (int first = 0; first < 12; ++first) {
            int last = (first + run - 1) % 12;
            bool wet = true;
            double low = 0.0;
            for (int k = 0; k < run; ++k) {
                int m = (first + k) % 12;
                wet = wet && has[m] && v[m] > kWetMonthMm;
                low = k == 0 ? v[m] : std::min(low, v[m]);
            }
            if (!wet) continue;
            int before = neighbour(first, -1, run);
            int after = neighbour(last, +1, run);
            if (before < 0 || after < 0) continue;
            if (low > kTenfoldFactor * v[before] && low > kTenfoldFactor * v[after]) {
                for (int k = 0; k < run; ++k) failing.push_back((first + k) % 12 + 1);
            }
        }
    }
    std::sort(failing.begin(), failing.end());
    failing.erase(std::unique(failing.begin(), failing.end()), failing.end());
    return failing;
}

MergedDatabase MergeNormalsTables(std::vector<NormalsDatabase> tables, MergeReport& report) {
    report = MergeReport{};
    // The screen, on every row of every table.
    for (NormalsDatabase& table : tables) {
        for (NormalsStation& s : table.stations) {
            if (!s.has_precip) continue;
            std::vector<int> failing = ScreenPrecipitation(s.precip.months[0]);
            if (failing.empty()) continue;
            std::string line = Describe(s) + " (" + table.path + "): precipitation dropped, months";
            for (int m : failing) line += " " + std::to_string(m) + ":" + s.precip.months[0][static_cast<std::size_t>(m - 1)];
            report.screened.push_back(line);
            s.has_precip = false;
            for (auto& block : s.precip.months) block.fill(std::string());
        }
    }

    // The candidates of each WMO number; a row without one stands alone.
    std::map<std::string, std::vector<Candidate>> by_number;
    std::vector<std::vector<Candidate>> groups;
    for (std::size_t t = 0; t < tables.size(); ++t) {
        report.tables.push_back({tables[t].path, static_cast<int>(tables[t].stations.size()), 0, 0});
        for (const NormalsStation& s : tables[t].stations) {
            if (!s.has_precip && !s.has_temp) continue;
            if (s.precip.name.empty()) {
                report.left_out.push_back(Describe(s) + " (" + tables[t].path + "): no name");
                continue;
            }
            if (s.precip.number.empty()) {
                groups.push_back({{t, &s}});
            } else {
                by_number[s.precip.number].push_back({t, &s});
            }
        }
    }
    for (auto& entry : by_number) groups.push_back(std::move(entry.second));

    MergedDatabase out;
    std::map<std::string, std::string> country_names;
    std::vector<NormalsStation> chosen;
    for (std::vector<Candidate>& group : groups) {
        std::stable_sort(group.begin(), group.end(), Preferred);
        NormalsStation station = *group.front().row;
        const std::string& from = tables[group.front().table].path;
        if (station.precip.latitude.empty() || station.precip.longitude.empty()) {
            const NormalsStation* other = nullptr;
            std::size_t other_table = 0;
            for (std::size_t k = 1; k < group.size() && !other; ++k) {
                const NormalsStation* o = group[k].row;
                if (!o->precip.latitude.empty() && !o->precip.longitude.empty()) {
                    other = o;
                    other_table = group[k].table;
                }
            }
            if (other) {
                SetPosition(station, other->precip.latitude, other->precip.longitude);
                report.positions.push_back(Describe(station) + " (" + from + "): position " + other->precip.latitude +
                                           " " + other->precip.longitude + " from " + tables[other_table].path);
            } else if (station.precip.latitude.empty()) {
                report.left_out.push_back(Describe(station) + " (" + from + "): no latitude in any table");
                continue;
            }
        }
        MergeReport::TableCount& count = report.tables[group.front().table];
        ++count.chosen;
        count.complete += station.Complete() ? 1 : 0;
        chosen.push_back(station);
    }
    std::stable_sort(chosen.begin(), chosen.end(), [](const NormalsStation& a, const NormalsStation& b) {
        return std::tie(a.precip.number, a.precip.name) < std::tie(b.precip.number, b.precip.name);
    });
    for (const NormalsStation& s : chosen) {
        if (s.has_precip) out.precip.push_back(s.precip);
        if (s.has_temp) out.temp.push_back(s.temp);
        out.complete += s.has_precip && s.has_temp ? 1 : 0;
        country_names.emplace(s.precip.country_code, std::string());
    }
    // The country names as the first table in order that has the code writes them.
    for (const NormalsDatabase& table : tables) {
        for (const NormalsStation& s : table.stations) {
            auto it = country_names.find(s.precip.country_code);
            if (it != country_names.end() && it->second.empty()) it->second = s.country_name;
        }
    }
    for (const auto& [code, name] : country_names) out.countries.push_back({code, name});
    return out;
}
