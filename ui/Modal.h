// Modal boxes of the program: while one is up, the program's other windows
// are disabled, as Windows does for the box's owner alone.
#pragma once

#include <windows.h>

#include <vector>

namespace yorv {

// While it lives, every other visible window of the program but `keep` is
// disabled, as Windows does for a modal box's owner alone. EnableAgain (or
// the end of its life) enables them again; at the end the window that was
// active before is activated again.
class DisabledTaskWindows {
public:
    explicit DisabledTaskWindows(HWND keep);
    ~DisabledTaskWindows();
    DisabledTaskWindows(const DisabledTaskWindows&) = delete;
    DisabledTaskWindows& operator=(const DisabledTaskWindows&) = delete;
    void EnableAgain();

private:
    static BOOL CALLBACK Disable(HWND hwnd, LPARAM self);

    HWND keep_;
    HWND previous_;
    std::vector<HWND> disabled_;
};

}  // namespace yorv
