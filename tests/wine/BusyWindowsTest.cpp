// The window thread while a removal runs: work handed to a thread of its
// own leaves the windows painted, and what the player types meanwhile
// answers nothing.
#include "tests/wine/TestSupport.h"

#include "Main/Main.h"
#include "Main/Program.h"
#include "Main/Remove.h"
#include "working/working.h"

#include "tests/Printable.h"

using namespace yorv;

TEST_SUITE("mainwindow")
{
    TEST_CASE("work run while the windows are busy leaves them painted and drops input of every kind")
    {
        const test::CleanKey key("YorvBusyWindowsTest");
        const auto windows = test::StartLauncher(key.Name());
        const HWND work = FrmWork->Handle();
        const UINT input[] = {WM_KEYDOWN, WM_NCLBUTTONDOWN, WM_NCMOUSEMOVE, 0x0246 /* WM_POINTERDOWN */, WM_TOUCH};
        int paintedWhileWorking = 0;
        {
            const BusyWindows busy;
            busy.RunKeepingPainted([&] {
                // Asked of the window thread's windows from here, while it waits.
                for (int round = 0; round < 3; ++round) {
                    InvalidateRect(work, nullptr, TRUE);
                    for (const UINT message : input)
                        PostMessageA(message == WM_KEYDOWN ? FrmMain->Handle() : work, message, HTCAPTION, 0);
                    for (int i = 0; i < 100 && GetUpdateRect(work, nullptr, FALSE); ++i)
                        Sleep(10);
                    paintedWhileWorking += !GetUpdateRect(work, nullptr, FALSE);
                }
            });
            MSG msg;
            for (const UINT message : input)
                CHECK_FALSE(PeekMessageA(&msg, nullptr, message, message, PM_NOREMOVE));
        }
        CHECK(paintedWhileWorking == 3);
    }
}
