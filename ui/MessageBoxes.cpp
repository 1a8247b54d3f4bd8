#include "ui/MessageBoxes.h"

#include "core/Errors.h"
#include "ui/Application.h"
#include "ui/Modal.h"

namespace yorv {

int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags)
{
    // The box disables its owner, the application window, itself.
    DisabledTaskWindows others(Application::Window());
    return ::MessageBoxA(Application::Window(), text.c_str(), caption.c_str(), flags);
}

void ShowErrorReport(const std::string& message)
{
    ShowMessageBox(ErrorReportText(message), Application::Title(), MB_OK | MB_ICONSTOP);
}

}  // namespace yorv
