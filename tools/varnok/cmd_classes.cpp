// varnok classes [--db DIR]: the climate class of every station, one line
// each in PRECIP.DAT order.
#include <cstdio>
#include <string>

#include "tools/varnok/climate_classes.h"
#include "tools/varnok/commands.h"

int RunClasses(const Args& args) {
    std::string db;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--db" || i + 1 >= args.size()) {
            std::fprintf(stderr, "usage: varnok classes [--db DIR]\n");
            return 1;
        }
        db = args[++i];
    }
    if (!CheckDatabase(db)) return 1;
    const DatabaseClasses classes = ClassifyDatabase(db);
    if (!classes.ok) {
        PrintMessage(classes.message);
        return 1;
    }
    bool written = true;
    for (const std::string& lines : classes.lines) {
        written = written && std::fwrite(lines.data(), 1, lines.size(), stdout) == lines.size();
    }
    return written && std::fflush(stdout) == 0 ? 0 : 1;
}
