// The subcommands of the varnok tool. Each takes the arguments after its
// name and returns the process exit code; messages go to stderr.
#pragma once

#include <string>
#include <string_view>
#include <vector>

using Args = std::vector<std::string>;

int RunShow(const Args& args);       // cmd_show.cpp
int RunRender(const Args& args);     // cmd_render.cpp
int RunCountries(const Args& args);  // cmd_database.cpp
int RunStations(const Args& args);   // cmd_database.cpp
int RunFind(const Args& args);       // cmd_database.cpp
int RunImport(const Args& args);     // cmd_database.cpp
int RunAtlas(const Args& args);      // cmd_atlas.cpp
int RunClasses(const Args& args);    // cmd_classes.cpp
int RunMap(const Args& args);        // cmd_map.cpp

// Shared by the subcommands.
// Reads a station file as the program's Open command does: the start-up
// record, the file over it, the derived values with the extremes kept.
// On failure prints a message and returns false.
struct StationData;
bool LoadStationForTool(const std::string& path, StationData& station);

// The database helpers of cmd_database.cpp. A message of the core as
// "varnok: TEXT" on stderr.
struct UserMessage;
struct CountryTable;
void PrintMessage(const UserMessage& message);
// The presence check of the three files, as the program runs it at start.
bool CheckDatabase(const std::string& db_dir);
bool LoadCountries(const std::string& db_dir, CountryTable& table);
// The order of a sorted list box, near enough: Windows-1252 letters
// compared without regard to case or accents, then byte for byte.
bool ListBoxLess(std::string_view a, std::string_view b);
