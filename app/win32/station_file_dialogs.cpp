#include "app/win32/station_file_dialogs.h"


#include <cstring>

namespace {

// Pairs of description and pattern, ended by an empty string.
const char kStationFileFilter[] =
    "Climate station data files (*.cli)\0*.cli\0"
    "All Files (*.*)\0*.*\0";

}  // namespace

bool AskStationFileName(HWND owner, StationFileDialog kind, std::string& path) {
    char name[512] = {};
    std::strncpy(name, path.c_str(), sizeof name - 1);

    OPENFILENAMEA request;
    std::memset(&request, 0, sizeof request);
    // The size of the original structure without the Windows 2000 tail.
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    request.hwndOwner = owner;
    request.lpstrFilter = kStationFileFilter;
    request.nFilterIndex = 0;
    request.lpstrFile = name;
    request.nMaxFile = sizeof name;
    BOOL chosen;
    if (kind == StationFileDialog::open) {
        request.lpstrTitle = "Open climate station from file";
        request.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
        chosen = GetOpenFileNameA(&request);
    } else {
        request.lpstrTitle = "Save climate station to file";
        request.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
        chosen = GetSaveFileNameA(&request);
    }
    if (!chosen) return false;
    path = name;
    return true;
}
