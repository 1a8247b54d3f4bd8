// What the launcher's window structure alone costs at start-up: the
// zero-size application window that carries the task-bar button, the main
// window with its menu, and the two dialogs created hidden, all of the
// launcher's styles, with no controls in any of them. Not a floor the
// launcher could go below, but the share of its start-up that no work on
// its controls can take away.
//
// Built a second time with WITH_CONTROLS: the same windows holding the same
// standard controls as the launcher's, at their places and in their font,
// and nothing else (no settings, no scan, no pictures, no owner drawing).
// What the launcher takes beyond that is its own work.
#include "bench/startup/BareWindow.h"

namespace {

#ifdef WITH_CONTROLS
HFONT font;

void Child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int width, int height,
           DWORD exStyle = 0)
{
    HWND child = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void MainControls(HWND main)
{
    Child(main, "BUTTON", "Exit", WS_TABSTOP, 245, 264, 75, 25);
    Child(main, "BUTTON", "Play", WS_TABSTOP, 109, 264, 75, 25);
    Child(main, "BUTTON", "Disable Sound", BS_AUTOCHECKBOX | WS_TABSTOP, 32, 88, 97, 17);
    Child(main, "BUTTON", "Enable Log File", BS_AUTOCHECKBOX | WS_TABSTOP, 32, 112, 97, 17);
    Child(main, "BUTTON", "Run with the following YMod", BS_AUTOCHECKBOX | WS_TABSTOP, 32, 144, 161, 17);
    Child(main, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 50, 176, 329, 127);
    Child(main, "BUTTON", "About", WS_TABSTOP | WS_DISABLED, 58, 208, 70, 22);
    Child(main, "BUTTON", "Edit", WS_TABSTOP | WS_DISABLED, 180, 208, 70, 22);
    Child(main, "BUTTON", "Remove", WS_TABSTOP | WS_DISABLED, 302, 208, 70, 22);
    Child(main, "STATIC", "", SS_BLACKRECT, 65, 8, 300, 60);
    Child(main, "STATIC", "Yorv Options", SS_LEFT, 16, 64, 76, 16);
    Child(main, "STATIC", "", SS_ETCHEDFRAME, 18, 136, 393, 105);
}

void AboutControls(HWND about)
{
    Child(about, "STATIC", "", SS_BLACKRECT, 16, 16, 65, 57);
    Child(about, "STATIC", "", SS_LEFTNOWORDWRAP, 88, 20, 240, 21);
    Child(about, "STATIC", "", SS_LEFTNOWORDWRAP, 88, 44, 240, 21);
    Child(about, "STATIC", "", SS_LEFTNOWORDWRAP, 88, 64, 240, 13);
    Child(about, "EDIT", "", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, 16, 96, 313, 105,
          WS_EX_CLIENTEDGE);
    Child(about, "BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 135, 228, 75, 25);
    Child(about, "STATIC", "", SS_ETCHEDFRAME | WS_CLIPSIBLINGS, 8, 8, 329, 201);
}

void WorkControls(HWND work)
{
    Child(work, "STATIC", "Sending files to the Recycle Bin", SS_LEFT, 26, 16, 284, 19);
    Child(work, "STATIC", "", SS_BLACKRECT, 40, 48, 33, 33);
    Child(work, "STATIC", "Please Wait...", SS_LEFT, 105, 56, 102, 15);
}
#else
void MainControls(HWND) {}
void AboutControls(HWND) {}
void WorkControls(HWND) {}
#endif

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    bare::RegisterClass(instance, "SkeletonWindow");
#ifdef WITH_CONTROLS
    font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
#endif

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
    MainControls(main);
    const DWORD dialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    HWND about = CreateWindowExA(WS_EX_DLGMODALFRAME, "SkeletonWindow", "About", dialogStyle, (cx - 345) / 2,
                                 (cy - 259) / 2, 345, 259, app, nullptr, instance, nullptr);
    AboutControls(about);
    HWND work = CreateWindowExA(WS_EX_TOPMOST, "SkeletonWindow", "Working", dialogStyle, (cx - 307) / 2,
                                (cy - 93) / 2, 307, 93, app, nullptr, instance, nullptr);
    WorkControls(work);

    ShowWindow(main, SW_SHOWNORMAL);
    UpdateWindow(main);
    return bare::RunMessageLoop();
}
