// The notice shown while a YMod is being removed.
#pragma once

#include "../Main/Window.h"

namespace yorv {

class TFrmWork final : public Window {
public:
    static constexpr const char* kClassName = "TFrmWork";

    // Creates the window, hidden.
    void Create();

private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// The working window, for the whole run.
extern TFrmWork* FrmWork;

}  // namespace yorv
