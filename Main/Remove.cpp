// Removing the selected YMod.
#include "Main/Remove.h"

#include "Main/Main.h"
#include "core/Catalogue.h"
#include "core/FileSystem.h"
#include "core/RecycleBinCheck.h"
#include "core/Removal.h"
#include "ui/Application.h"
#include "ui/MessageBoxes.h"
#include "ui/Modal.h"
#include "ui/PlainMessage.h"
#include "working/working.h"

#include <optional>

namespace yorv {

BusyWindows::BusyWindows() : hook_(::SetWindowsHookExA(WH_CBT, &Activating, nullptr, ::GetCurrentThreadId())) {}

BusyWindows::~BusyWindows()
{
    hook_.Reset();
    DropInput();
}

void BusyWindows::DropInput()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    while (::PeekMessageA(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
}

LRESULT CALLBACK BusyWindows::Activating(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE)
        DropInput();
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

DWORD WINAPI BusyWindows::Run(void* work)
{
    (*static_cast<const std::function<void()>*>(work))();
    return 0;
}

void BusyWindows::RunKeepingPainted(const std::function<void()>& work) const
{
    const UniqueProcess thread(::CreateThread(nullptr, 0, &Run, const_cast<std::function<void()>*>(&work), 0, nullptr));
    if (!thread) {
        work();  // no thread to be had: done here, the windows unpainted meanwhile
        return;
    }
    HANDLE handle = thread.Get();
    while (::MsgWaitForMultipleObjectsEx(1, &handle, INFINITE, QS_PAINT | QS_SENDMESSAGE | QS_INPUT,
                                         MWMO_INPUTAVAILABLE)
           != WAIT_OBJECT_0) {
        // A bounded number: a window that never validates would be painted
        // over and over.
        MSG msg;
        for (int i = 0; i < 64 && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE);
             ++i)
            ::DispatchMessageA(&msg);
        DropInput();
    }
    DropInput();
}

namespace {

// While the working window is up, the program's other windows are
// disabled, as under a modal box: a prompt of the shell's (its warning
// before a file would be deleted for good) runs a message loop, and no
// click may start another command in the middle of the removal. However
// the removal ends, the working window is hidden again and the others are
// enabled.
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

    const BusyWindows busy;  // until the list is filled again
    WorkingWindowShown working;
    const std::string path = JoinPath(GameDir, YModDirs[static_cast<std::size_t>(position)]);
    const DirectoryIdentity ymod(path);

    // Nothing is sent anywhere unless the recycle bin is seen to keep it.
    if (TreeHoldsFiles(path)) {
        BinCheck check;
        busy.RunKeepingPainted([&] { check = CheckRecycleBin(path); });
        if (!check.goOn) {
            working.Close();
            ShowMessageBox(check.message, Application::Title(), MB_ICONEXCLAMATION);
            return;
        }
        if (!check.message.empty())
            ShowMessageBox(check.message, Application::Title(), MB_ICONINFORMATION);
    }

    RemoveTree(
        path,
        [](const std::string& directory) {
            ShowPlainMessage("Couldn't remove " + directory + "." + "\r\n" + "Sharing violation error.");
        },
        FrmWork->Handle());
    working.Close();

    // Asked of the YMod's own directory, not of whatever the path finds now.
    if (ymod.StillThere())
        ShowMessageBox("There was an error deleting the directory.\r\n\r\nYou may need to remove it by hand.", "ERROR",
                       MB_ICONEXCLAMATION);
    else
        ShowMessageBox("Y-Mod was removed successfully.", "Success", MB_ICONINFORMATION);
    FillYModList();
}

}  // namespace yorv
