// Where the program finds its station database at start-up, and which
// station file it was asked to open on its command line.
#pragma once

#include <string>
#include <vector>

// The folder part of a path, with its last separator ('\\' or '/'):
// "C:\\Program Files\\Varnok 32\\Varnok32.exe" gives
// "C:\\Program Files\\Varnok 32\\"; a bare file name gives "".
std::string FolderOfPath(const std::string& path);

// The database folder: the working folder ("") when it holds COUNTRY.DAT
// (in any case of its name); otherwise the executable's folder when that
// one does, so that a station file double-clicked in another folder starts
// the program with the database beside it; otherwise the working folder
// again, and the start-up check reports the missing file as always.
std::string ChooseDatabaseFolder(const std::string& executable_path);

// The station file given on the command line: the one argument after the
// program's name, or "" when there is none or more than one.
std::string StationFileArgument(const std::vector<std::string>& arguments);
