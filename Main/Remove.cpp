// Removing the selected YMod.
#include "Main/Remove.h"

#include "Main/Main.h"
#include "core/Catalogue.h"
#include "core/FileSystem.h"
#include "core/RecycleBinCheck.h"
#include "core/Removal.h"
#include "ui/Application.h"
#include "ui/MessageBoxes.h"
#include "ui/PlainMessage.h"
#include "working/working.h"

namespace yorv {

BusyWindows::BusyWindows() : hook_(::SetWindowsHookExA(WH_CBT, &Activating, nullptr, ::GetCurrentThreadId()))
{
    running_ = true;
    // Shown where the system takes a reason; the main window refuses either way.
    ::ShutdownBlockReasonCreate(FrmMain->Handle(), L"A Y-Mod is being removed.");
    others_.emplace(FrmWork->Handle());
    FrmWork->Show();
}

BusyWindows::~BusyWindows()
{
    CloseWorkingWindow();
    hook_.Reset();
    DropInput();
    ::ShutdownBlockReasonDestroy(FrmMain->Handle());
    running_ = false;
}

void BusyWindows::CloseWorkingWindow()
{
    if (others_) {
        // Enabled before the working window goes, so that the activation
        // passes back to them and not to another program.
        others_->EnableAgain();
        FrmWork->Close();
        others_.reset();  // and the window that was active is active again
    }
}

void BusyWindows::DropInput()
{
    MSG msg;
    // All the system queues as input (keys, mouse on client and frame, raw).
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_INPUT)) {
    }
    // And by range what is posted as input, and touch and pointer input, which
    // Windows 7 has no queue state for (up to WM_POINTERROUTEDRELEASED).
    for (const auto& [first, last] : {std::pair<UINT, UINT>{WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK},
                                      {WM_INPUT, WM_KEYLAST},
                                      {WM_MOUSEFIRST, WM_MOUSELAST},
                                      {WM_TOUCH, 0x0253},
                                      {WM_NCMOUSEHOVER, WM_MOUSELEAVE}}) {
        while (::PeekMessageA(&msg, nullptr, first, last, PM_REMOVE)) {
        }
    }
}

LRESULT CALLBACK BusyWindows::Activating(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE) {
        DropInput();
        // A box (of the dialog class: the program's message boxes and plain
        // messages, the shell's questions) comes above the working window.
        const HWND box = reinterpret_cast<HWND>(wParam);
        char cls[8] = {};
        if (box != FrmWork->Handle() && ::IsWindowVisible(FrmWork->Handle())
            && ::GetClassNameA(box, cls, sizeof cls) && ::lstrcmpA(cls, "#32770") == 0)
            ::SetWindowPos(box, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
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

    BusyWindows busy;  // until the list is filled again
    const std::string path = JoinPath(GameDir, YModDirs[static_cast<std::size_t>(position)]);
    const DirectoryIdentity ymod(path);

    // Nothing is sent anywhere unless the recycle bin is seen to keep it.
    if (TreeHoldsFiles(path)) {
        BinCheck check;
        busy.RunKeepingPainted([&] { check = CheckRecycleBin(path); });
        if (!check.goOn) {
            busy.CloseWorkingWindow();
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
    busy.CloseWorkingWindow();

    // Asked of the YMod's own directory, not of whatever the path finds now.
    if (ymod.StillThere())
        ShowMessageBox("There was an error deleting the directory.\r\n\r\nYou may need to remove it by hand.", "ERROR",
                       MB_ICONEXCLAMATION);
    else
        ShowMessageBox("Y-Mod was removed successfully.", "Success", MB_ICONINFORMATION);
    FillYModList();
}

}  // namespace yorv
