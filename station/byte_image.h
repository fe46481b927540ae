// Little-endian 32-bit fields in a byte image. Floats travel as their raw
// bits, so NaN payloads and negative zeros survive a round trip.
#pragma once

#include <cstdint>
#include <cstring>

inline std::uint32_t GetUint32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline void PutUint32(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}

inline std::int32_t GetInt32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(GetUint32(p));
}

inline void PutInt32(std::uint8_t* p, std::int32_t v) { PutUint32(p, static_cast<std::uint32_t>(v)); }

inline float GetFloat32(const std::uint8_t* p) {
    std::uint32_t bits = GetUint32(p);
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

inline void PutFloat32(std::uint8_t* p, float v) {
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    PutUint32(p, bits);
}
