// Program start: the application window, then the main window (its
// start-up sequence runs as it is created), the information dialog and the
// working window, the latter two hidden.
#pragma once

#include <windows.h>

#include <string>

namespace yorv {

void CreateProgramWindows(HINSTANCE instance, const std::string& storeKey);

// Shows the main window and runs the message loop until the end.
int RunLauncher(HINSTANCE instance);

}  // namespace yorv
