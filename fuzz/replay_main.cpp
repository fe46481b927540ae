// Replays fuzz inputs without libFuzzer: every file named, or every file in
// the folders named, goes through the target once. With --max-ms N an input
// slower than N milliseconds fails the run. A crash or sanitizer report ends
// the run as it would end the fuzzer. Times are the process's CPU time, so
// a busy machine does not make an input look slow.
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    double max_ms = 0;
    std::vector<std::filesystem::path> inputs;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--max-ms" && i + 1 < argc) {
            max_ms = std::atof(argv[++i]);
            continue;
        }
        std::filesystem::path path(arg);
        if (std::filesystem::is_directory(path)) {
            for (const auto& entry : std::filesystem::directory_iterator(path))
                if (entry.is_regular_file()) inputs.push_back(entry.path());
        } else {
            inputs.push_back(path);
        }
    }
    int slow = 0;
    double slowest = 0;
    for (const auto& path : inputs) {
        std::ifstream in(path, std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::clock_t start = std::clock();
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        double ms = 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
        if (ms > slowest) slowest = ms;
        if (max_ms > 0 && ms > max_ms) {
            std::printf("SLOW: %s took %.1f ms (limit %.0f ms)\n", path.string().c_str(), ms, max_ms);
            ++slow;
        }
    }
    std::printf("%zu inputs replayed, slowest %.1f ms of CPU time\n", inputs.size(), slowest);
    return slow == 0 ? 0 : 1;
}
