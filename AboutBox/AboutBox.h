// The information dialog: a YMod's description, the launcher's and the
// game's About boxes, and the help text for YMod authors.
#pragma once

#include "../Main/Window.h"

namespace yorv {

class TAbout final : public Window {
public:
    static constexpr const char* kClassName = "TAbout";

    // Creates the dialog, hidden.
    void Create();

    void ShowYModAbout(int position);
    void ShowThisProgram();
    void ShowGame();
    void ShowDeveloperInformation();

private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// The information dialog, for the whole run.
extern TAbout* About;

}  // namespace yorv
