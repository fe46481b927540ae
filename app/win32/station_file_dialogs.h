// The common file dialogs of the station file commands.
#pragma once

#include "app/win32/win32_api.h"

#include <string>

enum class StationFileDialog { open, save };

// Shows the open or save dialog owned by `owner`, proposing `path` (UTF-8,
// as long as a long path). On OK the chosen full path replaces `path` and
// the result is true. The working directory is left as it was.
bool AskStationFileName(HWND owner, StationFileDialog kind, std::string& path);
