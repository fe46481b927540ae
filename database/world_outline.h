// WORLD.DAT, the outline of the land that the station map draws under the
// stations. It ships beside the three data files but is not one of them: a
// database without it shows the stations on a map without land.
//
// Layout, all numbers little-endian:
//
//   offset  size         content
//   0       4            the bytes "VKWO"
//   4       4            uint32 format version, 1
//   8       4            uint32 ring_count, 1 to kMaxOutlineRings
//   12      4            uint32 point_count, at most kMaxOutlinePoints
//   16      4*ring_count uint32 points of each ring, at least 3 each, adding
//                        up to point_count
//   then    4*point_count the points: int16 longitude, int16 latitude, in
//                        hundredths of a degree (east and north positive),
//                        longitude -18000 to 18000, latitude -9000 to 9000
//
// The file ends there: its length is exactly 16 + 4 * ring_count +
// 4 * point_count. A ring is closed (its last point joins its first); land
// is what an odd number of rings surrounds, so a lake is a ring inside a
// continent's ring.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace world_layout {
constexpr char kMagic[4] = {'V', 'K', 'W', 'O'};
constexpr std::uint32_t kVersion = 1;
constexpr std::size_t kHeaderSize = 16;
constexpr std::uint32_t kMaxOutlineRings = 1u << 20;
constexpr std::uint32_t kMaxOutlinePoints = 1u << 22;
constexpr int kUnitsPerDegree = 100;
constexpr int kMaxLongitude = 180 * kUnitsPerDegree;
constexpr int kMaxLatitude = 90 * kUnitsPerDegree;
}  // namespace world_layout

// "WORLD.DAT"
extern const char kWorldOutlineFileName[];

struct OutlinePoint {
    std::int16_t lon;  // hundredths of a degree
    std::int16_t lat;
};

struct WorldOutline {
    std::vector<std::uint32_t> ring_sizes;
    std::vector<OutlinePoint> points;  // the rings one after the other
};

enum class OutlineStatus { ok, missing, unreadable, malformed };

struct OutlineRead {
    OutlineStatus status = OutlineStatus::ok;
    std::string message;  // empty for ok: what is wrong with the file, naming it
    WorldOutline outline;  // empty unless ok
};

// Checks and converts a whole file's bytes; any byte string gives either an
// outline within the limits above or a message.
OutlineRead ParseWorldOutline(std::string_view bytes);
// The file in the database folder ("" the working directory), found by name
// whatever its case; a file longer than the largest valid one is refused
// before it is read.
OutlineRead ReadWorldOutline(const std::string& db_dir);

// The bytes of a file of that outline (the generator writes them); the
// outline must be within the limits.
std::string EncodeWorldOutline(const WorldOutline& outline);
