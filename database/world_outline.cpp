#include "database/world_outline.h"

#include <cstdio>
#include <cstring>

#include "database/data_files.h"
#include "station/file_io.h"

const char kWorldOutlineFileName[] = "WORLD.DAT";

namespace {

using namespace world_layout;

std::uint32_t U32At(std::string_view bytes, std::size_t at) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::int16_t I16At(std::string_view bytes, std::size_t at) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | p[1] << 8));
}

void PutU32(std::string& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((v >> shift) & 0xFF);
}

void PutI16(std::string& out, std::int16_t v) {
    const auto u = static_cast<std::uint16_t>(v);
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>(u >> 8);
}

OutlineRead Fail(OutlineStatus status, const std::string& what) {
    OutlineRead read;
    read.status = status;
    read.message = std::string(kWorldOutlineFileName) + " " + what;
    return read;
}

// The largest file the limits allow.
constexpr std::uint64_t kMaxFileSize =
    kHeaderSize + 4ull * kMaxOutlineRings + 4ull * kMaxOutlinePoints;

}  // namespace

OutlineRead ParseWorldOutline(std::string_view bytes) {
    if (bytes.size() < kHeaderSize || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
        return Fail(OutlineStatus::malformed, "is not a world outline file.");
    }
    if (U32At(bytes, 4) != kVersion) return Fail(OutlineStatus::malformed, "has a format version this program does not know.");
    const std::uint32_t ring_count = U32At(bytes, 8);
    const std::uint32_t point_count = U32At(bytes, 12);
    if (ring_count == 0 || ring_count > kMaxOutlineRings || point_count > kMaxOutlinePoints) {
        return Fail(OutlineStatus::malformed, "has an impossible number of rings or points.");
    }
    const std::uint64_t expected = kHeaderSize + 4ull * ring_count + 4ull * point_count;
    if (bytes.size() < expected) return Fail(OutlineStatus::malformed, "is cut short.");
    if (bytes.size() > expected) return Fail(OutlineStatus::malformed, "has bytes after its last point.");

    OutlineRead read;
    WorldOutline& outline = read.outline;
    outline.ring_sizes.resize(ring_count);
    std::uint64_t sum = 0;
    for (std::uint32_t i = 0; i < ring_count; ++i) {
        const std::uint32_t size = U32At(bytes, kHeaderSize + 4ull * i);
        if (size < 3) return Fail(OutlineStatus::malformed, "has a ring of fewer than 3 points.");
        outline.ring_sizes[i] = size;
        sum += size;
    }
    if (sum != point_count) return Fail(OutlineStatus::malformed, "has rings that do not add up to its points.");
    outline.points.resize(point_count);
    const std::size_t first_point = kHeaderSize + 4ull * ring_count;
    for (std::uint32_t i = 0; i < point_count; ++i) {
        const OutlinePoint p{I16At(bytes, first_point + 4ull * i), I16At(bytes, first_point + 4ull * i + 2)};
        if (p.lon < -kMaxLongitude || p.lon > kMaxLongitude || p.lat < -kMaxLatitude || p.lat > kMaxLatitude) {
            return Fail(OutlineStatus::malformed, "has a point outside the globe.");
        }
        outline.points[i] = p;
    }
    return read;
}

OutlineRead ReadWorldOutline(const std::string& db_dir) {
    const std::string path = DatabaseFilePath(db_dir, kWorldOutlineFileName);
    const FileOps& ops = CurrentFileOps();
    std::FILE* file = ops.open(path.c_str(), "rb");
    if (!file) return Fail(OutlineStatus::missing, "could not be opened.");
    long length = -1;
    if (ops.seek(file, 0, SEEK_END) == 0) length = ops.tell(file);
    if (length < 0 || ops.seek(file, 0, SEEK_SET) != 0) {
        ops.close(file);
        return Fail(OutlineStatus::unreadable, "could not be read.");
    }
    if (static_cast<std::uint64_t>(length) > kMaxFileSize) {
        ops.close(file);
        return Fail(OutlineStatus::malformed, "is too large to be a world outline file.");
    }
    std::string bytes(static_cast<std::size_t>(length), '\0');
    const std::size_t got = bytes.empty() ? 0 : ops.read(&bytes[0], bytes.size(), file);
    ops.close(file);
    if (got != bytes.size()) return Fail(OutlineStatus::unreadable, "could not be read completely.");
    return ParseWorldOutline(bytes);
}

std::string EncodeWorldOutline(const WorldOutline& outline) {
    std::string out(kMagic, sizeof kMagic);
    PutU32(out, kVersion);
    PutU32(out, static_cast<std::uint32_t>(outline.ring_sizes.size()));
    PutU32(out, static_cast<std::uint32_t>(outline.points.size()));
    for (std::uint32_t size : outline.ring_sizes) PutU32(out, size);
    for (const OutlinePoint& p : outline.points) {
        PutI16(out, p.lon);
        PutI16(out, p.lat);
    }
    return out;
}
