// The information dialog: a YMod's description, the launcher's and the
// game's About boxes, and the help text for YMod authors.
#pragma once

#include "core/Handle.h"
#include "ui/Window.h"

#include <string>
#include <vector>

namespace yorv {

// Control identifiers of the dialog. OK carries IDOK, so that Enter on it
// and a click both end the dialog with that result.
enum AboutId : int {
    IDC_ABOUT_PANEL1 = 300,
    IDC_ABOUT_PROGRAMICON,
    IDC_ABOUT_LABEL1,
    IDC_ABOUT_LABEL2,
    IDC_ABOUT_LABEL3,
    IDC_ABOUT_MEMO1,
};

class TAbout final : public Window {
public:
    static constexpr const char* kClassName = "TAbout";

    // A label shows a single line cut at its edge: no more than this many
    // characters of a line are ever handed to it, however long the line
    // (far more than its box can show; the system's controls are not safe
    // with texts of many hundreds of characters, as seen under Wine).
    static constexpr std::size_t kLabelChars = 255;

    // Creates the dialog, hidden.
    void Create();

    // The four fillings; each shows the dialog modally until it is closed.
    void ShowYModAbout(int position);
    void ShowThisProgram();
    void ShowGame();
    void ShowDeveloperInformation();

    // Shows the dialog until OK or the frame's close button ends it; the
    // other windows of the program are disabled meanwhile. Returns IDOK or
    // IDCANCEL (closed by the frame).
    int ShowModal();

    // Controls, in tab order; Panel1 lies beneath the others.
    HWND ProgramIcon = nullptr;
    HWND Label1 = nullptr;
    HWND Label2 = nullptr;
    HWND Label3 = nullptr;
    HWND Memo1 = nullptr;
    HWND OKButton = nullptr;
    HWND Panel1 = nullptr;

    // The dialog's event handler: the focus goes to OK.
    void FormActivate();

private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void CreateControls();
    void SetLabels(const std::string& line1, const std::string& line2, const std::string& line3);
    void SetMemoLines(const std::vector<std::string>& lines);
    void SetMemoText(const std::string& text);

    UniqueGdi label1Font_;
    UniqueGdi picture_;
    int modalResult_ = 0;
};

// The information dialog, for the whole run.
extern TAbout* About;

}  // namespace yorv
