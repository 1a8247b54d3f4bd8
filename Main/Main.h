// The launcher's main window: the option boxes, the YMod list, the command
// buttons and menu, the start-up sequence and the exit path.
#pragma once

#include "core/SettingsStore.h"
#include "ui/Controls.h"
#include "ui/Window.h"

#include <memory>
#include <string>

namespace yorv {

// Control and menu identifiers. 1 and 2 are left out on purpose: they are
// what the dialog manager sends for Enter and Esc.
enum MainId : int {
    IDC_CMDEXIT = 100,
    IDC_CMDPLAY,
    IDC_CBNOSOUND,
    IDC_CBLOGFILE,
    IDC_CBYMOD,
    IDC_COMBOYMOD,
    IDC_CMDABOUT,
    IDC_CMDEDIT,
    IDC_CMDREMOVE,
    IDC_IMAGE1,
    IDC_LABEL1,
    IDC_BEVEL1,
    IDM_EXIT1 = 200,
    IDM_CLOSEONRUN1,
    IDM_ABOUTTHISPROGRAM1,
    IDM_ABOUTYORVHOLLOWFEN1,
    IDM_DEVELOPERINFORMATION1,
};

class TFrmMain final : public Window {
public:
    static constexpr const char* kClassName = "TFrmMain";

    // `storeKey` names the settings key under HKEY_CURRENT_USER.
    explicit TFrmMain(std::string storeKey = kStoreKey);

    // Creates the window; the start-up sequence runs as part of it.
    void Create();

    // The exit path's half that belongs to the window.
    void SaveSettings();

    // Controls, in tab order.
    GlyphButton CmdExit;
    GlyphButton CmdPlay;
    HWND CBNoSound = nullptr;
    HWND CBLogFile = nullptr;
    HWND CBYmod = nullptr;
    HWND ComboYMod = nullptr;
    GlyphButton CmdAbout;
    GlyphButton CmdEdit;
    GlyphButton CmdRemove;
    PictureBox Image1;
    HWND Label1 = nullptr;
    HWND Bevel1 = nullptr;
    HMENU MainMenu1 = nullptr;

    std::unique_ptr<SettingsStore> Settings;

    bool CloseOnRunChecked() const;
    int SelectedPosition() const;

    // Event handlers.
    void FormCreate();
    void CmdPlayClick();
    void CmdEditClick();
    void CmdAboutClick();
    void CmdRemoveClick();
    void CmdExitClick();
    void ComboYModChange();
    void Exit1Click();
    void CloseonRun1Click();
    void AboutThisprogram1Click();
    void AboutYorvHollowFen1Click();
    void DeveloperInformation1Click();

    void LoadSettings();
    void FillYModList();

private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void CreateControls();
    static UniqueMenu CreateMenuBar();
    void SizeComboYMod();
    HWND CreateCheckBox(const char* caption, int x, int y, int width, int height, int id);
    void OnCommand(int id, int code);
    void ApplySelectionRule();
    void SetCloseOnRun(bool checked);
    bool IsChecked(HWND box) const;
    void SetChecked(HWND box, bool checked);

    std::string storeKey_;
    UniqueGdi labelFont_;
    HWND savedFocus_ = nullptr;
};

// The main window, for the whole run.
extern TFrmMain* FrmMain;

// Saves the settings and ends the application once the current handler
// has run to its end.
void ExitProgram();

}  // namespace yorv
