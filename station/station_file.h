// Station files (*.cli): the 660-byte record image, written and read whole.
#pragma once

#include <string>

#include "station/station_record.h"

enum class StationFileResult {
    ok,
    cannot_open,    // the file could not be opened for reading
    too_short,      // fewer than 660 bytes: the record is left as it was
    cannot_create,  // the file could not be created or truncated
    write_failed,   // short write, disk full, or the close failed
};

// Reads the first 660 bytes of the file over the record. A file shorter
// than a record (an empty one too) is refused and the record stays exactly
// as it was; a longer file gives its first 660 bytes.
StationFileResult ReadStationFile(const std::string& path, StationRecord& record);

// Writes the 660-byte image through a temporary file moved over the
// target, so a failed save leaves the file that was there; any failure is
// reported.
StationFileResult WriteStationFile(const std::string& path, const StationRecord& record);

// What the program's Open command does to the station after a file was
// read: derived values with the stored extremes kept, and the view mode
// that came with the record re-applied (any nonzero diagram_mode is 1).
void FinishOpenedStation(StationData& station);

// A message for the user naming the file, e.g. for an information box.
std::string DescribeStationFileResult(StationFileResult result, const std::string& path);
