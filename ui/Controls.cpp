#include "ui/Controls.h"

#include "ui/Application.h"

namespace yorv {

namespace {
constexpr COLORREF kTransparent = RGB(255, 0, 255);
constexpr int kGlyphSpacing = 4;
}  // namespace

UniqueGdi LoadBitmapResource(int id)
{
    return UniqueGdi(::LoadImageA(Application::Instance(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0,
                                  LR_CREATEDIBSECTION));
}

void DrawBitmap(HDC dc, HBITMAP bitmap, const RECT& dest, bool transparent)
{
    if (!bitmap)
        return;
    BITMAP info{};
    ::GetObjectA(bitmap, sizeof info, &info);
    HDC memory = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    const int width = dest.right - dest.left;
    const int height = dest.bottom - dest.top;
    if (transparent) {
        ::TransparentBlt(dc, dest.left, dest.top, width, height, memory, 0, 0, info.bmWidth, info.bmHeight,
                         kTransparent);
    } else {
        ::SetStretchBltMode(dc, COLORONCOLOR);
        ::StretchBlt(dc, dest.left, dest.top, width, height, memory, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    }
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
}

void GlyphButton::Attach(HWND button, int normalGlyph, int disabledGlyph, int glyphSize)
{
    button_ = button;
    normal_ = LoadBitmapResource(normalGlyph);
    disabled_ = LoadBitmapResource(disabledGlyph);
    glyphSize_ = glyphSize;
}

void GlyphButton::Draw(const DRAWITEMSTRUCT& item) const
{
    HDC dc = item.hDC;
    RECT rc = item.rcItem;
    const bool pushed = item.itemState & ODS_SELECTED;
    const bool enabled = !(item.itemState & ODS_DISABLED);
    const bool focused = item.itemState & ODS_FOCUS;

    ::DrawFrameControl(dc, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));

    char caption[64];
    const int len = ::GetWindowTextA(button_, caption, sizeof caption);
    HGDIOBJ oldFont = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(button_, WM_GETFONT, 0, 0)));
    SIZE text{};
    ::GetTextExtentPoint32A(dc, caption, len, &text);

    // Glyph and caption are centred together, the glyph on the left.
    const int glyph = Application::Scale(glyphSize_);
    const int spacing = Application::Scale(kGlyphSpacing);
    const int total = glyph + spacing + text.cx;
    const int shift = pushed ? 1 : 0;
    int x = rc.left + (rc.right - rc.left - total) / 2 + shift;
    const int midY = (rc.top + rc.bottom) / 2 + shift;

    RECT glyphRect{x, midY - glyph / 2, x + glyph, midY - glyph / 2 + glyph};
    DrawBitmap(dc, static_cast<HBITMAP>(enabled ? normal_.Get() : disabled_.Get()), glyphRect, true);
    x += glyph + spacing;

    ::SetBkMode(dc, TRANSPARENT);
    RECT textRect{x, midY - text.cy / 2, x + text.cx, midY - text.cy / 2 + text.cy};
    if (enabled) {
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
        ::DrawTextA(dc, caption, len, &textRect, DT_SINGLELINE | DT_NOCLIP);
    } else {
        // The classic engraved look of disabled text.
        RECT light = textRect;
        ::OffsetRect(&light, 1, 1);
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        ::DrawTextA(dc, caption, len, &light, DT_SINGLELINE | DT_NOCLIP);
        ::SetTextColor(dc, ::GetSysColor(COLOR_GRAYTEXT));
        ::DrawTextA(dc, caption, len, &textRect, DT_SINGLELINE | DT_NOCLIP);
    }
    ::SelectObject(dc, oldFont);

    if (focused && !(item.itemState & ODS_NOFOCUSRECT)) {
        RECT focus = item.rcItem;
        ::InflateRect(&focus, -Application::Scale(4), -Application::Scale(4));
        ::DrawFocusRect(dc, &focus);
    }
}

void PictureBox::Attach(HWND control, int bitmap)
{
    control_ = control;
    bitmap_ = LoadBitmapResource(bitmap);
}

void PictureBox::Draw(const DRAWITEMSTRUCT& item) const
{
    DrawBitmap(item.hDC, static_cast<HBITMAP>(bitmap_.Get()), item.rcItem, false);
}

}  // namespace yorv
