// The subcommands of the varnok tool. Each takes the arguments after its
// name and returns the process exit code; messages go to stderr.
#pragma once

#include <string>
#include <vector>

using Args = std::vector<std::string>;

int RunShow(const Args& args);       // cmd_show.cpp
int RunRender(const Args& args);     // cmd_render.cpp
int RunCountries(const Args& args);  // cmd_database.cpp
int RunStations(const Args& args);   // cmd_database.cpp
int RunFind(const Args& args);       // cmd_database.cpp
int RunImport(const Args& args);     // cmd_database.cpp

// Shared by the subcommands.
// Reads a station file as the program's Open command does: the start-up
// record, the file over it, the derived values with the extremes kept.
// On failure prints a message and returns false.
struct StationData;
bool LoadStationForTool(const std::string& path, StationData& station);
