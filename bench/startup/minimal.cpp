// The floor for start-up: a minimal Win32 program that opens one window.
#include "bench/startup/BareWindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    bare::RegisterClass(instance, "MinimalWindow");
    HWND hwnd = CreateWindowA("MinimalWindow", "Minimal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 437, 345,
                              nullptr, nullptr, instance, nullptr);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    return bare::RunMessageLoop();
}
