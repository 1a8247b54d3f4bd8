#include "AboutBox.h"

#include "../Main/Application.h"

namespace yorv {

TAbout* About = nullptr;

namespace {
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
}  // namespace

void TAbout::Create()
{
    RegisterWindowClass(kClassName, nullptr);
    const RECT rc = CentredWindowRect(345, 259, kStyle, kExStyle, false);
    CreateWin(kExStyle, kClassName, "About", kStyle, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
              Application::Window());
}

void TAbout::ShowYModAbout(int) {}
void TAbout::ShowThisProgram() {}
void TAbout::ShowGame() {}
void TAbout::ShowDeveloperInformation() {}

LRESULT TAbout::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace yorv
