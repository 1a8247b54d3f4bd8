// The windows while a YMod is removed.
#pragma once

#include "core/Handle.h"
#include "ui/Modal.h"

#include <windows.h>

#include <functional>
#include <optional>

namespace yorv {

// A removal holds the program from the moment the working window is shown
// until the list is filled again, and nothing may talk over it. While this
// lives:
// - the working window is up and the program's other windows are disabled,
//   until CloseWorkingWindow;
// - every box shown, the program's or the shell's, comes above the working
//   window, which stays on top of all others;
// - input of every kind is dropped whenever a box is activated, while the
//   windows are kept painted, and once more at the end: what the player
//   typed or clicked was meant for no box that comes up in the middle of
//   the work, such as the shell's offer to delete a file for good, whose
//   default is Yes;
// - the main window refuses to close and any second command, and the
//   session is asked not to end, with a reason the system can show.
class BusyWindows {
public:
    BusyWindows();
    ~BusyWindows();
    BusyWindows(const BusyWindows&) = delete;
    BusyWindows& operator=(const BusyWindows&) = delete;

    // Whether a removal holds the program.
    static bool Running() { return running_; }

    // Runs `work` on a thread of its own and waits for it, painting this
    // thread's windows meanwhile: the shell reads the whole recycle bin in
    // one call, which takes seconds when the bin holds many items. `work`
    // must not throw.
    void RunKeepingPainted(const std::function<void()>& work) const;

    // Hides the working window and enables the others again, before the
    // box that tells the outcome.
    void CloseWorkingWindow();

private:
    static void DropInput();
    static LRESULT CALLBACK Activating(int code, WPARAM wParam, LPARAM lParam);
    static DWORD WINAPI Run(void* work);

    static inline bool running_ = false;
    UniqueHook hook_;
    std::optional<DisabledTaskWindows> others_;
};

}  // namespace yorv
