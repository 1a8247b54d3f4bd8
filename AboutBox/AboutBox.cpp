#include "AboutBox/AboutBox.h"

#include "core/Catalogue.h"
#include "core/CatalogueRules.h"
#include "core/FileSystem.h"
#include "core/TextFile.h"
#include "resources/resource.h"
#include "ui/Application.h"
#include "ui/Controls.h"
#include "ui/Modal.h"

namespace yorv {

TAbout* About = nullptr;

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

// Where the panel lies in the dialog; the controls on it are placed in the
// panel's own coordinates.
constexpr int kPanelLeft = 8;
constexpr int kPanelTop = 8;

// The rest of an over-long label line is skipped in pieces of this size.
constexpr std::size_t kSkipChars = 64 * 1024;

// The text box takes a time that grows with the square of a run of
// characters without a blank when it looks for where to wrap it (under
// Wine, most of a minute for 64 KB of them, and the program stands still
// meanwhile). A longer run is broken into lines of this many characters,
// which the box would have wrapped at its width anyway; nothing is lost.
constexpr std::size_t kLongestRun = 256;

// The system's single byte for the small tilde, or -1. Wine's text box
// fails, taking the program with it, on a line that begins with that
// character, wrapped at its width or not; it is shown as a tilde.
int SmallTildeByte()
{
    static const int byte = [] {
        const wchar_t tilde = 0x02DC;
        char ansi[4] = {};
        BOOL usedDefault = FALSE;
        const int length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &tilde, 1, ansi, sizeof ansi, nullptr,
                                                 &usedDefault);
        return length == 1 && !usedDefault ? static_cast<int>(static_cast<BYTE>(ansi[0])) : -1;
    }();
    return byte;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Appends one line of a description file to the text box's text, as the
// box can show it: up to a zero byte (which would end the whole text
// there); with a line end put into every run of more than kLongestRun
// characters without a blank; and the small tilde shown as a tilde. A
// double-byte character is never split.
void AppendMemoLine(std::string& text, const std::string& line)
{
    const std::size_t length = LengthUpToZero(line);
    const int tilde = SmallTildeByte();
    if (length <= kLongestRun && (tilde < 0 || line.find(static_cast<char>(tilde)) >= length)) {
        text.append(line, 0, length);
        return;
    }
    std::size_t run = 0;
    for (std::size_t i = 0; i < length;) {
        const char c = line[i];
        const bool blank = IsBlank(c);
        const std::size_t width = !blank && ::IsDBCSLeadByte(static_cast<BYTE>(c)) && i + 1 < length ? 2 : 1;
        if (blank) {
            run = 0;
        } else if (run++ == kLongestRun) {
            text += "\r\n";
            run = 1;
        }
        if (width == 1 && static_cast<BYTE>(c) == tilde)
            text += '~';
        else
            text.append(line, i, width);
        i += width;
    }
}

const char* const kNoAboutLines[] = {
    "No About information found for this YMod.",
    "",
    "See 'Help | Developer Info' for more information.",
};

// The launcher's own About box.
constexpr const char* kProgramName = "Yorv HollowFen FrontEnd";
constexpr const char* kProgramVersion = "Version 2.0";
constexpr const char* kProgramCopyright = "Copyright \xA9 1998 Fenlight Software";
const char* const kProgramLines[] = {
    "E-mail: frontend@fenlight.example.com",
    "Web: http://www.fenlight.example.com/frontend/",
    "",
    "This front end starts Yorv HollowFen with the options and the YMod of your choice.  "
    "It also shows what each YMod is about, starts the editor on it, and removes it when you are done with it.",
    "",
    "Yorv HollowFen is Copyright \xA9 1997 Mirewright Games",
    "Yorv HollowFen graphics are Copyright \xA9 1997 Mirewright Games",
};

// The game's About box.
constexpr const char* kGameName = "Yorv HollowFen";
constexpr const char* kGameCopyright = "Copyright \xA9 1997 Mirewright Games";
constexpr const char* kGameWeb = "http://www.mirewright.example.com/";
const char* const kGameLines[] = {
    "Keep the lanterns lit: the fen is listening.",
    "",
    "Yorv HollowFen takes you into the drowned marshes below the old causeway, where the villages sank "
    "a hundred years ago and something under the reeds still keeps their bells ringing. Pole your punt "
    "between the stilt houses, trade with the eel-catchers, map the shifting channels before the mist "
    "comes in, and find out who has been lighting lanterns on the water at night. Build your own fens "
    "with the editor and share them as YMods.",
};

// The help text for YMod authors.
const char* const kDeveloperTitle = "How to create a YMod description file.";
const char* const kDeveloperLines[] = {
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

template <std::size_t N>
std::vector<std::string> Lines(const char* const (&lines)[N])
{
    return std::vector<std::string>(lines, lines + N);
}

// A line meant for a label: at most kLabelChars of it are kept, and the
// rest of the line is read past without being held.
std::string ReadLabelLine(TextFile& file)
{
    bool cut = false;
    std::string line = file.ReadLine(TAbout::kLabelChars, &cut);
    if (cut)
        DropSplitCharacter(line, IsLeadByte);
    while (cut)
        file.ReadLine(kSkipChars, &cut);
    return line;
}

bool IsEscapeKey(const MSG& msg)
{
    return (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_CHAR)
        && msg.wParam == (msg.message == WM_CHAR ? 27 : VK_ESCAPE);
}

// Where a message goes while the dialog is up.
ModalRoute RouteMessage(HWND dialog, const MSG& msg)
{
    // No button answers to Esc, and the text box must not turn it into a
    // close request either.
    if (IsEscapeKey(msg) && (msg.hwnd == dialog || ::IsChild(dialog, msg.hwnd)))
        return ModalRoute::Drop;
    // Characters go where the focus is and are never taken as access keys:
    // the labels show an "&" as one, but a letter typed must not move the
    // focus from OK to the text box through them.
    if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR)
        return ModalRoute::Dispatch;
    return ModalRoute::DialogKeys;
}

}  // namespace

void TAbout::Create()
{
    RegisterWindowClass(kClassName, nullptr);
    const RECT rc = CentredWindowRect(345, 259, kStyle, kExStyle, false);
    CreateWin(kExStyle, kClassName, "About", kStyle, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
              Application::Window());
}

void TAbout::CreateControls()
{
    // Creation order is tab order; the panel comes last so that it lies
    // beneath the controls it holds.
    ProgramIcon = CreateChild("STATIC", "", SS_OWNERDRAW, kPanelLeft + 8, kPanelTop + 8, 65, 57,
                              IDC_ABOUT_PROGRAMICON);
    // The picture's grey background takes the dialog's colour.
    picture_ = UniqueGdi(::LoadImageA(Application::Instance(), MAKEINTRESOURCEA(IDB_ABOUT_PICTURE), IMAGE_BITMAP, 0,
                                      0, LR_CREATEDIBSECTION | LR_LOADMAP3DCOLORS));

    // Labels take "&" as an access-key marker and never wrap.
    const DWORD labelStyle = SS_LEFTNOWORDWRAP;
    label1Font_ = Application::MakeFont(13);
    Label1 = CreateChild("STATIC", "", labelStyle, kPanelLeft + 80, kPanelTop + 12, 240, 21, IDC_ABOUT_LABEL1, 0,
                         static_cast<HFONT>(label1Font_.Get()));
    Label2 = CreateChild("STATIC", "", labelStyle, kPanelLeft + 80, kPanelTop + 36, 240, 21, IDC_ABOUT_LABEL2);
    Label3 = CreateChild("STATIC", "", labelStyle, kPanelLeft + 80, kPanelTop + 56, 240, 13, IDC_ABOUT_LABEL3);

    Memo1 = CreateChild("EDIT", "", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
                        kPanelLeft + 8, kPanelTop + 88, 313, 105, IDC_ABOUT_MEMO1, WS_EX_CLIENTEDGE);
    // A multi-line box holds only some 32,000 characters unless told
    // otherwise; a description may be far longer.
    ::SendMessageA(Memo1, EM_SETLIMITTEXT, 0, 0);

    // OK is a group of its own, so that the arrow keys, which move within a
    // group, never take the focus from it to a picture, a label or the panel.
    OKButton = CreateChild("BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 135, 228, 75, 25, IDOK);

    Panel1 = CreateChild("STATIC", "", SS_OWNERDRAW | WS_CLIPSIBLINGS | WS_GROUP, kPanelLeft, kPanelTop, 329, 201,
                         IDC_ABOUT_PANEL1);
}

void TAbout::SetLabels(const std::string& line1, const std::string& line2, const std::string& line3)
{
    const std::pair<HWND, const std::string*> labels[] = {{Label1, &line1}, {Label2, &line2}, {Label3, &line3}};
    for (const auto& [label, text] : labels) {
        std::string shown = *text;
        if (shown.size() > kLabelChars) {
            shown.resize(kLabelChars);
            DropSplitCharacter(shown, IsLeadByte);
        }
        ::SendMessageA(label, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(shown.c_str()));
    }
}

void TAbout::SetMemoText(const std::string& text)
{
    // The whole text in one go: the box lays it out once.
    ::SendMessageA(Memo1, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TAbout::SetMemoLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += lines[i];
    }
    SetMemoText(text);
}

void TAbout::ShowYModAbout(int position)
{
    SetLabels("", "", "");
    SetMemoText("");

    std::string path;
    if (IsYModPosition(position))
        path = DescriptionFilePath(YModDirs[static_cast<std::size_t>(position)]);
    if (!path.empty() && FileExists(path)) {
        std::string labels[3];
        std::string memo;
        {
            TextFile file(path);
            for (std::string& label : labels) {
                if (!file.AtEnd())
                    label = ReadLabelLine(file);
            }
            // Every further line, one line each; a final line end adds no
            // empty line after the last.
            bool first = true;
            while (!file.AtEnd()) {
                if (!first)
                    memo += "\r\n";
                AppendMemoLine(memo, file.ReadLine());
                first = false;
            }
        }
        SetLabels(labels[0], labels[1], labels[2]);
        SetMemoText(memo);
    } else {
        SetMemoLines(Lines(kNoAboutLines));
    }
    ShowModal();
}

void TAbout::ShowThisProgram()
{
    SetMemoText("");
    SetLabels(kProgramName, kProgramVersion, kProgramCopyright);
    SetMemoLines(Lines(kProgramLines));
    ShowModal();
}

void TAbout::ShowGame()
{
    SetMemoText("");
    SetLabels(kGameName, kGameCopyright, kGameWeb);
    SetMemoLines(Lines(kGameLines));
    ShowModal();
}

void TAbout::ShowDeveloperInformation()
{
    SetLabels(kDeveloperTitle, "", "");
    SetMemoText("");
    SetMemoLines(Lines(kDeveloperLines));
    ShowModal();
}

int TAbout::ShowModal()
{
    // Like a modal dialog owned by the application window: every other
    // window of the program, the application window included, is disabled.
    return RunModal(Handle(), modalResult_, RouteMessage);
}

void TAbout::FormActivate()
{
    ::SetFocus(OKButton);
}

LRESULT TAbout::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        CreateControls();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
            FormActivate();
            return 0;
        }
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK && HIWORD(wParam) == BN_CLICKED)
            modalResult_ = IDOK;
        return 0;
    case WM_CLOSE:
        // The frame's close button: ends the dialog, which stays for reuse.
        modalResult_ = IDCANCEL;
        return 0;
    case WM_NEXTDLGCTL: {
        // Tab and Shift+Tab, as the dialog manager asks for them.
        HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                     : ::GetNextDlgTabItem(Handle(), ::GetFocus(), wParam != 0);
        if (target) {
            ::SetFocus(target);
            if (target == Memo1)
                ::SendMessageA(Memo1, EM_SETSEL, 0, -1);
        }
        return 0;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.hwndItem == ProgramIcon) {
            // Stretched to the box.
            DrawBitmap(item.hDC, static_cast<HBITMAP>(picture_.Get()), item.rcItem, false);
        } else if (item.hwndItem == Panel1) {
            RECT rc = item.rcItem;
            ::FillRect(item.hDC, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
            // Raised inner bevel inside a lowered outer one.
            ::DrawEdge(item.hDC, &rc, BDR_SUNKENOUTER | BDR_RAISEDINNER, BF_RECT);
        }
        return TRUE;
    }
    case WM_CTLCOLORSTATIC:
        // The read-only text box keeps the colours of a text box.
        if (reinterpret_cast<HWND>(lParam) == Memo1) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
            ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
        }
        break;
    default:
        break;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace yorv
