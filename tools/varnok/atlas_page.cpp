#include "tools/varnok/atlas_page.h"

#include <cstdio>
#include <string>

#include "station/climate_class.h"

namespace {

// Filters as the user types: a station is shown when every word typed is
// part of its name, country or WMO number, ignoring case and accents, or
// is its climate class code as written ("BWh"). A click on a class of the
// legend shows only that class (a second click shows all again). The query
// and the class are kept in the address (?q=, &class=) so a filtered page
// can be shared.
const char kScript[] = R"js(<script>
(function () {
  var field = document.getElementById("q");
  var count = document.getElementById("count");
  var figures = Array.prototype.slice.call(document.querySelectorAll("figure"));
  var sections = Array.prototype.slice.call(document.querySelectorAll("section"));
  function fold(text) {
    return text.normalize("NFD").replace(/[\u0300-\u036f]/g, "").toLowerCase();
  }
  var keys = figures.map(function (f) { return fold(f.getAttribute("data-search")); });
  var classes = figures.map(function (f) { return f.getAttribute("data-class") || ""; });
  var legend = Array.prototype.slice.call(document.querySelectorAll("#legend button"));
  var params = new URLSearchParams(window.location.search);
  var chosen = params.get("class") || "";
  function apply() {
    var typed = field.value.split(/\s+/).filter(function (w) { return w.length > 0; });
    var words = typed.map(fold);
    var shown = 0;
    figures.forEach(function (f, i) {
      var match = (chosen === "" || classes[i] === chosen) && words.every(function (w, k) {
        return keys[i].indexOf(w) >= 0 || classes[i] === typed[k];
      });
      f.hidden = !match;
      if (match) shown++;
    });
    legend.forEach(function (b) {
      b.setAttribute("aria-pressed", b.getAttribute("data-class") === chosen ? "true" : "false");
    });
    sections.forEach(function (s) {
      s.hidden = s.querySelector("figure:not([hidden])") === null;
      var link = document.getElementById("to-" + s.id);
      if (link) link.hidden = s.hidden;
    });
    count.textContent = shown === figures.length ? figures.length + " stations"
                                                 : shown + " of " + figures.length + " stations";
  }
  var given = params.get("q");
  if (given !== null) field.value = given;
  function remember() {
    var address = field.value ? "?q=" + encodeURIComponent(field.value) : "";
    if (chosen) address += (address ? "&" : "?") + "class=" + encodeURIComponent(chosen);
    try {
      history.replaceState(null, "", address || window.location.pathname);
    } catch (e) {}
  }
  field.addEventListener("input", function () { apply(); remember(); });
  legend.forEach(function (b) {
    b.addEventListener("click", function () {
      var c = b.getAttribute("data-class");
      chosen = chosen === c ? "" : c;
      apply();
      remember();
    });
  });
  apply();
  // The map's dots follow their figures: whatever filter hides a figure
  // (the text field, the class filter) hides its dot.
  var dots = Array.prototype.slice.call(document.querySelectorAll("#map a[href^='#s-']"));
  var dotFigures = dots.map(function (a) { return document.getElementById(a.getAttribute("href").slice(1)); });
  function syncDots() {
    dots.forEach(function (a, i) {
      var hide = !dotFigures[i] || dotFigures[i].hidden;
      if (hide) { a.setAttribute("display", "none"); } else { a.removeAttribute("display"); }
    });
  }
  syncDots();
  if ("MutationObserver" in window) {
    new MutationObserver(syncDots).observe(document.querySelector("main"),
                                           {attributes: true, attributeFilter: ["hidden"], subtree: true});
  }
  // A diagram is loaded when it comes near the window, so that a page of
  // thousands of stations opens at once in every browser.
  var images = Array.prototype.slice.call(document.querySelectorAll("img[data-src]"));
  function load(img) { img.src = img.getAttribute("data-src"); img.removeAttribute("data-src"); }
  if ("IntersectionObserver" in window) {
    var watcher = new IntersectionObserver(function (entries) {
      entries.forEach(function (e) {
        if (e.isIntersecting) { load(e.target); watcher.unobserve(e.target); }
      });
    }, {rootMargin: "600px"});
    images.forEach(function (img) { watcher.observe(img); });
  } else {
    images.forEach(load);
  }
})();
</script>
)js";

const char kStyle[] = R"css(<style>
[hidden] { display: none !important; }
body { font-family: Arial, Helvetica, sans-serif; margin: 0 1.5em 2em; color: #222; }
header { position: sticky; top: 0; background: #fff; padding: 0.8em 0; border-bottom: 1px solid #ccc; z-index: 1; }
h1 { font-size: 1.4em; margin: 0 0 0.4em; }
#q { font-size: 1.1em; width: 24em; max-width: 70vw; padding: 0.25em 0.4em; }
#count { margin-left: 0.8em; color: #555; }
nav { margin: 0.8em 0; line-height: 1.6; }
nav a { margin-right: 0.9em; white-space: nowrap; }
h2 { font-size: 1.2em; margin: 1.2em 0 0.4em; }
.stations { display: flex; flex-wrap: wrap; gap: 12px; }
figure { margin: 0; border: 1px solid #ddd; }
figure img { display: block; max-width: 100%; height: auto; }
figcaption { padding: 0.3em 0.5em; font-size: 0.9em; }
.wmo { color: #666; }
.kg { font-weight: bold; margin-left: 0.3em; }
#legend { display: flex; flex-wrap: wrap; gap: 4px 6px; margin: 0.8em 0; }
#legend button { font: inherit; font-size: 0.85em; background: #fff; border: 1px solid #bbb; border-radius: 3px;
                 padding: 0.15em 0.45em; cursor: pointer; display: inline-flex; align-items: center; gap: 0.35em; }
#legend button[aria-pressed="true"] { border-color: #222; background: #eef; }
.swatch { display: inline-block; width: 0.9em; height: 0.9em; border: 1px solid #888; }
.n { color: #555; }
#map { margin-top: 0.8em; }
#map svg { display: block; width: 100%; max-width: 1440px; height: auto; border: 0; }
#map a circle:hover { stroke: #000; stroke-width: 2; }
figure:target { outline: 3px solid #c60; }
</style>
)css";

}  // namespace

std::string HtmlEscape(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            default: out += c;
        }
    }
    return out;
}

namespace {

// One button per class present, in the order of the classification (A to
// E), with the map colour, the code, the name and the number of stations.
std::string ClassLegend(const std::vector<AtlasCountry>& countries) {
    std::size_t count[kClimateClassCount] = {};
    for (const AtlasCountry& c : countries) {
        for (const AtlasStation& s : c.stations) {
            if (const auto climate_class = ClimateClassFromCode(s.climate_class)) ++count[static_cast<int>(*climate_class)];
        }
    }
    std::string out = "<div id=\"legend\" aria-label=\"K\xC3\xB6ppen\xE2\x80\x93Geiger climate classes\">\n";
    for (int i = 0; i < kClimateClassCount; ++i) {
        if (count[i] == 0) continue;
        const auto climate_class = static_cast<ClimateClass>(i);
        const std::string code(ClimateClassCode(climate_class));
        const ClassColour colour = ClimateClassColour(climate_class);
        char rgb[8];
        std::snprintf(rgb, sizeof rgb, "#%02x%02x%02x", colour.r, colour.g, colour.b);
        out += "<button type=\"button\" data-class=\"" + code + "\" aria-pressed=\"false\"><span class=\"swatch\" style=\"background:";
        out += rgb;
        out += "\"></span><b>" + code + "</b> " + HtmlEscape(ClimateClassName(climate_class)) + " <span class=\"n\">" +
               std::to_string(count[i]) + "</span></button>\n";
    }
    return out + "</div>\n";
}

}  // namespace

std::string AtlasFigureId(std::string_view code, std::string_view number) {
    return "s-" + std::string(code) + "-" + std::string(number);
}

std::string AtlasPage(const std::vector<AtlasCountry>& countries, AtlasPictureSize size, std::string_view map_svg) {
    std::size_t station_count = 0;
    for (const AtlasCountry& c : countries) station_count += c.stations.size();
    const std::string kind = size.table ? "Data table" : "Climate diagram";
    const std::string width = std::to_string(size.width);
    const std::string height = std::to_string(size.height);

    std::string out;
    out.reserve(4096 + map_svg.size() + station_count * 400);
    out += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
           "<title>Climate atlas</title>\n";
    out += kStyle;
    out += "</head>\n<body>\n<header>\n<h1>Climate atlas: ";
    out += std::to_string(station_count) + " stations in " + std::to_string(countries.size()) + " countries</h1>\n";
    out += "<input id=\"q\" type=\"search\" placeholder=\"Station, country, WMO number or climate class\" "
           "aria-label=\"Filter by station, country, WMO number or climate class\" autocomplete=\"off\" autofocus>"
           "<span id=\"count\"></span>\n</header>\n";
    if (!map_svg.empty()) {
        out += "<div id=\"map\">\n";
        out += map_svg;
        out += "</div>\n";
    }
    out += "<nav>\n";
    for (const AtlasCountry& c : countries) {
        out += "<a id=\"to-c" + HtmlEscape(c.code) + "\" href=\"#c" + HtmlEscape(c.code) + "\">";
        out += HtmlEscape(c.name);
        out += "</a>\n";
    }
    out += "</nav>\n";
    out += ClassLegend(countries);
    out += "<main>\n";
    for (const AtlasCountry& c : countries) {
        out += "<section id=\"c" + HtmlEscape(c.code) + "\">\n<h2>";
        out += HtmlEscape(c.name);
        out += "</h2>\n<div class=\"stations\">\n";
        for (const AtlasStation& s : c.stations) {
            out += "<figure id=\"" + HtmlEscape(AtlasFigureId(c.code, s.number)) + "\" data-search=\"";
            out += HtmlEscape(s.name + " " + c.name + " " + s.number);
            out += "\" data-class=\"" + HtmlEscape(s.climate_class);
            out += "\"><a href=\"" + HtmlEscape(s.picture) + "\"><img data-src=\"" + HtmlEscape(s.picture) +
                   "\" width=\"" + width + "\" height=\"" + height + "\" alt=\"" + kind + " of ";
            out += HtmlEscape(s.name + ", " + c.name);
            out += "\"></a><figcaption>";
            out += HtmlEscape(s.name);
            out += " <span class=\"wmo\">";
            out += HtmlEscape(s.number);
            out += "</span>";
            if (!s.climate_class.empty()) out += " <span class=\"kg\">" + HtmlEscape(s.climate_class) + "</span>";
            out += "</figcaption></figure>\n";
        }
        out += "</div>\n</section>\n";
    }
    out += "</main>\n";
    out += kScript;
    out += "</body>\n</html>\n";
    return out;
}
