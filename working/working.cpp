#include "working/working.h"

#include "resources/resource.h"
#include "ui/Application.h"

namespace yorv {

TFrmWork* FrmWork = nullptr;

namespace {
// A caption but no caption-bar buttons: the player cannot close it.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_BORDER;
constexpr DWORD kExStyle = WS_EX_TOPMOST;
constexpr int kImage1 = 1;
constexpr int kLabel1 = 2;
constexpr int kLabel2 = 3;
constexpr const char* kLabel1Text = "Sending files to the Recycle Bin";
constexpr const char* kLabel2Text = "Please Wait...";
}  // namespace

void TFrmWork::Create()
{
    RegisterWindowClass(kClassName, nullptr);
    const RECT rc = CentredWindowRect(307, 93, kStyle, kExStyle, false);
    CreateWin(kExStyle, kClassName, "Working", kStyle, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
              Application::Window());

    label1Font_ = Application::MakeFont(16, true);
    label2Font_ = Application::MakeFont(13, true);
    Label1 = CreateSizedLabel(kLabel1Text, 26, 16, static_cast<HFONT>(label1Font_.Get()), kLabel1);
    Image1.Attach(CreateChild("STATIC", "", SS_OWNERDRAW, 40, 48, 33, 33, kImage1), IDB_WORKING_PICTURE);
    Label2 = CreateSizedLabel(kLabel2Text, 105, 56, static_cast<HFONT>(label2Font_.Get()), kLabel2);
}

void TFrmWork::Show()
{
    ::SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    ::SetForegroundWindow(Handle());
    ::BringWindowToTop(Handle());
    // Drawn now, frame and controls included, not when the loop next runs.
    ::RedrawWindow(Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TFrmWork::Close()
{
    ::ShowWindow(Handle(), SW_HIDE);
}

LRESULT TFrmWork::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CLOSE)
        return 0;  // the player cannot close it, nor can another program
    if (msg == WM_DRAWITEM) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.hwndItem == Image1.Handle()) {
            Image1.Draw(item);
            return TRUE;
        }
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace yorv
