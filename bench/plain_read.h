// The floor of the database benchmarks: a plain sequential read of a file.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Reads the whole file in 1 MiB pieces; returns the byte count (-1: it
// cannot be opened).
inline long long PlainRead(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return -1;
    std::vector<char> buffer(1 << 20);
    long long total = 0;
    for (std::size_t got; (got = std::fread(buffer.data(), 1, buffer.size(), f)) > 0;) total += static_cast<long long>(got);
    std::fclose(f);
    return total;
}
