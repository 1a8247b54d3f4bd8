// The launcher as a player starts it: a separate process, driven from here
// through its windows, with the launcher's own registry key.
#include "tests/wine/TestSupport.h"

#include "tests/Printable.h"

#include <string>
#include <vector>

namespace {

const std::string kStoreKey = "YorvFrontEnd";

struct Launched {
    PROCESS_INFORMATION process{};

    Launched()
    {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + test::WinePath(YORV_LAUNCHER_EXE) + "\"";
        REQUIRE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process));
    }
    ~Launched()
    {
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process.hProcess, 9);
        WaitForSingleObject(process.hProcess, 5000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    bool Ended(DWORD ms, DWORD* exitCode = nullptr) const
    {
        if (WaitForSingleObject(process.hProcess, ms) != WAIT_OBJECT_0)
            return false;
        if (exitCode)
            GetExitCodeProcess(process.hProcess, exitCode);
        return true;
    }
};

struct WindowSearch {
    DWORD pid;
    const char* cls;
    HWND found;
};

BOOL CALLBACK FindOfProcess(HWND hwnd, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char cls[64];
    GetClassNameA(hwnd, cls, sizeof cls);
    if (pid == search->pid && std::string(cls) == search->cls && IsWindowVisible(hwnd)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// A visible top-level window of the launcher's process, waited for.
HWND WaitForWindow(const Launched& launched, const char* cls, DWORD ms = 15000)
{
    for (DWORD waited = 0; waited < ms; waited += 50) {
        WindowSearch search{launched.process.dwProcessId, cls, nullptr};
        EnumWindows(FindOfProcess, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        Sleep(50);
    }
    return nullptr;
}

// Text of another process's window: read as Unicode, which Wine passes
// across processes safely, and narrowed for comparison.
std::string RemoteText(HWND hwnd)
{
    wchar_t text[512] = {};
    SendMessageW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    char narrow[1024] = {};
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

HWND ChildWithText(HWND parent, const std::string& text)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (RemoteText(child) == text)
            return child;
    }
    return nullptr;
}

struct Game {
    test::TempDir dir{"startup"};
    test::InstallationRecord record{"Yorv\r\n" + dir.Path() + "\r\n"};
    test::CleanKey key{kStoreKey};
    Game()
    {
        test::MakeDir(dir / "FenRaiders");
        test::WriteBytes(dir / "FenRaiders\\YMOD.DIZ", "Fen Raiders\r\n");
    }
};

}  // namespace

TEST_SUITE("startup")
{
    TEST_CASE("Enter right after start presses Exit: the five settings are saved and the launcher ends")
    {
        Game game;
        Launched launcher;
        HWND main = WaitForWindow(launcher, "TFrmMain");
        REQUIRE(main);
        WaitForInputIdle(launcher.process.hProcess, 5000);
        Sleep(300);

        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        REQUIRE(GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info));
        REQUIRE(info.hwndFocus);
        CHECK(RemoteText(info.hwndFocus) == "Exit");

        PostMessageA(info.hwndFocus, WM_KEYDOWN, VK_RETURN, 0x001C0001);
        PostMessageA(info.hwndFocus, WM_KEYUP, VK_RETURN, 0xC01C0001);
        DWORD exitCode = 1;
        REQUIRE(launcher.Ended(10000, &exitCode));
        CHECK(exitCode == 0);
        CHECK(game.key.Get("CloseOnRun") == "1");
        CHECK(game.key.Get("NoSound") == "0");
        CHECK(game.key.Get("LogFile") == "0");
        CHECK(game.key.Get("RunYMod") == "0");
        CHECK(game.key.Get("PrevYmod") == "0");
    }

    TEST_CASE("a bad registry value is reported before the window opens, then the window opens")
    {
        Game game;
        game.key.Set("NoSound", REG_DWORD, std::string("\x01\x00\x00\x00", 4));
        Launched launcher;
        HWND box = WaitForWindow(launcher, "#32770");
        REQUIRE(box);
        CHECK(RemoteText(box) == "Yorv HollowFen FrontEnd");
        CHECK(RemoteText(GetDlgItem(box, 0xFFFF)) == "Invalid data type for 'NoSound'");
        WindowSearch search{launcher.process.dwProcessId, "TFrmMain", nullptr};
        EnumWindows(FindOfProcess, reinterpret_cast<LPARAM>(&search));
        CHECK(search.found == nullptr);  // not shown yet

        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
        HWND main = WaitForWindow(launcher, "TFrmMain");
        REQUIRE(main);
        HWND play = ChildWithText(main, "Play");
        REQUIRE(play);
        CHECK(IsWindowEnabled(play));
        HWND remove = ChildWithText(main, "Remove");
        REQUIRE(remove);
        CHECK_FALSE(IsWindowEnabled(remove));

        // Closing by the frame saves nothing.
        PostMessageA(main, WM_CLOSE, 0, 0);
        REQUIRE(launcher.Ended(10000));
        CHECK(game.key.Get("NoSound") == "<type 4>");
        CHECK(game.key.Get("CloseOnRun") == "<absent>");
    }

    TEST_CASE("changes closed with the title-bar button are not stored")
    {
        Game game;
        game.key.SetString("NoSound", "0");
        Launched launcher;
        HWND main = WaitForWindow(launcher, "TFrmMain");
        REQUIRE(main);
        WaitForInputIdle(launcher.process.hProcess, 5000);
        HWND noSound = ChildWithText(main, "Disable Sound");
        REQUIRE(noSound);
        SendMessageA(noSound, BM_CLICK, 0, 0);
        CHECK(SendMessageA(noSound, BM_GETCHECK, 0, 0) == BST_CHECKED);
        PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
        REQUIRE(launcher.Ended(10000));
        CHECK(game.key.Get("NoSound") == "0");
        CHECK(game.key.Get("PrevYmod") == "<absent>");
    }
}
