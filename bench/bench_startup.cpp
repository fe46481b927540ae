// CPU cost of one `varnok render` process against /bin/true, the floor of
// any process start on this machine: each command is started N times, one
// after the other, and the CPU time of the finished children (user +
// system, getrusage) is divided by N.
//
//   bench_startup VARNOK STATION.cli [N]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double ChildrenCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

// Runs the command n times; the CPU milliseconds per run, or -1 when a run failed.
double CpuMsPerRun(const std::vector<std::string>& command, int n) {
    std::vector<char*> argv;
    for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    const double before = ChildrenCpuMs();
    for (int i = 0; i < n; ++i) {
        pid_t child = fork();
        if (child < 0) return -1;
        if (child == 0) {
            execv(argv[0], argv.data());
            _exit(127);
        }
        int status = 0;
        if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    }
    return (ChildrenCpuMs() - before) / n;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_startup VARNOK STATION.cli [N]\n");
        return 2;
    }
    const int n = argc > 3 ? std::atoi(argv[3]) : 200;
    if (n <= 0) return 2;
    char out[] = "/tmp/bench_startup_XXXXXX";
    int fd = mkstemp(out);
    if (fd < 0) return 1;
    close(fd);
    const double floor_ms = CpuMsPerRun({"/bin/true"}, n);
    const double render_ms = CpuMsPerRun({argv[1], "render", argv[2], "-o", out}, n);
    unlink(out);
    if (floor_ms < 0 || render_ms < 0) {
        std::fprintf(stderr, "bench_startup: a run failed\n");
        return 1;
    }
    std::printf("/bin/true              %8.3f ms CPU per process\n", floor_ms);
    std::printf("varnok render (1 SVG)  %8.3f ms CPU per process  (%.2f x /bin/true)\n", render_ms,
                floor_ms > 0 ? render_ms / floor_ms : 0.0);
    return 0;
}
