#include "tools/varnok/whole_file.h"

#include <cstdio>

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    // Unbuffered: fwrite hands the whole text to one write.
    std::setvbuf(f, nullptr, _IONBF, 0);
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return (std::fclose(f) == 0) && ok;
}
