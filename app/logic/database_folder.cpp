#include "app/logic/database_folder.h"

#include <filesystem>
#include <system_error>

#include "database/data_files.h"

namespace {

bool HoldsDatabase(const std::string& folder) { return CheckDatabaseFiles(folder).ok; }

// The working folder, absolute, with its last separator; "" when the
// system cannot tell it.
std::string WorkingFolder() {
    std::error_code ec;
    std::string folder = std::filesystem::current_path(ec).u8string();
    if (ec || folder.empty()) return std::string();
    char last = folder.back();
    if (last != '/' && last != '\\') folder += static_cast<char>(std::filesystem::path::preferred_separator);
    return folder;
}

}  // namespace

std::string FolderOfPath(const std::string& path) {
    std::string::size_type last = path.find_last_of("\\/");
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string ChooseDatabaseFolder(const std::string& executable_path, bool station_file_given) {
    const std::string program_folder = FolderOfPath(executable_path);
    if (station_file_given && !program_folder.empty()) return program_folder;
    const std::string working = WorkingFolder();
    if (HoldsDatabase(working)) return working;
    if (!program_folder.empty() && HoldsDatabase(program_folder)) return program_folder;
    return working;
}

std::string StationFileArgument(const std::vector<std::string>& arguments) {
    return arguments.size() == 2 ? arguments[1] : std::string();
}

std::string PlaceInFolder(const std::string& name, const std::string& folder) {
    if (folder.empty() || !FolderOfPath(name).empty() || name.find(':') != std::string::npos) return name;
    char last = folder.back();
    return last == '/' || last == '\\' ? folder + name : folder + "\\" + name;
}
