// `varnok classes` against a plain read of PRECIP.DAT and TEMP.DAT.
//
//   bench_classes [DIR] [REPEATS] [VARNOK]   (DIR: the shipped database;
//                                             VARNOK: build/native/varnok)
//
// Each the best of REPEATS runs, taken in turns. As processes, the goal:
// `varnok classes --db DIR` against `cat` of the two files, both writing
// to /dev/null (at most 1.3 times), with the files in the page cache and
// with the files dropped from it before each run (a fifth of the runs). In this
// process, for where the time goes: the two files read in 1 MiB pieces,
// and the classes of every station (COUNTRY.DAT read, both files mapped,
// records paired, means parsed, classified, the output lines made, on two
// threads).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "bench/plain_read.h"
#include "tools/varnok/climate_classes.h"

extern char** environ;

namespace {

template <typename Run>
double Seconds(const Run& run) {
    auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}


// Runs the program with stdout on /dev/null and waits for it.
bool RunProcess(const std::vector<std::string>& argv) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    const int error = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return error == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Asks the system to drop the files' pages from its cache (they are
// clean, so it can).
void DropFromCache(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        const int fd = open(path.c_str(), O_RDONLY);
        if (fd < 0) continue;
        posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        close(fd);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : std::string(VARNOK_SOURCE_DIR) + "/data/database";
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 100;
    const std::string varnok = argc > 3 ? argv[3] : std::string(VARNOK_BINARY_DIR) + "/varnok";
    const std::vector<std::string> files = {dir + "/COUNTRY.DAT", dir + "/PRECIP.DAT", dir + "/TEMP.DAT"};
    bool ran = true;
    // Warm: the files in the page cache. Cold: the files dropped from it
    // before each run, read from the disk as on a first run.
    for (bool cold : {false, true}) {
        double cat = 1e30, command = 1e30;
        for (int i = 0; i < (cold ? std::max(repeats / 5, 3) : repeats); ++i) {
            if (cold) DropFromCache(files);
            cat = std::min(cat, Seconds([&] { ran &= RunProcess({"cat", files[1], files[2]}); }));
            if (cold) DropFromCache(files);
            command = std::min(command, Seconds([&] { ran &= RunProcess({varnok, "classes", "--db", dir}); }));
        }
        if (!ran) {
            std::fprintf(stderr, "bench_classes: cat or %s failed\n", varnok.c_str());
            return 1;
        }
        const char* cache = cold ? "cold" : "warm";
        std::printf("%s: cat PRECIP.DAT TEMP.DAT > /dev/null:  %.3f ms\n", cache, cat * 1e3);
        std::printf("%s: varnok classes > /dev/null:           %.3f ms  ratio %.2f (goal <= 1.30)\n", cache,
                    command * 1e3, command / cat);
    }
    double plain = 1e30, classes = 1e30;
    std::size_t lines = 0, bytes = 0;
    for (int i = 0; i < repeats; ++i) {
        plain = std::min(plain, Seconds([&] {
            bytes = static_cast<std::size_t>(PlainRead(dir + "/PRECIP.DAT") + PlainRead(dir + "/TEMP.DAT"));
        }));
        classes = std::min(classes, Seconds([&] {
            const DatabaseClasses result = ClassifyDatabase(dir);
            lines = result.stations.size();
        }));
    }
    std::printf("in this process: the two files read (%zu bytes): %.3f ms\n", bytes, plain * 1e3);
    std::printf("in this process: ClassifyDatabase and the lines (%zu stations): %.3f ms, %.2f times\n", lines,
                classes * 1e3, classes / plain);
    return 0;
}
