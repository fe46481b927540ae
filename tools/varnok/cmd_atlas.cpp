// varnok atlas [--db DIR] -o OUTDIR [--table]: the climate atlas of the
// whole database, with progress on stderr and a summary line.
#include <cstdio>
#include <string>

#ifdef _WIN32
#include <io.h>
#define VARNOK_ISATTY(f) _isatty(_fileno(f))
#else
#include <unistd.h>
#define VARNOK_ISATTY(f) isatty(fileno(f))
#endif

#include "station/text_encoding.h"
#include "tools/varnok/atlas.h"
#include "tools/varnok/commands.h"

namespace {

const char kUsage[] = "usage: varnok atlas [--db DIR] -o OUTDIR [--table]\n";

int Fail(const std::string& message) {
    std::fprintf(stderr, "varnok atlas: %s\n%s", message.c_str(), kUsage);
    return 1;
}

// A line that updates in place while stderr is a terminal; nothing otherwise.
class ProgressLine {
public:
    ProgressLine() : shown_(VARNOK_ISATTY(stderr) != 0) {}
    void Show(std::int64_t done, std::int64_t total) {
        if (!shown_ || (done % 16 != 0 && done != total)) return;
        std::fprintf(stderr, "\rvarnok atlas: %lld of %lld stations", static_cast<long long>(done),
                     static_cast<long long>(total));
        std::fflush(stderr);
    }
    void Clear() {
        if (shown_) std::fprintf(stderr, "\r%60s\r", "");
    }

private:
    bool shown_;
};

}  // namespace

int RunAtlas(const Args& args) {
    AtlasOptions options;
    bool have_out = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--table") {
            options.table = true;
        } else if (a == "--db" || a == "-o") {
            if (i + 1 >= args.size()) return Fail(a + " needs a value");
            (a == "--db" ? options.db_dir : options.out_dir) = args[++i];
            have_out = have_out || a == "-o";
        } else {
            return Fail("unknown argument " + a);
        }
    }
    if (!have_out || options.out_dir.empty()) return Fail("no output folder (-o OUTDIR)");
    if (!CheckDatabase(options.db_dir)) return 1;

    ProgressLine line;
    AtlasResult result = MakeAtlas(options, [&](std::int64_t done, std::int64_t total) { line.Show(done, total); });
    line.Clear();
    if (!result.ok) PrintMessage(result.message);
    for (const std::string& path : result.unwritten) std::fprintf(stderr, "varnok atlas: could not write %s\n", path.c_str());
    std::printf("varnok atlas: %s\n", AtlasSummary(result).c_str());
    const bool complete = result.ok && result.skipped[static_cast<int>(AtlasSkip::not_written)] == 0;
    return complete ? 0 : 1;
}
