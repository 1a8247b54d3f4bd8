// The working window shown while a YMod is removed, and the plain message
// dialog that names a directory left in place.
#include "tests/wine/TestSupport.h"

#include "Main/Main.h"
#include "Main/Program.h"
#include "ui/Application.h"
#include "ui/PlainMessage.h"
#include "working/working.h"

#include "tests/Printable.h"

#include <cstdlib>
#include <string>
#include <tuple>

using namespace yorv;

TEST_SUITE("mainwindow")
{
    TEST_CASE("the working window, and the plain message dialog wrapping a long path")
    {
        const test::CleanKey key("YorvWorkingWindowTest");
        const auto windows = test::StartLauncher(key.Name());
        HWND work = FrmWork->Handle();
        CHECK(test::WindowText(work) == "Working");
        CHECK((GetWindowLongPtrA(work, GWL_STYLE) & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME))
              == WS_CAPTION);
        CHECK((GetWindowLongPtrA(work, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
        CHECK(GetWindow(work, GW_OWNER) == Application::Window());
        RECT rect;
        GetClientRect(work, &rect);
        CHECK(rect.right == Application::Scale(307));
        CHECK(rect.bottom == Application::Scale(93));
        GetWindowRect(work, &rect);
        CHECK(std::abs((rect.left + rect.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2) <= 1);
        CHECK(test::WindowText(FrmWork->Label1) == "Sending files to the Recycle Bin");
        CHECK(test::WindowText(FrmWork->Label2) == "Please Wait...");
        const std::tuple<HWND, int, int, int> controls[] = {
            {FrmWork->Label1, 26, 16, 16}, {FrmWork->Label2, 105, 56, 13}, {FrmWork->Image1.Handle(), 40, 48, 0}};
        for (const auto& [control, left, top, fontHeight] : controls) {
            rect = test::ChildRect(control);
            CHECK(rect.left == Application::Scale(left));
            CHECK(rect.top == Application::Scale(top));
            LOGFONTA font{};
            if (fontHeight == 0) {  // the picture
                CHECK(rect.right - rect.left == Application::Scale(33));
                CHECK(rect.bottom - rect.top == Application::Scale(33));
            } else if (GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font)) {
                CHECK(font.lfWeight == FW_BOLD);
                CHECK(font.lfHeight == -Application::Scale(fontHeight));
            } else {
                FAIL("no font");
            }
        }
        CHECK_FALSE(IsWindowVisible(work));

        // Shown: visible, not modal, and drawn before any message is processed.
        ShowWindow(FrmMain->Handle(), SW_SHOW);
        FrmWork->Show();
        CHECK(IsWindowVisible(work));
        CHECK(IsWindowEnabled(FrmMain->Handle()));
        for (HWND window : {work, FrmWork->Label1, FrmWork->Label2, FrmWork->Image1.Handle()})
            CHECK_FALSE(GetUpdateRect(window, nullptr, FALSE));
        FrmWork->Close();
        CHECK_FALSE(IsWindowVisible(work));

        // The plain message answers Enter and Esc; a long path wraps at half
        // the screen's width, in a dialog centred on the screen.
        static int keysSent;
        static WPARAM pressed;
        static RECT text, frame;
        for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
            pressed = key;
            keysSent = 0;
            const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
                HWND dialog = nullptr;  // this thread's, not another test program's
                EnumThreadWindows(
                    GetCurrentThreadId(),
                    [](HWND hwnd, LPARAM found) {
                        char cls[32] = {};
                        GetClassNameA(hwnd, cls, sizeof cls);
                        if (std::string(cls) == "#32770" && IsWindowVisible(hwnd))
                            *reinterpret_cast<HWND*>(found) = hwnd;
                        return TRUE;
                    },
                    reinterpret_cast<LPARAM>(&dialog));
                if (!dialog)
                    return;
                GetWindowRect(GetDlgItem(dialog, 0xFFFF), &text);
                GetWindowRect(dialog, &frame);
                if (++keysSent > 20) {  // a dialog that does not answer is ended, and fails the test
                    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                    return;
                }
                PostMessageA(GetDlgItem(dialog, IDOK), WM_KEYDOWN, pressed, 0);
                PostMessageA(GetDlgItem(dialog, IDOK), WM_KEYUP, pressed, 0);
            });
            ShowPlainMessage("Couldn't remove C:\\yorvtests\\" + std::string(240, 'a') + "\\" + std::string(80, 'b')
                             + ".\r\nSharing violation error.");
            KillTimer(nullptr, timer);
            CAPTURE(key);
            CHECK(keysSent == 1);
            CHECK(text.right - text.left > 0);
            CHECK(text.right - text.left <= GetSystemMetrics(SM_CXSCREEN) / 2);
            CHECK(std::abs((frame.left + frame.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2) <= 1);
            CHECK(std::abs((frame.top + frame.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2) <= 1);
        }
        CHECK(IsWindowEnabled(FrmMain->Handle()));
    }
}
