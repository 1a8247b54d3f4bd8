// Removing the selected YMod.
#include "Main/Main.h"
#include "core/BlockingWork.h"
#include "core/Catalogue.h"
#include "core/FileSystem.h"
#include "core/RecycleBin.h"
#include "core/Removal.h"
#include "ui/Application.h"
#include "ui/MessageBoxes.h"
#include "ui/Modal.h"
#include "ui/PlainMessage.h"
#include "working/working.h"

#include <optional>

namespace yorv {

namespace {

// While the working window is up, the program's other windows are
// disabled, as under a modal box: a prompt of the shell's (its warning
// before a file would be deleted for good) runs a message loop, and no
// click may start another command in the middle of the removal. However
// the removal ends, the working window is hidden again and the others are
// enabled; and what the player typed or clicked while it ran is dropped,
// so that it answers none of the boxes that follow.
class WorkingWindowShown {
public:
    WorkingWindowShown() : others_(std::in_place, FrmWork->Handle()) { FrmWork->Show(); }
    ~WorkingWindowShown() { Close(); }
    WorkingWindowShown(const WorkingWindowShown&) = delete;
    WorkingWindowShown& operator=(const WorkingWindowShown&) = delete;
    void Close()
    {
        if (others_) {
            // Enabled before the working window goes, so that the activation
            // passes back to them and not to another program.
            others_->EnableAgain();
            FrmWork->Close();
            others_.reset();  // and the window that was active is active again
            DiscardQueuedInput();
        }
    }

private:
    std::optional<DisabledTaskWindows> others_;
};

}  // namespace

void TFrmMain::CmdRemoveClick()
{
    // Without the installation record the list shows the folders at the
    // root of the drive, which are no YMods.
    if (GameDir.empty()) {
        ShowMessageBox("The game's installation record was not found, so the Y-Mods' directory is not known."
                       "\r\n\r\nNothing was removed.",
                       Application::Title(), MB_ICONEXCLAMATION);
        return;
    }
    const int position = SelectedPosition();
    if (!IsYModPosition(position)) {
        ShowMessageBox("No Y-Mod is selected, so nothing was removed.", Application::Title(), MB_ICONEXCLAMATION);
        return;
    }

    if (ShowMessageBox("This will remove the selected Y-Mod sending all files to the recycle bin.\r\n\r\nContinue?",
                       "Are you sure?", MB_YESNO | MB_ICONSTOP | MB_DEFBUTTON2)
        != IDYES)
        return;

    WorkingWindowShown working;
    const std::string path = JoinPath(GameDir, YModDirs[static_cast<std::size_t>(position)]);

    // Nothing is sent anywhere unless the recycle bin is seen to keep it.
    if (DirectoryExists(path) && TreeHoldsFiles(path) && !RecycleBinTakesFilesFrom(path)) {
        working.Close();
        ShowMessageBox("The recycle bin cannot take the files of this Y-Mod: they would be deleted for good."
                       "\r\n\r\nNothing was removed.",
                       Application::Title(), MB_ICONEXCLAMATION);
        return;
    }

    RemoveTree(
        path,
        [](const std::string& directory) {
            ShowPlainMessage("Couldn't remove " + directory + "." + "\r\n" + "Sharing violation error.");
        },
        FrmWork->Handle());
    working.Close();

    if (DirectoryExists(path))
        ShowMessageBox("There was an error deleting the directory.\r\n\r\nYou may need to remove it by hand.", "ERROR",
                       MB_ICONEXCLAMATION);
    else
        ShowMessageBox("Y-Mod was removed successfully.", "Success", MB_ICONINFORMATION);
    FillYModList();
}

}  // namespace yorv
