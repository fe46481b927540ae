// The normals table of the database generator: the input as the CSV file
// the generator reads, and as text for its CSV splitter.
#include <cstdint>
#include <string>

#if __has_include("tools/dbgen/normals_table.h")
#include "tools/dbgen/normals_table.h"
#else
#include "database/normals_table.h"
#endif
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    ParseCsv(text);
    const std::string path = FuzzScratchFolder() + "/normals.csv";
    WriteFuzzFile(path, text);
    NormalsDatabase table;
    std::string error;
    ReadNormalsTable(path, table, &error);
    return 0;
}
