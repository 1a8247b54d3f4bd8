#include "working.h"

#include "../Main/Application.h"

namespace yorv {

TFrmWork* FrmWork = nullptr;

namespace {
// A caption but no caption-bar buttons: the player cannot close it.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_BORDER;
constexpr DWORD kExStyle = WS_EX_TOPMOST;
}  // namespace

void TFrmWork::Create()
{
    RegisterWindowClass(kClassName, nullptr);
    const RECT rc = CentredWindowRect(307, 93, kStyle, kExStyle, false);
    CreateWin(kExStyle, kClassName, "Working", kStyle, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
              Application::Window());
}

LRESULT TFrmWork::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace yorv
