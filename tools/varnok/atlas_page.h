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

// The page for the countries in the order given. `map_svg`, when given, is
// the station map as an inline <svg> element (no XML declaration), shown
// above the list: each dot a link <a href="#s-CODE-NUMBER"> to its
// station's figure, which has that id (AtlasFigureId). A filter that hides
// a figure hides its dot.
std::string AtlasPage(const std::vector<AtlasCountry>& countries, AtlasPictureSize size,
                      std::string_view map_svg = {});

// "s-276-10384": the id of a station's figure, the target of its dot.
std::string AtlasFigureId(std::string_view code, std::string_view number);

// Text for HTML content and quoted attribute values: &, <, >, " and '
// escaped.
std::string HtmlEscape(std::string_view utf8);
