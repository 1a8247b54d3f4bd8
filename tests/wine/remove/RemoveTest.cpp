// Removing a YMod, on real trees: the files must reach the recycle bin, the
// directories must go, and nothing else or anything the bin cannot keep may
// be lost.
#include "tests/wine/TestSupport.h"
#include "tests/wine/remove/ShellBin.h"

#include "Main/Main.h"
#include "Main/Program.h"
#include "core/Catalogue.h"
#include "core/RecycleBinCheck.h"
#include "core/Removal.h"
#include "ui/Application.h"
#include "working/working.h"

#include "tests/Printable.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

using namespace yorv;

namespace {

constexpr const char* kTestKey = "YorvRemoveTest";
const std::string kBinCannotTake =
    "The recycle bin cannot take the files of this Y-Mod: they would be deleted for good.\r\n\r\nNothing was removed.";

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
    return Exists(W(path)) && (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Runs a program to its end; Wine starts Unix programs like any other.
bool Run(std::string commandLine) noexcept
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// The Unix path Wine gives a Windows path (whose folder exists).
std::string UnixPath(const std::wstring& winPath)
{
    using Fn = char*(CDECL*)(const WCHAR*);
    static const auto fn = reinterpret_cast<Fn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    char* unix = fn(winPath.c_str());
    const std::string path = unix ? unix : "";
    HeapFree(GetProcessHeap(), 0, unix);
    return path;
}

// Makes `name` in `folder` from the Unix side, as a player's tools can, with
// mkdir or ln -s; Wine may report the program ended before it has.
void OnUnixSide(const std::string& program, const std::string& folder, const std::string& name)
{
    REQUIRE(Run("Z:\\bin\\" + program + " \"" + UnixPath(W(folder)) + "/" + name + "\""));
    const auto made = [&] {
        const std::vector<std::string> names = test::NamesIn(folder);
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    for (int i = 0; i < 100 && !made(); ++i)
        Sleep(50);
    REQUIRE(made());
}

// A test folder removed the Unix way before and after the test, as Windows'
// own calls would follow its links and names elsewhere.
struct UnixTempDir {
    static bool Clean(const std::string& dir) noexcept
    {
        const auto there = [&] { return test::UnderWine() && GetFileAttributesA(dir.c_str()) != INVALID_FILE_ATTRIBUTES; };
        for (int i = 0; i < 200 && there() && (i || Run("Z:\\bin\\rm -rf " + UnixPath(W(dir)))); ++i)
            Sleep(50);
        return true;
    }
    explicit UnixTempDir(const std::string& name) : cleaned(Clean("C:\\yorvtests\\" + name)), dir(name) {}
    ~UnixTempDir() { Clean(dir.Path()); }
    const std::string& Path() const { return dir.Path(); }
    std::string operator/(const std::string& name) const { return dir / name; }
    const bool cleaned;
    test::TempDir dir;
};

// The XDG trash of the test HOME, under Wine.
std::string TrashDir()
{
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    return dataHome ? test::WinePath(std::string(dataHome) + "/Trash") : std::string();
}

// The trash empty and usable before anything in this process looks for it
// (Wine looks once in a process), also where a run cut off left it unusable.
const bool trashSetUp = [] {
    const std::string trash = TrashDir();
    if (!test::UnderWine() || trash.empty())
        return false;
    UnixTempDir::Clean(trash);  // the Unix way: it may hold files named as devices
    UnixTempDir::Clean(trash + ".saved");
    return CreateDirectoryA(trash.c_str(), nullptr) && CreateDirectoryA((trash + "\\files").c_str(), nullptr)
           && CreateDirectoryA((trash + "\\info").c_str(), nullptr);
}();

// Makes the trash unusable (a regular file in its place) while it lives.
struct UnusableTrash {
    const std::string trash = TrashDir();
    UnusableTrash() { REQUIRE((MoveFileA(trash.c_str(), (trash + ".saved").c_str()) && (test::WriteBytes(trash, ""), 1))); }
    ~UnusableTrash() { DeleteFileA(trash.c_str()) && MoveFileA((trash + ".saved").c_str(), trash.c_str()); }
};

// The recycle bin at one moment, and what it gained since, as the shell
// shows it; under Wine the XDG trash gained a file and a record for each.
class Bin {
public:
    Bin() : items_(test::BinItems()), trash_(TrashCount()) {}

    // The original paths of the items gained, sorted.
    std::vector<std::wstring> Gained() const
    {
        const std::vector<std::wstring> now = test::BinItems();
        std::vector<std::wstring> gained;
        std::set_difference(now.begin(), now.end(), items_.begin(), items_.end(), std::back_inserter(gained));
        CHECK(TrashCount() == trash_ + gained.size() * test::UnderWine() * 2);
        return gained;
    }

private:
    // The files in the trash and their records of where they came from.
    static std::size_t TrashCount()
    {
        return test::UnderWine() ? test::NamesIn(TrashDir() + "\\files").size() + test::NamesIn(TrashDir() + "\\info").size()
                                 : 0;
    }
    std::vector<std::wstring> items_;
    std::size_t trash_;
};

// The launcher's windows on a game directory ("": no installation record).
struct Launcher {
    explicit Launcher(const std::string& gameDir)
        : record(gameDir.empty() ? std::make_unique<test::InstallationRecord>()
                                 : std::make_unique<test::InstallationRecord>("x\r\n" + gameDir + "\r\n")),
          windows(test::StartLauncher(kTestKey))
    {
    }
    test::CleanKey key{kTestKey};
    std::unique_ptr<test::InstallationRecord> record;
    std::unique_ptr<ProgramWindows> windows;
};

// Picks the YMod in directory `dir` as the player would.
void Select(const std::string& dir)
{
    const auto slot = std::find(YModDirs.begin(), YModDirs.begin() + YModCount, dir);
    REQUIRE(slot != YModDirs.begin() + YModCount);
    SendMessageA(FrmMain->ComboYMod, CB_SETCURSEL, static_cast<WPARAM>(slot - YModDirs.begin()), 0);
    SendMessageA(FrmMain->Handle(), WM_COMMAND, MAKEWPARAM(IDC_COMBOYMOD, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(FrmMain->ComboYMod));
}

// Removes the YMod in `dir` from the keyboard, giving `answers`, then OK.
std::vector<test::ModalBox> Remove(const std::string& dir, std::vector<int> answers = {IDYES},
                                   std::function<void(test::ModalBox&)> onBox = {})
{
    Select(dir);
    SetFocus(FrmMain->CmdRemove.Handle());
    test::ModalWatcher watcher(std::move(answers), std::move(onBox));
    FrmMain->CmdRemoveClick();
    return watcher.Boxes();
}

// The list's texts, sorted.
std::vector<std::string> ListTexts()
{
    std::vector<std::string> texts;
    for (LRESULT i = 0, count = SendMessageA(FrmMain->ComboYMod, CB_GETCOUNT, 0, 0); i < count; ++i) {
        std::string text(static_cast<std::size_t>(SendMessageA(FrmMain->ComboYMod, CB_GETLBTEXTLEN, i, 0)), '\0');
        SendMessageA(FrmMain->ComboYMod, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        texts.push_back(text);
    }
    std::sort(texts.begin(), texts.end());
    return texts;
}

// What the YMod of one row comes to when it is removed.
struct Outcome {
    std::string mod;                               // the YMod's directory
    std::string outside;                           // a folder beside the game directory
    std::map<std::wstring, std::string> recycled;  // gone, and in the bin
    std::map<std::wstring, std::string> kept;      // where they were, with these contents
    std::vector<std::string> leftInPlace;          // named by "Couldn't remove", innermost first
    bool leftInAnyOrder = false;                   // as the file system lists them
    bool goneBeforeYes = false;                    // removed by someone else as the player answers
    std::vector<int> shellAnswers;                 // to the shell's own questions, over the working window
    std::function<void()> after;                   // more, once it is removed
    std::string skipped;                           // why it cannot be made here

    // A file the row makes, which goes to the bin or stays.
    void File(const std::wstring& path, const std::string& contents, bool recycle = true)
    {
        test::WriteBytes(path, contents);
        (recycle ? recycled : kept)[path] = contents;
    }
    void File(const std::string& path, const std::string& contents, bool recycle = true) { File(W(path), contents, recycle); }
};

struct Row {
    const char* kind;
    const char* dir;
    const char* needsWine;  // why, where only Wine can make it
    std::function<void(Outcome&)> make;
};

// A link the system makes itself: it goes as a link, what it leads to
// stays. Where the system cannot make it, the row is left out.
void SystemLink(Outcome& o, bool junction)
{
    const std::string target = o.outside + (junction ? "\\junctioned" : "\\symlinked");
    const std::string link = o.mod + (junction ? "\\junction" : "\\symlink");
    test::MakeDir(target);
    o.File(target + "\\kept.sav", "kept", false);
    o.File(o.mod + "\\own.txt", "own");
    if (junction)
        Run("cmd /c mklink /J \"" + link + "\" \"" + target + "\"");
    else
        CreateSymbolicLinkA(link.c_str(), target.c_str(),
                            SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
    const DWORD error = GetLastError();
    if (IsLink(link))
        return;
    // Wine makes neither (CreateSymbolicLinkA says it made a link it did
    // not); Windows makes a symbolic link only in Developer Mode or elevated.
    REQUIRE_MESSAGE((test::UnderWine() || !junction), "the system's own tools made no junction at ", link);
    test::RemoveTreeForTest(link);
    o.skipped = "the system cannot make " + link + " (error " + std::to_string(error) + ")";
}

// Files named on the Linux side as Windows cannot name them (reached by
// their short names, or as devices' names by the \\?\ form), each written
// first under a plain name, with its name as the trash records it. Each
// reaches the bin, which records its own path; Wine's own restore gives
// an item back by its plain path, which only a colon name keeps: the first.
void LinuxNames(Outcome& o, std::vector<std::pair<std::string, std::string>> names)
{
    for (const auto& [name, recorded] : names) {
        test::WriteBytes(o.mod + "\\made", name);
        OnUnixSide("mv " + UnixPath(W(o.mod + "\\made")), o.mod, name);
        o.recycled[W(o.mod + "\\" + name)] = name;
    }
    o.after = [mod = o.mod, names] {
        std::string records;  // read by the \\?\ form, which reaches a device's name as a file
        for (const std::string& info : test::NamesIn(TrashDir() + "\\info"))
            records += test::ReadBytes(L"\\\\?\\" + W(TrashDir() + "\\info\\" + info));
        for (const auto& [name, recorded] : names)
            CHECK(records.find("Path=" + UnixPath(W(mod)) + "/" + recorded + "\n") != std::string::npos);
        test::MakeDir(mod);
        ShellRecycleBin bin(W(mod));
        CHECK(bin.Find(W(names[0].first.substr(names[0].first.find(':') + 1))));  // as the shell shows it
        if (const std::optional<unsigned> restore = RestoreCommand(bin.Commands()))
            bin.Run(*restore);
        CHECK(test::NamesIn(mod) == std::vector{names[0].first});
        UnixTempDir::Clean(mod);
    };
}

const Row kRows[] = {
    // First: the shell's question for it is the one a mutant of the warning
    // flag leaves out, and the table stops at the first box it cannot answer.
    {"a file held open", "LockedMod", "Windows meets a file held open with its File In Use dialog",
     [](Outcome& o) {
         for (const char* dir : {"\\data", "\\data\\sounds"})
             test::MakeDir(o.mod + dir);
         o.File(o.mod + "\\YMOD.DIZ", "Locked Mod\r\n");
         o.File(o.mod + "\\data\\table.txt", "table");
         o.File(o.mod + "\\data\\sounds\\busy.wav", "busy", false);
         // Held without FILE_SHARE_DELETE: the bin cannot take the file,
         // and the shell offers to delete it for good instead: No.
         auto busy = std::make_shared<UniqueFile>(CreateFileA((o.mod + "\\data\\sounds\\busy.wav").c_str(), GENERIC_READ,
                                                              FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
         REQUIRE(*busy);
         o.shellAnswers = {IDNO};
         o.leftInPlace = {o.mod + "\\data\\sounds", o.mod + "\\data", o.mod};
         o.after = [busy] { busy->Reset(); };
     }},
    {"plain files", "PlainMod", nullptr,
     [](Outcome& o) {
         o.File(o.mod + "\\YMOD.DIZ", "Plain Mod 1.0\r\n(c) someone\r\n");
         o.File(o.mod + "\\readme.txt", "read me");
     }},
    {"hidden, system and read-only files", "AttributeMod", nullptr,
     [](Outcome& o) {
         for (const auto& [name, attribute] : {std::pair{"hidden.dat", FILE_ATTRIBUTE_HIDDEN},
                                               {"system.dat", FILE_ATTRIBUTE_SYSTEM},
                                               {"readonly.dat", FILE_ATTRIBUTE_READONLY}}) {
             o.File(o.mod + "\\" + name, name);
             REQUIRE(SetFileAttributesA((o.mod + "\\" + name).c_str(), attribute));
         }
     }},
    {"subfolders, nested, empty and customised (read-only)", "FolderMod", nullptr,
     [](Outcome& o) {
         for (const char* dir : {"\\maps", "\\maps\\deeper", "\\maps\\deeper\\deepest", "\\empty"})
             test::MakeDir(o.mod + dir);
         o.File(o.mod + "\\maps\\level1.map", "level one");
         o.File(o.mod + "\\maps\\deeper\\level2.map", "level two");
         REQUIRE(SetFileAttributesA((o.mod + "\\maps\\deeper").c_str(), FILE_ATTRIBUTE_READONLY));
     }},
    {"nothing at all: not even a check file goes to the bin", "EmptyMod", nullptr, [](Outcome&) {}},
    {"a YMod whose directory vanished before the answer", "GoneMod", nullptr,
     [](Outcome& o) {
         test::WriteBytes(o.mod + "\\notes.txt", "notes");
         o.goneBeforeYes = true;
         o.leftInPlace = {o.mod};
     }},
    {"a name outside the code page", "WideMod", nullptr,
     [](Outcome& o) {
         const std::wstring name = W(o.mod) + L"\\\x6F22\x5B57 \x03A9.txt";
         if (UniqueFile(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)))
             o.File(name, "wide");
         else
             o.skipped = "the file system here cannot hold the name (error " + std::to_string(GetLastError()) + ")";
     }},
    {"paths too long for the shell", "LongMod", nullptr,
     [](Outcome& o) {
         const std::string a = o.mod + "\\" + std::string(100, 'a');
         const std::string b = a + "\\" + std::string(100, 'b');
         const std::wstring c = L"\\\\?\\" + W(b) + L"\\" + std::wstring(100, L'c');
         test::MakeDir(a);
         test::MakeDir(b);
         REQUIRE(CreateDirectoryW(c.c_str(), nullptr));
         o.File(b + "\\" + std::string(MAX_PATH - 1 - b.size() - 1, 'f'), "long");  // past a 256-character buffer, whole
         o.File(L"\\\\?\\" + W(b + "\\" + std::string(MAX_PATH - b.size() - 1, 'g')), "kept", false);  // too long
         o.File(c + L"\\deep.txt", "deep", false);                          // past what the shell takes
         o.leftInPlace = {b + "\\" + std::string(100, 'c'), b, a, o.mod};
         o.after = [c] { DeleteFileW((c + L"\\deep.txt").c_str()) && RemoveDirectoryW(c.c_str()); };
     }},
    {"links to a file, among the YMod's own files", "FileLinkMod", "Unix links, made with ln on the Unix side",
     [](Outcome& o) {
         test::MakeDir(o.mod + "\\saves");
         o.File(o.outside + "\\single.sav", "single", false);
         for (const char* name : {"saves\\a.sav", "saves\\m.sav", "saves\\z.sav", "own0.txt", "own1.txt"})
             o.File(o.mod + "\\" + name, name);
         const std::string target = "ln -s " + UnixPath(W(o.outside + "\\single.sav"));
         OnUnixSide(target, o.mod + "\\saves", "single.sav");
         OnUnixSide(target, o.mod, "top.sav");  // judged after the walk came back from a subfolder
         // Wine lists such a link as a plain file; it stays, and with it its folders.
         o.leftInPlace = {o.mod + "\\saves", o.mod};
     }},
    {"a link to a folder", "FolderLinkMod", "Unix links, made with ln on the Unix side",
     [](Outcome& o) {
         test::MakeDir(o.outside + "\\shared");
         o.File(o.outside + "\\shared\\precious.sav", "precious", false);
         o.File(o.mod + "\\own.txt", "own");
         OnUnixSide("ln -s " + UnixPath(W(o.outside + "\\shared")), o.mod, "shared");
         REQUIRE(IsLink(o.mod + "\\shared"));
         o.leftInPlace = {o.mod + "\\shared", o.mod};  // Wine cannot remove it without following it
     }},
    {"a junction", "JunctionMod", nullptr, [](Outcome& o) { SystemLink(o, true); }},
    {"a directory symbolic link", "SymlinkMod", nullptr, [](Outcome& o) { SystemLink(o, false); }},
    {"the YMod's folder itself a link", "LinkedMod", "Unix links, made with ln on the Unix side",
     [](Outcome& o) {
         const std::string target = o.outside + "\\linked";
         test::MakeDir(target);
         o.File(target + "\\precious.sav", "precious", false);
         REQUIRE(RemoveDirectoryA(o.mod.c_str()));
         OnUnixSide("ln -s " + UnixPath(W(target)), o.mod.substr(0, o.mod.rfind('\\')), "LinkedMod");
         // Only the link would go, which Wine cannot remove: nothing is
         // recycled, and the bin is not tried with a file of the launcher's
         // in the folder it leads to.
         o.leftInPlace = {o.mod};
         o.after = [target] { CHECK(test::NamesIn(target) == std::vector<std::string>{"precious.sav"}); };
     }},
    {"names that lead back to the YMod's folder", "Loop", "names Windows cannot give a directory, made on the Unix side",
     [](Outcome& o) {
         o.File(o.mod + "\\own.txt", "own");
         for (const char* name : {"a\\..", "b\\.."}) {
             OnUnixSide("mkdir", o.mod, name);
             o.leftInPlace.push_back(o.mod + "\\" + name);
         }
         o.leftInPlace.push_back(o.mod);
         o.leftInAnyOrder = true;
     }},
    {"names Win32 forbids or keeps for devices", "LinuxMod", "names Windows cannot give a file", [](Outcome& o) {
         LinuxNames(o, {{"Chapter 1: The Bog.txt", "Chapter%201:%20The%20Bog.txt"}, {"a|b.txt", "a%7Cb.txt"},
                        {"what?.txt", "what?.txt"}, {"back\\slash.txt", "back%5Cslash.txt"}, {"con", "con"},
                        {"nul.txt", "nul.txt"}, {"aux.dat", "aux.dat"}});
     }},
    {"a twin folder whose name differs only in case", "casemod", "a file system that tells case apart, on the Unix side",
     [](Outcome& o) {
         o.File(o.mod + "\\lower.txt", "lower");
         OnUnixSide("mkdir", o.mod.substr(0, o.mod.rfind('\\')), "CaseMod");
         o.File(o.mod + "\\..\\CaseMod\\upper.txt", "upper", false);
     }},
};

const std::string kShellQuestion = "a question of the shell's, over the working window";

// A box as the player meets it: caption, text, icon, buttons (the default
// marked), owner, the windows' state. The shell's own questions are told by
// their owner alone: their words are the system's.
std::string Describe(const test::ModalBox& box, bool workingUp)
{
    if (box.owner == FrmWork->Handle())
        return kShellQuestion;
    std::string text = box.caption + " | " + box.text + " | icon " + std::to_string(box.icon) + " |";
    for (const int button : box.buttons)
        text += " " + std::to_string(button) + (button == box.defaultButton ? "*" : "");
    return text + (box.owner == Application::Window() ? " | the program's" : " | another's")
           + (box.mainWindowEnabled ? "" : ", the main window disabled") + (workingUp ? ", working" : "");
}

// Wine's bin shows a name that holds a colon split after it: Wine 8 shows
// the part before as a folder of its own, Wine 10 leaves it out.
std::string Shown(const std::wstring& path)
{
    static const std::wregex splitName(LR"(\\[^\\]*:\\?)");
    return AnsiForDisplay(std::regex_replace(path, splitName, L"\\"));
}

// The player's earlier deletions the removal table finds in the bin.
constexpr int kSeeded = 1500;
std::string SeededName(int i)
{
    return i ? "old" + std::to_string(i) + ".txt" : "~YorvFrontEnd recycle bin check 1-1-0";
}

// Paths, a line each, to be compared and shown whole.
std::string Joined(const std::vector<std::wstring>& paths)
{
    std::string lines;
    for (const std::wstring& path : paths)
        lines += Shown(path) + "\n";
    return lines;
}

}  // namespace

TEST_SUITE("remove")
{
    TEST_CASE("each kind of entry: what goes to the recycle bin, what stays, and what the player is told")
    {
        const UnixTempDir game("remove_kinds");
        const UnixTempDir outside("remove_outside");
        std::vector<Outcome> outcomes;
        for (const Row& row : kRows) {
            Outcome& o = outcomes.emplace_back();
            o.mod = game / row.dir;
            o.outside = outside.Path();
            test::MakeDir(o.mod);
            if (row.needsWine && !test::UnderWine())
                o.skipped = std::string("needs Wine: ") + row.needsWine;
            else
                row.make(o);
        }
        test::WriteBytes(game / "yorvedit.exe", "MZ");
        test::MakeDir(game / "Twin");
        test::WriteBytes(game / "Twin\\YMOD.DIZ", "Twin Mod\r\n");
        // However the table ends, the bin is left as it found it, so that the
        // cases after it do not search 1,500 items each time.
        const struct Unseed {
            ~Unseed()
            {
                for (int i = 0; i < kSeeded && test::UnderWine(); ++i) {
                    DeleteFileA((TrashDir() + "\\files\\" + SeededName(i)).c_str());
                    DeleteFileA((TrashDir() + "\\info\\" + SeededName(i) + ".trashinfo").c_str());
                }
            }
        } unseed;
        if (test::UnderWine()) {
            // Names that lead elsewhere: joined to the game directory, to the
            // directory itself or to a twin without the trailing dot; the
            // last is a full-width dot and backslash, ".\" in ANSI.
            for (const char* name : {"m\\..", "Twin."})
                OnUnixSide("mkdir", game.Path(), name);
            REQUIRE(CreateDirectoryW((W(game.Path()) + L"\\\xFF0E\xFF3C").c_str(), nullptr));
            // The player's earlier deletions from the YMods' folder, one named
            // as the bin check names its file.
            for (int i = 0; i < kSeeded; ++i) {
                const std::string name = SeededName(i);
                test::WriteBytes(TrashDir() + "\\files\\" + name, "old " + std::to_string(i));
                test::WriteBytes(TrashDir() + "\\info\\" + name + ".trashinfo",
                                 "[Trash Info]\nPath=" + UnixPath(W(game / "PlainMod\\" + name))
                                     + "\nDeletionDate=2026-01-02T03:04:05\n");
            }
        }
        Launcher launcher(game.Path());
        const BOOL edit = IsWindowEnabled(FrmMain->CmdEdit.Handle());
        CHECK(edit);
        const Bin before;
        CHECK(Remove("PlainMod", {IDNO}).size() == 1);  // No: nothing happens
        CHECK(test::ReadBytes(W(game / "PlainMod\\readme.txt")) == "read me");
        CHECK(before.Gained().empty());
        std::vector<std::string> stayed{"Twin Mod"};
        for (std::size_t i = 0; i < std::size(kRows); ++i) {
            const Outcome& o = outcomes[i];
            const std::string kind = kRows[i].kind;
            CAPTURE(kind);
            const bool stays = !o.skipped.empty() || (!o.leftInPlace.empty() && !o.goneBeforeYes);
            if (stays)
                stayed.push_back(kRows[i].dir);
            if (!o.skipped.empty()) {
                MESSAGE("skipped: ", kind, ", ", o.skipped);
                continue;
            }
            const Bin bin;
            std::vector<int> answers{IDYES};
            answers.insert(answers.end(), o.shellAnswers.begin(), o.shellAnswers.end());
            std::vector<bool> working;  // up and disabled, at each box
            const std::vector<test::ModalBox> boxes = Remove(kRows[i].dir, answers, [&](test::ModalBox& box) {
                working.push_back(IsWindowVisible(FrmWork->Handle()) && !IsWindowEnabled(FrmWork->Handle()));
                if (box.caption != "Are you sure?")
                    return;
                if (o.goneBeforeYes)
                    test::RemoveTreeForTest(o.mod);
                // Enter, pressed with the answer, waits in the queue while the
                // work runs: it must answer, unseen, none of the boxes that follow.
                INPUT keys[2]{};
                keys[0].type = keys[1].type = INPUT_KEYBOARD;
                keys[0].ki.wVk = keys[1].ki.wVk = VK_RETURN;
                keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
                CHECK(SendInput(2, keys, sizeof(INPUT)) == 2);
            });

            // The question, the shell's, a plain message for each directory
            // left in place, and the verdict once the working window is gone.
            std::vector<std::string> shown;
            for (std::size_t at = 0; at < boxes.size(); ++at)
                shown.push_back(Describe(boxes[at], working[at]));
            std::vector<std::string> expected{
                "Are you sure? | This will remove the selected Y-Mod sending all files to the recycle bin.\r\n\r\n"
                "Continue? | icon 16 | 6 7* | the program's, the main window disabled"};
            expected.insert(expected.end(), o.shellAnswers.size(), kShellQuestion);
            for (const std::string& dir : o.leftInPlace)
                expected.push_back("Yorv HollowFen FrontEnd | Couldn't remove " + dir
                                   + ".\r\nSharing violation error. | icon 0 | 1* | the program's, the main window "
                                     "disabled, working");
            if (o.leftInAnyOrder && shown.size() == expected.size() + 1) {
                std::sort(shown.end() - 1 - static_cast<int>(o.leftInPlace.size()), shown.end() - 2);
                std::sort(expected.end() - static_cast<int>(o.leftInPlace.size()), expected.end() - 1);
            }
            expected.push_back(stays ? "ERROR | There was an error deleting the directory.\r\n\r\nYou may need to remove "
                                       "it by hand. | icon 48 | 1* | the program's, the main window disabled"
                                     : "Success | Y-Mod was removed successfully. | icon 64 | 1* | the program's, the "
                                       "main window disabled");
            CHECK(shown == expected);

            const std::vector<std::string> names = test::NamesIn(game.Path());
            CHECK((std::find(names.begin(), names.end(), kRows[i].dir) != names.end()) == stays);
            std::string recycled;
            for (const auto& [path, contents] : o.recycled)
                recycled += Shown(path) + (Exists(L"\\\\?\\" + path) ? " (still there)\n" : "\n");
            CHECK(Joined(bin.Gained()) == recycled);
            for (const auto& [path, contents] : o.kept)
                CHECK(test::ReadBytes(path) == contents);

            // The list is rebuilt, listing the YMod only if it stayed, under
            // its directory's name once its description file went; nothing
            // is selected, and Remove, now disabled, handed the focus on.
            const std::vector<std::string> listed = ListTexts();
            CHECK(std::count(listed.begin(), listed.end(), kRows[i].dir) == stays);
            CHECK(SendMessageA(FrmMain->ComboYMod, CB_GETCURSEL, 0, 0) == -1);
            CHECK_FALSE(IsWindowEnabled(FrmMain->CmdRemove.Handle()));
            CHECK_FALSE(IsWindowEnabled(FrmMain->CmdAbout.Handle()));
            CHECK(IsWindowEnabled(FrmMain->CmdEdit.Handle()) == edit);
            test::Pump(50);
            CHECK(GetActiveWindow() == FrmMain->Handle());
            CHECK(GetFocus() == FrmMain->CmdExit.Handle());
            if (o.after)
                o.after();
        }
        // The next start lists only what stayed, and none of the names that
        // lead elsewhere, to which a removal does nothing.
        launcher.windows.reset();
        launcher.windows = test::StartLauncher(kTestKey);
        if (test::UnderWine())
            stayed.push_back("CaseMod");  // the twin
        std::sort(stayed.begin(), stayed.end());
        CHECK(ListTexts() == stayed);
        const Bin bin;
        for (const std::string& path : {game / "m\\..", game / "Twin.", game.Path() + "\\.\\"}) {
            std::vector<std::string> notRemoved;
            CHECK_FALSE(TreeHoldsFiles(path));
            RemoveTree(path, [&](const std::string& dir) { notRemoved.push_back(dir); });
            CHECK(notRemoved == std::vector<std::string>{path});
        }
        CHECK(test::ReadBytes(game / "Twin\\YMOD.DIZ") == "Twin Mod\r\n");
        CHECK(bin.Gained().empty());
        // The player's earlier deletions are all still in the bin.
        for (int i = 1; i < kSeeded && test::UnderWine(); ++i)
            REQUIRE(test::ReadBytes(TrashDir() + "\\files\\" + SeededName(i)) == "old " + std::to_string(i));
    }

    TEST_CASE("a game directory written in short names and another case removes like its long form")
    {
        test::TempDir game("remove_short_names");
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
        CHECK(Remove("Long Named Mod Folder").back().caption == "Success");
        CHECK(Joined(bin.Gained()) == mod + "\\Music Files\\Theme.ogg\n" + mod + "\\Readme For Players.txt\n");
    }

    TEST_CASE("the one rule: nothing is entered, removed or recycled unless it lies at its own place, case aside")
    {
        test::TempDir game("remove_rule");
        test::MakeDir(game / "Real");
        test::WriteBytes(game / "f.txt", "f");
        const Place place = PlaceOf(OpenEntry(W(game.Path())).Get()).value();
        std::wstring shouted = place;
        CharUpperW(shouted.data());
        REQUIRE(shouted != place);
        constexpr DWORD kFile = FILE_ATTRIBUTE_ARCHIVE, kFolder = FILE_ATTRIBUTE_DIRECTORY,
                        kReparse = FILE_ATTRIBUTE_REPARSE_POINT;
        const std::tuple<const char*, const wchar_t*, DWORD, DWORD, const std::wstring*, Step> cases[] = {
            {"a file", L"f.txt", kFile, 0, &place, Step::Recycle},
            {"a folder", L"Real", kFolder, 0, &place, Step::Enter},
            {"the same place spelled in another case", L"f.txt", kFile, 0, &shouted, Step::Recycle},
            {"a folder listed as a link, which is none", L"Real", kFolder | kReparse, IO_REPARSE_TAG_SYMLINK, &place,
             Step::Leave},
            {"a file listed as a Unix link, which is none", L"f.txt", kReparse, 0, &place, Step::Leave},
            {"a name that leads elsewhere", L"Real\\..", kFolder, 0, &place, Step::Leave},
            {"something that is not there", L"gone.txt", kFile, 0, &place, Step::Leave},
        };
        for (const auto& [what, name, attributes, tag, folder, step] : cases) {
            CAPTURE(std::string(what));
            CHECK(Judge(JoinPath(W(game.Path()), name), {name, attributes, tag}, *folder).step == step);
        }
        if (test::UnderWine()) {
            // A folder listed as a plain one that leads elsewhere by the time
            // it is reached: a link to the game directory's parent.
            OnUnixSide("ln -s " + UnixPath(L"C:\\yorvtests"), game.Path(), "swapped");
            CHECK(Judge(W(game / "swapped"), {L"swapped", kFolder, 0}, place).step == Step::Leave);
            UnixTempDir::Clean(game / "swapped");
        }
        // What only Windows shows, through the calls the removal is handed: a
        // read-only folder refused until its attribute is off, and kept with
        // it where it still is; a link that refuses to go, told of as one
        // left alone is, and one that goes.
        static DWORD attributes;
        static bool refuses;
        const DirectoryCalls asWindows{[](LPCWSTR) { return attributes; },
                                       [](LPCWSTR, DWORD to) -> BOOL { return attributes = to, TRUE; },
                                       [](LPCWSTR) -> BOOL { return !refuses && !(attributes & FILE_ATTRIBUTE_READONLY); }};
        for (const bool refusing : {false, true}) {
            attributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY;
            refuses = refusing;
            CHECK(RemoveEmptiedDirectory(L"C:\\Customised", asWindows) == !refusing);
            CHECK(attributes == (refusing ? FILE_ATTRIBUTE_READONLY : 0u) + FILE_ATTRIBUTE_DIRECTORY);
        }
        const std::wstring real = W(game / "Real");
        for (const auto& [step, deleteLink, gone] : {std::tuple{Step::RemoveLink, +[](HANDLE) { return false; }, false},
                                                     {Step::Leave, &DeleteByHandle, false},
                                                     {Step::RemoveLink, &DeleteByHandle, true}}) {
            CHECK(Carry({step, real, {}, OpenEntry(real, DELETE)}, nullptr, deleteLink) == gone);
            CHECK(Exists(real) != gone);
        }
    }

    TEST_CASE("Remove refuses without an installation record or a selection, and acts on no path")
    {
        test::TempDir game("remove_refuse");
        test::MakeDir(game / "SomeMod");
        test::WriteBytes(game / "SomeMod\\file.txt", "file");
        char cwd[MAX_PATH];
        GetCurrentDirectoryA(sizeof cwd, cwd);
        for (const bool record : {true, false}) {
            // No record: the list shows the root folders of the current
            // drive. Should the refusal fail, the question is answered No.
            REQUIRE(SetCurrentDirectoryA(record ? cwd : game.Path().c_str()));
            Launcher launcher(record ? game.Path() : "");
            Select(record ? "SomeMod" : "yorvtests");
            if (record)
                SendMessageA(FrmMain->ComboYMod, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
            test::ModalWatcher watcher({}, [](test::ModalBox& box) {
                if (std::count(box.buttons.begin(), box.buttons.end(), IDNO))
                    box.answer = IDNO;
            });
            FrmMain->CmdRemoveClick();
            REQUIRE(watcher.Boxes().size() == 1);
            CHECK(Describe(watcher.Boxes()[0], false)
                  == (record ? "Yorv HollowFen FrontEnd | No Y-Mod is selected, so nothing was removed."
                             : "Yorv HollowFen FrontEnd | The game's installation record was not found, so the Y-Mods' "
                               "directory is not known.\r\n\r\nNothing was removed.")
                         + std::string(" | icon 48 | 1* | the program's, the main window disabled"));
        }
        SetCurrentDirectoryA(cwd);
        CHECK(test::ReadBytes(game / "SomeMod\\file.txt") == "file");
    }

    TEST_CASE("the bin check's decisions: how its file is restored, and what the player is told when it is not")
    {
        const std::string left = "The recycle bin keeps a file of the launcher's own, \"~";
        const std::string astray = "The launcher's recycle bin check could not take its own file, \"~";
        struct Case {
            const char* what;
            std::vector<RecycleBin::Command> commands;  // the second restores, if any
            bool keeps, restores, forgets, goOn;        // forgets: a restore that does not loses the item
            std::vector<unsigned> run;
            std::string message;  // how it begins
        };
        // A bin that keeps what it is sent in a folder of the test's, and
        // offers the commands a case gives it.
        struct FakeBin final : RecycleBin {
            FakeBin(std::wstring folder, const Case& c) : bin(std::move(folder)), with(c) {}
            std::wstring bin;
            const Case& with;
            std::vector<unsigned> run;
            std::wstring sent;
            std::wstring Kept() const { return bin + sent.substr(sent.rfind(L'\\')); }

            bool Send(const std::wstring& path) override
            {
                sent = path;
                return with.keeps ? MoveFileW(path.c_str(), Kept().c_str()) : DeleteFileW(path.c_str());
            }
            bool Find(const std::wstring& name) override { return Exists(bin + L"\\" + name); }
            std::vector<Command> Commands() override { return with.commands; }
            bool Run(unsigned id) override
            {
                run.push_back(id);
                if (id == 2 && with.restores)
                    return MoveFileW(Kept().c_str(), sent.c_str());
                return !with.forgets || DeleteFileW(Kept().c_str());
            }
        };
        const Case cases[] = {
            {"the shell names verbs", {{1, "open", true}, {2, "undelete", false}, {3, "delete", false}}, true, true,
             false, true, {2}, ""},
            {"the shell names none", {{4, {}, false}, {2, {}, true}}, true, true, false, true, {2}, ""},
            {"no command restores", {{1, "delete", false}}, true, true, false, true, {}, left},
            {"the restore has not landed when the check stops waiting", {{2, "undelete", false}}, true, false, false, false, {2}, astray},
            {"the restore loses it", {{2, {}, true}}, true, false, true, false, {2}, astray},
            {"the bin does not keep it", {{2, "undelete", false}}, false, true, false, false, {}, kBinCannotTake},
            {"the folder refuses a new file", {}, true, true, false, false, {}, "The Y-Mod's directory cannot be changed: "},
        };
        test::TempDir dir("remove_bin_check");
        test::MakeDir(dir / "Mod");
        test::WriteBytes(dir / "Mod\\own.txt", "own");
        for (const Case& c : cases) {
            const std::string what = c.what;
            CAPTURE(what);
            test::RemoveTreeForTest(dir / "Bin");
            test::MakeDir(dir / "Bin");
            FakeBin bin(W(dir / "Bin"), c);
            const bool refuses = &c == std::end(cases) - 1;
            const BinCheck check = refuses ? CheckRecycleBin(W(dir / "Mod"), bin, [](const std::wstring&, std::string_view) {
                return static_cast<DWORD>(ERROR_ACCESS_DENIED);
            })
                                           : CheckRecycleBin(W(dir / "Mod"), bin);
            CHECK(check.goOn == c.goOn);
            CHECK(check.message.substr(0, c.message.size()) == c.message);
            CHECK(bin.run == c.run);
            // The check's file is named to the player wherever it is left; a
            // folder that refuses one is told with the real reason, and
            // nothing is sent.
            const std::string name = AnsiForDisplay(bin.sent.substr(bin.sent.rfind(L'\\') + 1));
            CHECK((c.message == left || c.message == astray)
                  == (!bin.sent.empty() && check.message.find(name) != std::string::npos));
            CHECK(bin.sent.rfind(W(dir / "Mod\\~"), 0) == (refuses ? std::wstring::npos : 0));
            CHECK((!refuses || check.message.size() > c.message.size() + 29));
            // The YMod's folder holds what it held, nothing of the check's.
            CHECK(test::NamesIn(dir / "Mod") == std::vector<std::string>{"own.txt"});
        }
        const std::string deep = dir / std::string(230 - dir.Path().size() - 1, 'd');  // against the shell's bin
        test::MakeDir(deep);
        test::WriteBytes(deep + "\\own.txt", "own");
        CHECK(CheckRecycleBin(deep).goOn);
    }

    TEST_CASE("what reaches the program while a removal runs is refused or dropped, and the outcome is still shown")
    {
        test::TempDir game("remove_busy");
        test::MakeDir(game / "BusyMod");  // held open, it stays: a box comes while the working window is up
        const UniqueFile held(CreateFileA((game / "BusyMod").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        Launcher launcher(game.Path());
        const HWND main = FrmMain->Handle(), work = FrmWork->Handle();
        for (const auto& [what, to, message, wParam] : std::initializer_list<std::tuple<const char*, HWND, UINT, WPARAM>>{
                 {"a caption click", work, WM_NCLBUTTONDOWN, HTCAPTION}, {"pointer input", work, 0x0246 /* WM_POINTERDOWN */, 0},
                 {"WM_CLOSE to the main window", main, WM_CLOSE, 0}, {"WM_CLOSE to the working window", work, WM_CLOSE, 0},
                 {"log-off", main, WM_QUERYENDSESSION, 0}, {"a second Remove", main, WM_COMMAND, IDC_CMDREMOVE}}) {
            CAPTURE(std::string(what));
            test::WriteBytes(game / "BusyMod\\a.txt", "a");  // so that the bin is searched
            LRESULT answer = 1;  // sent as another program sends, or queued, once the working window is up
            std::thread input([&] {
                for (int i = 0; i < 5000 && !IsWindowVisible(work); ++i)
                    Sleep(1);
                const bool sent = message == WM_CLOSE || message == WM_QUERYENDSESSION;
                answer = !IsWindowVisible(work) || (sent ? SendMessageA(to, message, wParam, 0) : !PostMessageA(to, message, wParam, 0));
            });
            std::string shown;
            Remove("BusyMod", {IDYES}, [&](test::ModalBox& box) {
                bool under = IsWindowVisible(work);
                for (HWND h = GetActiveWindow(); h && under; h = GetWindow(h, GW_HWNDNEXT))
                    under = h != work;
                shown += box.caption + (under ? " (under the working window)" : "") + "; ";
            });
            input.join();
            CHECK(shown == "Are you sure?; Yorv HollowFen FrontEnd; ERROR; ");
            CHECK((answer == 0 && IsWindow(main) && IsWindow(work)));  // refused, or queued
        }
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
        // is lost. It must be refused, with the launcher's own message,
        // before any file goes.
        const std::vector<test::ModalBox> boxes = Remove("KeepMod", {IDYES}, [](test::ModalBox& box) {
            box.answer = box.owner == FrmWork->Handle() ? IDNO : box.answer;
        });
        REQUIRE(boxes.size() == 2);
        CHECK(Describe(boxes[1], IsWindowVisible(FrmWork->Handle()))
              == "Yorv HollowFen FrontEnd | " + kBinCannotTake + " | icon 48 | 1* | the program's, the main window disabled");
        CHECK(test::ReadBytes(mod + "\\one.txt") == "one");
        CHECK(test::ReadBytes(mod + "\\sub\\two.txt") == "two");
        // Not even the bin check's own file is left behind.
        CHECK(test::NamesIn(mod) == std::vector<std::string>{"one.txt", "sub"});
        CHECK(ListTexts() == std::vector<std::string>{"KeepMod"});
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
        // A YMod named with such a character, a YMod with a folder named so,
        // and a game directory whose own name ends in one.
        const std::vector<std::string> mods{game / software, game / "Mod", game / so + "\\Mod"};
        for (const std::string& dir : {mods[0], mods[1], mods[1] + "\\" + table, game / so, mods[2]})
            test::MakeDir(dir);
        const std::vector<std::string> files{mods[0] + "\\a.txt", mods[1] + "\\" + table + "\\b.txt", mods[2] + "\\c.txt"};
        for (const std::string& file : files)
            test::WriteBytes(file, "data");
        // A name with a byte that is no character of the code page (a lead
        // byte alone), where a lax reading would find this folder.
        REQUIRE(CreateDirectoryW((W(game.Path()) + L"\\Lax\x30FB").c_str(), nullptr));
        test::WriteBytes(W(game.Path()) + L"\\Lax\x30FB\\d.txt", "d");

        const Bin bin;
        for (const std::string& mod : {mods[0], mods[1], mods[2], game / "Lax\x83"}) {
            CAPTURE(mod);
            const bool lax = mod.back() == '\x83';
            CHECK(TreeHoldsFiles(mod) != lax);
            CHECK((lax || CheckRecycleBin(mod).goOn));
            std::vector<std::string> notRemoved;
            RemoveTree(mod, [&](const std::string& dir) { notRemoved.push_back(dir); });
            CHECK(notRemoved == (lax ? std::vector<std::string>{mod} : std::vector<std::string>{}));
            CHECK(Exists(lax ? W(game.Path()) + L"\\Lax\x30FB\\d.txt" : W(mod)) == lax);
        }
        // The three files, and nothing of the bin checks', whose items the
        // shell restores by its Japanese caption.
        std::vector<std::wstring> expected;
        for (const std::string& file : files)
            expected.push_back(W(file));
        std::sort(expected.begin(), expected.end());
        CHECK(Joined(bin.Gained()) == Joined(expected));
    }

    TEST_CASE("a title cut for the list never ends in half a character")
    {
        REQUIRE(GetACP() == 932);
        test::TempDir game("list_dbcs");
        test::MakeDir(game / "Mod");
        // The cut after 255 bytes falls between the two bytes of a character.
        test::WriteBytes(game / "Mod\\YMOD.DIZ", std::string(254, 'T') + "\x83\x5C\x83\x74\x83\x67\r\n");
        Launcher launcher(game.Path());
        CHECK(ListTexts() == std::vector<std::string>{std::string(254, 'T') + "..."});
    }
}
