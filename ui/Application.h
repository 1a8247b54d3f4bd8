// What the whole program shares: its title, the zero-size top-level window
// that carries the task-bar button and owns every message box, screen
// scaling, fonts and the message loop.
#pragma once

#include "core/Handle.h"

#include <windows.h>

#include <string>

namespace yorv {

inline constexpr const char* kAppTitle = "Yorv HollowFen FrontEnd";

class Application {
public:
    // Registers the window classes and creates the application window.
    static void Initialize(HINSTANCE instance);
    static HINSTANCE Instance() { return instance_; }
    static HWND Window() { return window_; }
    static HICON Icon() { return icon_; }
    static HICON SmallIcon() { return smallIcon_; }
    static const std::string& Title() { return title_; }
    // The window the application window hands its activation on to.
    static void SetMainWindow(HWND mainWindow) { mainWindow_ = mainWindow; }
    static void SetTitle(const std::string& title);

    // Pixels at 96 dots per inch to pixels on this screen.
    static int Scale(int pixels);
    static int Dpi() { return dpi_; }
    // The screen's size as it was when the program started, where its
    // windows are placed; asking the system again costs a round of checks
    // of the display each time.
    static SIZE StartScreen() { return startScreen_; }

    // The dialog font of every control ("MS Sans Serif", 11 pixels) and
    // others of the same face.
    static HFONT DefaultFont();
    static UniqueGdi MakeFont(int heightPixels, bool bold = false);
    // The size of a single line of text in the given font.
    static SIZE TextExtent(HFONT font, const char* text, int length);

    // Runs the message loop, the main window's keys translated as a
    // dialog's, until the application is ended.
    static int Run();
    // Asks the message loop to stop once the current handler has finished.
    static void Terminate();
    static bool Terminated() { return terminated_; }

private:
    static LRESULT CALLBACK AppWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static bool TranslateDialogKeys(MSG& msg, HWND mainWindow);

    static inline HINSTANCE instance_ = nullptr;
    static inline HWND window_ = nullptr;
    static inline HWND mainWindow_ = nullptr;
    static inline HICON icon_ = nullptr;
    static inline HICON smallIcon_ = nullptr;
    static inline std::string title_ = kAppTitle;
    static inline int dpi_ = 96;
    static inline SIZE startScreen_{};
    static inline bool terminated_ = false;
};

}  // namespace yorv
