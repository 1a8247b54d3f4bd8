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
#include "core/RecycleBinCheck.h"
#include "core/Removal.h"
#include "ui/Application.h"
#include "ui/PlainMessage.h"
#include "working/working.h"

#include <doctest.h>
#include <winioctl.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

using namespace yorv;

namespace {

constexpr const char* kTestKey = "YorvRemoveTest";
const std::string kSuccessText = "Y-Mod was removed successfully.";
const std::string kBinCannotTake =
    "The recycle bin cannot take the files of this Y-Mod: they would be deleted for good.\r\n\r\nNothing was removed.";

std::string CouldNotRemove(const std::string& dir)
{
    return "Couldn't remove " + dir + ".\r\nSharing violation error.";
}

std::wstring W(const std::string& ansi)
{
    return WideFromAnsi(ansi).value();
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsLink(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

std::string Read(const std::wstring& path)
{
    std::string data;
    const UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    char buffer[4096];
    DWORD got = 0;
    while (file && ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        data.append(buffer, got);
    return data;
}

void Write(const std::wstring& path, const std::string& bytes)
{
    const UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    REQUIRE((file && WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)));
}

// The Unix path Wine gives a Windows path on drive C:, also for one that
// no longer exists.
std::string UnixPath(const std::wstring& winPath)
{
    using Fn = char*(CDECL*)(const WCHAR*);
    static const auto fn = reinterpret_cast<Fn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    REQUIRE(reinterpret_cast<void*>(fn) != nullptr);
    REQUIRE(winPath.compare(0, 3, L"C:\\") == 0);
    static const std::string drive = [] {
        char* unix = fn(L"C:\\");
        std::string path = unix ? unix : "";
        HeapFree(GetProcessHeap(), 0, unix);
        return !path.empty() && path.back() != '/' ? path + '/' : path;
    }();
    std::wstring rest = winPath.substr(3);
    std::replace(rest.begin(), rest.end(), L'\\', L'/');
    std::string utf8(rest.size() * 3, '\0');
    utf8.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, rest.data(), static_cast<int>(rest.size()),
                                                             utf8.data(), static_cast<int>(utf8.size()), nullptr,
                                                             nullptr)));
    return drive + utf8;
}

// Runs a Unix program (Wine starts them like any other) to its end.
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

// Runs `program` with `target` and, in `folder`, `name`, from the Unix side,
// and waits until the name is there (Wine may report the program ended
// before it has).
void OnUnixSide(const std::string& program, const std::string& target, const std::string& folder,
                const std::string& name)
{
    const std::string made = UnixPath(W(folder)) + "/" + name;
    REQUIRE(StartUnixAndWait("Z:\\bin\\" + program + " " + target + (target.empty() ? "" : " ") + made));
    for (int i = 0; i < 100; ++i) {
        const std::vector<std::string> names = test::NamesIn(folder);
        if (std::find(names.begin(), names.end(), name) != names.end())
            return;
        Sleep(50);
    }
    FAIL("the Unix side did not make ", made);
}

// Removes a tree the Unix way: Windows' own calls would follow its links
// and names elsewhere.
void RemoveTheUnixWay(const std::string& dir) noexcept
{
    if (!test::UnderWine() || GetFileAttributesA(dir.c_str()) == INVALID_FILE_ATTRIBUTES)
        return;
    StartUnixAndWait("Z:\\bin\\rm -rf " + UnixPath(W(dir)));
    for (int i = 0; i < 200 && GetFileAttributesA(dir.c_str()) != INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(50);
}

// A test folder removed the Unix way before the test (what a failed run
// left) and after it, however it ends.
class UnixTempDir {
public:
    explicit UnixTempDir(const std::string& name) : cleaned_(Clean("C:\\yorvtests\\" + name)), dir_(name) {}
    ~UnixTempDir() { Clean(dir_.Path()); }
    const std::string& Path() const { return dir_.Path(); }
    std::string operator/(const std::string& name) const { return dir_ / name; }

private:
    static bool Clean(const std::string& dir) noexcept
    {
        RemoveTheUnixWay(dir);
        return true;
    }
    bool cleaned_;
    test::TempDir dir_;
};

// The trash folder of the test HOME ($XDG_DATA_HOME/Trash).
std::string TrashDir()
{
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    REQUIRE(dataHome != nullptr);
    return test::WinePath(std::string(dataHome) + "/Trash");
}

// Puts back a trash that a run cut off in the middle left unusable (a file
// in its place), before anything in this process looks for it: Wine looks
// once in a process.
const bool trashSetUp = [] {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (!test::UnderWine() || !dataHome)
        return false;
    const std::string trash = test::WinePath(std::string(dataHome) + "/Trash");
    if (GetFileAttributesA((trash + ".saved").c_str()) != INVALID_FILE_ATTRIBUTES) {
        DeleteFileA(trash.c_str());
        MoveFileA((trash + ".saved").c_str(), trash.c_str());
    }
    return CreateDirectoryA(trash.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}();

// Makes the trash unusable (a regular file in its place) while it lives.
class UnusableTrash {
public:
    UnusableTrash() : trash_(TrashDir())
    {
        REQUIRE(MoveFileA(trash_.c_str(), (trash_ + ".saved").c_str()));
        test::WriteBytes(trash_, "");
    }
    ~UnusableTrash()
    {
        DeleteFileA(trash_.c_str());
        MoveFileA((trash_ + ".saved").c_str(), trash_.c_str());
    }

private:
    std::string trash_;
};

// The items of the XDG trash: each one's name in files/ and info/, and the
// Unix path it came from.
std::vector<std::pair<std::wstring, std::string>> TrashEntries()
{
    std::vector<std::pair<std::wstring, std::string>> entries;
    const std::wstring info = W(TrashDir()) + L"\\info\\";
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((info + L"*.trashinfo").c_str(), &found);
    for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &found)) {
        const std::string text = Read(info + found.cFileName);
        const std::size_t at = text.find("\nPath=");
        std::string original;
        for (std::size_t i = at + 6; at != std::string::npos && i < text.size() && text[i] != '\n'; ++i) {
            const bool escaped = text[i] == '%' && i + 2 < text.size();
            original += escaped ? static_cast<char>(std::strtol(text.substr(i + 1, 2).c_str(), nullptr, 16)) : text[i];
            i += escaped ? 2 : 0;
        }
        std::wstring name = found.cFileName;
        entries.push_back({name.substr(0, name.size() - 10), original});
    }
    if (find != INVALID_HANDLE_VALUE)
        FindClose(find);
    return entries;
}

// Under Wine, whether the XDG trash keeps the file that was at `path` with
// `contents`, restorable to where it was.
bool KeptInTrash(const std::wstring& path, const std::string& contents)
{
    for (const auto& [name, original] : TrashEntries()) {
        if (original == UnixPath(path) && Read(W(TrashDir()) + L"\\files\\" + name) == contents)
            return true;
    }
    return false;
}

// Empties the trash of what earlier runs left there from under `dir`, under
// Wine. On Windows the player's bin is left as it is: every check asks what
// the bin gained since the test last looked.
void ForgetTrashFrom(const std::string& dir)
{
    if (!test::UnderWine())
        return;
    const std::string prefix = UnixPath(W(dir)) + "/";
    for (const auto& [name, original] : TrashEntries()) {
        if (original.compare(0, prefix.size(), prefix) == 0) {
            const std::wstring file = W(TrashDir()) + L"\\files\\" + name;
            SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);  // a read-only file is deleted too
            DeleteFileW(file.c_str());
            DeleteFileW((W(TrashDir()) + L"\\info\\" + name + L".trashinfo").c_str());
        }
    }
}

// The recycle bin at one moment, and what it gained since, as the shell
// shows it. Under Wine the XDG trash is checked as well: it gained an item
// for each item gained.
class Bin {
public:
    Bin() : items_(test::BinItems()), trash_(test::UnderWine() ? TrashEntries().size() : 0) {}

    // The original paths of the items gained, sorted.
    std::vector<std::wstring> Gained() const
    {
        const std::vector<std::wstring> now = test::BinItems();
        std::vector<std::wstring> gained;
        std::set_difference(now.begin(), now.end(), items_.begin(), items_.end(), std::back_inserter(gained));
        if (test::UnderWine())
            CHECK(TrashEntries().size() == trash_ + gained.size());
        return gained;
    }

private:
    std::vector<std::wstring> items_;
    std::size_t trash_;
};

// Whether the bin took the file that was at `path`: it is among the items
// `gained`, and under Wine the trash keeps it with `contents`.
bool InTrash(const std::vector<std::wstring>& gained, const std::wstring& path, const std::string& contents)
{
    return std::binary_search(gained.begin(), gained.end(), path) && (!test::UnderWine() || KeptInTrash(path, contents));
}

// A directory junction at `link` to the folder `target`, made as the
// system's own tools make one: mount-point reparse data set on an empty
// directory. The error, or 0. Where the data cannot be set, the directory
// stays, a plain empty one.
DWORD MakeJunction(const std::string& target, const std::string& link)
{
    if (!CreateDirectoryA(link.c_str(), nullptr))
        return GetLastError();
    const UniqueFile dir(CreateFileA(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!dir)
        return GetLastError();
    // The mount-point form of REPARSE_DATA_BUFFER: the tag, the length of
    // what follows the first eight bytes, where the two names lie, and the
    // names, the one the system follows and the one it shows, each ended by a NUL.
    const std::wstring shown = W(target);
    const std::wstring followed = L"\\??\\" + shown;
    struct {
        DWORD tag;
        WORD dataLength;
        WORD reserved;
        WORD followedOffset, followedLength, shownOffset, shownLength;
        WCHAR names[2 * MAX_PATH];
    } data{};
    data.tag = IO_REPARSE_TAG_MOUNT_POINT;
    data.followedLength = static_cast<WORD>(followed.size() * sizeof(WCHAR));
    data.shownOffset = static_cast<WORD>(data.followedLength + sizeof(WCHAR));
    data.shownLength = static_cast<WORD>(shown.size() * sizeof(WCHAR));
    std::copy(followed.begin(), followed.end(), data.names);
    std::copy(shown.begin(), shown.end(), data.names + followed.size() + 1);
    data.dataLength = static_cast<WORD>(8 + data.shownOffset + data.shownLength + sizeof(WCHAR));
    DWORD returned = 0;
    return DeviceIoControl(dir.Get(), FSCTL_SET_REPARSE_POINT, &data, data.dataLength + 8u, nullptr, 0, &returned,
                           nullptr)
               ? 0
               : GetLastError();
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
    static void Select(const std::string& dir)
    {
        const auto slot = std::find(YModDirs.begin(), YModDirs.begin() + YModCount, dir);
        REQUIRE(slot != YModDirs.begin() + YModCount);
        SendMessageA(FrmMain->ComboYMod, CB_SETCURSEL, static_cast<WPARAM>(slot - YModDirs.begin()), 0);
        SendMessageA(FrmMain->Handle(), WM_COMMAND, MAKEWPARAM(IDC_COMBOYMOD, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(FrmMain->ComboYMod));
    }

    // Removes the YMod in `dir` as the player would, Yes to the question and
    // OK to every box; the boxes, in order.
    static std::vector<test::ModalBox> Remove(const std::string& dir, std::vector<int> answers = {IDYES})
    {
        Select(dir);
        test::ModalWatcher watcher(std::move(answers));
        FrmMain->CmdRemoveClick();
        return watcher.Boxes();
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
        std::sort(texts.begin(), texts.end());
        return texts;
    }

    static int Selection() { return static_cast<int>(SendMessageA(FrmMain->ComboYMod, CB_GETCURSEL, 0, 0)); }

private:
    test::CleanKey key_{kTestKey};
    std::unique_ptr<test::InstallationRecord> record_;
    std::unique_ptr<ProgramWindows> windows_;
};

// The visible dialog of this thread with the given caption.
HWND FindDialog(const std::string& caption)
{
    std::pair<std::string, HWND> search{caption, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<std::pair<std::string, HWND>*>(param);
            char cls[32];
            GetClassNameA(hwnd, cls, sizeof cls);
            if (std::string(cls) == "#32770" && IsWindowVisible(hwnd) && test::WindowText(hwnd) == s->first)
                s->second = hwnd;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}

// What one kind of entry in a YMod comes to when the YMod is removed.
struct Outcome {
    std::string mod;                                  // the YMod's directory
    std::string outside;                              // a folder beside the game directory
    std::map<std::wstring, std::string> recycled;     // gone, and in the bin with these contents
    std::map<std::wstring, std::string> kept;         // where they were, with these contents
    std::vector<std::string> leftInPlace;             // named by "Couldn't remove", innermost first
    bool leftInAnyOrder = false;                      // in the order the file system lists them
    std::vector<int> shellAnswers;                    // to the shell's own questions, over the working window
    std::function<void()> after;                      // more checks, once it is removed

    // A file the row makes, and whether it goes to the bin or stays.
    void File(const std::wstring& path, const std::string& contents, bool recycle = true)
    {
        Write(path, contents);
        (recycle ? recycled : kept)[path] = contents;
    }
    void File(const std::string& path, const std::string& contents, bool recycle = true)
    {
        File(W(path), contents, recycle);
    }
};

struct Row {
    const char* kind;
    const char* dir;
    // Makes the row's entries; a reason when they cannot be made here.
    std::function<std::string(Outcome&)> make;
};

std::string NeedsWine(const char* why)
{
    return test::UnderWine() ? std::string() : std::string("needs Wine: ") + why;
}

// A link the system makes itself: where it cannot, the row is left out.
std::string SystemLink(Outcome& o, bool junction)
{
    const std::string target = o.outside + (junction ? "\\junctioned" : "\\symlinked");
    const std::string link = o.mod + (junction ? "\\junction" : "\\symlink");
    test::MakeDir(target);
    o.File(target + "\\kept.sav", "kept", false);
    o.File(o.mod + "\\own.txt", "own");
    const DWORD error = junction ? MakeJunction(target, link)
                        : CreateSymbolicLinkA(link.c_str(), target.c_str(),
                                              SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE)
                            ? 0
                            : GetLastError();
    if (IsLink(link))
        return {};
    // Wine makes neither (the junction's directory stays a plain empty one,
    // and CreateSymbolicLinkA says it made a link it did not); Windows makes
    // a symbolic link only in Developer Mode or elevated.
    REQUIRE_MESSAGE((test::UnderWine() || error == ERROR_PRIVILEGE_NOT_HELD), "error ", error, " making ", link);
    test::RemoveTreeForTest(link);
    return "the system cannot make " + link + (error ? " (error " + std::to_string(error) + ")" : " though it says so");
}

const Row kRows[] = {
    {"plain files", "PlainMod",
     [](Outcome& o) {
         o.File(o.mod + "\\YMOD.DIZ", "Plain Mod 1.0\r\n(c) someone\r\n");
         o.File(o.mod + "\\readme.txt", "read me");
         return std::string();
     }},
    {"hidden, system and read-only files", "AttributeMod",
     [](Outcome& o) {
         for (const auto& [name, attribute] : {std::pair{"hidden.dat", FILE_ATTRIBUTE_HIDDEN},
                                               {"system.dat", FILE_ATTRIBUTE_SYSTEM},
                                               {"readonly.dat", FILE_ATTRIBUTE_READONLY}}) {
             o.File(o.mod + "\\" + name, name);
             REQUIRE(SetFileAttributesA((o.mod + "\\" + name).c_str(), attribute));
         }
         return std::string();
     }},
    {"subfolders, nested, empty and customised (read-only)", "FolderMod",
     [](Outcome& o) {
         for (const char* dir : {"\\maps", "\\maps\\deeper", "\\maps\\deeper\\deepest", "\\empty"})
             test::MakeDir(o.mod + dir);
         o.File(o.mod + "\\maps\\level1.map", "level one");
         o.File(o.mod + "\\maps\\deeper\\level2.map", "level two");
         REQUIRE(SetFileAttributesA((o.mod + "\\maps\\deeper").c_str(), FILE_ATTRIBUTE_READONLY));
         return std::string();
     }},
    {"a name outside the code page", "WideMod",
     [](Outcome& o) {
         const std::wstring name = W(o.mod) + L"\\\x6F22\x5B57 \x03A9.txt";
         if (!UniqueFile(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)))
             return "the file system here cannot hold the name (error " + std::to_string(GetLastError()) + ")";
         o.File(name, "wide");
         return std::string();
     }},
    {"links to a file, among the YMod's own files", "FileLinkMod",
     [](Outcome& o) {
         if (std::string why = NeedsWine("Unix links, made with ln on the Unix side"); !why.empty())
             return why;
         test::MakeDir(o.mod + "\\saves");
         o.File(o.outside + "\\single.sav", "single", false);
         for (const char* name : {"a.sav", "m.sav", "z.sav"})
             o.File(o.mod + "\\saves\\" + name, name);
         for (int i = 0; i < 5; ++i)
             o.File(o.mod + "\\own" + std::to_string(i) + ".txt", "own");
         const std::string target = UnixPath(W(o.outside + "\\single.sav"));
         OnUnixSide("ln -s", target, o.mod + "\\saves", "single.sav");
         OnUnixSide("ln -s", target, o.mod, "top.sav");  // judged after the walk came back from a subfolder
         // Wine lists such a link as a plain file; it stays, and with it its folders.
         o.leftInPlace = {o.mod + "\\saves", o.mod};
         return std::string();
     }},
    {"a link to a folder", "FolderLinkMod",
     [](Outcome& o) {
         if (std::string why = NeedsWine("Unix links, made with ln on the Unix side"); !why.empty())
             return why;
         test::MakeDir(o.outside + "\\shared");
         o.File(o.outside + "\\shared\\precious.sav", "precious", false);
         o.File(o.mod + "\\own.txt", "own");
         OnUnixSide("ln -s", UnixPath(W(o.outside + "\\shared")), o.mod, "shared");
         REQUIRE(IsLink(o.mod + "\\shared"));
         // Wine cannot remove a Unix link without following it: it stays.
         o.leftInPlace = {o.mod + "\\shared", o.mod};
         return std::string();
     }},
    {"a junction", "JunctionMod", [](Outcome& o) { return SystemLink(o, true); }},
    {"a directory symbolic link", "SymlinkMod", [](Outcome& o) { return SystemLink(o, false); }},
    {"names that lead back to the YMod's folder", "Loop",
     [](Outcome& o) {
         if (std::string why = NeedsWine("names Windows cannot give a directory, made on the Unix side"); !why.empty())
             return why;
         o.File(o.mod + "\\own.txt", "own");
         for (const char* name : {"a\\..", "b\\.."}) {
             OnUnixSide("mkdir", "", o.mod, name);
             o.leftInPlace.push_back(o.mod + "\\" + name);
         }
         o.leftInPlace.push_back(o.mod);
         o.leftInAnyOrder = true;
         return std::string();
     }},
    {"a file held open", "LockedMod",
     [](Outcome& o) {
         if (std::string why = NeedsWine("Windows meets a file held open with its File In Use dialog"); !why.empty())
             return why;
         test::MakeDir(o.mod + "\\data");
         test::MakeDir(o.mod + "\\data\\sounds");
         o.File(o.mod + "\\YMOD.DIZ", "Locked Mod\r\n");
         o.File(o.mod + "\\data\\table.txt", "table");
         o.File(o.mod + "\\data\\sounds\\busy.wav", "busy", false);
         // Another handle without FILE_SHARE_DELETE: the bin cannot take the
         // file, and the shell offers to delete it for good instead: No.
         auto busy = std::make_shared<UniqueFile>(CreateFileA((o.mod + "\\data\\sounds\\busy.wav").c_str(), GENERIC_READ,
                                                              FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
         REQUIRE(*busy);
         o.shellAnswers = {IDNO};
         o.leftInPlace = {o.mod + "\\data\\sounds", o.mod + "\\data", o.mod};
         o.after = [busy] { busy->Reset(); };
         return std::string();
     }},
    {"a twin folder whose name differs only in case", "casemod",
     [](Outcome& o) {
         if (std::string why = NeedsWine("a file system that tells case apart, on the Unix side"); !why.empty())
             return why;
         o.File(o.mod + "\\lower.txt", "lower");
         const std::string game = o.mod.substr(0, o.mod.rfind('\\'));
         OnUnixSide("mkdir", "", game, "CaseMod");
         o.File(game + "\\CaseMod\\upper.txt", "upper", false);
         o.after = [] {
             const std::vector<std::string> listed = Launcher::ListTexts();
             CHECK(std::count(listed.begin(), listed.end(), "CaseMod") == 1);
             CHECK(std::count(listed.begin(), listed.end(), "casemod") == 0);
         };
         return std::string();
     }},
    {"the YMod's folder itself a link", "LinkedMod",
     [](Outcome& o) {
         if (std::string why = NeedsWine("Unix links, made with ln on the Unix side"); !why.empty())
             return why;
         const std::string target = o.outside + "\\linked";
         test::MakeDir(target);
         o.File(target + "\\precious.sav", "precious", false);
         REQUIRE(RemoveDirectoryA(o.mod.c_str()));
         OnUnixSide("ln -s", UnixPath(W(target)), o.mod.substr(0, o.mod.rfind('\\')), "LinkedMod");
         // Only the link would go, which Wine cannot remove: nothing is
         // recycled, and the bin is not tried with a file of the launcher's
         // in the folder it leads to.
         o.leftInPlace = {o.mod};
         o.after = [target] { CHECK(test::NamesIn(target) == std::vector<std::string>{"precious.sav"}); };
         return std::string();
     }},
};

}  // namespace

TEST_SUITE("remove")
{
    TEST_CASE("each kind of entry: what goes to the recycle bin, what stays, and what the player is told")
    {
        const UnixTempDir game("remove_kinds");
        const UnixTempDir outside("remove_outside");
        ForgetTrashFrom(game.Path());
        std::vector<Outcome> outcomes;
        std::vector<std::string> skipped;
        for (const Row& row : kRows) {
            outcomes.emplace_back().mod = game / row.dir;
            outcomes.back().outside = outside.Path();
            test::MakeDir(outcomes.back().mod);
            skipped.push_back(row.make(outcomes.back()));
        }
        Launcher launcher(game.Path());
        for (std::size_t i = 0; i < std::size(kRows); ++i) {
            const Outcome& o = outcomes[i];
            const std::string kind = kRows[i].kind;
            CAPTURE(kind);
            if (!skipped[i].empty()) {
                MESSAGE("skipped: ", kRows[i].kind, ", ", skipped[i]);
                continue;
            }
            const Bin bin;
            std::vector<int> answers{IDYES};
            answers.insert(answers.end(), o.shellAnswers.begin(), o.shellAnswers.end());
            const std::vector<test::ModalBox> boxes = Launcher::Remove(kRows[i].dir, answers);
            if (o.after)
                o.after();

            std::string shown;
            for (const test::ModalBox& box : boxes)
                shown += "[" + box.caption + ": " + box.text + "] ";
            CAPTURE(shown);
            REQUIRE(boxes.size() == 2 + o.shellAnswers.size() + o.leftInPlace.size());
            for (std::size_t shell = 1; shell <= o.shellAnswers.size(); ++shell)
                CHECK(boxes[shell].owner == FrmWork->Handle());
            std::vector<std::string> told;
            for (std::size_t at = 1 + o.shellAnswers.size(); at + 1 < boxes.size(); ++at)
                told.push_back(boxes[at].text);
            std::vector<std::string> expected;
            for (const std::string& dir : o.leftInPlace)
                expected.push_back(CouldNotRemove(dir));
            if (o.leftInAnyOrder) {
                std::sort(told.begin(), told.end() - 1);
                std::sort(expected.begin(), expected.end() - 1);
            }
            CHECK(told == expected);
            CHECK(boxes.back().caption == (o.leftInPlace.empty() ? "Success" : "ERROR"));
            const std::vector<std::string> names = test::NamesIn(game.Path());
            CHECK((std::find(names.begin(), names.end(), kRows[i].dir) != names.end()) == !o.leftInPlace.empty());

            const std::vector<std::wstring> gained = bin.Gained();
            CHECK(gained.size() == o.recycled.size());
            for (const auto& [path, contents] : o.recycled) {
                CAPTURE(AnsiForDisplay(path));
                CHECK(InTrash(gained, path, contents));
                CHECK_FALSE(Exists(path));
            }
            for (const auto& [path, contents] : o.kept)
                CHECK(Read(path) == contents);
        }
    }

    TEST_CASE("Remove asks first, works under the working window, tells the outcome and rebuilds the list")
    {
        test::TempDir game("remove_game");
        ForgetTrashFrom(game.Path());
        const std::string mod = game / "FancyMod";
        test::MakeDir(mod);
        test::WriteBytes(mod + "\\YMOD.DIZ", "Fancy Mod 1.0\r\n");
        test::MakeDir(game / "OtherMod");
        test::WriteBytes(game / "OtherMod\\YMOD.DIZ", "Other Mod\r\n");
        test::WriteBytes(game / "yorvedit.exe", "MZ");

        Launcher launcher(game.Path());
        Launcher::Select("FancyMod");
        const BOOL editBefore = IsWindowEnabled(FrmMain->CmdEdit.Handle());
        CHECK(editBefore);
        const Bin bin;
        // No: nothing happens.
        CHECK(Launcher::Remove("FancyMod", {IDNO}).size() == 1);
        CHECK(Exists(W(mod + "\\YMOD.DIZ")));
        CHECK(Launcher::Selection() >= 0);
        CHECK(bin.Gained().empty());

        // Yes, with Remove pressed from the keyboard: the working window is
        // up while the work runs, gone before the verdict.
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
        CHECK(ask.text == "This will remove the selected Y-Mod sending all files to the recycle bin.\r\n\r\nContinue?");
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
        // The bin gained the YMod's file and nothing of the launcher's own;
        // the directory is deleted, not recycled.
        CHECK(bin.Gained() == std::vector<std::wstring>{W(mod + "\\YMOD.DIZ")});
        CHECK_FALSE(Exists(W(mod)));

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

    TEST_CASE("an empty YMod, and a YMod whose directory vanished before the confirmation")
    {
        test::TempDir game("remove_gone");
        test::MakeDir(game / "EmptyMod");
        test::MakeDir(game / "GoneMod");
        test::WriteBytes(game / "GoneMod\\notes.txt", "notes");
        test::MakeDir(game / "StayMod");
        Launcher launcher(game.Path());
        CHECK_FALSE(IsWindowEnabled(FrmMain->CmdEdit.Handle()));
        const Bin bin;

        // Empty: nothing goes to the bin, not even a check file; the directory goes.
        CHECK(Launcher::Remove("EmptyMod").back().caption == "Success");
        CHECK_FALSE(Exists(W(game / "EmptyMod")));
        CHECK(bin.Gained().empty());

        // Gone before Yes: "Couldn't remove" for it in the plain dialog, then "Success".
        Launcher::Select("GoneMod");
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
        CHECK(watcher.Boxes()[2].text == kSuccessText);
        CHECK(Launcher::ListTexts() == std::vector<std::string>{"StayMod"});
        CHECK(Launcher::Selection() == -1);
        CHECK_FALSE(IsWindowEnabled(FrmMain->CmdEdit.Handle()));
    }

    TEST_CASE("a key pressed with the answer to the question answers none of the boxes that follow")
    {
        // Enter, pressed as Yes is given, waits in the queue while the work
        // runs; it must not answer, unseen, a box that comes up later: the
        // shell's offer to delete a file for good (Yes by default), a
        // "Couldn't remove" or the verdict.
        test::TempDir game("remove_typeahead");
        test::MakeDir(game / "EmptyMod");
        test::MakeDir(game / "GoneMod");
        test::MakeDir(game / "LockedMod");
        test::WriteBytes(game / "LockedMod\\busy.wav", "busy");
        const UniqueFile busy(CreateFileA((game / "LockedMod\\busy.wav").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                          nullptr, OPEN_EXISTING, 0, nullptr));
        REQUIRE(busy);
        Launcher launcher(game.Path());
        SetForegroundWindow(FrmMain->Handle());
        const std::string title = Application::Title();
        const std::tuple<std::string, std::vector<int>, std::vector<std::string>> cases[] = {
            {"EmptyMod", {IDYES}, {"Are you sure?", "Success"}},
            {"GoneMod", {IDYES}, {"Are you sure?", title, "Success"}},
            {"LockedMod", {IDYES, IDNO}, {"Are you sure?", "", title, "ERROR"}},
        };
        for (const auto& [mod, answers, captions] : cases) {
            CAPTURE(mod);
            if (mod == "LockedMod" && !test::UnderWine()) {
                MESSAGE("LockedMod skipped on Windows, needs Wine: Windows meets a file held open with its File In Use "
                        "dialog, not with an offer to delete it for good");
                continue;
            }
            Launcher::Select(mod);
            test::ModalWatcher watcher(answers, [&](test::ModalBox& box) {
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
            REQUIRE(boxes.size() == captions.size());
            for (std::size_t i = 0; i < boxes.size(); ++i) {
                if (!captions[i].empty())
                    CHECK(boxes[i].caption == captions[i]);
            }
            if (boxes.size() == 4)
                CHECK(boxes[1].owner == FrmWork->Handle());  // the shell's offer, declined
        }
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
        CharLowerA(shortGame.data());
        Launcher launcher(shortGame);
        const Bin bin;
        CHECK(Launcher::Remove("Long Named Mod Folder").back().caption == "Success");
        const std::vector<std::wstring> gained = bin.Gained();
        CHECK(InTrash(gained, W(mod + "\\Readme For Players.txt"), "readme"));
        CHECK(InTrash(gained, W(mod + "\\Music Files\\Theme.ogg"), "theme"));
    }

    TEST_CASE("the one rule: nothing is entered, removed or recycled unless it lies at its own place, case aside")
    {
        test::TempDir game("remove_rule");
        test::MakeDir(game / "Real");
        test::WriteBytes(game / "f.txt", "f");
        const UniqueFile folder = OpenEntry(W(game.Path()));
        const Place place = PlaceOf(folder.Get()).value();
        std::wstring shouted = place;
        CharUpperW(shouted.data());
        REQUIRE(shouted != place);
        struct Case {
            const char* what;
            const wchar_t* name;
            DWORD attributes;
            DWORD tag;
            const std::wstring& folder;
            Step step;
        };
        const Case cases[] = {
            {"a file", L"f.txt", FILE_ATTRIBUTE_ARCHIVE, 0, place, Step::Recycle},
            {"a folder", L"Real", FILE_ATTRIBUTE_DIRECTORY, 0, place, Step::Enter},
            {"the same place spelled in another case", L"f.txt", FILE_ATTRIBUTE_ARCHIVE, 0, shouted, Step::Recycle},
            {"a folder listed as a link, which is none", L"Real", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT,
             IO_REPARSE_TAG_SYMLINK, place, Step::Leave},
            {"a file listed as a Unix link", L"f.txt", FILE_ATTRIBUTE_REPARSE_POINT, 0, place, Step::Leave},
            {"a name that leads elsewhere", L"Real\\..", FILE_ATTRIBUTE_DIRECTORY, 0, place, Step::Leave},
            {"something that is not there", L"gone.txt", FILE_ATTRIBUTE_ARCHIVE, 0, place, Step::Leave},
        };
        for (const Case& c : cases) {
            CAPTURE(c.what);
            CHECK(Judge(JoinPath(W(game.Path()), c.name), {c.name, c.attributes, c.tag}, c.folder).step == c.step);
        }
        if (test::UnderWine()) {
            // A folder listed as a plain one that leads elsewhere by the time
            // it is reached: a link to the game directory's parent.
            OnUnixSide("ln -s", UnixPath(L"C:\\yorvtests"), game.Path(), "swapped");
            CHECK(Judge(W(game / "swapped"), {L"swapped", FILE_ATTRIBUTE_DIRECTORY, 0}, place).step == Step::Leave);
            RemoveTheUnixWay(game / "swapped");
        }
    }

    TEST_CASE("names that lead elsewhere are not listed, and a removal given one touches nothing there")
    {
        // Names Windows cannot give a directory, made on the Unix side (a
        // player's tools can), or by a full-width dot and backslash whose
        // ANSI form is ".\": joined to the game directory they lead to the
        // game directory itself, or to a twin without the trailing dot.
        YORV_NEEDS_WINE("names Windows cannot give a directory, made with mkdir on Wine's Unix side");
        const UnixTempDir game("remove_elsewhere");
        test::MakeDir(game / "RealMod");
        test::WriteBytes(game / "RealMod\\YMOD.DIZ", "Real Mod\r\n");
        test::MakeDir(game / "Twin");
        test::WriteBytes(game / "Twin\\YMOD.DIZ", "Twin Mod\r\n");
        test::WriteBytes(game / "player.sav", "save");
        for (const char* name : {"m\\..", "Twin."})
            OnUnixSide("mkdir", "", game.Path(), name);
        REQUIRE(CreateDirectoryW((W(game.Path()) + L"\\\xFF0E\xFF3C").c_str(), nullptr));

        Launcher launcher(game.Path());
        const Bin bin;
        CHECK(Launcher::ListTexts() == std::vector<std::string>{"Real Mod", "Twin Mod"});
        for (const std::string& path : {game / "m\\..", game / "Twin.", game.Path() + "\\.\\"}) {
            std::vector<std::string> notRemoved;
            CHECK_FALSE(TreeHoldsFiles(path));
            RemoveTree(path, [&](const std::string& dir) { notRemoved.push_back(dir); });
            CHECK(notRemoved == std::vector<std::string>{path});
        }
        CHECK(test::ReadBytes(game / "player.sav") == "save");
        CHECK(test::ReadBytes(game / "Twin\\YMOD.DIZ") == "Twin Mod\r\n");
        CHECK(bin.Gained().empty());
    }

    TEST_CASE("paths too long for the shell: what fits goes to the bin, what does not stays, and the player is told")
    {
        const std::string leftover = "C:\\yorvtests\\remove_long\\LongMod\\" + std::string(100, 'a') + "\\"
                                     + std::string(100, 'b') + "\\" + std::string(100, 'c');
        DeleteFileW((L"\\\\?\\" + W(leftover) + L"\\deep.txt").c_str());  // out of reach for the cleaning up
        RemoveDirectoryW((L"\\\\?\\" + W(leftover)).c_str());
        test::TempDir game("remove_long");
        ForgetTrashFrom(game.Path());
        const std::string mod = game / "LongMod";
        const std::string a = mod + "\\" + std::string(100, 'a');
        const std::string b = a + "\\" + std::string(100, 'b');
        const std::string c = b + "\\" + std::string(100, 'c');
        for (const std::string& dir : {mod, a, b})
            test::MakeDir(dir);
        // 258 characters: more than the 254 a 256-character buffer holds.
        const std::string longFile = b + "\\" + std::string(258 - b.size() - 1, 'f');
        test::WriteBytes(longFile, "long");
        // Deeper still, past what the shell takes.
        REQUIRE(CreateDirectoryW((L"\\\\?\\" + W(c)).c_str(), nullptr));
        const std::wstring deep = L"\\\\?\\" + W(c) + L"\\deep.txt";
        Write(deep, "deep");
        Launcher launcher(game.Path());
        const Bin bin;
        const std::vector<test::ModalBox> boxes = Launcher::Remove("LongMod");

        CHECK(InTrash(bin.Gained(), W(longFile), "long"));
        CHECK(Read(deep) == "deep");
        REQUIRE(boxes.size() == 6);
        CHECK(boxes[1].text == CouldNotRemove(c));
        CHECK(boxes[2].text == CouldNotRemove(b));
        CHECK(boxes[3].text == CouldNotRemove(a));
        CHECK(boxes[4].text == CouldNotRemove(mod));
        CHECK(boxes[5].caption == "ERROR");
        DeleteFileW(deep.c_str());
        RemoveDirectoryW((L"\\\\?\\" + W(c)).c_str());
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
            std::string original = UnixPath(W(mod + "\\" + earlierName(i)));
            for (std::size_t at; (at = original.find(' ')) != std::string::npos;)
                original.replace(at, 1, "%20");
            test::WriteBytes(TrashDir() + "\\files\\" + earlierName(i), "old " + std::to_string(i));
            test::WriteBytes(TrashDir() + "\\info\\" + earlierName(i) + ".trashinfo",
                             "[Trash Info]\nPath=" + original + "\nDeletionDate=2026-01-02T03:04:05\n");
        }
        const Bin bin;
        Launcher launcher(game.Path());
        CHECK(Launcher::Remove("BusyBinMod").back().caption == "Success");
        CHECK(bin.Gained() == std::vector<std::wstring>{W(mod + "\\data.txt")});
        CHECK(KeptInTrash(W(mod + "\\data.txt"), "data"));
        int kept = 0;
        for (int i = 0; i < kEarlier; ++i)
            kept += test::ReadBytes(TrashDir() + "\\files\\" + earlierName(i)) == "old " + std::to_string(i);
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
                const std::vector<test::ModalBox> boxes = Launcher::Remove("yorvtests", {IDNO});
                REQUIRE(boxes.size() == 1);
                CHECK(boxes[0].caption == Application::Title());
                CHECK(boxes[0].text
                      == "The game's installation record was not found, so the Y-Mods' directory is not known."
                         "\r\n\r\nNothing was removed.");
                CHECK(boxes[0].icon == MB_ICONEXCLAMATION);
            }
            SetCurrentDirectoryA(cwd);
        }
        CHECK(test::ReadBytes(game / "SomeMod\\file.txt") == "file");
    }

    TEST_CASE("the working window, and the plain message dialog wrapping a long path")
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
        for (const auto& [label, height] : {std::pair{FrmWork->Label1, 16}, std::pair{FrmWork->Label2, 13}}) {
            LOGFONTA font{};
            GetObjectA(reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0)), sizeof font, &font);
            CHECK(font.lfWeight == FW_BOLD);
            CHECK(font.lfHeight == -Application::Scale(height));
        }
        CHECK_FALSE(IsWindowVisible(work));

        // Shown: visible, not modal, and drawn before any message is processed.
        ShowWindow(FrmMain->Handle(), SW_SHOW);
        FrmWork->Show();
        CHECK(IsWindowVisible(work));
        CHECK(IsWindowEnabled(FrmMain->Handle()));
        for (HWND window : {work, FrmWork->Label1, FrmWork->Label2, FrmWork->Image1.Handle()})
            CHECK_FALSE(GetUpdateRect(window, nullptr, FALSE));
        FrmWork->Close();
        CHECK_FALSE(IsWindowVisible(work));

        // The plain message answers Enter and Esc; a long path wraps at half
        // the screen's width, in a dialog centred on the screen.
        static int keysSent = 0;
        static RECT text{};
        static RECT dialogFrame{};
        for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
            static WPARAM pressed;
            pressed = key;
            keysSent = 0;
            const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
                HWND dialog = FindDialog(Application::Title());
                if (!dialog)
                    return;
                GetWindowRect(GetDlgItem(dialog, 0xFFFF), &text);
                GetWindowRect(dialog, &dialogFrame);
                if (++keysSent > 20) {  // a dialog that does not answer is ended, and fails the test
                    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                    return;
                }
                HWND focus = GetDlgItem(dialog, IDOK);
                PostMessageA(focus, WM_KEYDOWN, pressed, 0);
                PostMessageA(focus, WM_KEYUP, pressed, 0);
            });
            ShowPlainMessage(CouldNotRemove("C:\\yorvtests\\" + std::string(240, 'a') + "\\" + std::string(80, 'b')));
            KillTimer(nullptr, timer);
            CAPTURE(key);
            CHECK(keysSent == 1);
            CHECK(text.right - text.left > 0);
            CHECK(text.right - text.left <= GetSystemMetrics(SM_CXSCREEN) / 2);
            CHECK(std::abs((dialogFrame.left + dialogFrame.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2) <= 1);
            CHECK(std::abs((dialogFrame.top + dialogFrame.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2) <= 1);
        }
        CHECK(IsWindowEnabled(FrmMain->Handle()));
    }

    TEST_CASE("the bin check's decisions: how its file is restored, and what the player is told when it is not")
    {
        // A bin that keeps what it is sent in a folder of the test's, and
        // offers the commands a case gives it.
        class FakeBin final : public RecycleBin {
        public:
            explicit FakeBin(std::wstring kept) : kept_(std::move(kept)) {}
            std::vector<Command> commands;
            unsigned restore = 0;         // the command that restores, if it works
            bool restores = true;         // whether the restore brings the file back
            bool forgets = false;         // whether a restore that does not loses the item
            bool keeps = true;            // whether the bin keeps what it is sent
            std::vector<unsigned> run;    // the commands run
            std::wstring sent;            // where the file came from

            bool Send(const std::wstring& path) override
            {
                sent = path;
                return keeps ? MoveFileW(path.c_str(), Kept().c_str()) : DeleteFileW(path.c_str());
            }
            bool Find(const std::wstring& name) override { return Exists(kept_ + L"\\" + name); }
            std::vector<Command> Commands() override { return commands; }
            bool Run(unsigned id) override
            {
                run.push_back(id);
                if (id == restore && restores)
                    return MoveFileW(Kept().c_str(), sent.c_str());
                return !forgets || DeleteFileW(Kept().c_str());
            }

        private:
            std::wstring Kept() const { return kept_ + sent.substr(sent.rfind(L'\\')); }
            std::wstring kept_;
        };
        const std::string keptMessage = "The recycle bin keeps a file of the launcher's own, \"~YorvFrontEnd recycle bin "
                                        "check ";
        const std::string astrayMessage = "The launcher's recycle bin check could not take its own file, "
                                          "\"~YorvFrontEnd recycle bin check ";
        struct Case {
            const char* what;
            std::vector<RecycleBin::Command> commands;
            unsigned restore;
            bool restores, forgets, keeps, goOn;
            std::vector<unsigned> run;
            std::string message;  // its beginning
        };
        const Case cases[] = {
            {"the shell names its verbs", {{1, "open", true}, {2, "undelete", false}, {3, "delete", false}}, 2, true,
             false, true, true, {2}, ""},
            {"the shell names none", {{4, {}, false}, {5, {}, true}}, 5, true, false, true, true, {5}, ""},
            {"no command restores", {{1, "delete", false}}, 0, true, false, true, true, {}, keptMessage},
            {"the restore does not bring it back", {{2, "undelete", false}}, 2, false, false, true, true, {2}, keptMessage},
            {"the restore loses it", {{2, {}, true}}, 2, false, true, true, false, {2}, astrayMessage},
            {"the bin does not keep it", {{2, "undelete", false}}, 2, true, false, false, false, {}, kBinCannotTake},
        };
        test::TempDir dir("remove_bin_check");
        test::MakeDir(dir / "Mod");
        test::MakeDir(dir / "Bin");
        test::WriteBytes(dir / "Mod\\own.txt", "own");
        for (const Case& c : cases) {
            CAPTURE(c.what);
            FakeBin bin(W(dir / "Bin"));
            bin.commands = c.commands;
            bin.restore = c.restore;
            bin.restores = c.restores;
            bin.forgets = c.forgets;
            bin.keeps = c.keeps;
            const BinCheck check = CheckRecycleBin(W(dir / "Mod"), bin);
            CHECK(check.goOn == c.goOn);
            CHECK(check.message.substr(0, c.message.size()) == c.message);
            CHECK((check.message.empty() || check.message.find(AnsiForDisplay(bin.sent.substr(bin.sent.rfind(L'\\') + 1)))
                                                != std::string::npos
                   || check.message == kBinCannotTake));
            CHECK(bin.run == c.run);
            CHECK(bin.sent.rfind(W(dir / "Mod\\~YorvFrontEnd recycle bin check "), 0) == 0);
            // The YMod's folder holds what it held, nothing of the check's.
            CHECK(test::NamesIn(dir / "Mod") == std::vector<std::string>{"own.txt"});
            test::RemoveTreeForTest(dir / "Bin");
            test::MakeDir(dir / "Bin");
        }
        // A folder that refuses a new file: the real reason, and nothing sent.
        FakeBin bin(W(dir / "Bin"));
        const BinCheck check = CheckRecycleBin(W(dir / "Mod"), bin, [](const std::wstring&, std::string_view) {
            return static_cast<DWORD>(ERROR_ACCESS_DENIED);
        });
        CHECK_FALSE(check.goOn);
        CHECK(check.message.rfind("The Y-Mod's directory cannot be changed: ", 0) == 0);
        CHECK(check.message.size() > 60);
        CHECK(check.message.substr(check.message.size() - 24) == "\r\n\r\nNothing was removed.");
        CHECK(bin.sent.empty());
    }
}

// In a process of its own: Wine looks for its trash folder once in a
// process. Where the first look finds it unusable, the shell deletes a file
// sent to the bin for good and says nothing, as Windows does with a file its
// bin cannot take: only the bin's items can tell.
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
        // Should the removal go on, the shell would ask, over the working
        // window, before it deleted each file for good: No, so that nothing
        // is lost.
        int shellPrompts = 0;
        Launcher::Select("KeepMod");
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
        CHECK(watcher.Boxes()[1].text == kBinCannotTake);
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
        // A name with a byte that is no character of the code page (a lead
        // byte alone), where a lax reading would find this folder.
        const std::wstring laxReading = W(game.Path()) + L"\\Lax\x30FB";
        REQUIRE(CreateDirectoryW(laxReading.c_str(), nullptr));
        Write(laxReading + L"\\d.txt", "d");

        const Bin bin;
        for (const std::string& mod : {game / software, game / "Mod", inner + "\\Mod"}) {
            CAPTURE(mod);
            CHECK(TreeHoldsFiles(mod));
            CHECK(CheckRecycleBin(mod).goOn);
            std::vector<std::string> notRemoved;
            RemoveTree(mod, [&](const std::string& dir) { notRemoved.push_back(dir); });
            CHECK(notRemoved.empty());
            CHECK_FALSE(Exists(W(mod)));
        }
        std::vector<std::string> notRemoved;
        CHECK_FALSE(TreeHoldsFiles(game / "Lax\x83"));
        RemoveTree(game / "Lax\x83", [&](const std::string& dir) { notRemoved.push_back(dir); });
        CHECK(notRemoved == std::vector<std::string>{game / "Lax\x83"});
        CHECK(Read(laxReading + L"\\d.txt") == "d");
        // The three files, and nothing of the bin checks', whose items the
        // shell restores by its Japanese caption.
        std::vector<std::wstring> files{W(game / software + "\\a.txt"), W(game / "Mod" + "\\" + table + "\\b.txt"),
                                        W(inner + "\\Mod\\c.txt")};
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
