// The base of every window class of the program: the static window
// procedure finds the object through GWLP_USERDATA (stored at WM_NCCREATE
// from CreateWindowExA's lpParam) and forwards to its member handler. An
// exception never crosses into Windows' frames: it ends the handler and is
// shown by the standard error report.
#pragma once

#include <windows.h>

namespace yorv {

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Handle() const { return hwnd_; }

protected:
    static void RegisterWindowClass(const char* className, HICON icon = nullptr, HICON smallIcon = nullptr);
    HWND CreateWin(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y,
                   int width, int height, HWND owner, HMENU menu = nullptr);

    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    // A child control of this window, in the given font or else the default
    // one.
    HWND CreateChild(const char* className, const char* text, DWORD style, int x, int y, int width, int height,
                     int id, DWORD exStyle = 0, HFONT font = nullptr);
    // The same, its size given in pixels on this screen.
    HWND CreateChildSized(const char* className, const char* text, DWORD style, int x, int y, SIZE size, int id,
                          DWORD exStyle = 0, HFONT font = nullptr);
    // A single-line caption in the given font, sized to its text.
    HWND CreateSizedLabel(const char* text, int x, int y, HFONT font, int id);

    // Outer size and position of a window whose client area is given,
    // centred on the screen; sizes in pixels at 96 dots per inch.
    static RECT CentredWindowRect(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, bool menu);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

}  // namespace yorv
