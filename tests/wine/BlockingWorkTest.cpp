// The window thread while blocking work waits on it: its windows are
// painted, and what the player types meanwhile answers nothing.
#include "tests/wine/TestSupport.h"

#include "Main/Main.h"
#include "Main/Program.h"
#include "core/BlockingWork.h"
#include "working/working.h"

#include <doctest.h>

using namespace yorv;

TEST_SUITE("mainwindow")
{
    TEST_CASE("a wait keeps the windows painted, drops typed keys and ends when done or out of time")
    {
        const test::CleanKey key("YorvBlockingWorkTest");
        const auto windows = test::StartLauncher(key.Name());
        FrmWork->Show();
        const HWND work = FrmWork->Handle();
        InvalidateRect(work, nullptr, TRUE);
        PostMessageA(FrmMain->Handle(), WM_KEYDOWN, VK_RETURN, 0);
        PostMessageA(FrmMain->Handle(), WM_KEYUP, VK_RETURN, 0);

        const ULONGLONG start = GetTickCount64();
        CHECK(WaitKeepingPainted([&] { return GetTickCount64() - start >= 200; }, nullptr, 5000));
        CHECK_FALSE(GetUpdateRect(work, nullptr, FALSE));
        MSG msg;
        CHECK_FALSE(PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE));

        CHECK_FALSE(WaitKeepingPainted([] { return false; }, nullptr, 100));
        CHECK(GetTickCount64() - start >= 300);
        FrmWork->Close();
    }
}
