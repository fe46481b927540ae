#include "station/station_file.h"

#include "station/file_io.h"

StationFileResult ReadStationFile(const std::string& path, StationRecord& record) {
    const FileOps& ops = CurrentFileOps();
    std::FILE* file = ops.open(path.c_str(), "rb");
    if (!file) return StationFileResult::cannot_open;
    RecordImage image;
    std::size_t got = ops.read(image.data(), image.size(), file);
    ops.close(file);
    if (got < image.size()) return StationFileResult::too_short;
    DeserializeRecord(image, record);
    return StationFileResult::ok;
}

StationFileResult WriteStationFile(const std::string& path, const StationRecord& record) {
    RecordImage image;
    SerializeRecord(record, image);
    switch (SaveBytesReplacing(path, image.data(), image.size())) {
        case SaveStatus::ok:
            return StationFileResult::ok;
        case SaveStatus::cannot_create:
            return StationFileResult::cannot_create;
        case SaveStatus::write_failed:
            break;
    }
    return StationFileResult::write_failed;
}

void FinishOpenedStation(StationData& station) {
    UpdateDerivedValues(station, MonthExtremes::keep);
    station.record.diagram_mode = station.record.diagram_mode != 0 ? 1 : 0;
}

std::string DescribeStationFileResult(StationFileResult result, const std::string& path) {
    switch (result) {
        case StationFileResult::ok:
            return {};
        case StationFileResult::cannot_open:
            return "The station file " + path + " could not be opened.";
        case StationFileResult::too_short:
            return "The station file " + path +
                   " is shorter than a station record (660 bytes); the station was not changed.";
        case StationFileResult::cannot_create:
            return "The station file " + path + " could not be created.";
        case StationFileResult::write_failed:
            return "The station file " + path + " could not be written completely.";
    }
    return {};
}
