#include "Main/Program.h"

#include "AboutBox/AboutBox.h"
#include "Main/Main.h"
#include "core/Catalogue.h"
#include "ui/Application.h"
#include "working/working.h"

namespace yorv {

ProgramWindows::ProgramWindows(HINSTANCE instance, const std::string& storeKey)
{
    // Program start: no game directory yet, every YMod slot empty, no
    // remembered list position.
    GameDir.clear();
    YModDirs.assign(kYModSlots, std::string());
    YModCount = 0;
    PrevIndex = -1;
    Application::SetTitle(kAppTitle);
    Application::Initialize(instance);

    main_ = std::make_unique<TFrmMain>(storeKey);
    about_ = std::make_unique<TAbout>();
    work_ = std::make_unique<TFrmWork>();
    FrmMain = main_.get();
    About = about_.get();
    FrmWork = work_.get();
    FrmMain->Create();
    Application::SetMainWindow(FrmMain->Handle());
    About->Create();
    FrmWork->Create();
}

ProgramWindows::~ProgramWindows()
{
    Application::SetMainWindow(nullptr);
    work_.reset();
    about_.reset();
    main_.reset();
    FrmWork = nullptr;
    About = nullptr;
    FrmMain = nullptr;
}

int RunLauncher(HINSTANCE instance)
{
    ProgramWindows windows(instance, kStoreKey);
    ::ShowWindow(FrmMain->Handle(), SW_SHOWNORMAL);
    ::UpdateWindow(FrmMain->Handle());
    return Application::Run();
}

}  // namespace yorv
