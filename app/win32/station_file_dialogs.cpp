#include "app/win32/station_file_dialogs.h"

#include <vector>

#include "app/win32/text_conversion.h"

namespace {

// Pairs of description and pattern, ended by an empty string.
const wchar_t kStationFileFilter[] =
    L"Climate station data files (*.cli)\0*.cli\0"
    L"All Files (*.*)\0*.*\0";

// Room for a long path (the manifest declares the program long-path aware).
constexpr std::size_t kPathChars = 32768;

}  // namespace

bool AskStationFileName(HWND owner, StationFileDialog kind, std::string& path) {
    std::vector<wchar_t> name(kPathChars, L'\0');
    const std::wstring proposal = WideFromUtf8(path);
    proposal.copy(name.data(), name.size() - 1);

    OPENFILENAMEW request = {};
    // The size of the original structure without the Windows 2000 tail.
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    request.hwndOwner = owner;
    request.lpstrFilter = kStationFileFilter;
    request.nFilterIndex = 0;
    request.lpstrFile = name.data();
    request.nMaxFile = static_cast<DWORD>(name.size());
    BOOL chosen;
    if (kind == StationFileDialog::open) {
        request.lpstrTitle = L"Open climate station from file";
        request.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
        chosen = GetOpenFileNameW(&request);
    } else {
        request.lpstrTitle = L"Save climate station to file";
        request.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
        chosen = GetSaveFileNameW(&request);
    }
    if (!chosen) return false;
    path = Utf8FromWide(name.data());
    return true;
}
