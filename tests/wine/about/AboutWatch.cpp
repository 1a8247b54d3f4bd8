#include "tests/wine/about/AboutWatch.h"

namespace test {

namespace {

AboutWatcher* activeAboutWatcher = nullptr;

std::string RecordFor(const std::string& gameDir)
{
    return "Yorv HollowFen\r\n" + gameDir + "\r\n";
}

HWND VisibleAboutOfThisThread()
{
    HWND dialog = FindWindowA(yorv::TAbout::kClassName, nullptr);
    if (!dialog || !IsWindowVisible(dialog))
        return nullptr;
    if (GetWindowThreadProcessId(dialog, nullptr) != GetCurrentThreadId())
        return nullptr;
    return dialog;
}

}  // namespace

std::vector<std::string> SplitCrLf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
}

AboutWatcher::AboutWatcher(std::vector<Step> steps, UINT intervalMs) : steps_(std::move(steps))
{
    previous_ = activeAboutWatcher;
    activeAboutWatcher = this;
    timer_ = SetTimer(nullptr, 0, intervalMs, Tick);
}

AboutWatcher::~AboutWatcher()
{
    KillTimer(nullptr, timer_);
    activeAboutWatcher = previous_;
}

void CALLBACK AboutWatcher::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (activeAboutWatcher)
        activeAboutWatcher->Check();
}

void AboutWatcher::Check()
{
    HWND dialog = VisibleAboutOfThisThread();
    if (!dialog) {
        up_ = false;
        return;
    }
    if (!up_) {
        up_ = true;
        yorv::TAbout& about = *yorv::About;
        AboutShown shown;
        shown.caption = WindowText(dialog);
        shown.label1 = WindowText(about.Label1);
        shown.label2 = WindowText(about.Label2);
        shown.label3 = WindowText(about.Label3);
        shown.memo = WindowText(about.Memo1);
        shown.focus = GetFocus();
        shown.owner = GetWindow(dialog, GW_OWNER);
        shown.mainEnabled = IsWindowEnabled(yorv::FrmMain ? yorv::FrmMain->Handle() : nullptr) != FALSE;
        shown.appEnabled = IsWindowEnabled(yorv::Application::Window()) != FALSE;
        shows_.push_back(shown);
        return;  // it acts on the next tick, once the dialog has come up fully
    }
    if (nextStep_ < steps_.size()) {
        if (!steps_[nextStep_++](dialog))
            up_ = false;
        return;
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(yorv::About->OKButton));
    up_ = false;
}

Launcher::Launcher(const std::string& gameDir, const std::string& storeKey)
    : record_(RecordFor(gameDir)), key_(storeKey), windows_(StartLauncher(storeKey))
{
}

int Launcher::PositionOf(const std::string& name) const
{
    for (int slot = 0; slot < yorv::YModCount; ++slot) {
        if (yorv::YModDirs[static_cast<std::size_t>(slot)] == name)
            return slot;
    }
    return -1;
}

void Launcher::Select(int position) const
{
    SendMessageA(yorv::FrmMain->ComboYMod, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    SendMessageA(yorv::FrmMain->Handle(), WM_COMMAND, MAKEWPARAM(yorv::IDC_COMBOYMOD, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(yorv::FrmMain->ComboYMod));
}

std::string Launcher::ListText(int position) const
{
    HWND combo = yorv::FrmMain->ComboYMod;
    const LRESULT len = SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(position), 0);
    if (len < 0)
        return "<none>";
    std::string text(static_cast<std::size_t>(len) + 1, '\0');
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(len));
    return text;
}

void Launcher::PressAbout() const
{
    HWND button = yorv::FrmMain->CmdAbout.Handle();
    PostMessageA(yorv::FrmMain->Handle(), WM_COMMAND, MAKEWPARAM(yorv::IDC_CMDABOUT, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    Pump(60);
}

}  // namespace test
