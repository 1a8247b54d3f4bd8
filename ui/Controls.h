// Owner-drawn controls shared by the program's windows: a push button with a
// glyph left of its caption (normal and disabled glyphs), and a picture
// stretched to its box.
#pragma once

#include "core/Handle.h"

#include <windows.h>

namespace yorv {

// A bitmap from the resources, or none.
UniqueGdi LoadBitmapResource(int id);

class GlyphButton {
public:
    GlyphButton() = default;
    void Attach(HWND button, int normalGlyph, int disabledGlyph, int glyphSize);
    HWND Handle() const { return button_; }
    // Answers WM_DRAWITEM for this button.
    void Draw(const DRAWITEMSTRUCT& item) const;

private:
    HWND button_ = nullptr;
    UniqueGdi normal_;
    UniqueGdi disabled_;
    int glyphSize_ = 16;
};

class PictureBox {
public:
    PictureBox() = default;
    void Attach(HWND control, int bitmap);
    HWND Handle() const { return control_; }
    void Draw(const DRAWITEMSTRUCT& item) const;

private:
    HWND control_ = nullptr;
    UniqueGdi bitmap_;
};

// Draws `bitmap` stretched into `dest`; pure magenta is left transparent.
void DrawBitmap(HDC dc, HBITMAP bitmap, const RECT& dest, bool transparent);

}  // namespace yorv
