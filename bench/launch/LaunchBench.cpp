// From a click on Play to the game's process running, against a bare
// ShellExecuteA of the same program, with the same parameters and game
// directory, from a minimal Win32 program (BareLaunch.cpp). The two are
// measured in turns in the same run, the order swapped every round, and
// each waits for the previous game to end first.
//
//   bench_launch [rounds]        (default 100, after 3 rounds to warm up)
#include "bench/BenchTiming.h"
#include "bench/launch/GameStarted.h"

#include "Main/Main.h"
#include "Main/Program.h"
#include "core/Catalogue.h"
#include "ui/Application.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr const char* kBenchRoot = "C:\\yorvbench";
constexpr const char* kBenchKey = "YorvFrontEndBench";
constexpr const char* kParameters = "-nosound -debug -game dm_castle";

std::string WinePath(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

void MakeDir(const std::string& path)
{
    if (!::CreateDirectoryA(path.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
        throw std::runtime_error("cannot create " + path);
}

void RemoveTree(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        WIN32_FIND_DATAA entry;
        HANDLE find = ::FindFirstFileA((path + "\\*").c_str(), &entry);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = entry.cFileName;
                if (name != "." && name != "..")
                    RemoveTree(path + "\\" + name);
            } while (::FindNextFileA(find, &entry));
            ::FindClose(find);
        }
        ::RemoveDirectoryA(path.c_str());
    } else {
        ::DeleteFileA(path.c_str());
    }
}

std::string ReadAll(const std::string& path)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string data;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        data.append(buffer, got);
    ::CloseHandle(file);
    return data;
}

bool WriteAll(const std::string& path, const std::string& bytes)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
    return written == bytes.size();
}

void SetSetting(const char* name, const char* value)
{
    HKEY key = nullptr;
    const std::string path = std::string(kBenchKey) + "\\YorvFrontEnd";
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr))
        throw std::runtime_error("cannot create the settings key");
    ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                     static_cast<DWORD>(std::strlen(value) + 1));
    ::RegCloseKey(key);
}

// The last record of the stand-in: its parameters and its process id.
struct LastStart {
    std::string parameters;
    DWORD pid = 0;
};

LastStart LastRecord(const std::string& logPath)
{
    const std::string log = ReadAll(logPath);
    LastStart last;
    const std::size_t params = log.rfind("\r\nparameters=");
    const std::size_t pid = log.rfind("\r\npid=");
    if (params != std::string::npos) {
        const std::size_t from = params + 13;
        last.parameters = log.substr(from, log.find("\r\n", from) - from);
    }
    if (pid != std::string::npos)
        last.pid = static_cast<DWORD>(std::strtoul(log.c_str() + pid + 6, nullptr, 10));
    return last;
}

// Lets the game that was just started end, so that no two run at once.
void WaitForGameToEnd(const std::string& logPath)
{
    const LastStart last = LastRecord(logPath);
    if (last.parameters != kParameters)
        throw std::runtime_error("the game was started with \"" + last.parameters + "\"");
    if (HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, last.pid)) {
        ::WaitForSingleObject(process, 20000);
        ::CloseHandle(process);
    }
}

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// The minimal program, started once and driven over a pipe.
class BareLauncher {
public:
    BareLauncher()
    {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE childIn = nullptr, childOut = nullptr;
        if (!::CreatePipe(&childIn, &toChild_, &inherit, 0) || !::CreatePipe(&fromChild_, &childOut, &inherit, 0))
            throw std::runtime_error("cannot create pipes");
        ::SetHandleInformation(toChild_, HANDLE_FLAG_INHERIT, 0);
        ::SetHandleInformation(fromChild_, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = childIn;
        startup.hStdOutput = childOut;
        startup.hStdError = childOut;
        std::string commandLine = "\"" + WinePath(YORV_BENCH_BARE_EXE) + "\"";
        PROCESS_INFORMATION info{};
        if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                              &info))
            throw std::runtime_error("cannot start " + commandLine);
        ::CloseHandle(info.hThread);
        process_ = info.hProcess;
        ::CloseHandle(childIn);
        ::CloseHandle(childOut);
    }

    ~BareLauncher()
    {
        ::CloseHandle(toChild_);  // end of input: it ends
        ::WaitForSingleObject(process_, 10000);
        ::CloseHandle(process_);
        ::CloseHandle(fromChild_);
    }

    // Seconds from the call to the game running.
    double LaunchOnce()
    {
        DWORD written = 0;
        ::WriteFile(toChild_, "go\n", 3, &written, nullptr);
        std::string answer;
        char c;
        DWORD got = 0;
        while (::ReadFile(fromChild_, &c, 1, &got, nullptr) && got == 1 && c != '\n')
            answer += c;
        long long micros = -1;
        int code = 0;
        if (std::sscanf(answer.c_str(), "%lld %d", &micros, &code) != 2 || micros < 0)
            throw std::runtime_error("the bare launch failed: \"" + answer + "\"");
        return static_cast<double>(micros) / 1e6;
    }

private:
    HANDLE toChild_ = nullptr;
    HANDLE fromChild_ = nullptr;
    HANDLE process_ = nullptr;
};

// Seconds from the click on Play to the game running.
double PlayOnce(const std::string& logPath)
{
    const LONGLONG before = bench::FileSize(logPath.c_str());
    LARGE_INTEGER start, running;
    ::QueryPerformanceCounter(&start);
    ::SendMessageA(yorv::FrmMain->CmdPlay.Handle(), BM_CLICK, 0, 0);
    const bool started = bench::WaitForRecord(logPath.c_str(), before);
    ::QueryPerformanceCounter(&running);
    if (!started)
        throw std::runtime_error("Play did not start the game");
    return bench::Seconds(start, running);
}

double Percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5)];
}

// Everything the benchmark sets up in the prefix, and puts back after.
class Fixture {
public:
    Fixture()
        : gameDir_(std::string(kBenchRoot) + "\\Yorv HollowFen"), logPath_(std::string(kBenchRoot) + "\\game.log"),
          recordPath_(yorv::InstallationRecordPath())
    {
        RemoveTree(kBenchRoot);
        MakeDir(kBenchRoot);
        MakeDir(gameDir_);
        MakeDir(gameDir_ + "\\dm_castle");
        if (!::CopyFileA(WinePath(YORV_STANDIN_EXE).c_str(), (gameDir_ + "\\yorv.exe").c_str(), FALSE))
            throw std::runtime_error("cannot install the stand-in game");

        hadRecord_ = ::GetFileAttributesA(recordPath_.c_str()) != INVALID_FILE_ATTRIBUTES;
        if (hadRecord_)
            savedRecord_ = ReadAll(recordPath_);
        if (!WriteAll(recordPath_, "[Yorv HollowFen]\r\n" + gameDir_ + "\r\n"))
            throw std::runtime_error("cannot write " + recordPath_);

        ::RegDeleteTreeA(HKEY_CURRENT_USER, kBenchKey);
        SetSetting("CloseOnRun", "0");
        SetSetting("NoSound", "1");
        SetSetting("LogFile", "1");
        SetSetting("RunYMod", "1");
        SetSetting("PrevYmod", "0");

        ::SetEnvironmentVariableA("YORV_STANDIN_LOG", logPath_.c_str());
        ::SetEnvironmentVariableA("YORV_BENCH_DIR", gameDir_.c_str());
        ::SetEnvironmentVariableA("YORV_BENCH_PARAMS", kParameters);
    }

    ~Fixture()
    {
        if (hadRecord_)
            WriteAll(recordPath_, savedRecord_);
        else
            ::DeleteFileA(recordPath_.c_str());
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kBenchKey);
        ::RegDeleteKeyA(HKEY_CURRENT_USER, kBenchKey);
        RemoveTree(kBenchRoot);
    }

    const std::string& LogPath() const { return logPath_; }

private:
    std::string gameDir_;
    std::string logPath_;
    std::string recordPath_;
    bool hadRecord_ = false;
    std::string savedRecord_;
};

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    constexpr int kWarmUp = 3;
    try {
        Fixture fixture;
        std::vector<double> play, bare, ratios;
        {
            yorv::ProgramWindows windows(::GetModuleHandleA(nullptr), kBenchKey);
            ::ShowWindow(yorv::FrmMain->Handle(), SW_SHOWNORMAL);
            ::UpdateWindow(yorv::FrmMain->Handle());
            PumpMessages();
            if (yorv::FrmMain->CloseOnRunChecked() || yorv::FrmMain->SelectedPosition() != 0)
                throw std::runtime_error("the launcher did not start as set up");

            BareLauncher baseline;
            for (int round = 0; round < kWarmUp + rounds; ++round) {
                double playTime = 0, bareTime = 0;
                for (int turn = 0; turn < 2; ++turn) {
                    if ((turn == 0) == (round % 2 == 0)) {
                        playTime = PlayOnce(fixture.LogPath());
                        PumpMessages();
                    } else {
                        bareTime = baseline.LaunchOnce();
                    }
                    WaitForGameToEnd(fixture.LogPath());
                    PumpMessages();
                }
                if (yorv::Application::Terminated())
                    throw std::runtime_error("the launcher ended");
                if (round >= kWarmUp) {
                    play.push_back(playTime);
                    bare.push_back(bareTime);
                    ratios.push_back(playTime / bareTime);
                }
            }
        }

        const double playMedian = bench::Median(play);
        const double bareMedian = bench::Median(bare);
        std::printf("Play click to game running vs bare ShellExecuteA, %d rounds (after %d to warm up)\n", rounds,
                    kWarmUp);
        std::printf("  Play (launcher):       median %7.2f ms   p10 %7.2f ms   p90 %7.2f ms\n", playMedian * 1e3,
                    Percentile(play, 0.1) * 1e3, Percentile(play, 0.9) * 1e3);
        std::printf("  bare ShellExecuteA:    median %7.2f ms   p10 %7.2f ms   p90 %7.2f ms\n", bareMedian * 1e3,
                    Percentile(bare, 0.1) * 1e3, Percentile(bare, 0.9) * 1e3);
        std::printf("  ratio of the medians:  %.3f\n", playMedian / bareMedian);
        std::printf("  median of the ratios:  %.3f   (target: at most 1.1)\n", bench::Median(ratios));
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_launch: %s\n", error.what());
        return 1;
    }
}
