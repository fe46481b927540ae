#include "tools/varnok/atlas_page.h"

#include <string>

namespace {

// Filters as the user types: a station is shown when every word typed is
// part of its name, country or WMO number, ignoring case and accents. The
// query is kept in the address (?q=) so a filtered page can be shared.
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
  function apply() {
    var words = fold(field.value).split(/\s+/).filter(function (w) { return w.length > 0; });
    var shown = 0;
    figures.forEach(function (f, i) {
      var match = words.every(function (w) { return keys[i].indexOf(w) >= 0; });
      f.hidden = !match;
      if (match) shown++;
    });
    sections.forEach(function (s) {
      s.hidden = s.querySelector("figure:not([hidden])") === null;
      var link = document.getElementById("to-" + s.id);
      if (link) link.hidden = s.hidden;
    });
    count.textContent = shown === figures.length ? figures.length + " stations"
                                                 : shown + " of " + figures.length + " stations";
  }
  var given = new URLSearchParams(window.location.search).get("q");
  if (given !== null) field.value = given;
  field.addEventListener("input", function () {
    apply();
    try {
      history.replaceState(null, "", field.value ? "?q=" + encodeURIComponent(field.value) : window.location.pathname);
    } catch (e) {}
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
    out += "<input id=\"q\" type=\"search\" placeholder=\"Station, country or WMO number\" "
           "aria-label=\"Filter by station, country or WMO number\" autocomplete=\"off\" autofocus>"
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
    out += "</nav>\n<main>\n";
    for (const AtlasCountry& c : countries) {
        out += "<section id=\"c" + HtmlEscape(c.code) + "\">\n<h2>";
        out += HtmlEscape(c.name);
        out += "</h2>\n<div class=\"stations\">\n";
        for (const AtlasStation& s : c.stations) {
            out += "<figure id=\"" + HtmlEscape(AtlasFigureId(c.code, s.number)) + "\" data-search=\"";
            out += HtmlEscape(s.name + " " + c.name + " " + s.number);
            out += "\"><a href=\"" + HtmlEscape(s.picture) + "\"><img data-src=\"" + HtmlEscape(s.picture) +
                   "\" width=\"" + width + "\" height=\"" + height + "\" alt=\"" + kind + " of ";
            out += HtmlEscape(s.name + ", " + c.name);
            out += "\"></a><figcaption>";
            out += HtmlEscape(s.name);
            out += " <span class=\"wmo\">";
            out += HtmlEscape(s.number);
            out += "</span></figcaption></figure>\n";
        }
        out += "</div>\n</section>\n";
    }
    out += "</main>\n";
    out += kScript;
    out += "</body>\n</html>\n";
    return out;
}
