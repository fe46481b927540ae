#include "tools/dbgen/synthetic_database.h"

#include <cmath>
#include <cstdio>

#include "tools/dbgen/database_writer.h"

namespace {

// splitmix64: a well-mixed sequence from any seed.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [low, high).
    double Uniform(double low, double high) {
        return low + (high - low) * static_cast<double>(Next() >> 11) / 9007199254740992.0;
    }

private:
    std::uint64_t state_;
};

std::string Format(const char* format, double v) {
    char text[32];
    std::snprintf(text, sizeof text, format, v);
    return text;
}

// Signed degrees.minutes text of a position in degrees.
std::string DegreesMinutes(double degrees) {
    int whole_minutes = static_cast<int>(std::lround(std::fabs(degrees) * 60.0));
    char text[16];
    std::snprintf(text, sizeof text, "%s%d.%02d", degrees < 0 && whole_minutes > 0 ? "-" : "", whole_minutes / 60,
                  whole_minutes % 60);
    return text;
}

void MakeStation(std::int64_t i, StationRow& precip, StationRow& temp) {
    Random random(static_cast<std::uint64_t>(i) * 7919u + 17u);
    StationRow s;
    s.country_code = SyntheticCountryCode(SyntheticStationCountry(i));
    s.number = std::to_string(SyntheticStationNumber(i));
    s.name = SyntheticStationName(i);
    double latitude = random.Uniform(-55.0, 75.0);
    s.latitude = DegreesMinutes(latitude);
    s.longitude = DegreesMinutes(random.Uniform(-180.0, 180.0));
    s.elevation_m = static_cast<std::int32_t>(random.Uniform(0.0, 1.0) * random.Uniform(0.0, 3500.0));
    s.first_year = 1931 + 10 * static_cast<std::int32_t>(random.Uniform(0.0, 7.0));
    s.last_year = s.first_year + 29;
    precip = temp = s;

    const double pi = 3.14159265358979;
    double base = 28.0 - 0.42 * std::fabs(latitude) - 0.0065 * s.elevation_m;
    double amplitude = 0.35 * std::fabs(latitude) + random.Uniform(0.0, 3.0);
    double spread = random.Uniform(3.0, 8.0);
    double wetness = random.Uniform(2.0, 250.0);
    double rain_season = random.Uniform(0.0, 2.0 * pi);
    for (int m = 0; m < 12; ++m) {
        double phase = 2.0 * pi * (m + 0.5) / 12.0;
        double mean = base - (latitude >= 0 ? 1.0 : -1.0) * amplitude * std::cos(phase);
        temp.months[0][m] = Format("%.1f", mean);
        temp.months[1][m] = Format("%.1f", mean - spread);
        temp.months[2][m] = Format("%.1f", mean + spread);
        double rain = wetness * (1.0 + 0.8 * std::cos(phase - rain_season)) * random.Uniform(0.7, 1.3);
        precip.months[0][m] = Format("%.0f", rain);
        precip.months[1][m] = Format("%.0f", rain * random.Uniform(0.0, 0.5));
        precip.months[2][m] = Format("%.0f", rain * random.Uniform(1.5, 3.5));
    }
}

}  // namespace

std::string SyntheticCountryCode(int country) { return std::to_string(100 + country % kSyntheticCountries); }

std::string SyntheticCountryName(int country) {
    char name[32];
    std::snprintf(name, sizeof name, "SYNTHETIA %03d", country % kSyntheticCountries);
    return name;
}

std::string SyntheticStationName(std::int64_t station) {
    char name[32];
    std::snprintf(name, sizeof name, "STATION %07lld", static_cast<long long>(station));
    return name;
}

std::int32_t SyntheticStationNumber(std::int64_t station) { return static_cast<std::int32_t>(100000 + station); }

int SyntheticStationCountry(std::int64_t station) {
    Random random(static_cast<std::uint64_t>(station) ^ 0xC0FFEEull);
    return static_cast<int>(random.Next() % kSyntheticCountries);
}

bool WriteSyntheticDatabase(const std::string& dir, std::int64_t stations, std::string* error) {
    DatabaseWriter writer;
    if (!writer.Open(dir, error)) return false;
    for (int k = 0; k < kSyntheticCountries; ++k) writer.AddCountry({SyntheticCountryCode(k), SyntheticCountryName(k)});
    StationRow precip, temp;
    for (std::int64_t i = 0; i < stations; ++i) {
        MakeStation(i, precip, temp);
        writer.AddPrecip(precip);
        writer.AddTemp(temp);
    }
    return writer.Close(error);
}
