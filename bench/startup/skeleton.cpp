// What the launcher's window structure alone costs at start-up: the
// zero-size application window that carries the task-bar button, the main
// window with its menu, and the two dialogs created hidden, all of the
// launcher's styles, with no controls in any of them. Not a floor the
// launcher could go below, but the share of its start-up that no work on
// its controls can take away.
#include "BareWindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    bare::RegisterClass(instance, "SkeletonWindow");

    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    HWND app = CreateWindowExA(0, "SkeletonWindow", "Skeleton",
                               WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, cx / 2, cy / 2,
                               0, 0, nullptr, nullptr, instance, nullptr);
    ShowWindow(app, SW_SHOWNOACTIVATE);

    HMENU menu = CreateMenu();
    const char* const captions[] = {"&File", "&Settings", "&Help"};
    for (const char* caption : captions) {
        HMENU popup = CreatePopupMenu();
        AppendMenuA(popup, MF_STRING, 1, "&Item");
        AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), caption);
    }
    HWND main = CreateWindowExA(0, "SkeletonWindow", "Skeleton", WS_OVERLAPPEDWINDOW, (cx - 437) / 2, (cy - 345) / 2,
                                437, 345, app, menu, instance, nullptr);
    const DWORD dialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    CreateWindowExA(WS_EX_DLGMODALFRAME, "SkeletonWindow", "About", dialogStyle, (cx - 345) / 2, (cy - 259) / 2, 345,
                    259, app, nullptr, instance, nullptr);
    CreateWindowExA(WS_EX_TOPMOST, "SkeletonWindow", "Working", dialogStyle, (cx - 307) / 2,
                    (cy - 93) / 2, 307, 93, app, nullptr, instance, nullptr);

    ShowWindow(main, SW_SHOWNORMAL);
    UpdateWindow(main);
    return bare::RunMessageLoop();
}
