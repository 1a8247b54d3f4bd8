#include "ui/Window.h"

#include "ui/Application.h"
#include "ui/MessageBoxes.h"

#include <cstring>
#include <exception>

namespace yorv {

Window::~Window()
{
    if (hwnd_ && ::IsWindow(hwnd_)) {
        ::SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        ::DestroyWindow(hwnd_);
    }
}

void Window::RegisterWindowClass(const char* className, HICON icon, HICON smallIcon)
{
    WNDCLASSEXA wc{};
    if (::GetClassInfoExA(Application::Instance(), className, &wc))
        return;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = Application::Instance();
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    wc.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    ::RegisterClassExA(&wc);
}

HWND Window::CreateWin(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y,
                       int width, int height, HWND owner, HMENU menu)
{
    return ::CreateWindowExA(exStyle, className, title, style, x, y, width, height, owner, menu,
                             Application::Instance(), this);
}

HWND Window::CreateChild(const char* className, const char* text, DWORD style, int x, int y, int width,
                         int height, int id, DWORD exStyle, HFONT font)
{
    return CreateChildSized(className, text, style, x, y, SIZE{Application::Scale(width), Application::Scale(height)},
                            id, exStyle, font);
}

HWND Window::CreateChildSized(const char* className, const char* text, DWORD style, int x, int y, SIZE size,
                              int id, DWORD exStyle, HFONT font)
{
    HWND child = ::CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, Application::Scale(x),
                                   Application::Scale(y), size.cx, size.cy, hwnd_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Application::Instance(),
                                   nullptr);
    ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : Application::DefaultFont()), FALSE);
    return child;
}

HWND Window::CreateSizedLabel(const char* text, int x, int y, HFONT font, int id)
{
    // Measured first, so that the label is laid out once, at its size.
    const SIZE size = Application::TextExtent(font, text, static_cast<int>(std::strlen(text)));
    return CreateChildSized("STATIC", text, SS_LEFT | SS_NOPREFIX, x, y, size, id, 0, font);
}

RECT Window::CentredWindowRect(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, bool menu)
{
    RECT rc{0, 0, Application::Scale(clientWidth), Application::Scale(clientHeight)};
    ::AdjustWindowRectEx(&rc, style, menu, exStyle);
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    const int x = (Application::StartScreen().cx - width) / 2;
    const int y = (Application::StartScreen().cy - height) / 2;
    return RECT{x, y, x + width, y + height};
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcA(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Window* self = nullptr;
    if (msg == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!self)
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);

    LRESULT result = 0;
    try {
        result = self->HandleMessage(msg, wParam, lParam);
    } catch (const std::exception& error) {
        ShowErrorReport(error.what());
    } catch (...) {
        ShowErrorReport("Unexpected error");
    }
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

}  // namespace yorv
