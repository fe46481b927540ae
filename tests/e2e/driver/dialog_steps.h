// Driver steps for the dialogs and the clipboard (see dialog_steps.cpp).
#pragma once

#include <windows.h>

#include <string>

// Runs the step named by argv[1] when it is one of these: returns its exit
// code (0 success, 1 not found or failed, 2 bad arguments), or -1 when the
// step is not one of them.
int RunDialogStep(int argc, char** argv);

// Argument `index` of the driver's command line as given (UTF-16): a path
// or text in any script, which argv's code page would lose (driver.cpp).
std::wstring WideArgument(int index);

// The first visible top-level window whose caption begins with prefix, or
// null (driver.cpp).
HWND FindByCaption(const char* prefix);
