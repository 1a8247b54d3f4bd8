// Start-up time: from process start to the main window shown and idle, for
// the launcher and for a minimal one-window program, alternating, in one run;
// with a third program, also for the launcher's bare window structure, and
// with a fourth, for the same windows holding the same standard controls.
//   bench_startup <launcher.exe> <minimal.exe> [rounds [skeleton.exe [controls.exe]]]
#include "bench/BenchTiming.h"
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Search {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    RECT rc;
    GetWindowRect(hwnd, &rc);
    if (pid == search->pid && IsWindowVisible(hwnd) && rc.right - rc.left > 100) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// One start: process creation to a visible window whose thread is idle.
double StartOnce(const std::string& exe)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + exe + "\"";
    LARGE_INTEGER begin, end;
    QueryPerformanceCounter(&begin);
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    Search search{process.dwProcessId, nullptr};
    while (!search.found) {
        EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            Sleep(1);
    }
    WaitForInputIdle(process.hProcess, 10000);
    QueryPerformanceCounter(&end);
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return Milliseconds(begin, end);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_startup <launcher.exe> <minimal.exe> [rounds]\n");
        return 2;
    }
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 15;
    const char* skeletonExe = argc > 4 ? argv[4] : nullptr;
    const char* controlsExe = argc > 5 ? argv[5] : nullptr;
    const char* const programs[] = {argv[1], argv[2], skeletonExe, controlsExe};
    for (const char* exe : programs) {
        if (exe)
            StartOnce(exe);  // warm the caches
    }
    std::vector<double> launcher, minimal, skeleton, controls;
    for (int i = 0; i < rounds; ++i) {
        launcher.push_back(StartOnce(argv[1]));
        minimal.push_back(StartOnce(argv[2]));
        if (skeletonExe)
            skeleton.push_back(StartOnce(skeletonExe));
        if (controlsExe)
            controls.push_back(StartOnce(controlsExe));
    }
    const double l = bench::Median(launcher), m = bench::Median(minimal);
    std::printf("start-up to shown and idle, median of %d: launcher %.1f ms, minimal window %.1f ms, ratio %.2f (target <= 1.2)\n",
                rounds, l, m, l / m);
    if (skeletonExe) {
        const double s = bench::Median(skeleton);
        std::printf("  the launcher's four windows alone, no controls: %.1f ms, ratio %.2f to the minimal window\n", s,
                    s / m);
    }
    if (controlsExe) {
        const double c = bench::Median(controls);
        std::printf("  the same windows with the same standard controls, nothing else: %.1f ms, ratio %.2f to the "
                    "minimal window;\n  the launcher to them: ratio %.2f\n",
                    c, c / m, l / c);
    }
    return 0;
}
