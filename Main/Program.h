// Program start: the application window, then the main window (its
// start-up sequence runs as it is created), the information dialog and the
// working window, the latter two hidden.
#pragma once

#include "core/SettingsStore.h"

#include <windows.h>

#include <memory>
#include <string>

namespace yorv {

class TFrmMain;
class TAbout;
class TFrmWork;

// The three windows of the program; they live until this goes.
class ProgramWindows {
public:
    ProgramWindows(HINSTANCE instance, const std::string& storeKey);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

private:
    std::unique_ptr<TFrmMain> main_;
    std::unique_ptr<TAbout> about_;
    std::unique_ptr<TFrmWork> work_;
};

// Shows the main window and runs the message loop until the end.
int RunLauncher(HINSTANCE instance);

}  // namespace yorv
