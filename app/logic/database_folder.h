// Where the program finds its station database at start-up, which station
// file it was asked to open on its command line, and where the start names
// of the file dialogs lie.
#pragma once

#include <string>
#include <vector>

// The folder part of a path, with its last separator ('\\' or '/'):
// "C:\\Program Files\\Varnok 32\\Varnok32.exe" gives
// "C:\\Program Files\\Varnok 32\\"; a bare file name gives "".
std::string FolderOfPath(const std::string& path);

// The database folder, as an absolute path with its last separator, so
// that a file dialog that changes the working folder does not move it.
// A folder counts only when it holds COUNTRY.DAT, PRECIP.DAT and TEMP.DAT
// (in any case of their names).
// - Started with a station file (a double-click): the executable's folder,
//   never the working folder, which is the station file's (a Downloads
//   folder may hold a planted COUNTRY.DAT).
// - Otherwise the working folder, then the executable's folder.
// When none counts: the working folder (with a station file: the
// executable's), and the start-up check reports its missing file.
std::string ChooseDatabaseFolder(const std::string& executable_path, bool station_file_given = false);

// The station file given on the command line: the one argument after the
// program's name, or "" when there is none or more than one.
std::string StationFileArgument(const std::vector<std::string>& arguments);

// A start name of a file dialog ("Own station.cli") placed in `folder`
// (the user's Documents); a name that has a folder, or an empty folder,
// leaves the name as it is.
std::string PlaceInFolder(const std::string& name, const std::string& folder);
