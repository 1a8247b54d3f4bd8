// The window thread's queue while blocking work runs on it: what the player
// types or clicks meanwhile was meant for no question that comes up in the
// middle of the work, and answers none.
#pragma once

#include "core/Handle.h"

#include <windows.h>

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

}  // namespace yorv
