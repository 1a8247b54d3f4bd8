// The windows while a YMod is removed.
#pragma once

#include "core/Handle.h"

#include <windows.h>

#include <functional>

namespace yorv {

// While a removal runs, what the player types or clicks answers nothing: it
// was meant for no box that comes up in the middle of the work, such as
// the shell's offer to delete a file for good, whose default is Yes. While
// this lives, the input waiting in this thread's queue is dropped whenever
// a box of the thread's is activated, while the windows are kept painted,
// and once more at the end.
class BusyWindows {
public:
    BusyWindows();
    ~BusyWindows();
    BusyWindows(const BusyWindows&) = delete;
    BusyWindows& operator=(const BusyWindows&) = delete;

    // Runs `work` on a thread of its own and waits for it, painting this
    // thread's windows meanwhile: the shell reads the whole recycle bin in
    // one call, which takes seconds when the bin holds many items. `work`
    // must not throw.
    void RunKeepingPainted(const std::function<void()>& work) const;

private:
    static void DropInput();
    static LRESULT CALLBACK Activating(int code, WPARAM wParam, LPARAM lParam);
    static DWORD WINAPI Run(void* work);
    UniqueHook hook_;
};

}  // namespace yorv
