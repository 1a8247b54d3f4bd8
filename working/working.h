// The notice shown while a YMod is being removed.
#pragma once

#include "core/Handle.h"
#include "ui/Controls.h"
#include "ui/Window.h"

namespace yorv {

class TFrmWork final : public Window {
public:
    static constexpr const char* kClassName = "TFrmWork";

    // Creates the window, hidden.
    void Create();

    // Shows it on top, not modal, and draws it at once: the caller goes on
    // with blocking work and the message loop does not run meanwhile.
    void Show();
    // Hides it again; it is reused for the next removal.
    void Close();

    HWND Label1 = nullptr;
    PictureBox Image1;
    HWND Label2 = nullptr;

private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    UniqueGdi label1Font_;
    UniqueGdi label2Font_;
};

// The working window, for the whole run.
extern TFrmWork* FrmWork;

}  // namespace yorv
