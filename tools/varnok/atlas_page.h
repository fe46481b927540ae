// The index page of a climate atlas: one self-contained HTML file (no
// external scripts, fonts or requests; it opens from disk) that lists the
// countries and their stations with the diagrams as images, and a search
// field that filters them by station name, country or WMO number as the
// user types, or by a climate class code typed exactly. A legend lists the
// climate classes present with their colour, name and count; a click on one
// shows only its stations. index.html?q=TEXT&class=BWh opens with those
// filters.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Texts in UTF-8, as they are to be shown; the page escapes them.
struct AtlasStation {
    std::string name;
    std::string number;  // the WMO number
    std::string picture;  // the SVG's path relative to the page: "276/10384.svg"
    std::string climate_class;  // the class code, "" for none
};

struct AtlasCountry {
    std::string name;
    std::string code;
    std::vector<AtlasStation> stations;  // in the order shown
};

struct AtlasPictureSize {
    int width;
    int height;
    bool table;  // data tables rather than climate diagrams
};

// The page for the countries in the order given.
std::string AtlasPage(const std::vector<AtlasCountry>& countries, AtlasPictureSize size);

// Text for HTML content and quoted attribute values: &, <, >, " and '
// escaped.
std::string HtmlEscape(std::string_view utf8);
