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

int RunModal(HWND box, int& result, ModalRouter route)
{
    DisabledTaskWindows others(box);

    result = 0;
    ::ShowWindow(box, SW_SHOW);
    ::SetForegroundWindow(box);

    MSG msg;
    while (result == 0) {
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // The application is ending: leave the request for the main loop.
            if (got == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam));
            result = IDCANCEL;
            break;
        }
        const ModalRoute way = route ? route(box, msg) : ModalRoute::DialogKeys;
        if (way == ModalRoute::Drop)
            continue;
        if (way == ModalRoute::DialogKeys && ::IsDialogMessageA(box, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }

    // The others are enabled before the box goes, so that the activation
    // can return to them.
    others.EnableAgain();
    ::ShowWindow(box, SW_HIDE);
    return result;
}

}  // namespace yorv
