// The climate atlas: every station of the database that has both a
// PRECIP.DAT and a TEMP.DAT record, imported as the program imports it and
// drawn as SVG to OUTDIR/<country code>/<WMO number>.svg, with an index
// page OUTDIR/index.html.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "database/data_files.h"

struct AtlasOptions {
    std::string db_dir;  // "" is the working directory
    std::string out_dir;
    bool table = false;  // data tables rather than climate diagrams
};

// Why a station was not drawn, in the order the summary names them.
enum class AtlasSkip {
    no_temperature,    // a PRECIP.DAT record without its TEMP.DAT record
    no_precipitation,  // a TEMP.DAT record that no PRECIP.DAT record takes
    bad_number,        // no WMO number that can name a file
    bad_country,       // no country code that can name a folder
    same_file,         // the same country and WMO number as a station drawn before
    not_written,       // the file could not be written
    count_
};

struct AtlasResult {
    // Not ok: the database could not be read or the page not written; the
    // message says which, and the counts hold what was done before.
    bool ok = true;
    UserMessage message;
    std::int64_t drawn = 0;
    std::int64_t countries = 0;
    std::int64_t skipped[static_cast<int>(AtlasSkip::count_)] = {};
    std::vector<std::string> unwritten;  // the first few files that could not be written
    std::int64_t Skipped() const;
};

// Called after each PRECIP.DAT record with the number done and the total.
using AtlasProgress = std::function<void(std::int64_t done, std::int64_t total)>;

AtlasResult MakeAtlas(const AtlasOptions& options, const AtlasProgress& progress);

// "208 stations drawn in 102 countries, 33 skipped: 9 without temperatures,
// 24 without precipitation".
std::string AtlasSummary(const AtlasResult& result);
