// Removing a YMod, on real trees: the files must reach the recycle bin with
// their original paths, as the shell's view of the bin shows them (under
// Wine, the XDG trash of the test HOME keeps them too), the directories must
// go, and nothing outside the YMod or anything the recycle bin cannot keep
// may be lost.
#include "tests/wine/TestSupport.h"
#include "tests/wine/remove/ShellBin.h"

#include "Main/Main.h"
#include "Main/Program.h"
#include "core/Catalogue.h"
#include "core/RecycleBin.h"
#include "core/Removal.h"
#include "ui/Application.h"
#include "ui/PlainMessage.h"
#include "working/working.h"

#include <doctest.h>
#include <winioctl.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace yorv;

// Lists of paths and titles, shown whole when a check fails.
template <>
struct doctest::StringMaker<std::vector<std::string>> {
    static String convert(const std::vector<std::string>& items)
    {
        std::string text;
        for (const std::string& item : items)
            text += (text.empty() ? "{\"" : ", \"") + item + "\"";
        return (text.empty() ? std::string("{}") : text + "}").c_str();
    }
};

namespace {

constexpr const char* kTestKey = "YorvRemoveTest";
const std::string kAreYouSureText =
    "This will remove the selected Y-Mod sending all files to the recycle bin.\r\n\r\nContinue?";
const std::string kSuccessText = "Y-Mod was removed successfully.";
const std::string kErrorText = "There was an error deleting the directory.\r\n\r\nYou may need to remove it by hand.";

std::string CouldNotRemove(const std::string& dir)
{
    return "Couldn't remove " + dir + ".\r\nSharing violation error.";
}

// The Unix path Wine gives a Windows path on drive C:, also for one that
// no longer exists.
std::string UnixPath(const std::string& winPath)
{
    using Fn = char*(CDECL*)(const WCHAR*);
    static const auto fn = reinterpret_cast<Fn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    REQUIRE(reinterpret_cast<void*>(fn) != nullptr);
    REQUIRE(winPath.compare(0, 3, "C:\\") == 0);
    static const std::string drive = [] {
        char* unix = fn(L"C:\\");
        std::string path = unix ? unix : "";
        HeapFree(GetProcessHeap(), 0, unix);
        if (!path.empty() && path.back() != '/')
            path += '/';
        return path;
    }();
    REQUIRE_FALSE(drive.empty());
    std::string result = drive + winPath.substr(3);
    std::replace(result.begin(), result.end(), '\\', '/');
    return result;
}

// Runs a Unix program (Wine starts them like any other) to its end; false
// when it could not be started.
bool StartUnixAndWait(const std::string& commandLine) noexcept
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// The same, where a program that cannot be started fails the test.
void RunUnix(const std::string& commandLine)
{
    const bool started = StartUnixAndWait(commandLine);
    INFO("error ", GetLastError(), " starting ", commandLine);
    REQUIRE(started);
}

// The same, for cleaning up: no checks, nothing thrown.
void RunUnixQuietly(const std::string& commandLine) noexcept
{
    StartUnixAndWait(commandLine);
}

// Whether `dir` lists an entry of exactly this name.
bool Lists(const std::string& dir, const std::string& name)
{
    const std::vector<std::string> names = test::NamesIn(dir);
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Removes a tree with names Windows' own calls would follow elsewhere, and
// waits until it is gone (Wine may report the Unix program ended before it
// has, and a late one would take what comes after).
void RemoveTheUnixWay(const std::string& winDir) noexcept
{
    if (GetFileAttributesA(winDir.c_str()) == INVALID_FILE_ATTRIBUTES)
        return;
    RunUnixQuietly("Z:\\bin\\rm -rf " + UnixPath(winDir));
    for (int i = 0; i < 200 && GetFileAttributesA(winDir.c_str()) != INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(50);
}

// A tree removed the Unix way when it goes out of scope, however the test ends.
struct UnixCleanUp {
    std::string dir;
    ~UnixCleanUp() { RemoveTheUnixWay(dir); }
};

// A Unix symbolic link at `link` to `target`, as a player's tools would make it.
void MakeUnixLink(const std::string& target, const std::string& link)
{
    RunUnix("Z:\\bin\\ln -s " + UnixPath(target) + " " + UnixPath(link));
    // Wine may report the Unix program ended before it has.
    for (int i = 0; i < 100 && GetFileAttributesA(link.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(50);
}

// Paths longer than the ANSI calls take, through the wide ones.
std::wstring Long(const std::string& path)
{
    return L"\\\\?\\" + std::wstring(path.begin(), path.end());
}

// The trash folder of the test HOME ($XDG_DATA_HOME/Trash).
std::string TrashDir()
{
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    REQUIRE(dataHome != nullptr);
    return test::WinePath(std::string(dataHome) + "/Trash");
}

std::string DecodeTrashPath(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            out += static_cast<char>(std::strtol(text.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

struct TrashEntry {
    std::string name;      // in files/ and, with ".trashinfo", in info/
    std::string original;  // the Unix path it came from
};

std::vector<TrashEntry> TrashEntries()
{
    std::vector<TrashEntry> entries;
    const std::string info = TrashDir() + "\\info";
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((info + "\\*.trashinfo").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return entries;
    do {
        const std::string text = test::ReadBytes(info + "\\" + found.cFileName);
        const std::size_t at = text.find("\nPath=");
        if (at == std::string::npos)
            continue;
        const std::size_t end = text.find('\n', at + 6);
        std::string name = found.cFileName;
        name.resize(name.size() - std::string(".trashinfo").size());
        entries.push_back({name, DecodeTrashPath(text.substr(at + 6, end - at - 6))});
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return entries;
}

// Under Wine, whether the XDG trash keeps the file that was at `winPath`
// with `contents`, restorable to where it was.
bool KeptInTrash(const std::string& winPath, const std::string& contents)
{
    const std::string original = UnixPath(winPath);
    for (const TrashEntry& entry : TrashEntries()) {
        if (entry.original == original && test::ReadBytes(TrashDir() + "\\files\\" + entry.name) == contents)
            return true;
    }
    return false;
}

// Empties the trash of what earlier runs left there from under `winDir`,
// under Wine. On Windows the player's bin is left as it is: every check asks
// what the bin gained since the test last looked.
void ForgetTrashFrom(const std::string& winDir)
{
    if (!test::UnderWine())
        return;
    const std::string prefix = UnixPath(winDir) + "/";
    for (const TrashEntry& entry : TrashEntries()) {
        if (entry.original.compare(0, prefix.size(), prefix) == 0) {
            test::RemoveTreeForTest(TrashDir() + "\\files\\" + entry.name);
            DeleteFileA((TrashDir() + "\\info\\" + entry.name + ".trashinfo").c_str());
        }
    }
}

// The names in the trash's files/ and, without ".trashinfo", in info/.
struct TrashNames {
    std::vector<std::string> files;
    std::vector<std::string> info;

    static TrashNames Now()
    {
        TrashNames names{test::NamesIn(TrashDir() + "\\files"), test::NamesIn(TrashDir() + "\\info")};
        for (std::string& name : names.info)
            name.resize(name.size() - std::string(".trashinfo").size());
        std::sort(names.info.begin(), names.info.end());  // "a-1.trashinfo" comes before "a.trashinfo"
        return names;
    }

    // What the trash holds now that it did not hold here.
    TrashNames Added() const
    {
        const TrashNames now = Now();
        TrashNames added;
        std::set_difference(now.files.begin(), now.files.end(), files.begin(), files.end(),
                            std::back_inserter(added.files));
        std::set_difference(now.info.begin(), now.info.end(), info.begin(), info.end(), std::back_inserter(added.info));
        return added;
    }
};

// The recycle bin at one moment, and what it gained since, as the shell
// shows it. Under Wine the XDG trash is checked as well: it gained a file in
// files/ for each item gained, each with its twin in info/.
class Bin {
public:
    Bin() : items_(test::BinItems()), trash_(test::UnderWine() ? TrashNames::Now() : TrashNames{}) {}

    // The original paths of the items gained, sorted.
    std::vector<std::string> Gained() const
    {
        const std::vector<std::string> now = test::BinItems();
        std::vector<std::string> gained;
        std::set_difference(now.begin(), now.end(), items_.begin(), items_.end(), std::back_inserter(gained));
        if (test::UnderWine()) {
            const TrashNames added = trash_.Added();
            CHECK(added.files.size() == gained.size());
            CHECK(added.info == added.files);
        }
        return gained;
    }

private:
    std::vector<std::string> items_;
    TrashNames trash_;
};

// Whether the bin took the file that was at `path`: an item of its name
// from its folder is among the items `gained`. Under Wine the trash keeps
// it with `contents` too.
bool InTrash(const std::vector<std::string>& gained, const std::string& path, const std::string& contents)
{
    return std::binary_search(gained.begin(), gained.end(), path) && (!test::UnderWine() || KeptInTrash(path, contents));
}

// The paths of a tree's files, sorted.
std::vector<std::string> PathsOf(const std::map<std::string, std::string>& files)
{
    std::vector<std::string> paths;
    for (const auto& [path, contents] : files)
        paths.push_back(path);
    return paths;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsLink(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// A directory junction at `link` to the folder `target`, made as the
// system's own tools make one: mount-point reparse data set on an empty
// directory. The error, or 0. Where the data cannot be set, the directory
// stays, a plain empty one.
DWORD MakeJunction(const std::string& target, const std::string& link)
{
    if (!CreateDirectoryA(link.c_str(), nullptr))
        return GetLastError();
    HANDLE dir = CreateFileA(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (dir == INVALID_HANDLE_VALUE)
        return GetLastError();
    // The mount-point form of REPARSE_DATA_BUFFER: the tag, the length of
    // what follows the first eight bytes, where the two names lie, and the
    // names, the one the system follows and the one it shows, each ended by a NUL.
    const std::wstring shown(target.begin(), target.end());
    const std::wstring followed = L"\\??\\" + shown;
    struct {
        DWORD tag;
        WORD dataLength;
        WORD reserved;
        WORD followedOffset, followedLength, shownOffset, shownLength;
        WCHAR names[2 * MAX_PATH];
    } data{};
    REQUIRE(followed.size() + shown.size() + 2 <= std::size(data.names));
    data.tag = IO_REPARSE_TAG_MOUNT_POINT;
    data.followedLength = static_cast<WORD>(followed.size() * sizeof(WCHAR));
    data.shownOffset = static_cast<WORD>(data.followedLength + sizeof(WCHAR));
    data.shownLength = static_cast<WORD>(shown.size() * sizeof(WCHAR));
    std::copy(followed.begin(), followed.end(), data.names);
    std::copy(shown.begin(), shown.end(), data.names + followed.size() + 1);
    data.dataLength = static_cast<WORD>(8 + data.shownOffset + data.shownLength + sizeof(WCHAR));
    DWORD returned = 0;
    const BOOL set = DeviceIoControl(dir, FSCTL_SET_REPARSE_POINT, &data, data.dataLength + 8u, nullptr, 0, &returned,
                                     nullptr);
    const DWORD error = set ? 0 : GetLastError();
    CloseHandle(dir);
    return error;
}

// Whether the trash holds `name`, in files/ with `contents` and in info/.
bool InTrashAs(const std::string& name, const std::string& contents)
{
    return test::ReadBytes(TrashDir() + "\\files\\" + name) == contents
           && Exists(TrashDir() + "\\info\\" + name + ".trashinfo");
}

// The launcher's windows, started on a game directory.
class Launcher {
public:
    explicit Launcher(const std::string& gameDir)
        : record_(gameDir.empty() ? std::make_unique<test::InstallationRecord>()
                                  : std::make_unique<test::InstallationRecord>("x\r\n" + gameDir + "\r\n"))
    {
        Start();
    }
    ~Launcher() { windows_.reset(); }

    void Start()
    {
        windows_.reset();
        windows_ = test::StartLauncher(kTestKey);
    }

    // Picks the YMod in directory `dir` as the player would.
    void Select(const std::string& dir) const
    {
        int position = -1;
        for (int i = 0; i < YModCount; ++i) {
            if (YModDirs[static_cast<std::size_t>(i)] == dir)
                position = i;
        }
        REQUIRE(position >= 0);
        SendMessageA(FrmMain->ComboYMod, CB_SETCURSEL, position, 0);
        SendMessageA(FrmMain->Handle(), WM_COMMAND, MAKEWPARAM(IDC_COMBOYMOD, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(FrmMain->ComboYMod));
    }

    // Removes the YMod in `dir`, at `path`, as the player would, Yes to the
    // question: it goes, with "Success".
    void RemoveSucceeds(const std::string& dir, const std::string& path) const
    {
        Select(dir);
        test::ModalWatcher watcher({IDYES});
        FrmMain->CmdRemoveClick();
        REQUIRE(watcher.Boxes().size() == 2);
        CHECK(watcher.Boxes()[1].caption == "Success");
        CHECK_FALSE(Exists(path));
    }

    static std::vector<std::string> ListTexts()
    {
        std::vector<std::string> texts;
        const LRESULT count = SendMessageA(FrmMain->ComboYMod, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            std::string text(static_cast<std::size_t>(SendMessageA(FrmMain->ComboYMod, CB_GETLBTEXTLEN, i, 0)) + 1,
                             '\0');
            SendMessageA(FrmMain->ComboYMod, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
            text.resize(text.size() - 1);
            texts.push_back(text);
        }
        return texts;
    }

    static int Selection() { return static_cast<int>(SendMessageA(FrmMain->ComboYMod, CB_GETCURSEL, 0, 0)); }

private:
    test::CleanKey key_{kTestKey};
    std::unique_ptr<test::InstallationRecord> record_;
    std::unique_ptr<ProgramWindows> windows_;
};

bool Listed(const std::string& text)
{
    for (const std::string& item : Launcher::ListTexts()) {
        if (item == text)
            return true;
    }
    return false;
}

// The visible dialog of this thread with the given caption.
HWND FindDialog(const std::string& caption)
{
    struct Search {
        std::string caption;
        HWND found = nullptr;
    } search{caption};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            char cls[32];
            GetClassNameA(hwnd, cls, sizeof cls);
            if (std::string(cls) == "#32770" && IsWindowVisible(hwnd) && test::WindowText(hwnd) == s->caption)
                s->found = hwnd;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Makes the trash folder unusable (a regular file in its place) while it lives.
class UnusableTrash {
public:
    UnusableTrash() : trash_(TrashDir()), saved_(TrashDir() + ".saved")
    {
        REQUIRE(MoveFileA(trash_.c_str(), saved_.c_str()));
        test::WriteBytes(trash_, "");
    }
    ~UnusableTrash()
    {
        DeleteFileA(trash_.c_str());
        MoveFileA(saved_.c_str(), trash_.c_str());
    }

private:
    std::string trash_;
    std::string saved_;
};

}  // namespace

TEST_SUITE("remove")
{
    TEST_CASE("Remove sends every file to the recycle bin, deletes the directories, and rebuilds the list")
    {
        test::TempDir game("remove_game");
        ForgetTrashFrom(game.Path());
        const std::string mod = game / "FancyMod";
        test::MakeDir(mod);
        test::MakeDir(mod + "\\maps");
        test::MakeDir(mod + "\\maps\\deeper");
        test::MakeDir(mod + "\\maps\\deeper\\deepest");
        test::MakeDir(mod + "\\empty");
        const std::map<std::string, std::string> files = {
            {mod + "\\YMOD.DIZ", "Fancy Mod 1.0\r\n(c) someone\r\n"},
            {mod + "\\readme.txt", "read me"},
            {mod + "\\hidden.dat", "hidden"},
            {mod + "\\system.dat", "system"},
            {mod + "\\readonly.dat", "read-only"},
            {mod + "\\maps\\level1.map", "level one"},
            {mod + "\\maps\\deeper\\level2.map", "level two"},
        };
        for (const auto& [path, contents] : files)
            test::WriteBytes(path, contents);
        SetFileAttributesA((mod + "\\hidden.dat").c_str(), FILE_ATTRIBUTE_HIDDEN);
        SetFileAttributesA((mod + "\\system.dat").c_str(), FILE_ATTRIBUTE_SYSTEM);
        SetFileAttributesA((mod + "\\readonly.dat").c_str(), FILE_ATTRIBUTE_READONLY);
        // As the shell marks a customised folder.
        SetFileAttributesA((mod + "\\maps\\deeper").c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY);
        test::MakeDir(game / "OtherMod");
        test::WriteBytes(game / "OtherMod\\YMOD.DIZ", "Other Mod\r\n");
        test::WriteBytes(game / "yorvedit.exe", "MZ");

        {
            Launcher launcher(game.Path());
            REQUIRE(Listed("Fancy Mod 1.0"));
            launcher.Select("FancyMod");
            const BOOL editBefore = IsWindowEnabled(FrmMain->CmdEdit.Handle());
            CHECK(editBefore);
            const Bin bin;

            // No: nothing happens.
            {
                test::ModalWatcher watcher({IDNO});
                FrmMain->CmdRemoveClick();
                REQUIRE(watcher.Boxes().size() == 1);
            }
            CHECK(Exists(mod + "\\readme.txt"));
            CHECK(Launcher::Selection() >= 0);
            CHECK(bin.Gained().empty());

            // Yes, with Remove pressed from the keyboard: the working window
            // is up while the work runs, gone before the verdict.
            SetFocus(FrmMain->CmdRemove.Handle());
            REQUIRE(GetFocus() == FrmMain->CmdRemove.Handle());
            bool workingVisibleAtVerdict = true;
            test::ModalWatcher watcher({IDYES}, [&](test::ModalBox& box) {
                if (box.caption == "Success")
                    workingVisibleAtVerdict = IsWindowVisible(FrmWork->Handle());
            });
            FrmMain->CmdRemoveClick();

            REQUIRE(watcher.Boxes().size() == 2);
            const test::ModalBox& ask = watcher.Boxes()[0];
            CHECK(ask.caption == "Are you sure?");
            CHECK(ask.text == kAreYouSureText);
            CHECK(ask.icon == MB_ICONSTOP);
            CHECK(ask.buttons == std::vector<int>{IDYES, IDNO});
            CHECK(ask.defaultButton == IDNO);
            CHECK(ask.owner == Application::Window());
            CHECK_FALSE(ask.mainWindowEnabled);
            const test::ModalBox& done = watcher.Boxes()[1];
            CHECK(done.caption == "Success");
            CHECK(done.text == kSuccessText);
            CHECK(done.icon == MB_ICONINFORMATION);
            CHECK(done.buttons == std::vector<int>{IDOK});
            CHECK_FALSE(workingVisibleAtVerdict);

            // Every file is recoverable from the bin, hidden, system and read-only ones too.
            const std::vector<std::string> gained = bin.Gained();
            for (const auto& [path, contents] : files) {
                CAPTURE(path);
                CHECK_FALSE(Exists(path));
                CHECK(InTrash(gained, path, contents));
            }
            // The directories are deleted, not recycled.
            CHECK_FALSE(Exists(mod));
            // The bin gained the YMod's files and nothing else: nothing of the launcher's own.
            CHECK(gained == PathsOf(files));
            CHECK(Exists(game / "OtherMod\\YMOD.DIZ"));

            // The list is rebuilt without it, nothing selected; Edit keeps its state.
            CHECK(Launcher::ListTexts() == std::vector<std::string>{"Other Mod"});
            CHECK(Launcher::Selection() == -1);
            CHECK_FALSE(IsWindowEnabled(FrmMain->CmdRemove.Handle()));
            CHECK_FALSE(IsWindowEnabled(FrmMain->CmdAbout.Handle()));
            CHECK(IsWindowEnabled(FrmMain->CmdEdit.Handle()) == editBefore);
            // Remove, now disabled, handed the focus on, so the keyboard still works.
            test::Pump(50);
            CHECK(GetActiveWindow() == FrmMain->Handle());
            CHECK(GetFocus() == FrmMain->CmdExit.Handle());

            // The next start does not list it either.
            launcher.Start();
            CHECK(Launcher::ListTexts() == std::vector<std::string>{"Other Mod"});
        }
    }

    TEST_CASE("an empty YMod, and a YMod whose directory vanished before the confirmation")
    {
        test::TempDir game("remove_gone");
        ForgetTrashFrom(game.Path());
        test::MakeDir(game / "EmptyMod");
        test::MakeDir(game / "GoneMod");
        test::WriteBytes(game / "GoneMod\\notes.txt", "notes");
        test::MakeDir(game / "StayMod");
        Launcher launcher(game.Path());
        CHECK_FALSE(IsWindowEnabled(FrmMain->CmdEdit.Handle()));
        const Bin bin;

        // Empty: nothing goes to the bin, not even a check file; the directory goes.
        launcher.Select("EmptyMod");
        {
            test::ModalWatcher watcher({IDYES});
            FrmMain->CmdRemoveClick();
            REQUIRE(watcher.Boxes().size() == 2);
            CHECK(watcher.Boxes()[1].caption == "Success");
        }
        CHECK_FALSE(Exists(game / "EmptyMod"));
        CHECK(bin.Gained().empty());
        CHECK_FALSE(Listed("EmptyMod"));

        // Gone before Yes: "Couldn't remove" for it in the plain dialog, then "Success".
        launcher.Select("GoneMod");
        bool workingVisibleAtMessage = false;
        test::ModalWatcher watcher({IDYES}, [&](test::ModalBox& box) {
            if (box.caption == "Are you sure?")
                test::RemoveTreeForTest(game / "GoneMod");
            if (box.text.rfind("Couldn't", 0) == 0)
                workingVisibleAtMessage = IsWindowVisible(FrmWork->Handle()) && !IsWindowEnabled(FrmWork->Handle());
        });
        FrmMain->CmdRemoveClick();
        REQUIRE(watcher.Boxes().size() == 3);
        const test::ModalBox& plain = watcher.Boxes()[1];
        CHECK(plain.text == CouldNotRemove(game / "GoneMod"));
        CHECK(plain.caption == Application::Title());
        CHECK(plain.icon == 0);
        CHECK(plain.buttons == std::vector<int>{IDOK});
        CHECK(plain.owner == Application::Window());
        CHECK_FALSE(plain.mainWindowEnabled);
        CHECK(workingVisibleAtMessage);
        CHECK(watcher.Boxes()[2].caption == "Success");
        CHECK(watcher.Boxes()[2].text == kSuccessText);
        CHECK(Launcher::ListTexts() == std::vector<std::string>{"StayMod"});
        CHECK(Launcher::Selection() == -1);
        CHECK_FALSE(IsWindowEnabled(FrmMain->CmdEdit.Handle()));
    }

    TEST_CASE("a file held open stays with its directories: messages innermost first, then ERROR")
    {
        YORV_NEEDS_WINE("Wine's shell offers to delete a file held open for good, which is answered No; Windows shows its "
                        "File In Use dialog instead");
        test::TempDir game("remove_locked");
        ForgetTrashFrom(game.Path());
        const std::string mod = game / "LockedMod";
        test::MakeDir(mod);
        test::MakeDir(mod + "\\data");
        test::MakeDir(mod + "\\data\\sounds");
        test::WriteBytes(mod + "\\YMOD.DIZ", "Locked Mod\r\n");
        test::WriteBytes(mod + "\\data\\table.txt", "table");
        test::WriteBytes(mod + "\\data\\sounds\\busy.wav", "busy");
        Launcher launcher(game.Path());
        launcher.Select("LockedMod");

        // Another handle without FILE_SHARE_DELETE: the bin cannot take the file.
        HANDLE busy = CreateFileA((mod + "\\data\\sounds\\busy.wav").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        REQUIRE(busy != INVALID_HANDLE_VALUE);
        const Bin bin;
        std::vector<bool> workingVisible;
        // Yes to the question; the shell then offers to delete the file for
        // good instead: No; then OK to each message.
        test::ModalWatcher watcher({IDYES, IDNO}, [&](test::ModalBox& box) {
            workingVisible.push_back(IsWindowVisible(FrmWork->Handle()) != FALSE);
            (void)box;
        });
        FrmMain->CmdRemoveClick();
        CloseHandle(busy);

        const auto& boxes = watcher.Boxes();
        REQUIRE(boxes.size() == 6);
        CHECK(boxes[0].caption == "Are you sure?");
        // The shell's own warning, above the working window.
        CHECK(boxes[1].owner == FrmWork->Handle());
        CHECK(std::find(boxes[1].buttons.begin(), boxes[1].buttons.end(), IDNO) != boxes[1].buttons.end());
        CHECK(boxes[2].text == CouldNotRemove(mod + "\\data\\sounds"));
        CHECK(boxes[3].text == CouldNotRemove(mod + "\\data"));
        CHECK(boxes[4].text == CouldNotRemove(mod));
        for (int i = 2; i <= 4; ++i) {
            CHECK(boxes[static_cast<std::size_t>(i)].caption == Application::Title());
            CHECK(workingVisible[static_cast<std::size_t>(i)]);
        }
        CHECK(boxes[5].caption == "ERROR");
        CHECK(boxes[5].text == kErrorText);
        CHECK(boxes[5].icon == MB_ICONEXCLAMATION);
        CHECK_FALSE(workingVisible[5]);

        CHECK(test::ReadBytes(mod + "\\data\\sounds\\busy.wav") == "busy");
        const std::vector<std::string> gained = bin.Gained();
        CHECK(InTrash(gained, mod + "\\data\\table.txt", "table"));
        CHECK(InTrash(gained, mod + "\\YMOD.DIZ", "Locked Mod\r\n"));
        // Listed again, under its directory name now that its description file is gone.
        CHECK(Launcher::ListTexts() == std::vector<std::string>{"LockedMod"});
        CHECK(Launcher::Selection() == -1);
    }

    TEST_CASE("a key pressed with the answer to the question answers none of the boxes that follow")
    {
        // Enter, pressed as Yes is given, waits in the queue while the work
        // runs; it must not answer, unseen, a box that comes up later: the
        // shell's offer to delete a file for good (Yes by default), a
        // "Couldn't remove" or the verdict.
        test::TempDir game("remove_typeahead");
        ForgetTrashFrom(game.Path());
        test::MakeDir(game / "EmptyMod");
        test::MakeDir(game / "GoneMod");
        test::MakeDir(game / "LockedMod");
        test::WriteBytes(game / "LockedMod\\busy.wav", "busy");
        HANDLE busy = CreateFileA((game / "LockedMod\\busy.wav").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        REQUIRE(busy != INVALID_HANDLE_VALUE);
        Launcher launcher(game.Path());
        SetForegroundWindow(FrmMain->Handle());
        struct Case {
            const char* mod;
            std::vector<int> answers;
            std::vector<std::string> captions;
        };
        const std::string title = Application::Title();
        const Case cases[] = {
            {"EmptyMod", {IDYES}, {"Are you sure?", "Success"}},
            {"GoneMod", {IDYES}, {"Are you sure?", title, "Success"}},
            {"LockedMod", {IDYES, IDNO}, {"Are you sure?", "", title, "ERROR"}},
        };
        for (const Case& c : cases) {
            const std::string mod = c.mod;
            CAPTURE(mod);
            if (mod == "LockedMod" && !test::UnderWine()) {
                MESSAGE("LockedMod skipped on Windows, needs Wine: Windows meets a file held open with its File In Use "
                        "dialog, not with an offer to delete it for good");
                continue;
            }
            launcher.Select(mod);
            test::ModalWatcher watcher(c.answers, [&](test::ModalBox& box) {
                if (box.caption != "Are you sure?")
                    return;
                if (mod == "GoneMod")
                    test::RemoveTreeForTest(game / "GoneMod");
                INPUT keys[2]{};
                keys[0].type = keys[1].type = INPUT_KEYBOARD;
                keys[0].ki.wVk = keys[1].ki.wVk = VK_RETURN;
                keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
                CHECK(SendInput(2, keys, sizeof(INPUT)) == 2);
            });
            FrmMain->CmdRemoveClick();
            const auto& boxes = watcher.Boxes();
            REQUIRE(boxes.size() == c.captions.size());
            for (std::size_t i = 0; i < boxes.size(); ++i) {
                if (!c.captions[i].empty())
                    CHECK(boxes[i].caption == c.captions[i]);
            }
            if (boxes.size() == 4)
                CHECK(boxes[1].owner == FrmWork->Handle());  // the shell's offer, declined
        }
        CloseHandle(busy);
        CHECK(test::ReadBytes(game / "LockedMod\\busy.wav") == "busy");
        test::Pump(100);
    }

    TEST_CASE("a game directory written in short names and another case removes like its long form")
    {
        test::TempDir game("remove_short_names");
        ForgetTrashFrom(game.Path());
        const std::string mod = game / "Long Named Mod Folder";
        test::MakeDir(mod);
        test::MakeDir(mod + "\\Music Files");
        test::WriteBytes(mod + "\\Readme For Players.txt", "readme");
        test::WriteBytes(mod + "\\Music Files\\Theme.ogg", "theme");
        // The installation record may hold the game directory as an old
        // installer wrote it: 8.3 names, any case.
        std::string shortGame(MAX_PATH, '\0');
        shortGame.resize(GetShortPathNameA(game.Path().c_str(), shortGame.data(), MAX_PATH));
        REQUIRE(shortGame.find('~') != std::string::npos);
        std::transform(shortGame.begin(), shortGame.end(), shortGame.begin(),
                       [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
        Launcher launcher(shortGame);
        const Bin bin;
        launcher.RemoveSucceeds("Long Named Mod Folder", mod);
        const std::vector<std::string> gained = bin.Gained();
        CHECK(InTrash(gained, mod + "\\Readme For Players.txt", "readme"));
        CHECK(InTrash(gained, mod + "\\Music Files\\Theme.ogg", "theme"));
    }

    TEST_CASE("links inside a YMod are never followed: what they lead to stays untouched and out of the bin")
    {
        YORV_NEEDS_WINE("Unix symbolic links, made with ln on Wine's Unix side");
        // The links go the Unix way, so that cleaning up never follows them,
        // before (what a failed run left) and after.
        RemoveTheUnixWay("C:\\yorvtests\\remove_links");
        RemoveTheUnixWay("C:\\yorvtests\\remove_outside");
        test::TempDir game("remove_links");
        test::TempDir outside("remove_outside");
        const UnixCleanUp gameCleanUp{game.Path()};
        const UnixCleanUp outsideCleanUp{outside.Path()};
        ForgetTrashFrom(game.Path());
        ForgetTrashFrom(outside.Path());
        test::MakeDir(outside / "shared");
        test::WriteBytes(outside / "shared\\precious.sav", "precious");
        test::WriteBytes(outside / "single.sav", "single");
        const std::string mod = game / "LinkMod";
        test::MakeDir(mod);
        test::MakeDir(mod + "\\saves");
        std::map<std::string, std::string> own = {{mod + "\\own.txt", "own"}};
        // Own files on either side of the link to a file: the link is judged
        // in the middle of its directory, not only at its ends.
        for (const char* name : {"a.sav", "m.sav", "z.sav"})
            own[mod + "\\saves\\" + name] = name;
        // And one among many files of the YMod's own, judged long after the
        // first file went, and after the walk came back from a subfolder.
        for (int i = 0; i < 40; ++i)
            own[mod + "\\own" + std::to_string(i) + ".txt"] = "own";
        for (const auto& [path, contents] : own)
            test::WriteBytes(path, contents);
        MakeUnixLink(outside / "shared", mod + "\\saves\\shared");
        MakeUnixLink(outside / "single.sav", mod + "\\saves\\single.sav");
        MakeUnixLink(outside / "single.sav", mod + "\\top.sav");
        REQUIRE(test::ReadBytes(mod + "\\saves\\single.sav") == "single");
        REQUIRE(IsLink(mod + "\\saves\\shared"));
        Launcher launcher(game.Path());
        launcher.Select("LinkMod");

        const Bin bin;
        test::ModalWatcher watcher({IDYES});
        FrmMain->CmdRemoveClick();

        // Neither target is touched, and nothing of theirs reaches the bin,
        // nor anything through the links: the bin gained the YMod's own
        // files, which go as usual, and nothing else.
        CHECK(test::ReadBytes(outside / "shared\\precious.sav") == "precious");
        CHECK(test::ReadBytes(outside / "single.sav") == "single");
        const std::vector<std::string> gained = bin.Gained();
        CHECK(gained == PathsOf(own));
        for (const auto& [path, contents] : own)
            CHECK(InTrash(gained, path, contents));
        // Wine cannot remove a Unix link without following it, so both links
        // stay, and with them their directories.
        const auto& boxes = watcher.Boxes();
        REQUIRE(boxes.size() == 5);
        CHECK(boxes[1].text == CouldNotRemove(mod + "\\saves\\shared"));
        CHECK(boxes[2].text == CouldNotRemove(mod + "\\saves"));
        CHECK(boxes[3].text == CouldNotRemove(mod));
        CHECK(boxes[4].caption == "ERROR");
        CHECK(Exists(mod + "\\saves\\shared"));

        // A YMod that is itself a link: only the link would go, so nothing is
        // recycled, and the bin is not tried with a file of the launcher's in
        // the folder it leads to.
        MakeUnixLink(outside / "shared", game / "LinkedMod");
        CHECK_FALSE(TreeHoldsFiles(game / "LinkedMod"));
        launcher.Start();
        launcher.Select("LinkedMod");
        test::ModalWatcher linked({IDYES});
        FrmMain->CmdRemoveClick();
        CHECK(test::ReadBytes(outside / "shared\\precious.sav") == "precious");
        CHECK(test::NamesIn(outside / "shared") == std::vector<std::string>{"precious.sav"});
        CHECK(bin.Gained() == gained);
    }

    TEST_CASE("a junction and a directory symbolic link made through the system go themselves, and nothing of "
              "what they lead to")
    {
        test::TempDir game("remove_system_links");
        test::TempDir outside("remove_system_targets");
        ForgetTrashFrom(game.Path());
        const std::string mod = game / "LinkMod";
        test::MakeDir(mod);
        test::WriteBytes(mod + "\\own.txt", "own");
        for (const char* target : {"junctioned", "symlinked"}) {
            test::MakeDir(outside / target);
            test::WriteBytes(outside / target + "\\kept.sav", "kept");
        }
        const DWORD junctionError = MakeJunction(outside / "junctioned", mod + "\\junction");
        const DWORD symlinkError =
            CreateSymbolicLinkA((mod + "\\symlink").c_str(), (outside / "symlinked").c_str(),
                                SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE)
                ? 0
                : GetLastError();
        // A kind the system cannot make here is left out, saying why: Wine 8
        // makes neither (the junction's directory stays a plain empty one,
        // and CreateSymbolicLinkA says it made a link it did not); Windows
        // makes a symbolic link only in Developer Mode or elevated.
        for (const auto& [link, error] : {std::pair{mod + "\\junction", junctionError},
                                          std::pair{mod + "\\symlink", symlinkError}}) {
            if (!IsLink(link) && (test::UnderWine() || error == ERROR_PRIVILEGE_NOT_HELD))
                MESSAGE("skipped, the system cannot make ", link, error ? " (error " + std::to_string(error) + ")"
                                                                        : std::string(" though it says it did"));
            else
                CHECK_MESSAGE(IsLink(link), "error ", error, " making ", link);
        }
        Launcher launcher(game.Path());
        const Bin bin;
        // The links go as links, and the directory with them.
        launcher.RemoveSucceeds("LinkMod", mod);
        // What they lead to is untouched, and the bin gained the YMod's own
        // file and nothing else.
        for (const char* target : {"junctioned", "symlinked"}) {
            CHECK(test::NamesIn(outside / target) == std::vector<std::string>{"kept.sav"});
            CHECK(test::ReadBytes(outside / target + "\\kept.sav") == "kept");
        }
        const std::vector<std::string> gained = bin.Gained();
        CHECK(gained == std::vector<std::string>{mod + "\\own.txt"});
        CHECK(InTrash(gained, mod + "\\own.txt", "own"));
    }

    TEST_CASE("names that lead elsewhere are not listed, and nothing is entered or removed through them")
    {
        // Names Windows cannot give a directory, made on the Unix side (a
        // player's tools can), or by a full-width dot and backslash whose
        // ANSI form is ".\": joined to the game directory they lead to the
        // game directory itself, or to a twin without the trailing dot.
        YORV_NEEDS_WINE("names Windows cannot give a directory, made with mkdir on Wine's Unix side");
        const std::string gameDir = "C:\\yorvtests\\remove_elsewhere";
        // Windows' own calls would follow these names, so the tree goes the
        // Unix way, before (what an earlier run left) and after.
        RemoveTheUnixWay(gameDir);
        test::TempDir game("remove_elsewhere");
        const UnixCleanUp cleanUp{game.Path()};
        ForgetTrashFrom(game.Path());
        test::MakeDir(game / "RealMod");
        test::WriteBytes(game / "RealMod\\YMOD.DIZ", "Real Mod\r\n");
        test::MakeDir(game / "Twin");
        test::WriteBytes(game / "Twin\\YMOD.DIZ", "Twin Mod\r\n");
        test::WriteBytes(game / "yorv.exe", "MZ game");
        test::WriteBytes(game / "player.sav", "save");
        test::MakeDir(game / "Loop");
        // Unix names, a backslash in them an ordinary character.
        for (const auto& [folder, name] : {std::pair{game.Path(), "m\\.."}, std::pair{game.Path(), "Twin."},
                                           std::pair{game / "Loop", "a\\.."}, std::pair{game / "Loop", "b\\.."}}) {
            RunUnix("Z:\\bin\\mkdir " + UnixPath(folder) + "/" + name);
            // Wine may report the Unix program ended before it has.
            for (int i = 0; i < 100 && !Lists(folder, name); ++i)
                Sleep(50);
            REQUIRE(Lists(folder, name));
        }
        REQUIRE(CreateDirectoryW((Long(game.Path()) + L"\\\xFF0E\xFF3C").c_str(), nullptr));

        Launcher launcher(game.Path());
        const Bin bin;
        std::vector<std::string> listed = Launcher::ListTexts();
        std::sort(listed.begin(), listed.end());
        CHECK(listed == std::vector<std::string>{"Loop", "Real Mod", "Twin Mod"});

        // Removal given such a path refuses it, and touches nothing there.
        std::vector<std::string> notRemoved;
        for (const std::string& path : {game / "m\\..", game / "Twin.", game.Path() + "\\.\\"})
            RemoveTree(path, [&](const std::string& dir) { notRemoved.push_back(dir); });
        CHECK(notRemoved == std::vector<std::string>{game / "m\\..", game / "Twin.", game.Path() + "\\.\\"});
        CHECK(test::ReadBytes(game / "yorv.exe") == "MZ game");
        CHECK(test::ReadBytes(game / "player.sav") == "save");
        CHECK(test::ReadBytes(game / "Twin\\YMOD.DIZ") == "Twin Mod\r\n");
        CHECK(bin.Gained().empty());

        // Two names in a YMod that each lead back to it are passed over, not
        // walked for ever; a real file still counts.
        CHECK_FALSE(TreeHoldsFiles(game / "Loop"));
        test::WriteBytes(game / "Loop\\own.txt", "own");
        CHECK(TreeHoldsFiles(game / "Loop"));
        launcher.Select("Loop");
        test::ModalWatcher watcher({IDYES});
        FrmMain->CmdRemoveClick();
        const std::vector<std::string> gained = bin.Gained();
        CHECK(gained == std::vector<std::string>{game / "Loop\\own.txt"});
        CHECK(InTrash(gained, game / "Loop\\own.txt", "own"));
        CHECK(test::ReadBytes(game / "yorv.exe") == "MZ game");
        const auto& boxes = watcher.Boxes();
        REQUIRE(boxes.size() == 5);
        std::vector<std::string> leftInPlace{boxes[1].text, boxes[2].text};
        std::sort(leftInPlace.begin(), leftInPlace.end());  // in the order the file system lists them
        CHECK(leftInPlace
              == std::vector<std::string>{CouldNotRemove(game / "Loop\\a\\.."), CouldNotRemove(game / "Loop\\b\\..")});
        CHECK(boxes[3].text == CouldNotRemove(game / "Loop"));
        CHECK(boxes[4].caption == "ERROR");
    }

    TEST_CASE("long paths are handed to the shell whole")
    {
        const std::string leftover = "C:\\yorvtests\\remove_long\\LongMod\\" + std::string(100, 'a') + "\\"
                                     + std::string(100, 'b') + "\\" + std::string(100, 'c');
        DeleteFileW(Long(leftover + "\\deep.txt").c_str());  // out of reach for the cleaning up
        RemoveDirectoryW(Long(leftover).c_str());
        test::TempDir game("remove_long");
        ForgetTrashFrom(game.Path());
        const std::string mod = game / "LongMod";
        const std::string a = mod + "\\" + std::string(100, 'a');
        const std::string b = a + "\\" + std::string(100, 'b');
        test::MakeDir(mod);
        test::MakeDir(a);
        test::MakeDir(b);
        // 258 characters: more than the 254 a 256-character buffer holds.
        const std::string longFile = b + "\\" + std::string(258 - b.size() - 1, 'f');
        REQUIRE(longFile.size() == 258);
        test::WriteBytes(longFile, "long");
        // Deeper still, past what the ANSI calls reach.
        const std::string c = b + "\\" + std::string(100, 'c');
        const std::string deep = c + "\\deep.txt";
        REQUIRE(CreateDirectoryW(Long(c).c_str(), nullptr));
        HANDLE file = CreateFileW(Long(deep).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        REQUIRE(file != INVALID_HANDLE_VALUE);
        CloseHandle(file);
        Launcher launcher(game.Path());
        launcher.Select("LongMod");

        const Bin bin;
        int widestText = 0;
        bool centred = true;
        test::ModalWatcher watcher({IDYES}, [&](test::ModalBox& box) {
            if (box.text.rfind("Couldn't", 0) != 0)
                return;
            HWND dialog = FindDialog(Application::Title());
            RECT text;
            GetWindowRect(GetDlgItem(dialog, 0xFFFF), &text);
            widestText = std::max(widestText, static_cast<int>(text.right - text.left));
            RECT rc;
            GetWindowRect(dialog, &rc);
            centred = centred && std::abs((rc.left + rc.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2) <= 1
                      && std::abs((rc.top + rc.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2) <= 1;
        });
        FrmMain->CmdRemoveClick();

        CHECK(InTrash(bin.Gained(), longFile, "long"));
        CHECK_FALSE(Exists(longFile));
        // The file out of reach stays where it is, and the player is told.
        CHECK(GetFileAttributesW(Long(deep).c_str()) != INVALID_FILE_ATTRIBUTES);
        const auto& boxes = watcher.Boxes();
        REQUIRE(boxes.size() == 6);
        CHECK(boxes[1].text == CouldNotRemove(c));
        CHECK(boxes[2].text == CouldNotRemove(b));
        CHECK(boxes[3].text == CouldNotRemove(a));
        CHECK(boxes[4].text == CouldNotRemove(mod));
        CHECK(boxes[5].caption == "ERROR");
        // Long names wrap at half the screen's width, in a dialog centred on the screen.
        CHECK(widestText > 0);
        CHECK(widestText <= GetSystemMetrics(SM_CXSCREEN) / 2);
        CHECK(centred);
        DeleteFileW(Long(deep).c_str());
        RemoveDirectoryW(Long(c).c_str());
    }

    TEST_CASE("a bin that already holds many items takes a removal and keeps every one of them")
    {
        YORV_NEEDS_WINE("the player's earlier deletions are written straight into the XDG trash");
        test::TempDir game("remove_busy_bin");
        ForgetTrashFrom(game.Path());
        const std::string mod = game / "BusyBinMod";
        test::MakeDir(mod);
        test::WriteBytes(mod + "\\data.txt", "data");
        // The player's earlier deletions, from the YMod's own folder; one is
        // named as the bin check names its file.
        constexpr int kEarlier = 1500;
        const auto earlierName = [](int i) {
            return i == 0 ? std::string("~YorvFrontEnd recycle bin check 1-1-0") : "old" + std::to_string(i) + ".txt";
        };
        for (int i = 0; i < kEarlier; ++i) {
            std::string original = UnixPath(mod + "\\" + earlierName(i));
            for (std::size_t at; (at = original.find(' ')) != std::string::npos;)
                original.replace(at, 1, "%20");
            test::WriteBytes(TrashDir() + "\\files\\" + earlierName(i), "old " + std::to_string(i));
            test::WriteBytes(TrashDir() + "\\info\\" + earlierName(i) + ".trashinfo",
                             "[Trash Info]\nPath=" + original + "\nDeletionDate=2026-01-02T03:04:05\n");
        }
        const Bin bin;

        Launcher launcher(game.Path());
        launcher.RemoveSucceeds("BusyBinMod", mod);
        const std::vector<std::string> gained = bin.Gained();
        CHECK(gained == std::vector<std::string>{mod + "\\data.txt"});
        CHECK(InTrash(gained, mod + "\\data.txt", "data"));
        int kept = 0;
        for (int i = 0; i < kEarlier; ++i)
            kept += InTrashAs(earlierName(i), "old " + std::to_string(i));
        CHECK(kept == kEarlier);
        ForgetTrashFrom(game.Path());
    }

    TEST_CASE("Remove refuses without an installation record or a selection, and acts on no path")
    {
        test::TempDir game("remove_refuse");
        test::MakeDir(game / "SomeMod");
        test::WriteBytes(game / "SomeMod\\file.txt", "file");
        {
            Launcher launcher(game.Path());
            SendMessageA(FrmMain->ComboYMod, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
            test::ModalWatcher watcher;
            FrmMain->CmdRemoveClick();
            REQUIRE(watcher.Boxes().size() == 1);
            CHECK(watcher.Boxes()[0].text == "No Y-Mod is selected, so nothing was removed.");
            CHECK(watcher.Boxes()[0].icon == MB_ICONEXCLAMATION);
            CHECK(test::ReadBytes(game / "SomeMod\\file.txt") == "file");
        }
        {
            // No record: the list shows the root folders of the current drive.
            // Should the refusal fail, the question is answered No.
            char cwd[MAX_PATH];
            GetCurrentDirectoryA(sizeof cwd, cwd);
            REQUIRE(SetCurrentDirectoryA(game.Path().c_str()));
            {
                Launcher launcher("");
                CHECK(GameDir.empty());
                launcher.Select("yorvtests");
                test::ModalWatcher watcher({IDNO});
                FrmMain->CmdRemoveClick();
                REQUIRE(watcher.Boxes().size() == 1);
                CHECK(watcher.Boxes()[0].caption == Application::Title());
                CHECK(watcher.Boxes()[0].text
                      == "The game's installation record was not found, so the Y-Mods' directory is not known."
                         "\r\n\r\nNothing was removed.");
                CHECK(watcher.Boxes()[0].icon == MB_ICONEXCLAMATION);
            }
            SetCurrentDirectoryA(cwd);
            CHECK(test::ReadBytes(game / "SomeMod\\file.txt") == "file");
        }
    }

    TEST_CASE("the working window and the plain message dialog")
    {
        test::TempDir game("remove_windows");
        Launcher launcher(game.Path());
        HWND work = FrmWork->Handle();
        CHECK(test::WindowText(work) == "Working");
        const LONG_PTR style = GetWindowLongPtrA(work, GWL_STYLE);
        CHECK((style & WS_CAPTION) == WS_CAPTION);
        CHECK((style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)) == 0);
        CHECK((GetWindowLongPtrA(work, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
        CHECK(GetWindow(work, GW_OWNER) == Application::Window());
        RECT client;
        GetClientRect(work, &client);
        CHECK(client.right == Application::Scale(307));
        CHECK(client.bottom == Application::Scale(93));
        RECT frame;
        GetWindowRect(work, &frame);
        CHECK(std::abs((frame.left + frame.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2) <= 1);
        CHECK(test::WindowText(FrmWork->Label1) == "Sending files to the Recycle Bin");
        CHECK(test::WindowText(FrmWork->Label2) == "Please Wait...");
        CHECK(test::ChildRect(FrmWork->Label1).left == Application::Scale(26));
        CHECK(test::ChildRect(FrmWork->Label1).top == Application::Scale(16));
        CHECK(test::ChildRect(FrmWork->Label2).left == Application::Scale(105));
        CHECK(test::ChildRect(FrmWork->Label2).top == Application::Scale(56));
        const RECT image = test::ChildRect(FrmWork->Image1.Handle());
        CHECK(image.left == Application::Scale(40));
        CHECK(image.top == Application::Scale(48));
        CHECK(image.right - image.left == Application::Scale(33));
        CHECK(image.bottom - image.top == Application::Scale(33));
        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(FrmWork->Label1, WM_GETFONT, 0, 0)), sizeof font, &font);
        CHECK(font.lfWeight == FW_BOLD);
        CHECK(font.lfHeight == -Application::Scale(16));
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(FrmWork->Label2, WM_GETFONT, 0, 0)), sizeof font, &font);
        CHECK(font.lfWeight == FW_BOLD);
        CHECK(font.lfHeight == -Application::Scale(13));
        CHECK_FALSE(IsWindowVisible(work));

        // Shown: visible, not modal, and drawn before any message is processed.
        ShowWindow(FrmMain->Handle(), SW_SHOW);
        FrmWork->Show();
        CHECK(IsWindowVisible(work));
        CHECK(IsWindowEnabled(FrmMain->Handle()));
        CHECK_FALSE(GetUpdateRect(work, nullptr, FALSE));
        for (HWND child : {FrmWork->Label1, FrmWork->Label2, FrmWork->Image1.Handle()})
            CHECK_FALSE(GetUpdateRect(child, nullptr, FALSE));
        FrmWork->Close();
        CHECK_FALSE(IsWindowVisible(work));

        // The plain message answers Enter and Esc.
        static int keysSent = 0;
        for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
            static WPARAM pressed;
            pressed = key;
            keysSent = 0;
            const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
                HWND dialog = FindDialog(Application::Title());
                if (!dialog)
                    return;
                if (++keysSent > 20) {  // a dialog that does not answer is ended, and fails the test
                    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                    return;
                }
                HWND focus = GetDlgItem(dialog, IDOK);
                PostMessageA(focus, WM_KEYDOWN, pressed, 0);
                PostMessageA(focus, WM_KEYUP, pressed, 0);
            });
            ShowPlainMessage("A short note.");
            KillTimer(nullptr, timer);
            CAPTURE(key);
            CHECK(keysSent == 1);
        }
        CHECK(IsWindowEnabled(FrmMain->Handle()));
    }
}

// In a process of its own: Wine looks for its trash folder once in a
// process. Where the first look finds it unusable, the shell deletes a file
// sent to the bin for good and says nothing, as Windows does with a file its
// bin cannot take: only the bin's items can tell. (Made unusable after that
// first look, the trash leaves the file where it was instead.)
TEST_SUITE("remove_nobin")
{
    TEST_CASE("when the recycle bin cannot keep the files, nothing is removed")
    {
        YORV_NEEDS_WINE("the recycle bin is made unusable by a file in place of the XDG trash");
        const UnusableTrash noTrash;  // before anything in this process looks at the bin
        test::TempDir game("remove_nobin");
        const std::string mod = game / "KeepMod";
        test::MakeDir(mod);
        test::MakeDir(mod + "\\sub");
        test::WriteBytes(mod + "\\one.txt", "one");
        test::WriteBytes(mod + "\\sub\\two.txt", "two");
        Launcher launcher(game.Path());
        launcher.Select("KeepMod");
        // Should the removal go on, the shell would ask, over the working
        // window, before it deleted each file for good: No, so that nothing
        // is lost.
        int shellPrompts = 0;
        test::ModalWatcher watcher({IDYES}, [&](test::ModalBox& box) {
            if (box.owner == FrmWork->Handle()) {
                ++shellPrompts;
                box.answer = IDNO;
            }
        });
        FrmMain->CmdRemoveClick();

        // Refused, with the launcher's own message, before any file went.
        CHECK(shellPrompts == 0);
        REQUIRE(watcher.Boxes().size() == 2);
        CHECK(watcher.Boxes()[1].text
              == "The recycle bin cannot take the files of this Y-Mod: they would be deleted for good."
                 "\r\n\r\nNothing was removed.");
        CHECK(watcher.Boxes()[1].caption == Application::Title());
        CHECK(watcher.Boxes()[1].icon == MB_ICONEXCLAMATION);
        CHECK_FALSE(IsWindowVisible(FrmWork->Handle()));
        CHECK(test::ReadBytes(mod + "\\one.txt") == "one");
        CHECK(test::ReadBytes(mod + "\\sub\\two.txt") == "two");
        // Not even the bin check's own file is left behind.
        CHECK(test::NamesIn(mod) == std::vector<std::string>{"one.txt", "sub"});
        CHECK(Launcher::ListTexts() == std::vector<std::string>{"KeepMod"});
    }
}

// Run with a Japanese locale, in code page 932, where the second byte of
// these katakana and this kanji is the byte of a backslash.
TEST_SUITE("dbcs")
{
    TEST_CASE("in a double-byte code page, the second byte of a character is no path separator")
    {
        REQUIRE(GetACP() == 932);
        const std::string software = "\x83\x5C\x83\x74\x83\x67";  // "sofuto"
        const std::string table = "\x95\x5C";                      // "hyou"
        const std::string so = "\x83\x5C";                         // "so"
        test::TempDir game("remove_dbcs");
        ForgetTrashFrom(game.Path());
        // A YMod named with such a character, a YMod with a folder named so,
        // and a game directory whose own name ends in one.
        test::MakeDir(game / software);
        test::WriteBytes(game / software + "\\a.txt", "a");
        test::MakeDir(game / "Mod");
        test::MakeDir(game / "Mod" + "\\" + table);
        test::WriteBytes(game / "Mod" + "\\" + table + "\\b.txt", "b");
        const std::string inner = game / so;
        test::MakeDir(inner);
        test::MakeDir(inner + "\\Mod");
        test::WriteBytes(inner + "\\Mod\\c.txt", "c");

        const Bin bin;
        for (const std::string& mod : {game / software, game / "Mod", inner + "\\Mod"}) {
            CAPTURE(mod);
            CHECK(TreeHoldsFiles(mod));
            CHECK(RecycleBinTakesFilesFrom(mod));
            std::vector<std::string> notRemoved;
            RemoveTree(mod, [&](const std::string& dir) { notRemoved.push_back(dir); });
            CHECK(notRemoved.empty());
            CHECK_FALSE(Exists(mod));
        }
        // The three files, and nothing of the bin checks', whose items the
        // shell restores by its Japanese caption.
        std::vector<std::string> files{game / software + "\\a.txt", game / "Mod" + "\\" + table + "\\b.txt",
                                       inner + "\\Mod\\c.txt"};
        std::sort(files.begin(), files.end());
        CHECK(bin.Gained() == files);
    }

    TEST_CASE("a title cut for the list never ends in half a character")
    {
        REQUIRE(GetACP() == 932);
        test::TempDir game("list_dbcs");
        test::MakeDir(game / "Mod");
        // The cut after 255 bytes falls between the two bytes of a character.
        const std::string title = std::string(254, 'T') + "\x83\x5C\x83\x74\x83\x67";
        test::WriteBytes(game / "Mod\\YMOD.DIZ", title + "\r\n");
        Launcher launcher(game.Path());
        CHECK(Launcher::ListTexts() == std::vector<std::string>{std::string(254, 'T') + "..."});
    }
}
