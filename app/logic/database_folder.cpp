#include "app/logic/database_folder.h"

#include <filesystem>
#include <system_error>

#include "database/data_files.h"

namespace {

bool HoldsCountryFile(const std::string& folder) {
    std::error_code ec;
    return std::filesystem::exists(DataFilePath(folder, DataFile::country), ec);
}

}  // namespace

std::string FolderOfPath(const std::string& path) {
    std::string::size_type last = path.find_last_of("\\/");
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string ChooseDatabaseFolder(const std::string& executable_path) {
    if (HoldsCountryFile("")) return "";
    std::string folder = FolderOfPath(executable_path);
    if (!folder.empty() && HoldsCountryFile(folder)) return folder;
    return "";
}

std::string StationFileArgument(const std::vector<std::string>& arguments) {
    return arguments.size() == 2 ? arguments[1] : std::string();
}
