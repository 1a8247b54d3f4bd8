// Watches the information dialog while a test shows it: a thread timer
// notes what the dialog holds each time it comes up, lets the test act on
// it, and closes it with OK.
#pragma once

#include "AboutBox/AboutBox.h"
#include "Main/Main.h"
#include "Main/Program.h"
#include "core/Catalogue.h"
#include "tests/wine/TestSupport.h"
#include "ui/Application.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace test {

// What the dialog held when it came up.
struct AboutShown {
    std::string caption;
    std::string label1;
    std::string label2;
    std::string label3;
    std::string memo;
    HWND focus = nullptr;
    HWND owner = nullptr;
    bool mainEnabled = true;
    bool appEnabled = true;
};

std::vector<std::string> SplitCrLf(const std::string& text);

class AboutWatcher {
public:
    // `steps` run one per tick while a showing is up, after it has been
    // noted; once they are used up the dialog is closed with OK. A step
    // returns false when it has closed the dialog itself.
    using Step = std::function<bool(HWND dialog)>;
    explicit AboutWatcher(std::vector<Step> steps = {}, UINT intervalMs = 20);
    ~AboutWatcher();
    AboutWatcher(const AboutWatcher&) = delete;
    AboutWatcher& operator=(const AboutWatcher&) = delete;

    const std::vector<AboutShown>& Shows() const { return shows_; }
    std::size_t Count() const { return shows_.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Check();

    std::vector<Step> steps_;
    std::size_t nextStep_ = 0;
    std::vector<AboutShown> shows_;
    bool up_ = false;
    UINT_PTR timer_ = 0;
    AboutWatcher* previous_ = nullptr;  // the one this watcher stands in for
};

// Resets the program-wide catalogue state and creates the program's
// windows, with an installation record that points at `gameDir`.
class Launcher {
public:
    Launcher(const std::string& gameDir, const std::string& storeKey);
    // The list position of the YMod in directory `name`, or -1.
    int PositionOf(const std::string& name) const;
    void Select(int position) const;
    std::string ListText(int position) const;
    // Presses About on the main window and waits until the handler is done.
    void PressAbout() const;

private:
    InstallationRecord record_;
    CleanKey key_;
    std::unique_ptr<yorv::ProgramWindows> windows_;
};

}  // namespace test
