// The baseline: a minimal Win32 program that starts the game with a bare
// ShellExecuteA. Each "go" line on its input starts it once; it answers
// with the microseconds until the game was running and the shell's result.
// The game directory, the parameters and the stand-in's record file come
// from YORV_BENCH_DIR, YORV_BENCH_PARAMS and YORV_STANDIN_LOG.
#include "bench/launch/GameStarted.h"

#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

std::string Env(const char* name)
{
    char value[4096];
    const DWORD len = ::GetEnvironmentVariableA(name, value, sizeof value);
    return len > 0 && len < sizeof value ? std::string(value, len) : std::string();
}

bool ReadLine(HANDLE in, std::string& line)
{
    line.clear();
    char c;
    DWORD got = 0;
    while (::ReadFile(in, &c, 1, &got, nullptr) && got == 1) {
        if (c == '\n')
            return true;
        line += c;
    }
    return false;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const std::string dir = Env("YORV_BENCH_DIR");
    const std::string parameters = Env("YORV_BENCH_PARAMS");
    const std::string log = Env("YORV_STANDIN_LOG");
    HANDLE in = ::GetStdHandle(STD_INPUT_HANDLE);
    HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);

    std::string line;
    while (ReadLine(in, line) && line == "go") {
        const LONGLONG before = bench::FileSize(log.c_str());
        LARGE_INTEGER start, running;
        ::QueryPerformanceCounter(&start);
        const auto code = reinterpret_cast<INT_PTR>(
            ::ShellExecuteA(nullptr, nullptr, "yorv.exe", parameters.c_str(), dir.c_str(), SW_SHOW));
        const bool started = code > 32 && bench::WaitForRecord(log.c_str(), before);
        ::QueryPerformanceCounter(&running);

        char answer[64];
        const int len = std::snprintf(answer, sizeof answer, "%lld %d\n",
                                      started ? static_cast<long long>(bench::Seconds(start, running) * 1e6) : -1LL,
                                      static_cast<int>(code));
        DWORD written = 0;
        ::WriteFile(out, answer, static_cast<DWORD>(len), &written, nullptr);
    }
    return 0;
}
