#include "Program.h"

#include "../AboutBox/AboutBox.h"
#include "../working/working.h"
#include "Application.h"
#include "Main.h"

#include <commctrl.h>

namespace yorv {

void CreateProgramWindows(HINSTANCE instance, const std::string& storeKey)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    Application::Initialize(instance);
    Application::SetTitle(kAppTitle);

    static TFrmMain mainWindow(storeKey);
    static TAbout about;
    static TFrmWork work;
    FrmMain = &mainWindow;
    About = &about;
    FrmWork = &work;
    FrmMain->Create();
    About->Create();
    FrmWork->Create();
}

int RunLauncher(HINSTANCE instance)
{
    CreateProgramWindows(instance, kStoreKey);
    ::ShowWindow(FrmMain->Handle(), SW_SHOWNORMAL);
    ::UpdateWindow(FrmMain->Handle());
    return Application::Run(FrmMain->Handle());
}

}  // namespace yorv
