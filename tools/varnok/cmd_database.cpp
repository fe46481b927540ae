// varnok countries, stations, find, import: placeholders until the
// database reader lands.
#include <cstdio>

#include "tools/varnok/commands.h"

namespace {
int NotYet() {
    std::fprintf(stderr, "varnok: the database commands are not available yet\n");
    return 1;
}
}  // namespace

int RunCountries(const Args&) { return NotYet(); }
int RunStations(const Args&) { return NotYet(); }
int RunFind(const Args&) { return NotYet(); }
int RunImport(const Args&) { return NotYet(); }
