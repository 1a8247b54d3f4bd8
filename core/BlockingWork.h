// The window thread's queue while blocking work runs on it: what the player
// types or clicks meanwhile was meant for no question that comes up in the
// middle of the work, and answers none.
#pragma once

#include "core/Handle.h"

#include <windows.h>

#include <functional>

namespace yorv {

// Drops the keyboard and mouse input waiting in this thread's queue.
void DiscardQueuedInput();

// While it lives, the input waiting in this thread's queue is dropped the
// moment a box of this thread's is activated, such as the shell's offer to
// delete a file for good, whose default is Yes. Asking the queue before
// every step of the work instead would cost a round trip each.
class InputDroppedBeforeBoxes {
public:
    InputDroppedBeforeBoxes();
    ~InputDroppedBeforeBoxes();
    InputDroppedBeforeBoxes(const InputDroppedBeforeBoxes&) = delete;
    InputDroppedBeforeBoxes& operator=(const InputDroppedBeforeBoxes&) = delete;

    // Whether one is alive and working on this thread.
    static bool ActiveOnThisThread();

private:
    static LRESULT CALLBACK Activating(int code, WPARAM wParam, LPARAM lParam);
    UniqueHook hook_;
};

// Waits until `done` holds, asking it again whenever `change` (which may be
// null) is signalled and at least every 50 ms, for `timeoutMs` at the most.
// Meanwhile this thread's windows are painted, and the player's input is
// dropped. True when `done` held.
bool WaitKeepingPainted(const std::function<bool()>& done, HANDLE change, DWORD timeoutMs);

}  // namespace yorv
