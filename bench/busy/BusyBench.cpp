// The window thread's CPU time over a wait of five seconds for work on
// another thread, as while the recycle bin is searched: first with nothing
// over the working window (the floor: an idle window), then with the mouse
// moved onto the working window's caption and its button held there, so
// that caption messages reach the waiting thread. The figures are
// milliseconds of CPU per second of wait, the median of five rounds each.
#include "bench/BenchTiming.h"

#include "Main/Main.h"
#include "Main/Program.h"
#include "Main/Remove.h"
#include "working/working.h"

#include <cstdio>
#include <string>
#include <vector>

using namespace yorv;

namespace {

// CPU milliseconds so far of the window thread.
double ThreadCpuMs()
{
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto ms = [](FILETIME t) { return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e4; };
    return ms(kernel) + ms(user);
}

void Mouse(DWORD flags, POINT at = {})
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

// CPU milliseconds per second of a five-second wait; `held`: the mouse on
// the working window's caption, its button down.
double Round(bool held)
{
    const BusyWindows busy;
    FrmWork->Show();
    RECT frame;
    GetWindowRect(FrmWork->Handle(), &frame);
    const POINT caption{(frame.left + frame.right) / 2, frame.top + GetSystemMetrics(SM_CYCAPTION) / 2 + 2};
    if (held && WindowFromPoint(caption) != FrmWork->Handle())
        std::printf("the caption at %ld,%ld takes no input here\n", caption.x, caption.y);
    const double before = ThreadCpuMs();
    busy.RunKeepingPainted([&] {
        if (held) {
            Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, caption);
            Mouse(MOUSEEVENTF_LEFTDOWN);
        }
        Sleep(5000);
    });
    const double used = (ThreadCpuMs() - before) / 5;
    if (held)
        Mouse(MOUSEEVENTF_LEFTUP);
    Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, {0, 0});
    FrmWork->Close();
    return used;
}

}  // namespace

int main(int argc, char** argv)
{
    // Under Wine on a display with no window manager, a window's frame is
    // left to the window manager that is not there: the mouse on a caption
    // reaches no window. Wine draws the frames itself, and they take input,
    // for a program set so before it starts: this one runs again, so set.
    const std::string self = argv[0];
    const std::string settings =
        "Software\\Wine\\AppDefaults\\" + self.substr(self.find_last_of("\\/") + 1) + "\\X11 Driver";
    if (argc < 2 && GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")) {
        RegSetKeyValueA(HKEY_CURRENT_USER, settings.c_str(), "Managed", REG_SZ, "N", 2);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION child{};
        std::string command = "\"" + self + "\" again";
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child))
            return 1;
        WaitForSingleObject(child.hProcess, INFINITE);
        DWORD code = 1;
        GetExitCodeProcess(child.hProcess, &code);
        RegDeleteKeyA(HKEY_CURRENT_USER, settings.c_str());
        return static_cast<int>(code);
    }
    const ProgramWindows windows(GetModuleHandleA(nullptr), "YorvBusyBench");
    ShowWindow(FrmMain->Handle(), SW_SHOWNORMAL);
    std::vector<double> idle, held;
    for (int round = 0; round < 5; ++round) {
        idle.push_back(Round(false));
        held.push_back(Round(true));
    }
    std::printf("window thread CPU during the wait, ms per s: idle window %.1f, mouse held on the caption %.1f\n",
                bench::Median(idle), bench::Median(held));
    RegDeleteTreeA(HKEY_CURRENT_USER, "YorvBusyBench");
    return 0;
}
