// Helpers shared by the unit tests: scratch folders and file contents.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "station/station_record.h"

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes out of scope.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
void WriteText(const std::string& path, const std::string& text);
std::vector<std::uint8_t> ReadBytes(const std::string& path);

// The project's source folder, and the shared data folder beside the
// project ("" when it is not there, as in a user's clone).
std::string SourceDir();
std::string SharedDataDir();

// The record's 660-byte image, as a station file holds it.
RecordImage ImageOf(const StationRecord& record);
