#include "ui/Modal.h"

namespace yorv {

DisabledTaskWindows::DisabledTaskWindows(HWND keep) : keep_(keep), previous_(::GetActiveWindow())
{
    ::EnumThreadWindows(::GetCurrentThreadId(), Disable, reinterpret_cast<LPARAM>(this));
}

BOOL CALLBACK DisabledTaskWindows::Disable(HWND hwnd, LPARAM self)
{
    auto* state = reinterpret_cast<DisabledTaskWindows*>(self);
    if (hwnd != state->keep_ && ::IsWindowVisible(hwnd) && ::IsWindowEnabled(hwnd)) {
        ::EnableWindow(hwnd, FALSE);
        state->disabled_.push_back(hwnd);
    }
    return TRUE;
}

void DisabledTaskWindows::EnableAgain()
{
    for (HWND hwnd : disabled_) {
        if (::IsWindow(hwnd))
            ::EnableWindow(hwnd, TRUE);
    }
    disabled_.clear();
}

DisabledTaskWindows::~DisabledTaskWindows()
{
    EnableAgain();
    if (previous_ && previous_ != keep_ && ::IsWindow(previous_))
        ::SetActiveWindow(previous_);
}

}  // namespace yorv
