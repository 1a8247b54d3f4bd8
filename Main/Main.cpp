#include "Main/Main.h"

#include "AboutBox/AboutBox.h"
#include "Main/Remove.h"
#include "core/Catalogue.h"
#include "core/Errors.h"
#include "core/FileSystem.h"
#include "resources/resource.h"
#include "ui/Application.h"

#include <commctrl.h>  // CB_SETMINVISIBLE: a message constant only, no library

#include <algorithm>
#include <cstring>
#include <vector>

namespace yorv {

TFrmMain* FrmMain = nullptr;

namespace {
constexpr int kOuterWidth = 437;
constexpr int kOuterHeight = 345;
constexpr int kComboFieldHeight = 21;
constexpr int kComboVisibleItems = 8;
constexpr int kComboItemHeight = 13;
constexpr DWORD kMainStyle = WS_OVERLAPPEDWINDOW;
}  // namespace

void ExitProgram()
{
    FrmMain->SaveSettings();
    Application::Terminate();
}

TFrmMain::TFrmMain(std::string storeKey) : storeKey_(std::move(storeKey)) {}

void TFrmMain::Create()
{
    RegisterWindowClass(kClassName, Application::Icon(), Application::SmallIcon());
    const int width = Application::Scale(kOuterWidth);
    const int height = Application::Scale(kOuterHeight);
    const int x = (Application::StartScreen().cx - width) / 2;
    const int y = (Application::StartScreen().cy - height) / 2;
    // The menu bar comes with the window: set afterwards, it would have the
    // frame laid out a second time.
    UniqueMenu menuBar = CreateMenuBar();
    MainMenu1 = menuBar.Get();
    const HWND created =
        CreateWin(0, kClassName, kAppTitle, kMainStyle, x, y, width, height, Application::Window(), MainMenu1);
    // The window owns the menu from here on; one that failed on the way
    // has destroyed it with itself.
    if (created || !::IsMenu(MainMenu1))
        menuBar.Release();
    if (!created)
        MainMenu1 = nullptr;
}

LRESULT TFrmMain::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        CreateControls();
        FormCreate();
        return 0;
    case WM_COMMAND:
        // One command at a time: a removal runs to its end first.
        if (!BusyWindows::Running())
            OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
        // Not while a removal runs, whose outcome is still to be shown.
        if (BusyWindows::Running())
            return 0;
        break;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        for (const GlyphButton* button : {&CmdExit, &CmdPlay, &CmdAbout, &CmdEdit, &CmdRemove}) {
            if (item.hwndItem == button->Handle())
                button->Draw(item);
        }
        if (item.hwndItem == Image1.Handle())
            Image1.Draw(item);
        return TRUE;
    }
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lParam) == Label1) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            ::SetTextColor(dc, RGB(255, 0, 0));
            ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
        }
        break;
    case WM_ACTIVATE:
        // Keep the focus where it was; the first time, it goes to Exit.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = ::GetFocus();
            if (focus && ::IsChild(Handle(), focus))
                savedFocus_ = focus;
        } else if (!HIWORD(wParam)) {
            ::SetFocus(savedFocus_ && ::IsWindowEnabled(savedFocus_) ? savedFocus_ : CmdExit.Handle());
            return 0;
        }
        break;
    case WM_SYSCOMMAND:
        // Minimising goes through the application window, which carries the
        // task-bar button: as a system command, so that the windows it owns
        // are hidden with it and come back when it is restored.
        if ((wParam & 0xFFF0) == SC_MINIMIZE) {
            ::SendMessageA(Application::Window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
            return 0;
        }
        break;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

UniqueMenu TFrmMain::CreateMenuBar()
{
    HMENU file = ::CreatePopupMenu();
    ::AppendMenuA(file, MF_STRING, IDM_EXIT1, "E&xit");
    HMENU settings = ::CreatePopupMenu();
    ::AppendMenuA(settings, MF_STRING | MF_CHECKED, IDM_CLOSEONRUN1, "&Close on Run");
    HMENU help = ::CreatePopupMenu();
    ::AppendMenuA(help, MF_STRING, IDM_ABOUTTHISPROGRAM1, "About &This program");
    ::AppendMenuA(help, MF_STRING, IDM_ABOUTYORVHOLLOWFEN1, "About &Yorv HollowFen");
    ::AppendMenuA(help, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(help, MF_STRING, IDM_DEVELOPERINFORMATION1, "Developer &Information");

    UniqueMenu bar(::CreateMenu());
    ::AppendMenuA(bar.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    ::AppendMenuA(bar.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(settings), "&Settings");
    ::AppendMenuA(bar.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(help), "&Help");
    return bar;
}

void TFrmMain::CreateControls()
{
    // Creation order is tab order.
    const DWORD glyphStyle = BS_OWNERDRAW | WS_TABSTOP;
    CmdExit.Attach(CreateChild("BUTTON", "Exit", glyphStyle, 245, 264, 75, 25, IDC_CMDEXIT), IDB_GLYPH_EXIT,
                   IDB_GLYPH_EXIT_OFF, 16);
    CmdPlay.Attach(CreateChild("BUTTON", "Play", glyphStyle, 109, 264, 75, 25, IDC_CMDPLAY), IDB_GLYPH_PLAY,
                   IDB_GLYPH_PLAY_OFF, 16);
    CBNoSound = CreateCheckBox("Disable Sound", 32, 88, 97, 17, IDC_CBNOSOUND);
    CBLogFile = CreateCheckBox("Enable Log File", 32, 112, 97, 17, IDC_CBLOGFILE);
    CBYmod = CreateCheckBox("Run with the following YMod", 32, 144, 161, 17, IDC_CBYMOD);
    ComboYMod = CreateChild("COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 50, 176, 329,
                            kComboFieldHeight, IDC_COMBOYMOD);
    SizeComboYMod();
    CmdAbout.Attach(CreateChild("BUTTON", "About", glyphStyle | WS_DISABLED, 58, 208, 70, 22, IDC_CMDABOUT),
                    IDB_GLYPH_ABOUT, IDB_GLYPH_ABOUT_OFF, 18);
    CmdEdit.Attach(CreateChild("BUTTON", "Edit", glyphStyle | WS_DISABLED, 180, 208, 70, 22, IDC_CMDEDIT),
                   IDB_GLYPH_EDIT, IDB_GLYPH_EDIT_OFF, 16);
    CmdRemove.Attach(CreateChild("BUTTON", "Remove", glyphStyle | WS_DISABLED, 302, 208, 70, 22, IDC_CMDREMOVE),
                     IDB_GLYPH_REMOVE, IDB_GLYPH_REMOVE_OFF, 16);

    // Pictures, captions and frames take no focus and come after.
    Image1.Attach(CreateChild("STATIC", "", SS_OWNERDRAW, 65, 8, 300, 60, IDC_IMAGE1), IDB_BANNER);

    labelFont_ = Application::MakeFont(13);
    Label1 = CreateSizedLabel("Yorv Options", 16, 64, static_cast<HFONT>(labelFont_.Get()), IDC_LABEL1);

    Bevel1 = CreateChild("STATIC", "", SS_ETCHEDFRAME, 18, 136, 393, 105, IDC_BEVEL1);
}

// The list's field is as high as designed, whatever its font, and the list
// drops down showing its designed number of items. The classic control drops
// to its own height less its field, worked out as it is sized, so it is
// sized again once the field has its final height; the newer one (and
// Wine's) counts the items instead, and is told the count.
void TFrmMain::SizeComboYMod()
{
    const int item = Application::Scale(kComboItemHeight);
    const int field = Application::Scale(kComboFieldHeight);
    ::SendMessageA(ComboYMod, CB_SETITEMHEIGHT, 0, item);
    // The field is its item height and its borders; and what is read back
    // of that item height may differ from what was set by a fixed amount
    // (Wine's does), so the field is measured and set at most twice.
    RECT closed{};
    LRESULT fieldItem = ::SendMessageA(ComboYMod, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    for (int attempt = 0; attempt < 2; ++attempt) {
        ::GetWindowRect(ComboYMod, &closed);
        const int error = field - static_cast<int>(closed.bottom - closed.top);
        if (error == 0)
            break;
        fieldItem += error;
        ::SendMessageA(ComboYMod, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), fieldItem);
    }
    ::GetWindowRect(ComboYMod, &closed);
    // The list's own borders, and half an item to spare against rounding.
    const int dropped = kComboVisibleItems * item + 2 * ::GetSystemMetrics(SM_CYBORDER) + item / 2;
    ::SetWindowPos(ComboYMod, nullptr, 0, 0, closed.right - closed.left, (closed.bottom - closed.top) + dropped,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageA(ComboYMod, CB_SETMINVISIBLE, kComboVisibleItems, 0);
}

HWND TFrmMain::CreateCheckBox(const char* caption, int x, int y, int width, int height, int id)
{
    // Never narrower than its caption, whatever font the system substitutes
    // for the dialog font: the box itself, the gap after it, and a little
    // room for the focus frame.
    const SIZE text =
        Application::TextExtent(Application::DefaultFont(), caption, static_cast<int>(std::strlen(caption)));
    const int needed = ::GetSystemMetrics(SM_CXMENUCHECK) + Application::Scale(6) + text.cx;
    const SIZE size{std::max(Application::Scale(width), needed), Application::Scale(height)};
    return CreateChildSized("BUTTON", caption, BS_AUTOCHECKBOX | WS_TABSTOP, x, y, size, id);
}

void TFrmMain::FormCreate()
{
    Settings = std::make_unique<SettingsStore>(storeKey_);
    LoadSettings();
    GameDir = ReadInstallationRecord();
    FillYModList();
    if (PrevIndex == -1 && !YModDirs[0].empty())
        PrevIndex = 0;
    ::SendMessageA(ComboYMod, CB_SETCURSEL, IsYModPosition(PrevIndex) ? PrevIndex : -1, 0);
    if (FileExists(JoinPath(GameDir, "yorvedit.exe")))
        ::EnableWindow(CmdEdit.Handle(), TRUE);
    ApplySelectionRule();
}

bool TFrmMain::IsChecked(HWND box) const
{
    return ::SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TFrmMain::SetChecked(HWND box, bool checked)
{
    ::SendMessageA(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TFrmMain::CloseOnRunChecked() const
{
    return ::GetMenuState(MainMenu1, IDM_CLOSEONRUN1, MF_BYCOMMAND) & MF_CHECKED;
}

void TFrmMain::SetCloseOnRun(bool checked)
{
    ::CheckMenuItem(MainMenu1, IDM_CLOSEONRUN1, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

int TFrmMain::SelectedPosition() const
{
    return static_cast<int>(::SendMessageA(ComboYMod, CB_GETCURSEL, 0, 0));
}

void TFrmMain::LoadSettings()
{
    SetCloseOnRun(Settings->ReadSettingBool(kSection, "CloseOnRun", true));
    SetChecked(CBNoSound, Settings->ReadSettingBool(kSection, "NoSound", false));
    SetChecked(CBLogFile, Settings->ReadSettingBool(kSection, "LogFile", false));
    SetChecked(CBYmod, Settings->ReadSettingBool(kSection, "RunYMod", false));
    PrevIndex = Settings->ReadSettingInt(kSection, "PrevYmod", -1);
}

void TFrmMain::SaveSettings()
{
    Settings->WriteSettingBool(kSection, "CloseOnRun", CloseOnRunChecked());
    Settings->WriteSettingBool(kSection, "NoSound", IsChecked(CBNoSound));
    Settings->WriteSettingBool(kSection, "LogFile", IsChecked(CBLogFile));
    Settings->WriteSettingBool(kSection, "RunYMod", IsChecked(CBYmod));
    Settings->WriteSettingInt(kSection, "PrevYmod", SelectedPosition());
}

void TFrmMain::FillYModList()
{
    ::SendMessageA(ComboYMod, CB_RESETCONTENT, 0, 0);
    ScanYModDirs();
    for (int slot = 0; slot < YModCount; ++slot) {
        const std::string text = YModListTextForSlot(slot);
        const LRESULT added = ::SendMessageA(ComboYMod, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (added == CB_ERR || added == CB_ERRSPACE)
            throw AppError("Unable to insert a line");
    }
    ApplySelectionRule();
}

void TFrmMain::ApplySelectionRule()
{
    std::string text;
    const int position = SelectedPosition();
    if (position >= 0) {
        const LRESULT len = ::SendMessageA(ComboYMod, CB_GETLBTEXTLEN, position, 0);
        if (len > 0) {
            std::vector<char> buffer(static_cast<std::size_t>(len) + 1);
            ::SendMessageA(ComboYMod, CB_GETLBTEXT, position, reinterpret_cast<LPARAM>(buffer.data()));
            text = buffer.data();
        }
    }
    const BOOL enable = text.empty() ? FALSE : TRUE;
    for (HWND button : {CmdAbout.Handle(), CmdRemove.Handle()}) {
        // A disabled control gives the focus up to nobody, and keys would
        // then reach no control at all: the next one takes it first.
        if (!enable && ::GetFocus() == button)
            ::SetFocus(::GetNextDlgTabItem(Handle(), button, FALSE));
        ::EnableWindow(button, enable);
    }
}

void TFrmMain::OnCommand(int id, int code)
{
    switch (id) {
    case IDC_CMDPLAY: if (code == BN_CLICKED) CmdPlayClick(); break;
    case IDC_CMDEDIT: if (code == BN_CLICKED) CmdEditClick(); break;
    case IDC_CMDABOUT: if (code == BN_CLICKED) CmdAboutClick(); break;
    case IDC_CMDREMOVE: if (code == BN_CLICKED) CmdRemoveClick(); break;
    case IDC_CMDEXIT: if (code == BN_CLICKED) CmdExitClick(); break;
    case IDC_COMBOYMOD: if (code == CBN_SELCHANGE) ComboYModChange(); break;
    case IDM_EXIT1: Exit1Click(); break;
    case IDM_CLOSEONRUN1: CloseonRun1Click(); break;
    case IDM_ABOUTTHISPROGRAM1: AboutThisprogram1Click(); break;
    case IDM_ABOUTYORVHOLLOWFEN1: AboutYorvHollowFen1Click(); break;
    case IDM_DEVELOPERINFORMATION1: DeveloperInformation1Click(); break;
    default: break;
    }
}

void TFrmMain::CmdExitClick() { ExitProgram(); }
void TFrmMain::Exit1Click() { ExitProgram(); }
void TFrmMain::ComboYModChange() { ApplySelectionRule(); }
void TFrmMain::CloseonRun1Click() { SetCloseOnRun(!CloseOnRunChecked()); }

void TFrmMain::CmdAboutClick() { About->ShowYModAbout(SelectedPosition()); }
void TFrmMain::AboutThisprogram1Click() { About->ShowThisProgram(); }
void TFrmMain::AboutYorvHollowFen1Click() { About->ShowGame(); }
void TFrmMain::DeveloperInformation1Click() { About->ShowDeveloperInformation(); }

}  // namespace yorv
