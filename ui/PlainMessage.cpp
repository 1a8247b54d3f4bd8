#include "ui/PlainMessage.h"

#include "ui/Application.h"
#include "ui/Modal.h"

#include <algorithm>
#include <vector>

namespace yorv {

namespace {

// The text's control has the id message boxes give theirs.
constexpr WORD kTextId = 0xFFFF;

// A dialog template built in memory: the dialog and its two controls.
// Sizes in it are placeholders; the dialog lays itself out in pixels once
// it knows its text.
class DialogTemplate {
public:
    DialogTemplate()
    {
        DLGTEMPLATE dialog{};
        dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_NOIDLEMSG;
        dialog.cdit = 2;
        dialog.cx = 100;
        dialog.cy = 50;
        Append(&dialog, sizeof dialog);
        Word(0);  // no menu
        Word(0);  // the standard dialog class
        Word(0);  // the caption is set when it opens
        Item(WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, kTextId, 0x0082, L"");
        Item(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, 0x0080, L"OK");
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void Append(const void* data, std::size_t bytes)
    {
        const auto* p = static_cast<const WORD*>(data);
        words_.insert(words_.end(), p, p + bytes / sizeof(WORD));
    }
    void Word(WORD w) { words_.push_back(w); }
    void Item(DWORD style, WORD id, WORD atom, const wchar_t* text)
    {
        if (words_.size() % 2)
            Word(0);  // items start on a DWORD boundary
        DLGITEMTEMPLATE item{};
        item.style = style;
        item.cx = 10;
        item.cy = 10;
        item.id = id;
        Append(&item, sizeof item);
        Word(0xFFFF);
        Word(atom);
        for (const wchar_t* c = text; *c; ++c)
            Word(static_cast<WORD>(*c));
        Word(0);
        Word(0);  // no creation data
    }

    std::vector<WORD> words_;
};

void LayOut(HWND dialog, const std::string& text)
{
    HWND label = ::GetDlgItem(dialog, kTextId);
    HWND ok = ::GetDlgItem(dialog, IDOK);
    HFONT font = Application::DefaultFont();
    ::SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ::SendMessageA(ok, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ::SetWindowTextA(dialog, Application::Title().c_str());
    ::SetWindowTextA(label, text.c_str());

    // The text wraps at half the screen's width, long names included.
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    RECT textRect{0, 0, screenWidth / 2, 0};
    HDC dc = ::GetDC(label);
    HGDIOBJ old = ::SelectObject(dc, font);
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
                DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS);
    ::SelectObject(dc, old);
    ::ReleaseDC(label, dc);

    const int margin = Application::Scale(12);
    const int buttonWidth = Application::Scale(75);
    const int buttonHeight = Application::Scale(23);
    const int textWidth = textRect.right - textRect.left;
    const int textHeight = textRect.bottom - textRect.top;
    const int clientWidth = std::max(textWidth, buttonWidth) + 2 * margin;
    const int clientHeight = margin + textHeight + margin + buttonHeight + margin;
    ::MoveWindow(label, margin, margin, textWidth, textHeight, FALSE);
    ::MoveWindow(ok, (clientWidth - buttonWidth) / 2, margin + textHeight + margin, buttonWidth, buttonHeight, FALSE);

    RECT frame{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrA(dialog, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrA(dialog, GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    ::SetWindowPos(dialog, nullptr, (screenWidth - width) / 2, (screenHeight - height) / 2, width, height,
                   SWP_NOACTIVATE | SWP_NOZORDER);
}

// What the dialog shows, and how it was ended.
struct PlainMessage {
    const std::string& text;
    int result = 0;
};

INT_PTR CALLBACK PlainMessageProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        LayOut(dialog, reinterpret_cast<const PlainMessage*>(lParam)->text);
        ::SetFocus(::GetDlgItem(dialog, IDOK));
        return FALSE;  // the focus is set
    case WM_COMMAND:
        // OK, Enter (IDOK), Esc and the close box (IDCANCEL) all end it.
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            reinterpret_cast<PlainMessage*>(::GetWindowLongPtrA(dialog, DWLP_USER))->result = IDOK;
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

}  // namespace

void ShowPlainMessage(const std::string& text)
{
    static const DialogTemplate dialog;
    PlainMessage message{text};
    // Owned by the application window, and run by the program's modal loop
    // like its other modal boxes.
    HWND box = ::CreateDialogIndirectParamA(Application::Instance(), dialog.Get(), Application::Window(),
                                            PlainMessageProc, reinterpret_cast<LPARAM>(&message));
    if (!box)
        return;
    RunModal(box, message.result);
    ::DestroyWindow(box);
}

}  // namespace yorv
