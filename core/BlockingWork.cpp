#include "core/BlockingWork.h"

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
    hookThread = ::GetCurrentThreadId();
    hooksAlive += hook_ ? 1 : 0;
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

}  // namespace yorv
