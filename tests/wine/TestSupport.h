// Helpers for the tests that run under Wine: real directories and files,
// clean registry keys, the game's installation record, the launcher started
// in process, and a watcher that reads and answers the modal boxes the
// program shows.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace yorv {
class ProgramWindows;
}

namespace test {

// A fresh directory C:\yorvtests\<name>, removed with everything in it
// when the object goes.
class TempDir {
public:
    explicit TempDir(const std::string& name);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

void RemoveTreeForTest(const std::string& path);
// A file's bytes, written or read whole; a path in ANSI or UTF-16.
void WriteBytes(const std::wstring& path, const std::string& bytes);
void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);
std::string ReadBytes(const std::string& path);
void MakeDir(const std::string& path);
// The names in a directory, sorted, "." and ".." left out.
std::vector<std::string> NamesIn(const std::string& dir);

// HKEY_CURRENT_USER\<name>, deleted before and after the test.
class CleanKey {
public:
    explicit CleanKey(std::string name);
    ~CleanKey();
    const std::string& Name() const { return name_; }
    // Writes a value into the settings section of this key.
    void Set(const std::string& value, DWORD type, const std::string& data) const;
    void SetString(const std::string& value, const std::string& text) const;
    // The text of a REG_SZ value of the settings section, or "<absent>".
    std::string Get(const std::string& value) const;

private:
    std::string name_;
};

// Writes C:\windows\yorvhollowfen.ini for a test (or takes it away) and
// puts back what was there before.
class InstallationRecord {
public:
    explicit InstallationRecord(const std::string& contents);
    InstallationRecord();  // none at all
    ~InstallationRecord();
    InstallationRecord(const InstallationRecord&) = delete;
    InstallationRecord& operator=(const InstallationRecord&) = delete;
    static std::string Path();

private:
    bool hadRecord_;
    std::string previous_;
};

// Starts the launcher in this process as the program starts it, with its
// settings under HKEY_CURRENT_USER\<storeKey>: the program-wide state reset,
// the application window, the main window (its start-up sequence run), the
// information dialog and the working window. The main window is shown in
// front and what that brings is processed. The windows go with the object.
std::unique_ptr<yorv::ProgramWindows> StartLauncher(const std::string& storeKey);

// A modal window the watcher found.
struct ModalBox {
    std::string caption;
    std::string text;
    UINT icon = 0;                 // MB_ICONSTOP, MB_ICONEXCLAMATION, ... or 0
    std::vector<int> buttons;      // IDOK, IDYES, IDNO, ...
    int defaultButton = 0;
    HWND owner = nullptr;
    bool mainWindowEnabled = true;  // the main window's state while it was up
    int answer = IDOK;              // the next answer in line; `onBox` may give another
};

// Answers message boxes shown on this thread while it lives: each box is
// recorded and answered with the next answer in line (IDOK when none is
// left). `onBox` may inspect other windows while the box is up, and answer
// the box otherwise. A box without the answer's button fails the test at
// once, naming the box, and is closed by its first button.
class ModalWatcher {
public:
    explicit ModalWatcher(std::vector<int> answers = {}, std::function<void(ModalBox&)> onBox = {});
    ~ModalWatcher();
    ModalWatcher(const ModalWatcher&) = delete;
    ModalWatcher& operator=(const ModalWatcher&) = delete;
    // The boxes seen so far. A box that lacked the button its answer
    // names has failed the test already; asked for the boxes, the test
    // case stops there.
    const std::vector<ModalBox>& Boxes() const;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Check();

    std::vector<int> answers_;
    std::function<void(ModalBox&)> onBox_;
    std::vector<ModalBox> boxes_;
    std::vector<HWND> answered_;
    bool unanswerable_ = false;
    UINT_PTR timer_ = 0;
};

// Processes this thread's messages for about `ms` milliseconds.
void Pump(int ms = 50);

// Text of a window in this process.
std::string WindowText(HWND hwnd);

// Where the client area of `control` lies in its parent's client area.
RECT ChildRect(HWND control);

// A path that CMake put into a test as the program sees it: a Linux path
// (a build on Linux, run under Wine) on Wine's Z: drive, Z:\...; a Windows
// path (a build on Windows) as it is. Either way with backslashes.
std::string WinePath(const std::string& unixPath);

// Whether the tests run under Wine rather than on Windows itself.
bool UnderWine();

}  // namespace test

// Ends a test case that needs Wine (Unix links, the XDG trash) when it runs
// on Windows itself, saying why.
#define YORV_NEEDS_WINE(reason)                                      \
    do {                                                             \
        if (!test::UnderWine()) {                                    \
            MESSAGE("skipped on Windows, needs Wine: " reason);      \
            return;                                                  \
        }                                                            \
    } while (0)
