// WORLD.DAT, the land under the station map: the input as the whole file,
// read from bytes and from the database folder as the map reads it.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "database/world_outline.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const OutlineRead parsed = ParseWorldOutline(bytes);
    if (parsed.status == OutlineStatus::ok) {
        // What reads back must write the same bytes again.
        if (EncodeWorldOutline(parsed.outline) != bytes) std::abort();
    } else if (parsed.message.empty() || !parsed.outline.points.empty()) {
        std::abort();
    }
    const std::string folder = FuzzScratchFolder();
    WriteFuzzFile(folder + "/WORLD.DAT", bytes);
    const OutlineRead read = ReadWorldOutline(folder);
    if (read.status != parsed.status) std::abort();
    return 0;
}
