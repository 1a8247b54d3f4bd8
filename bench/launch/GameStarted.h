// What both sides of the launch benchmark count as "the game is running":
// the stand-in game has written its record, which it does first thing.
#pragma once

#include <windows.h>

namespace bench {

inline LONGLONG FileSize(const char* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Waits until the record file grows past `sizeBefore`; false after 20 s.
inline bool WaitForRecord(const char* logPath, LONGLONG sizeBefore)
{
    const ULONGLONG until = ::GetTickCount64() + 20000;
    while (FileSize(logPath) <= sizeBefore) {
        if (::GetTickCount64() > until)
            return false;
        ::Sleep(1);
    }
    return true;
}

inline double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace bench
