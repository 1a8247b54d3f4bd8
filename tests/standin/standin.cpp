// A stand-in for the game and its editor. It records what it was started
// with - the whole command line, the parameters after the program name and
// the working directory - and ends, so that tests can check a launch.
//
// The record is appended to the file named by YORV_STANDIN_LOG, or to
// "<program>.log" beside the program. YORV_STANDIN_WAIT_MS keeps it
// running that long after the record is written.
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

std::string Parameters(const char* commandLine)
{
    const char* p = commandLine;
    if (*p == '"') {
        ++p;
        while (*p && *p != '"')
            ++p;
        if (*p)
            ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t')
            ++p;
    }
    while (*p == ' ' || *p == '\t')
        ++p;
    return p;
}

}  // namespace

int main()
{
    char module[MAX_PATH * 4];
    const DWORD moduleLen = GetModuleFileNameA(nullptr, module, sizeof module);
    std::string logPath;
    char env[MAX_PATH * 4];
    if (GetEnvironmentVariableA("YORV_STANDIN_LOG", env, sizeof env) > 0)
        logPath = env;
    else
        logPath = std::string(module, moduleLen) + ".log";

    char cwd[MAX_PATH * 4];
    const DWORD cwdLen = GetCurrentDirectoryA(sizeof cwd, cwd);
    const char* commandLine = GetCommandLineA();

    std::string record = "program=" + std::string(module, moduleLen) + "\r\n";
    record += "commandline=" + std::string(commandLine) + "\r\n";
    record += "parameters=" + Parameters(commandLine) + "\r\n";
    record += "directory=" + std::string(cwd, cwdLen) + "\r\n";
    record += "pid=" + std::to_string(GetCurrentProcessId()) + "\r\n";
    record += "end\r\n";

    // One writer at a time: two programs started together must not both
    // append at once, which need not keep both records whole.
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int tries = 0; tries < 500; ++tries, Sleep(10)) {
        file = CreateFileA(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION)
            break;
    }
    if (file == INVALID_HANDLE_VALUE)
        return 2;
    DWORD written = 0;
    WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);

    if (GetEnvironmentVariableA("YORV_STANDIN_WAIT_MS", env, sizeof env) > 0)
        Sleep(static_cast<DWORD>(std::atoi(env)));
    return 0;
}
