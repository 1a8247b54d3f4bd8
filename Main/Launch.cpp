// Play and Edit.
#include "Main/Main.h"
#include "core/Catalogue.h"
#include "core/CommandLine.h"
#include "core/FileSystem.h"
#include "core/Launcher.h"
#include "ui/Application.h"
#include "ui/MessageBoxes.h"

namespace yorv {

namespace {

// Starts `file` from the game directory. True when the shell started it;
// otherwise the player is told why, and the launcher carries on as it was.
bool StartFromGameDir(HWND owner, const char* file, const std::string& parameters)
{
    try {
        RunProgram(owner, file, parameters, GameDir, SW_SHOW);
        return true;
    } catch (const LaunchError& error) {
        ShowMessageBox(error.what(), kAppTitle, MB_ICONEXCLAMATION);
        return false;
    }
}

}  // namespace

void TFrmMain::CmdPlayClick()
{
    if (!FileExists(JoinPath(GameDir, kGameExe))) {
        ShowMessageBox("Could not find the Yorv Hollowfen EXE file.\r\n\r\n"
                       "Please make sure Yorv HollowFen is setup correctly.",
                       "Setup not Completed", MB_ICONEXCLAMATION);
        return;
    }

    std::string ymodDir;
    const int position = SelectedPosition();
    if (IsChecked(CBYmod) && position >= 0 && static_cast<std::size_t>(position) < YModDirs.size())
        ymodDir = YModDirs[static_cast<std::size_t>(position)];
    const std::string parameters = ComposeGameParameters(IsChecked(CBNoSound), IsChecked(CBLogFile), ymodDir);

    if (!StartFromGameDir(Handle(), kGameExe, parameters))
        return;
    if (CloseOnRunChecked())
        ExitProgram();
}

void TFrmMain::CmdEditClick()
{
    const int position = SelectedPosition();
    if (position < 0) {
        ShowMessageBox("You must have a YMod selected to Edit it.", "Ooops!", MB_ICONEXCLAMATION);
        return;
    }

    std::string ymodDir;
    if (static_cast<std::size_t>(position) < YModDirs.size())
        ymodDir = YModDirs[static_cast<std::size_t>(position)];
    if (!StartFromGameDir(Handle(), kEditorExe, ComposeEditorParameters(ymodDir)))
        return;
    if (CloseOnRunChecked())
        ExitProgram();
}

}  // namespace yorv
