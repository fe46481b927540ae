// The land of a TopoJSON file (Natural Earth as the world-atlas package
// gives it: the `land` object, unprojected longitude and latitude, quantized
// and delta-encoded arcs) as the program's world outline.
#pragma once

#include <string>

#include "database/world_outline.h"

// Every ring of every polygon of the object named `object` ("land"), its
// arcs joined and its positions rounded to hundredths of a degree; points
// that round onto the one before are dropped. The rings are the sphere's:
// one that crosses the date line becomes its pieces on either side of it,
// and one that goes round a pole (Antarctica) is closed along the map's edge
// at the pole. False with a message for a file that is not such TopoJSON.
bool ReadTopoJsonLand(const std::string& json_text, const std::string& object, WorldOutline& out, std::string* error);
