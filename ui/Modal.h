// Modal boxes of the program: while one is up, the program's other windows
// are disabled, and a message loop of its own runs until the box is ended.
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

// How the modal loop passes a message on.
enum class ModalRoute {
    DialogKeys,  // to the box's dialog keys (Tab, Enter, Esc, ...) first
    Dispatch,    // straight to its window
    Drop,        // nowhere
};
using ModalRouter = ModalRoute (*)(HWND box, const MSG& msg);

// Shows `box` as a modal box of the program and runs the message loop until
// the box's handlers set `result` (to anything but zero). Meanwhile every
// other window of the program on screen is disabled, the application window
// included; `route` says where a message goes, by default through the box's
// dialog keys. At the end the others are enabled before the box is hidden,
// so that the activation can return to them, and the window that was active
// before is activated again. An ending application (WM_QUIT) ends the box
// with IDCANCEL and leaves the request for the main loop. Returns `result`.
int RunModal(HWND box, int& result, ModalRouter route = nullptr);

}  // namespace yorv
