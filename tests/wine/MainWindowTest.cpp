// The main window in process: layout, start-up sequence, selection rule,
// exit path and error reports, with a real registry key and real files.
#include "tests/wine/TestSupport.h"

#include "AboutBox/AboutBox.h"
#include "Main/Main.h"
#include "Main/Program.h"
#include "core/Catalogue.h"
#include "core/CatalogueRules.h"
#include "ui/Application.h"
#include "ui/MessageBoxes.h"
#include "working/working.h"

#include "tests/Printable.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

using namespace yorv;

namespace {

const std::string kUiKey = "YorvFrontEndUiTest";

// A game directory with YMods, an installation record pointing at it, and
// a clean settings key.
struct Game {
    explicit Game(const std::string& name, bool withEditor = true) : dir(name), record("Yorv\r\n" + dir.Path() + "\r\n"), key(kUiKey)
    {
        test::WriteBytes(dir / "yorv.exe", "stand-in");
        if (withEditor)
            test::WriteBytes(dir / "yorvedit.exe", "stand-in");
    }
    void AddMod(const std::string& name, const std::string& description = std::string())
    {
        test::MakeDir(dir / name);
        if (!description.empty())
            test::WriteBytes(dir / name + "\\YMOD.DIZ", description);
    }
    test::TempDir dir;
    test::InstallationRecord record;
    test::CleanKey key;
};

bool Enabled(const GlyphButton& button)
{
    return IsWindowEnabled(button.Handle()) != FALSE;
}

bool Checked(HWND box)
{
    return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::vector<std::string> ListItems()
{
    std::vector<std::string> items;
    const int count = static_cast<int>(SendMessageA(FrmMain->ComboYMod, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string text(static_cast<std::size_t>(SendMessageA(FrmMain->ComboYMod, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
        SendMessageA(FrmMain->ComboYMod, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(text.size() - 1);
        items.push_back(text);
    }
    return items;
}

void Select(int position)
{
    SendMessageA(FrmMain->ComboYMod, CB_SETCURSEL, position, 0);
    SendMessageA(FrmMain->Handle(), WM_COMMAND, MAKEWPARAM(IDC_COMBOYMOD, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(FrmMain->ComboYMod));
}

void Command(int id)
{
    SendMessageA(FrmMain->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void Click(const GlyphButton& button)
{
    SendMessageA(FrmMain->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button.Handle()), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button.Handle()));
}

int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

std::string MenuText(UINT id)
{
    char text[64] = {};
    GetMenuStringA(FrmMain->MainMenu1, id, text, sizeof text, MF_BYCOMMAND);
    return text;
}

}  // namespace

TEST_SUITE("mainwindow")
{
    TEST_CASE("the window, its controls, fonts, tab order and menu are laid out as designed")
    {
        Game game("layout");
        game.AddMod("FenRaiders", "Fen Raiders\r\n");
        for (int i = 0; i < 11; ++i)
            game.AddMod("mod" + std::to_string(i));
        auto windows = test::StartLauncher(kUiKey);
        HWND main = FrmMain->Handle();

        CHECK(test::WindowText(main) == "Yorv HollowFen FrontEnd");
        // Sizes are given at 96 dots per inch and scale with the screen; the
        // same test runs in a prefix set to 144 (YORV_EXPECT_DPI). A new
        // prefix has 96; Windows has the density its user chose.
        const char* expectedDpi = getenv("YORV_EXPECT_DPI");
        const int dpi = expectedDpi ? atoi(expectedDpi) : test::UnderWine() ? 96 : ScreenDpi();
        REQUIRE(Application::Dpi() == dpi);
        const auto S = [dpi](int pixels) { return MulDiv(pixels, dpi, 96); };
        RECT outer;
        GetWindowRect(main, &outer);
        CHECK(outer.right - outer.left == S(437));
        CHECK(outer.bottom - outer.top == S(345));
        const LONG_PTR style = GetWindowLongPtrA(main, GWL_STYLE);
        CHECK((style & WS_THICKFRAME) != 0);
        CHECK(GetWindow(main, GW_OWNER) == Application::Window());

        struct Expected {
            HWND control;
            const char* caption;
            RECT rect;  // left, top, right, bottom
        };
        const Expected expected[] = {
            {FrmMain->CmdExit.Handle(), "Exit", {245, 264, 320, 289}},
            {FrmMain->CmdPlay.Handle(), "Play", {109, 264, 184, 289}},
            {FrmMain->CmdAbout.Handle(), "About", {58, 208, 128, 230}},
            {FrmMain->CmdEdit.Handle(), "Edit", {180, 208, 250, 230}},
            {FrmMain->CmdRemove.Handle(), "Remove", {302, 208, 372, 230}},
            {FrmMain->Image1.Handle(), "", {65, 8, 365, 68}},
            {FrmMain->Bevel1, "", {18, 136, 411, 241}},
        };
        for (const Expected& e : expected) {
            CAPTURE(e.caption);
            CHECK(test::WindowText(e.control) == e.caption);
            const RECT rc = test::ChildRect(e.control);
            CHECK(rc.left == S(e.rect.left));
            CHECK(rc.top == S(e.rect.top));
            CHECK(rc.right - rc.left == S(e.rect.right - e.rect.left));
            CHECK(rc.bottom - rc.top == S(e.rect.bottom - e.rect.top));
        }
        // Check boxes keep their place and are at least their designed size.
        struct Box {
            HWND box;
            const char* caption;
            POINT at;
            int minWidth;
        };
        for (const Box& b : {Box{FrmMain->CBNoSound, "Disable Sound", {32, 88}, 97},
                             Box{FrmMain->CBLogFile, "Enable Log File", {32, 112}, 97},
                             Box{FrmMain->CBYmod, "Run with the following YMod", {32, 144}, 161}}) {
            CAPTURE(b.caption);
            CHECK(test::WindowText(b.box) == b.caption);
            const RECT rc = test::ChildRect(b.box);
            CHECK(rc.left == S(b.at.x));
            CHECK(rc.top == S(b.at.y));
            CHECK(rc.right - rc.left >= S(b.minWidth));
            CHECK(rc.bottom - rc.top == S(17));
        }
        const RECT label = test::ChildRect(FrmMain->Label1);
        CHECK(label.left == S(16));
        CHECK(label.top == S(64));
        CHECK(test::WindowText(FrmMain->Label1) == "Yorv Options");
        const RECT combo = test::ChildRect(FrmMain->ComboYMod);
        CHECK(combo.left == S(50));
        CHECK(combo.top == S(176));
        CHECK(combo.right - combo.left == S(329));
        const LONG_PTR comboStyle = GetWindowLongPtrA(FrmMain->ComboYMod, GWL_STYLE);
        CHECK((comboStyle & 3) == CBS_DROPDOWNLIST);
        CHECK((comboStyle & CBS_SORT) == 0);
        CHECK(SendMessageA(FrmMain->ComboYMod, CB_GETITEMHEIGHT, 0, 0) == S(13));
        // The field is 21 high, and with twelve YMods the list drops down showing 8.
        CHECK(combo.bottom - combo.top == S(21));
        COMBOBOXINFO comboInfo{};
        comboInfo.cbSize = sizeof comboInfo;
        REQUIRE(GetComboBoxInfo(FrmMain->ComboYMod, &comboInfo));
        SendMessageA(FrmMain->ComboYMod, CB_SHOWDROPDOWN, TRUE, 0);
        RECT dropped;
        GetClientRect(comboInfo.hwndList, &dropped);
        CHECK(dropped.bottom / S(13) == 8);
        SendMessageA(FrmMain->ComboYMod, CB_SHOWDROPDOWN, FALSE, 0);

        // Every control in the dialog font; the caption above the options larger.
        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(FrmMain->CBNoSound, WM_GETFONT, 0, 0)), sizeof font, &font);
        CHECK(std::string(font.lfFaceName) == "MS Sans Serif");
        CHECK(font.lfHeight == -S(11));
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(FrmMain->Label1, WM_GETFONT, 0, 0)), sizeof font, &font);
        CHECK(font.lfHeight == -S(13));

        // Tab order: Exit, Play, the three boxes, the list, About, Edit, Remove.
        Select(0);
        std::vector<HWND> order;
        HWND at = FrmMain->CmdExit.Handle();
        for (int i = 0; i < 9; ++i) {
            order.push_back(at);
            at = GetNextDlgTabItem(main, at, FALSE);
        }
        const std::vector<HWND> designed = {FrmMain->CmdExit.Handle(), FrmMain->CmdPlay.Handle(), FrmMain->CBNoSound,
                                            FrmMain->CBLogFile, FrmMain->CBYmod, FrmMain->ComboYMod,
                                            FrmMain->CmdAbout.Handle(), FrmMain->CmdEdit.Handle(),
                                            FrmMain->CmdRemove.Handle()};
        CHECK(order == designed);
        CHECK(at == FrmMain->CmdExit.Handle());
        CHECK(GetFocus() == FrmMain->CmdExit.Handle());

        // The menu with its access keys.
        HMENU bar = FrmMain->MainMenu1;
        REQUIRE(GetMenuItemCount(bar) == 3);
        char text[64];
        const char* headers[] = {"&File", "&Settings", "&Help"};
        for (int i = 0; i < 3; ++i) {
            GetMenuStringA(bar, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            CHECK(std::string(text) == headers[i]);
        }
        CHECK(MenuText(IDM_EXIT1) == "E&xit");
        CHECK(MenuText(IDM_CLOSEONRUN1) == "&Close on Run");
        CHECK(MenuText(IDM_ABOUTTHISPROGRAM1) == "About &This program");
        CHECK(MenuText(IDM_ABOUTYORVHOLLOWFEN1) == "About &Yorv HollowFen");
        CHECK(MenuText(IDM_DEVELOPERINFORMATION1) == "Developer &Information");
        HMENU help = GetSubMenu(bar, 2);
        REQUIRE(GetMenuItemCount(help) == 4);
        CHECK((GetMenuState(help, 2, MF_BYPOSITION) & MF_SEPARATOR) != 0);

        // The other two windows exist, hidden.
        char cls[32];
        GetClassNameA(About->Handle(), cls, sizeof cls);
        CHECK(std::string(cls) == "TAbout");
        CHECK_FALSE(IsWindowVisible(About->Handle()));
        GetClassNameA(FrmWork->Handle(), cls, sizeof cls);
        CHECK(std::string(cls) == "TFrmWork");
        CHECK_FALSE(IsWindowVisible(FrmWork->Handle()));
    }

    TEST_CASE("first runs: defaults, the first YMod selected, and the buttons by their rules")
    {
        SUBCASE("with YMods")
        {
            Game game("firstrun");
            game.AddMod("bogwalk");
            game.AddMod("Amp", "Tide & Sluice\r\n");
            auto windows = test::StartLauncher(kUiKey);
            CHECK(FrmMain->CloseOnRunChecked());
            CHECK_FALSE(Checked(FrmMain->CBNoSound));
            CHECK_FALSE(Checked(FrmMain->CBLogFile));
            CHECK_FALSE(Checked(FrmMain->CBYmod));
            CHECK(FrmMain->SelectedPosition() == 0);
            CHECK(Enabled(FrmMain->CmdAbout));
            CHECK(Enabled(FrmMain->CmdRemove));
            CHECK(Enabled(FrmMain->CmdEdit));
            // "&" is shown unchanged in the list.
            std::vector<std::string> items = ListItems();
            CHECK(items.size() == 2);
            bool amp = false;
            for (const std::string& item : items)
                amp = amp || item == "Tide & Sluice";
            CHECK(amp);
            // Nothing is written at start-up but the store's key.
            CHECK(game.key.Get("CloseOnRun") == "<absent>");
        }
        SUBCASE("without YMods, and without the editor")
        {
            Game game("emptygame", false);
            auto windows = test::StartLauncher(kUiKey);
            CHECK(FrmMain->SelectedPosition() == -1);
            CHECK_FALSE(Enabled(FrmMain->CmdAbout));
            CHECK_FALSE(Enabled(FrmMain->CmdRemove));
            CHECK_FALSE(Enabled(FrmMain->CmdEdit));
            CHECK(Enabled(FrmMain->CmdPlay));
            CHECK(Enabled(FrmMain->CmdExit));
        }
        SUBCASE("the editor missing keeps Edit off even with a YMod selected")
        {
            Game game("noeditor", false);
            game.AddMod("one");
            auto windows = test::StartLauncher(kUiKey);
            CHECK(FrmMain->SelectedPosition() == 0);
            CHECK_FALSE(Enabled(FrmMain->CmdEdit));
            Select(0);
            CHECK_FALSE(Enabled(FrmMain->CmdEdit));
        }
    }

    TEST_CASE("stored settings are restored, and saved positions outside the list select nothing")
    {
        Game game("restore");
        for (const char* name : {"a", "b", "c", "d"})
            game.AddMod(name);
        struct Case {
            const char* prev;
            int selected;
        };
        for (const Case& c : {Case{"2", 2}, Case{"0x3", 3}, Case{"-1", 0}, Case{"4", -1}, Case{"-2", -1},
                              Case{"abc", 0}, Case{" 1", 1}, Case{"1 ", 0}}) {
            CAPTURE(c.prev);
            game.key.SetString("PrevYmod", c.prev);
            game.key.SetString("CloseOnRun", "0");
            game.key.SetString("NoSound", "1");
            game.key.SetString("LogFile", "0");
            game.key.SetString("RunYMod", "$1");
            auto windows = test::StartLauncher(kUiKey);
            CHECK_FALSE(FrmMain->CloseOnRunChecked());
            CHECK(Checked(FrmMain->CBNoSound));
            CHECK_FALSE(Checked(FrmMain->CBLogFile));
            CHECK(Checked(FrmMain->CBYmod));
            CHECK(FrmMain->SelectedPosition() == c.selected);
            CHECK(Enabled(FrmMain->CmdAbout) == (c.selected >= 0));
            CHECK(Enabled(FrmMain->CmdRemove) == (c.selected >= 0));
            // Exit saves what is shown: a position off the list as -1.
            Click(FrmMain->CmdExit);
            CHECK(Application::Terminated());
            CHECK(game.key.Get("PrevYmod") == std::to_string(c.selected));
        }
    }

    TEST_CASE("Exit and File > Exit save the five values; any other close saves nothing")
    {
        Game game("exitpath");
        game.AddMod("one");
        game.AddMod("two");

        {
            auto windows = test::StartLauncher(kUiKey);
            SendMessageA(FrmMain->CBNoSound, BM_SETCHECK, BST_CHECKED, 0);
            SendMessageA(FrmMain->CBYmod, BM_SETCHECK, BST_CHECKED, 0);
            Select(1);
            Command(IDM_CLOSEONRUN1);
            CHECK_FALSE(FrmMain->CloseOnRunChecked());
            Command(IDM_EXIT1);
            CHECK(Application::Terminated());
        }
        CHECK(game.key.Get("CloseOnRun") == "0");
        CHECK(game.key.Get("NoSound") == "1");
        CHECK(game.key.Get("LogFile") == "0");
        CHECK(game.key.Get("RunYMod") == "1");
        CHECK(game.key.Get("PrevYmod") == "1");

        {
            auto windows = test::StartLauncher(kUiKey);
            CHECK(FrmMain->SelectedPosition() == 1);
            // Toggling twice restores the mark, and closing by the frame saves nothing.
            Command(IDM_CLOSEONRUN1);
            Command(IDM_CLOSEONRUN1);
            CHECK_FALSE(FrmMain->CloseOnRunChecked());
            Command(IDM_CLOSEONRUN1);
            SendMessageA(FrmMain->CBLogFile, BM_SETCHECK, BST_CHECKED, 0);
            Select(0);
            SendMessageA(FrmMain->Handle(), WM_CLOSE, 0, 0);
            CHECK_FALSE(IsWindow(FrmMain->Handle()));
            CHECK_FALSE(Application::Terminated());
        }
        CHECK(game.key.Get("CloseOnRun") == "0");
        CHECK(game.key.Get("LogFile") == "0");
        CHECK(game.key.Get("PrevYmod") == "1");
    }

    TEST_CASE("the selection rule follows the user's choice")
    {
        Game game("selection");
        game.AddMod("one");
        game.AddMod("long", std::string(5000, 'T') + "\r\n");
        auto windows = test::StartLauncher(kUiKey);
        Select(-1);
        CHECK_FALSE(Enabled(FrmMain->CmdAbout));
        CHECK_FALSE(Enabled(FrmMain->CmdRemove));
        CHECK(Enabled(FrmMain->CmdEdit));
        for (int position = 0; position < 2; ++position) {
            Select(position);
            CHECK(Enabled(FrmMain->CmdAbout));
            CHECK(Enabled(FrmMain->CmdRemove));
        }
        std::vector<std::string> items = ListItems();
        bool cut = false;
        for (const std::string& item : items)
            cut = cut || item == std::string(kTitleShownChars, 'T') + "...";
        CHECK(cut);
    }

    TEST_CASE("an error in the start-up sequence is reported before the window shows")
    {
        SUBCASE("a value of the wrong registry type")
        {
            Game game("badtype");
            game.AddMod("one");
            game.key.SetString("CloseOnRun", "0");
            game.key.SetString("LogFile", "1");
            game.key.Set("NoSound", REG_DWORD, std::string("\x01\x00\x00\x00", 4));
            bool mainVisible = true;
            test::ModalWatcher watcher({}, [&](test::ModalBox&) { mainVisible = IsWindowVisible(FindWindowA("TFrmMain", nullptr)); });
            auto windows = test::StartLauncher(kUiKey);
            REQUIRE(watcher.Boxes().size() == 1);
            const test::ModalBox& box = watcher.Boxes()[0];
            CHECK(box.caption == "Yorv HollowFen FrontEnd");
            CHECK(box.text == "Invalid data type for 'NoSound'");
            CHECK(box.icon == MB_ICONSTOP);
            CHECK(box.buttons == std::vector<int>{IDOK});
            CHECK(box.owner == Application::Window());
            CHECK_FALSE(mainVisible);
            // Close on Run was applied; the rest of the sequence was not run.
            CHECK_FALSE(FrmMain->CloseOnRunChecked());
            CHECK_FALSE(Checked(FrmMain->CBLogFile));
            CHECK(ListItems().empty());
            CHECK_FALSE(Enabled(FrmMain->CmdEdit));
            CHECK_FALSE(Enabled(FrmMain->CmdAbout));
            CHECK_FALSE(Enabled(FrmMain->CmdRemove));
            CHECK(GameDir.empty());
            CHECK(IsWindowVisible(FrmMain->Handle()));
            CHECK(About->Handle() != nullptr);
            CHECK(FrmWork->Handle() != nullptr);
        }
        SUBCASE("a description file another program holds open for writing")
        {
            Game game("lockedstart");
            game.AddMod("aaa", "First\r\n");
            game.AddMod("bbb", "Second\r\n");
            game.AddMod("ccc", "Third\r\n");
            ScanYModDirs();
            GameDir = game.dir.Path();
            ScanYModDirs();
            REQUIRE(YModCount == 3);
            const std::string lockedDir = YModDirs[1];
            HANDLE writer = CreateFileA(DescriptionFilePath(lockedDir).c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
            REQUIRE(writer != INVALID_HANDLE_VALUE);
            test::ModalWatcher watcher;
            auto windows = test::StartLauncher(kUiKey);
            CloseHandle(writer);
            REQUIRE(watcher.Boxes().size() == 1);
            CHECK(watcher.Boxes()[0].text == "I/O error 32.");
            CHECK(watcher.Boxes()[0].icon == MB_ICONSTOP);
            // The list holds the YMods before the locked one; nothing is selected.
            CHECK(ListItems().size() == 1);
            CHECK(FrmMain->SelectedPosition() == -1);
            CHECK_FALSE(Enabled(FrmMain->CmdAbout));
        }
    }

    TEST_CASE("a message box disables the program's other windows and gives the activation back")
    {
        Game game("ownership");
        game.AddMod("one");
        auto windows = test::StartLauncher(kUiKey);
        SetActiveWindow(FrmMain->Handle());
        test::ModalWatcher watcher;
        ShowMessageBox("text", "caption", MB_OK | MB_ICONEXCLAMATION);
        REQUIRE(watcher.Boxes().size() == 1);
        CHECK(watcher.Boxes()[0].owner == Application::Window());
        CHECK_FALSE(watcher.Boxes()[0].mainWindowEnabled);
        CHECK(watcher.Boxes()[0].icon == MB_ICONEXCLAMATION);
        CHECK(IsWindowEnabled(FrmMain->Handle()));
        CHECK(GetActiveWindow() == FrmMain->Handle());

        // Closed from the task bar while a box is up: the close is refused,
        // as the box holds the program; afterwards it closes as usual.
        test::ModalWatcher closer({}, [](test::ModalBox&) { PostMessageA(Application::Window(), WM_CLOSE, 0, 0); });
        ShowMessageBox("text", "caption", MB_OK);
        test::Pump();
        CHECK(closer.Boxes().size() == 1);
        CHECK(IsWindow(FrmMain->Handle()));
        SendMessageA(Application::Window(), WM_CLOSE, 0, 0);
        test::Pump();
        CHECK_FALSE(IsWindow(FrmMain->Handle()));
    }

    TEST_CASE("minimising hides the main window with the task-bar button's window; restoring brings it back")
    {
        Game game("minimise");
        game.AddMod("one");
        auto windows = test::StartLauncher(kUiKey);
        SendMessageA(FrmMain->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        test::Pump();
        CHECK(IsIconic(Application::Window()));
        CHECK_FALSE(IsWindowVisible(FrmMain->Handle()));
        // The task-bar button restores the application window.
        SendMessageA(Application::Window(), WM_SYSCOMMAND, SC_RESTORE, 0);
        test::Pump();
        CHECK_FALSE(IsIconic(Application::Window()));
        CHECK(IsWindowVisible(FrmMain->Handle()));
        CHECK_FALSE(IsWindowVisible(About->Handle()));  // hidden it was, hidden it stays
    }

    TEST_CASE("Enter right after start presses Exit: settings saved, program ended")
    {
        Game game("enter");
        game.AddMod("one");
        auto windows = test::StartLauncher(kUiKey);
        REQUIRE(GetFocus() == FrmMain->CmdExit.Handle());
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
        // A guard in case Enter does nothing: end the loop after a while.
        const UINT_PTR guard = SetTimer(nullptr, 0, 3000, [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(1); });
        Application::Run();
        KillTimer(nullptr, guard);
        CHECK(Application::Terminated());
        CHECK(game.key.Get("CloseOnRun") == "1");
        CHECK(game.key.Get("PrevYmod") == "0");
    }
}
