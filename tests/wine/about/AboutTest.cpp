// The information dialog with the real windows and real description files:
// what a player sees for each YMod, the three Help boxes, the layout, the
// keyboard, failures to read, huge files, and no leaks.
#include "tests/wine/about/AboutWatch.h"

#include "core/Errors.h"

#include "tests/Printable.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

using namespace yorv;
using test::AboutShown;
using test::AboutWatcher;
using test::Launcher;

namespace {

constexpr const char* kTestKey = "YorvAboutTest";

const std::vector<std::string> kNotice = {
    "No About information found for this YMod.",
    "",
    "See 'Help | Developer Info' for more information.",
};

const std::vector<std::string> kDeveloperHelp = {
    "Do you create YMods?",
    "",
    "If so, consider creating a simple text file named YMOD.DIZ and distributing it with your YMod.",
    "",
    "Your YMod's name will be displayed instead of just the directory name, and an About box will display "
    "additional information.",
    "",
    "Using a text editor, create a file called YMOD.DIZ",
    "Line1 is the YMod name/version",
    "Line2 and Line3 are for Copyright or support information",
    "The remaining lines, as many as you like, are a description of the YMOD.  Blank lines are OK.",
    "",
    "Line1 is displayed instead of the YMod directory on the main form.",
    "lines 1,2,3 are the labels in the About box.",
    "The remaining lines are displayed in a text box in the About Box",
    "",
    "See the YMOD.DIZ file included in this archive for an example.",
};

void AddYMod(const test::TempDir& game, const std::string& name, const std::string* diz)
{
    test::MakeDir(game / name);
    if (diz)
        test::WriteBytes(game / name + "\\YMOD.DIZ", *diz);
}

// Opens the About box of the YMod in directory `name` as the player does.
AboutShown AboutOf(const Launcher& launcher, const std::string& name)
{
    const int position = launcher.PositionOf(name);
    REQUIRE(position >= 0);
    launcher.Select(position);
    AboutWatcher watcher;
    launcher.PressAbout();
    REQUIRE(watcher.Count() == 1);
    return watcher.Shows().front();
}

int MemoLineCount()
{
    return static_cast<int>(SendMessageA(About->Memo1, EM_GETLINECOUNT, 0, 0));
}

RECT Expected(int x, int y, int width, int height)
{
    return RECT{Application::Scale(x), Application::Scale(y), Application::Scale(x + width),
                Application::Scale(y + height)};
}

bool Same(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Describe(const RECT& rc)
{
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + " " + std::to_string(rc.right - rc.left) + "x"
        + std::to_string(rc.bottom - rc.top);
}

LONG FontHeight(HWND control)
{
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
}

std::string FontFace(HWND control)
{
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfFaceName;
}

// Live GDI objects of this process. Windows counts them for
// GetGuiResources; Wine answers 0 there, so the process's GDI handle table
// (reached through the PEB, as on Windows) is counted instead: one 24-byte
// entry per handle, its type byte non-zero while the object lives.
DWORD GdiObjectCount()
{
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted)
        return counted;
    const BYTE* peb = nullptr;
    asm("mov %%gs:0x60, %0" : "=r"(peb));
    const auto* table = *reinterpret_cast<const BYTE* const*>(peb + 0xF8);
    if (!table)
        return 0;
    DWORD live = 0;
    for (std::size_t i = 0; i < 0x10000; ++i) {
        if (table[i * 24 + 14] != 0)
            ++live;
    }
    return live;
}

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM param)
{
    ++*reinterpret_cast<DWORD*>(param);
    EnumChildWindows(hwnd, CountWindow, param);
    return TRUE;
}

// USER objects of this process: GetGuiResources where it counts them, else
// the windows of this thread and all their children.
DWORD UserObjectCount()
{
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (counted)
        return counted;
    DWORD windows = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

LONG_PTR StyleOf(HWND hwnd)
{
    return GetWindowLongPtrA(hwnd, GWL_STYLE);
}

}  // namespace

TEST_SUITE("about")
{
    TEST_CASE("a YMod's description file fills the labels and the text box, line by line")
    {
        test::TempDir game("about_ymods");
        struct Filled {
            const char* dir;
            const char* diz;  // none where null
            const char* label1;
            const char* label2;
            const char* label3;
            std::string memo;
        };
        const char* const lfOnly = "Unix Title\nsecond\nthird\nfourth\n";
        const Filled filled[] = {
            {"OneLine", "Only a Title 1.0\r\n", "Only a Title 1.0", "", "", ""},  // the title only
            // Blank lines stay, the final line end adds none.
            {"Blanks", "Blank Lines\r\nby Ada\r\nsupport@example.com\r\nfirst\r\n\r\n\r\nafter two blank lines\r\n",
             "Blank Lines", "by Ada", "support@example.com", "first\r\n\r\n\r\nafter two blank lines"},
            // Ctrl-Z ends the file.
            {"CtrlZ", "Cut Short\r\n(c) 1998\r\nthird\r\nshown\r\nalso shown\x1Anever shown\r\nnor this\r\n", "Cut Short",
             "(c) 1998", "third", "shown\r\nalso shown"},
            {"LfOnly", lfOnly, lfOnly, "", "", ""},  // LF-only line ends make one line, all of it in the first label
            {"CrOnly", "Old Mac Title\rline two\rline three\rbody one\rbody two", "Old Mac Title", "line two", "line three",
             "body one\r\nbody two"},  // CR-only line ends read line by line
            // Listed by its directory name, and still opened.
            {"EmptyFirst", "\r\nCopyright 1998 Nobody\r\nhelp@example.com\r\nthe body\r\n", "", "Copyright 1998 Nobody",
             "help@example.com", "the body"},
            {"NoDiz", nullptr, "", "", "", kNotice[0] + "\r\n" + kNotice[1] + "\r\n" + kNotice[2]},  // the notice
        };
        for (const Filled& f : filled) {
            const std::string diz = f.diz ? f.diz : "";
            AddYMod(game, f.dir, f.diz ? &diz : nullptr);
        }
        const std::string amps = "Fen && Marsh &Raiders\r\nR&D by Ada && Tom\r\n&Support\r\nSalt & Pepper && Co\r\n";
        AddYMod(game, "Amps", &amps);
        Launcher launcher(game.Path(), kTestKey);
        REQUIRE(YModCount == 8);

        SUBCASE("each file as the labels and the text box show it; with nothing selected, the notice")
        {
            for (const Filled& f : filled) {
                CAPTURE(f.dir);
                const AboutShown shown = AboutOf(launcher, f.dir);
                CHECK(shown.caption == "About");
                CHECK(shown.label1 == f.label1);
                CHECK(shown.label2 == f.label2);
                CHECK(shown.label3 == f.label3);
                CHECK(shown.memo == f.memo);
                CHECK(MemoLineCount() == std::count(f.memo.begin(), f.memo.end(), '\n') + 1);
            }
            CHECK(launcher.ListText(launcher.PositionOf("EmptyFirst")) == "EmptyFirst");

            launcher.Select(-1);
            AboutWatcher watcher;
            launcher.PressAbout();
            REQUIRE(watcher.Count() == 1);
            CHECK(watcher.Shows().front().label1 == "");
            CHECK(test::SplitCrLf(watcher.Shows().front().memo) == kNotice);
        }
        SUBCASE("\"&\" marks an access key in the labels and is shown as it is in the text box and the list")
        {
            const AboutShown shown = AboutOf(launcher, "Amps");
            CHECK(shown.label1 == "Fen && Marsh &Raiders");
            CHECK(shown.label2 == "R&D by Ada && Tom");
            CHECK(shown.label3 == "&Support");
            for (HWND label : {About->Label1, About->Label2, About->Label3})
                CHECK((StyleOf(label) & SS_NOPREFIX) == 0);
            CHECK(shown.memo == "Salt & Pepper && Co");
            CHECK(launcher.ListText(launcher.PositionOf("Amps")) == "Fen && Marsh &Raiders");

            // What the label draws: the access-key rule turns "&&" into one
            // "&" and drops a single "&", so the first label is as wide as
            // "Fen & Marsh Raiders" written plainly.
            HDC dc = GetDC(About->Label1);
            HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(About->Label1, WM_GETFONT, 0, 0)));
            RECT withPrefix{0, 0, 1000, 100};
            RECT plain{0, 0, 1000, 100};
            DrawTextA(dc, shown.label1.c_str(), -1, &withPrefix, DT_CALCRECT | DT_SINGLELINE);
            DrawTextA(dc, "Fen & Marsh Raiders", -1, &plain, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
            SelectObject(dc, old);
            ReleaseDC(About->Label1, dc);
            CHECK(withPrefix.right == plain.right);

            // But it moves the focus nowhere: the letter typed on OK, with or
            // without Alt, leaves it there, and Enter closes the dialog.
            HWND focusAfterKeys = nullptr;
            AboutWatcher typing({
                [&](HWND) {
                    PostMessageA(GetFocus(), WM_CHAR, 's', 0);
                    PostMessageA(GetFocus(), WM_SYSCHAR, 'r', 1 << 29);
                    return true;
                },
                [&](HWND) {
                    focusAfterKeys = GetFocus();
                    PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
                    return false;
                },
            });
            launcher.PressAbout();
            CHECK(typing.Count() == 1);
            CHECK(focusAfterKeys == About->OKButton);
            CHECK_FALSE(IsWindowVisible(About->Handle()));
        }
        SUBCASE("every filling replaces all of the last one")
        {
            AboutOf(launcher, "Blanks");
            AboutWatcher watcher;
            FrmMain->AboutThisprogram1Click();
            FrmMain->AboutYorvHollowFen1Click();
            FrmMain->DeveloperInformation1Click();
            launcher.Select(launcher.PositionOf("OneLine"));
            launcher.PressAbout();
            launcher.Select(launcher.PositionOf("NoDiz"));
            launcher.PressAbout();
            REQUIRE(watcher.Count() == 5);
            const auto& shows = watcher.Shows();
            for (const AboutShown& shown : shows) {
                CHECK(shown.label1 != "Blank Lines");
                CHECK(shown.memo.find("after two blank lines") == std::string::npos);
            }
            CHECK(shows[0].label1 == "Yorv HollowFen FrontEnd");
            CHECK(shows[0].label2 == "Version 2.0");
            CHECK(shows[0].label3.find("1998") != std::string::npos);
            CHECK(test::SplitCrLf(shows[0].memo).size() == 7);
            CHECK(shows[1].label1 == "Yorv HollowFen");
            CHECK(shows[1].label2.find("1997") != std::string::npos);
            CHECK(shows[1].label3.find("example.com") != std::string::npos);
            CHECK(test::SplitCrLf(shows[1].memo).size() == 3);
            CHECK(shows[2].label1 == "How to create a YMod description file.");
            CHECK(shows[2].label2 == "");
            CHECK(shows[2].label3 == "");
            CHECK(shows[3].label2 == "");
            CHECK(shows[3].memo == "");
            CHECK(shows[4].label1 == "");
            CHECK(test::SplitCrLf(shows[4].memo) == kNotice);
        }
    }

    TEST_CASE("the three Help boxes and the help text for YMod authors")
    {
        test::TempDir game("about_help");
        Launcher launcher(game.Path(), kTestKey);
        AboutWatcher watcher;
        for (int id : {IDM_DEVELOPERINFORMATION1, IDM_ABOUTTHISPROGRAM1, IDM_ABOUTYORVHOLLOWFEN1}) {
            PostMessageA(FrmMain->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
            test::Pump(60);
        }
        REQUIRE(watcher.Count() == 3);
        const AboutShown& help = watcher.Shows()[0];
        CHECK(help.label1 == "How to create a YMod description file.");
        CHECK(help.label2 == "");
        CHECK(help.label3 == "");
        CHECK(test::SplitCrLf(help.memo) == kDeveloperHelp);
        CHECK(test::SplitCrLf(help.memo).size() == 16);

        // The launcher's About: name and version, the author's copyright,
        // then addresses, a note and the game's two copyright lines.
        const AboutShown& program = watcher.Shows()[1];
        const std::vector<std::string> lines = test::SplitCrLf(program.memo);
        REQUIRE(lines.size() == 7);
        CHECK(lines[0].find("@") != std::string::npos);
        CHECK(lines[1].find("http://") != std::string::npos);
        CHECK(lines[2] == "");
        CHECK(lines[3].find(".  ") != std::string::npos);
        CHECK(lines[4] == "");
        CHECK(lines[5].find("1997") != std::string::npos);
        CHECK(lines[6].find("1997") != std::string::npos);
        CHECK(lines[6].find("raphics") != std::string::npos);

        // The game's About: slogan, empty line, one long paragraph that the
        // box wraps.
        const AboutShown& gameBox = watcher.Shows()[2];
        const std::vector<std::string> gameLines = test::SplitCrLf(gameBox.memo);
        REQUIRE(gameLines.size() == 3);
        CHECK(gameLines[1] == "");
        CHECK(gameLines[2].size() > 200);
        CHECK(MemoLineCount() > 3);
    }

    TEST_CASE("a description file another program holds open for writing: the error report, no dialog")
    {
        test::TempDir game("about_locked");
        const std::string diz = "Locked Title\r\nline 2\r\n";
        AddYMod(game, "Locked", &diz);
        Launcher launcher(game.Path(), kTestKey);
        launcher.Select(launcher.PositionOf("Locked"));

        HANDLE writer = CreateFileA((game / "Locked\\YMOD.DIZ").c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
        REQUIRE(writer != INVALID_HANDLE_VALUE);
        AboutWatcher about;
        {
            test::ModalWatcher boxes;
            launcher.PressAbout();
            test::Pump(100);
            REQUIRE(boxes.Boxes().size() == 1);
            const test::ModalBox& box = boxes.Boxes().front();
            CHECK(box.caption == "Yorv HollowFen FrontEnd");
            CHECK(box.text == "I/O error 32.");
            CHECK(box.icon == MB_ICONSTOP);
            CHECK(box.buttons == std::vector<int>{IDOK});
        }
        CloseHandle(writer);
        CHECK(about.Count() == 0);
        CHECK_FALSE(IsWindowVisible(About->Handle()));
        CHECK(IsWindowEnabled(FrmMain->Handle()));

        // Once the other program lets go, the box opens as usual.
        launcher.PressAbout();
        REQUIRE(about.Count() == 1);
        CHECK(about.Shows().front().label1 == "Locked Title");
    }

    TEST_CASE("a modal dialog: the other windows are disabled, the focus starts on OK, Esc does nothing")
    {
        test::TempDir game("about_modal");
        Launcher launcher(game.Path(), kTestKey);
        SetActiveWindow(FrmMain->Handle());
        test::Pump(30);
        REQUIRE(GetActiveWindow() == FrmMain->Handle());

        SUBCASE("while it is up and after")
        {
            AboutWatcher watcher;
            FrmMain->DeveloperInformation1Click();
            REQUIRE(watcher.Count() == 1);
            const AboutShown& shown = watcher.Shows().front();
            CHECK(shown.focus == About->OKButton);
            CHECK(shown.owner == Application::Window());
            CHECK_FALSE(shown.mainEnabled);
            CHECK_FALSE(shown.appEnabled);
            CHECK(IsWindowEnabled(FrmMain->Handle()));
            CHECK(IsWindowEnabled(Application::Window()));
            CHECK_FALSE(IsWindowVisible(About->Handle()));
            CHECK(GetActiveWindow() == FrmMain->Handle());
        }
        SUBCASE("Enter on OK closes it; Tab takes the focus to the text box, which keeps Enter and Esc")
        {
            HWND focusAfterTab = nullptr;
            bool upAfterEnterInMemo = false;
            bool upAfterEsc = false;
            HWND focusAfterShiftTab = nullptr;
            std::vector<AboutWatcher::Step> steps = {
                [&](HWND) {
                    PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
                    return true;
                },
                [&](HWND) {
                    focusAfterTab = GetFocus();
                    PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
                    PostMessageA(GetFocus(), WM_CHAR, '\r', 0);
                    return true;
                },
                [&](HWND dialog) {
                    upAfterEnterInMemo = IsWindowVisible(dialog) != FALSE;
                    PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
                    PostMessageA(GetFocus(), WM_CHAR, 27, 0);
                    return true;
                },
                [&](HWND dialog) {
                    upAfterEsc = IsWindowVisible(dialog) != FALSE;
                    PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
                    return true;
                },
                [&](HWND) {
                    focusAfterShiftTab = GetFocus();
                    PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
                    return false;
                },
            };
            AboutWatcher watcher(steps);
            FrmMain->DeveloperInformation1Click();
            CHECK(watcher.Count() == 1);
            CHECK(focusAfterTab == About->Memo1);
            CHECK(upAfterEnterInMemo);
            CHECK(upAfterEsc);
            CHECK(focusAfterShiftTab == About->OKButton);
            CHECK_FALSE(IsWindowVisible(About->Handle()));
            // The read-only box took the Enter without changing its text.
            CHECK(test::SplitCrLf(test::WindowText(About->Memo1)) == kDeveloperHelp);
        }
        SUBCASE("each time it becomes active the focus goes to OK")
        {
            HWND focusBack = nullptr;
            std::vector<AboutWatcher::Step> steps = {
                [&](HWND) {
                    SetFocus(About->Memo1);
                    // Away to another window and back again.
                    SendMessageA(About->Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
                    SendMessageA(About->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
                    focusBack = GetFocus();
                    return true;
                },
            };
            AboutWatcher watcher(steps);
            CHECK(About->ShowModal() == IDOK);
            CHECK(focusBack == About->OKButton);
        }
        SUBCASE("arrow keys on OK leave the focus there, never on a picture, label or the panel")
        {
            std::vector<HWND> focusAfter;
            std::vector<AboutWatcher::Step> steps;
            for (WPARAM key : {VK_DOWN, VK_RIGHT, VK_UP, VK_LEFT}) {
                steps.push_back([&, key](HWND) {
                    focusAfter.push_back(GetFocus());
                    PostMessageA(GetFocus(), WM_KEYDOWN, key, 0);
                    return true;
                });
            }
            steps.push_back([&](HWND) {
                focusAfter.push_back(GetFocus());
                return false;
            });
            AboutWatcher watcher(steps);
            About->ShowModal();
            CHECK(focusAfter == std::vector<HWND>(5, About->OKButton));
        }
        SUBCASE("the frame's close button closes it, Esc on OK does not")
        {
            bool upAfterEsc = false;
            std::vector<AboutWatcher::Step> steps = {
                [&](HWND) {
                    PostMessageA(About->OKButton, WM_KEYDOWN, VK_ESCAPE, 0);
                    return true;
                },
                [&](HWND dialog) {
                    upAfterEsc = IsWindowVisible(dialog) != FALSE;
                    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
                    return false;
                },
            };
            AboutWatcher watcher(steps);
            CHECK(About->ShowModal() == IDCANCEL);
            CHECK(upAfterEsc);
            CHECK(IsWindow(About->Handle()));  // kept for the next use
        }
    }

    TEST_CASE("the layout at 96 dots per inch, the fonts and the kinds of controls")
    {
        test::TempDir game("about_layout");
        Launcher launcher(game.Path(), kTestKey);
        HWND dialog = About->Handle();

        RECT client;
        GetClientRect(dialog, &client);
        CHECK(client.right == Application::Scale(345));
        CHECK(client.bottom == Application::Scale(259));
        RECT outer;
        GetWindowRect(dialog, &outer);
        CHECK(std::abs((outer.left + outer.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2) <= 1);
        CHECK(std::abs((outer.top + outer.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2) <= 1);
        CHECK(test::WindowText(dialog) == "About");
        CHECK((StyleOf(dialog) & WS_THICKFRAME) == 0);
        CHECK((StyleOf(dialog) & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) == 0);
        CHECK((GetWindowLongPtrA(dialog, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME) != 0);

        // The panel at 8,8; the controls on it in its coordinates.
        const struct {
            HWND control;
            RECT rect;
        } layout[] = {
            {About->Panel1, Expected(8, 8, 329, 201)},
            {About->ProgramIcon, Expected(8 + 8, 8 + 8, 65, 57)},
            {About->Label1, Expected(8 + 80, 8 + 12, 240, 21)},
            {About->Label2, Expected(8 + 80, 8 + 36, 240, 21)},
            {About->Label3, Expected(8 + 80, 8 + 56, 240, 13)},
            {About->Memo1, Expected(8 + 8, 8 + 88, 313, 105)},
            {About->OKButton, Expected(135, 228, 75, 25)},
        };
        for (const auto& item : layout) {
            const RECT actual = test::ChildRect(item.control);
            INFO("control ", GetDlgCtrlID(item.control), " at ", Describe(actual));
            CHECK(GetParent(item.control) == dialog);
            CHECK(Same(actual, item.rect));
        }

        CHECK(FontFace(About->Label1) == "MS Sans Serif");
        CHECK(FontHeight(About->Label1) == -Application::Scale(13));
        for (HWND control : {About->Label2, About->Label3, About->Memo1, About->OKButton}) {
            CHECK(FontFace(control) == "MS Sans Serif");
            CHECK(FontHeight(control) == -Application::Scale(11));
        }

        for (HWND label : {About->Label1, About->Label2, About->Label3})
            CHECK((StyleOf(label) & SS_TYPEMASK) == SS_LEFTNOWORDWRAP);
        const LONG_PTR memo = StyleOf(About->Memo1);
        CHECK((memo & ES_MULTILINE) != 0);
        CHECK((memo & ES_READONLY) != 0);
        CHECK((memo & WS_VSCROLL) != 0);
        CHECK((memo & (ES_AUTOHSCROLL | WS_HSCROLL)) == 0);  // long lines wrap
        CHECK(test::WindowText(About->OKButton) == "OK");
        CHECK(GetDlgCtrlID(About->OKButton) == IDOK);
        CHECK((StyleOf(About->OKButton) & BS_TYPEMASK) == BS_DEFPUSHBUTTON);

        // Tab order: the text box first, then OK; nothing else takes the focus.
        CHECK(GetNextDlgTabItem(dialog, nullptr, FALSE) == About->Memo1);
        CHECK(GetNextDlgTabItem(dialog, About->Memo1, FALSE) == About->OKButton);
        CHECK(GetNextDlgTabItem(dialog, About->OKButton, FALSE) == About->Memo1);
    }

    TEST_CASE("long descriptions: every line is in the box, and neither a huge label line nor a long run stalls")
    {
        test::TempDir game("about_long");
        std::string longDiz = "Long One\r\nline 2\r\nline 3\r\n";
        std::string expected;
        for (int i = 0; i < 5000; ++i) {
            const std::string line = "Description line " + std::to_string(i) + " of the long one, to be seen.";
            longDiz += line + "\r\n";
            expected += (i ? "\r\n" : "") + line;
        }
        REQUIRE(expected.size() > 100000);
        AddYMod(game, "Long", &longDiz);

        // 64 MB in one single line: LF-only line ends.
        std::string huge;
        huge.reserve(64u << 20);
        while (huge.size() < (64u << 20))
            huge += "The fen goes on and on without a single carriage return.\n";
        AddYMod(game, "Huge", &huge);
        // A description line of 70,000 characters and not one blank, between
        // two blanks: broken every 256 characters, nothing lost.
        const std::string run(70000, 'W');
        std::string unbroken = "Blob\r\n\r\n\r\nbefore " + run + " after";
        AddYMod(game, "Blob", &unbroken);
        Launcher launcher(game.Path(), kTestKey);

        const AboutShown blob = AboutOf(launcher, "Blob");
        std::string expectedBlob = "before ";
        for (std::size_t at = 0; at < run.size(); at += 256)
            expectedBlob += (at ? "\r\n" : "") + run.substr(at, 256);
        expectedBlob += " after";
        CHECK(blob.memo == expectedBlob);

        const AboutShown shown = AboutOf(launcher, "Long");
        CHECK(shown.memo.size() == expected.size());
        CHECK(shown.memo == expected);
        CHECK(MemoLineCount() >= 5000);

        const auto start = std::chrono::steady_clock::now();
        const AboutShown hugeShown = AboutOf(launcher, "Huge");
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        MESSAGE("About on a 64 MB single line took ", seconds, " s");
        CHECK(seconds < 5.0);
        CHECK(hugeShown.label1.size() == TAbout::kLabelChars);
        CHECK(hugeShown.label1 == huge.substr(0, TAbout::kLabelChars));
        CHECK(hugeShown.label2 == "");
        CHECK(hugeShown.memo == "");
    }

    TEST_CASE("description lines the text box could not show as they stand")
    {
        REQUIRE(GetACP() == 1252);
        test::TempDir game("about_odd_lines");
        // A zero byte ends its own line only, as it would end the whole text.
        const char nulRaw[] = "Nul Mod\r\nL2\r\nL3\r\nbefore\0after\r\nnext line\r\nlast line\r\n";
        const std::string nul(nulRaw, sizeof nulRaw - 1);
        // The small tilde (0x98) at the start of a line, or of a line wrapped
        // at the box's width, brought Wine's text box down with the program:
        // it is shown as a tilde.
        std::string tildes = "Tilde Mod\r\nL2\r\nL3\r\n\x98\x98\x98 The Drowned Bells \x98\x98\x98\r\n";
        std::string wrapped;
        for (int i = 0; i < 40; ++i)
            wrapped += "bells \x98\x98\x98\x98\x98\x98 ";
        tildes += wrapped + "\r\n" + std::string(300, '\x98') + "\r\nA fen for two.\r\n";
        // Lone LFs are blanks between the words, not a run to be broken.
        std::string words;
        for (int i = 0; i < 60; ++i)
            words += "word" + std::to_string(i % 10) + "\n";
        const std::string lfWords = "LF Words\r\nL2\r\nL3\r\n" + words + "\r\n";
        AddYMod(game, "ZeroByte", &nul);
        AddYMod(game, "Tildes", &tildes);
        AddYMod(game, "LfWords", &lfWords);
        Launcher launcher(game.Path(), kTestKey);

        CHECK(AboutOf(launcher, "ZeroByte").memo == "before\r\nnext line\r\nlast line");
        const AboutShown tilde = AboutOf(launcher, "Tildes");
        std::string tildeWrapped;
        for (int i = 0; i < 40; ++i)
            tildeWrapped += "bells ~~~~~~ ";
        CHECK(tilde.memo
              == "~~~ The Drowned Bells ~~~\r\n" + tildeWrapped + "\r\n" + std::string(256, '~') + "\r\n"
                     + std::string(44, '~') + "\r\nA fen for two.");
        CHECK(tilde.label1 == "Tilde Mod");
        CHECK(AboutOf(launcher, "LfWords").memo == words);
    }

    TEST_CASE("a thousand fillings and showings leave the GDI and USER object counts where they began")
    {
        test::TempDir game("about_leak");
        const std::string diz = "Leak Check\r\nline 2\r\nline 3\r\nbody\r\n\r\nmore body\r\n";
        AddYMod(game, "Leaky", &diz);
        Launcher launcher(game.Path(), kTestKey);
        launcher.Select(launcher.PositionOf("Leaky"));

        // One round of each first, so that what is made once (fonts, the
        // system's caches) is already there.
        AboutWatcher watcher({}, 10);
        FrmMain->CmdAboutClick();
        FrmMain->AboutThisprogram1Click();
        FrmMain->AboutYorvHollowFen1Click();
        FrmMain->DeveloperInformation1Click();
        test::Pump(50);
        // The counts see what the program makes and frees.
        const DWORD gdiBefore = GdiObjectCount();
        const DWORD userBefore = UserObjectCount();
        {
            HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
            HWND extra = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
            CHECK(GdiObjectCount() == gdiBefore + 1);
            CHECK(UserObjectCount() == userBefore + 1);
            DestroyWindow(extra);
            DeleteObject(brush);
            REQUIRE(GdiObjectCount() == gdiBefore);
            REQUIRE(UserObjectCount() == userBefore);
        }

        for (int i = 0; i < 250; ++i) {
            FrmMain->CmdAboutClick();
            FrmMain->AboutThisprogram1Click();
            FrmMain->AboutYorvHollowFen1Click();
            FrmMain->DeveloperInformation1Click();
        }
        test::Pump(50);
        CHECK(watcher.Count() == 4 + 1000);
        const DWORD gdiAfter = GdiObjectCount();
        const DWORD userAfter = UserObjectCount();
        MESSAGE("GDI objects ", gdiBefore, " -> ", gdiAfter, ", USER objects ", userBefore, " -> ", userAfter);
        CHECK(gdiAfter == gdiBefore);
        CHECK(userAfter == userBefore);
    }
}
