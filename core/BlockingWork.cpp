#include "core/BlockingWork.h"

#include <algorithm>

namespace yorv {

namespace {
// The window thread's: the only thread that makes one.
DWORD hookThread = 0;
int hooksAlive = 0;
}  // namespace

void DiscardQueuedInput()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    while (::PeekMessageA(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
}

InputDroppedBeforeBoxes::InputDroppedBeforeBoxes()
    : hook_(::SetWindowsHookExA(WH_CBT, &Activating, nullptr, ::GetCurrentThreadId()))
{
    if (hook_) {
        hookThread = ::GetCurrentThreadId();
        ++hooksAlive;
    }
}

InputDroppedBeforeBoxes::~InputDroppedBeforeBoxes()
{
    hooksAlive -= hook_ ? 1 : 0;
}

bool InputDroppedBeforeBoxes::ActiveOnThisThread()
{
    return hooksAlive > 0 && hookThread == ::GetCurrentThreadId();
}

LRESULT CALLBACK InputDroppedBeforeBoxes::Activating(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE)
        DiscardQueuedInput();
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

bool WaitKeepingPainted(const std::function<bool()>& done, HANDLE change, DWORD timeoutMs)
{
    const ULONGLONG until = ::GetTickCount64() + timeoutMs;
    const DWORD watched = change && change != INVALID_HANDLE_VALUE ? 1 : 0;
    while (!done()) {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= until)
            return false;
        const DWORD slice = static_cast<DWORD>(std::min<ULONGLONG>(until - now, 50));
        if (::MsgWaitForMultipleObjects(watched, &change, FALSE, slice, QS_PAINT | QS_INPUT | QS_SENDMESSAGE)
                == WAIT_OBJECT_0
            && watched)
            ::FindNextChangeNotification(change);
        // A bounded number: a window that never validates would be painted
        // over and over.
        MSG msg;
        for (int i = 0; i < 64 && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE); ++i)
            ::DispatchMessageA(&msg);
        DiscardQueuedInput();
    }
    return true;
}

}  // namespace yorv
