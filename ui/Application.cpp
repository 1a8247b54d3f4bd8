#include "ui/Application.h"

#include "resources/resource.h"

#include <algorithm>

namespace yorv {

namespace {

constexpr const char* kAppClass = "TApplication";

// A fault in the program's own code, which never recovers from one, ends it
// with the system's report: one in a window procedure that the system called
// from its own calls would be swallowed (64-bit Windows, Wine), the program
// going on in whatever state the fault left it.
LONG CALLBACK EndOnOwnFault(EXCEPTION_POINTERS* info)
{
    static constexpr DWORD kFaults[] = {EXCEPTION_ACCESS_VIOLATION, EXCEPTION_ILLEGAL_INSTRUCTION, EXCEPTION_IN_PAGE_ERROR,
                                        EXCEPTION_PRIV_INSTRUCTION, EXCEPTION_INT_DIVIDE_BY_ZERO, EXCEPTION_STACK_OVERFLOW};
    const auto* image = reinterpret_cast<const BYTE*>(::GetModuleHandleA(nullptr));
    const auto* at = static_cast<const BYTE*>(info->ExceptionRecord->ExceptionAddress);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image);
    if (std::ranges::count(kFaults, info->ExceptionRecord->ExceptionCode) && at >= image
        && at < image + reinterpret_cast<const IMAGE_NT_HEADERS*>(image + dos->e_lfanew)->OptionalHeader.SizeOfImage) {
        ::UnhandledExceptionFilter(info);  // the system's report, or its debugger
        ::TerminateProcess(::GetCurrentProcess(), info->ExceptionRecord->ExceptionCode);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

void Application::Initialize(HINSTANCE instance)
{
    terminated_ = false;
    if (window_)
        return;  // once per process
    ::AddVectoredExceptionHandler(1, &EndOnOwnFault);
    instance_ = instance;
    HDC screen = ::GetDC(nullptr);
    dpi_ = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    if (dpi_ <= 0)
        dpi_ = 96;
    startScreen_ = SIZE{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};

    icon_ = static_cast<HICON>(::LoadImageA(instance, MAKEINTRESOURCEA(IDI_MAINICON), IMAGE_ICON, 0, 0,
                                            LR_DEFAULTSIZE | LR_SHARED));
    // The icon file has its own small image; given it, a class registration
    // need not shrink the large one.
    smallIcon_ = static_cast<HICON>(::LoadImageA(instance, MAKEINTRESOURCEA(IDI_MAINICON), IMAGE_ICON,
                                                 ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON),
                                                 LR_SHARED));

    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = AppWindowProc;
    wc.hInstance = instance;
    wc.hIcon = icon_;
    wc.hIconSm = smallIcon_;
    wc.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    wc.lpszClassName = kAppClass;
    ::RegisterClassExA(&wc);

    // Zero size, in the middle of the screen: it only carries the task-bar
    // button and owns the other windows and the message boxes.
    const int x = startScreen_.cx / 2;
    const int y = startScreen_.cy / 2;
    window_ = ::CreateWindowExA(0, kAppClass, title_.c_str(),
                                WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, x, y, 0, 0,
                                nullptr, nullptr, instance, nullptr);
    ::ShowWindow(window_, SW_SHOWNOACTIVATE);
}

void Application::SetTitle(const std::string& title)
{
    title_ = title;
    if (window_)
        ::SetWindowTextA(window_, title.c_str());
}

int Application::Scale(int pixels)
{
    return ::MulDiv(pixels, dpi_, 96);
}

HFONT Application::DefaultFont()
{
    static UniqueGdi font = MakeFont(11);
    return static_cast<HFONT>(font.Get());
}

UniqueGdi Application::MakeFont(int heightPixels, bool bold)
{
    return UniqueGdi(::CreateFontA(-Scale(heightPixels), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                   DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                   DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif"));
}

SIZE Application::TextExtent(HFONT font, const char* text, int length)
{
    // One memory DC for every measurement: cheaper than a window's DC each time.
    static UniqueDc measuring(::CreateCompatibleDC(nullptr));
    HDC dc = measuring.Get();
    HGDIOBJ old = ::SelectObject(dc, font);
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text, length, &size);
    ::SelectObject(dc, old);
    return size;
}

void Application::Terminate()
{
    terminated_ = true;
    ::PostQuitMessage(0);
}

bool Application::TranslateDialogKeys(MSG& msg, HWND mainWindow)
{
    if (!mainWindow || !::IsChild(mainWindow, msg.hwnd))
        return false;
    // Enter presses the focused push button, and nothing else: the buttons
    // draw their own glyphs, so the dialog manager would not know them.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
        char cls[16];
        ::GetClassNameA(msg.hwnd, cls, sizeof cls);
        const LONG_PTR style = ::GetWindowLongPtrA(msg.hwnd, GWL_STYLE);
        if (lstrcmpiA(cls, "Button") == 0 && (style & BS_TYPEMASK) == BS_OWNERDRAW) {
            ::SendMessageA(msg.hwnd, BM_CLICK, 0, 0);
            return true;
        }
    }
    return ::IsDialogMessageA(mainWindow, &msg) != FALSE;
}

int Application::Run()
{
    MSG msg;
    while (!terminated_ && ::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (TranslateDialogKeys(msg, mainWindow_))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}

LRESULT CALLBACK Application::AppWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_ACTIVATE:
        // Activated from the task bar: hand the activation on to the main window.
        if (LOWORD(wParam) != WA_INACTIVE && mainWindow_ && ::IsWindowEnabled(mainWindow_)
            && ::IsWindowVisible(mainWindow_)) {
            ::SetActiveWindow(mainWindow_);
            return 0;
        }
        break;
    case WM_CLOSE:
        // Closed from the task bar: the main window closes, unless a modal
        // box or a removal has it disabled.
        if (mainWindow_ && ::IsWindowEnabled(mainWindow_))
            ::PostMessageA(mainWindow_, WM_CLOSE, 0, 0);
        return 0;
    default:
        break;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace yorv
