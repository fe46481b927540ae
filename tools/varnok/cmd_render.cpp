// varnok render: placeholder until the drawing lands.
#include <cstdio>

#include "tools/varnok/commands.h"

int RunRender(const Args&) {
    std::fprintf(stderr, "varnok: render is not available yet\n");
    return 1;
}
