#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_input.h"

std::string FuzzScratchFolder() {
    static std::string folder = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/varnok-fuzz.XXXXXX";
        if (!mkdtemp(&pattern[0])) std::abort();
        return pattern;
    }();
    return folder;
}

void WriteFuzzFile(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) std::abort();
    if (std::fclose(f) != 0) std::abort();
}
