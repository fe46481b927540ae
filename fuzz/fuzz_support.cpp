#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "fuzz/fuzz_input.h"

// The files a target hands to the program go to memory where the machine
// has it (/dev/shm), so that a busy disk cannot stall an input past the
// time limit; TMPDIR, when set, decides.
std::string FuzzScratchFolder() {
    static std::string folder = [] {
        const char* tmp = std::getenv("TMPDIR");
        const char* base = tmp && *tmp ? tmp : "/tmp";
        if (!(tmp && *tmp) && access("/dev/shm", W_OK | X_OK) == 0) base = "/dev/shm";
        std::string pattern = std::string(base) + "/varnok-fuzz.XXXXXX";
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
