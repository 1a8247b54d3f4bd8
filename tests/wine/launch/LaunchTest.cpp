// Play and Edit, end to end: the real main window hands the game and the
// editor to the real shell, and the stand-in game installed as yorv.exe and
// yorvedit.exe records what it was started with.
#include "tests/wine/TestSupport.h"

#include "Main/Main.h"
#include "Main/Program.h"
#include "core/Catalogue.h"
#include "core/Launcher.h"
#include "ui/Application.h"

#include "tests/Printable.h"

#include <shellapi.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using namespace yorv;

namespace {

const std::string kLaunchTestKey = "YorvFrontEndLaunchTest";
constexpr int kRecordTimeoutMs = 15000;

// One start of the stand-in, as it recorded it.
struct Launch {
    std::string program;
    std::string commandLine;
    std::string parameters;
    std::string directory;
    DWORD pid = 0;
};

std::vector<Launch> ParseLaunches(const std::string& log)
{
    std::vector<Launch> launches;
    Launch current;
    std::size_t start = 0;
    while (start < log.size()) {
        std::size_t end = log.find("\r\n", start);
        if (end == std::string::npos)
            break;  // a record still being written
        const std::string line = log.substr(start, end - start);
        start = end + 2;
        auto value = [&line](const char* name) -> std::optional<std::string> {
            const std::string prefix = std::string(name) + "=";
            if (line.compare(0, prefix.size(), prefix) == 0)
                return line.substr(prefix.size());
            return std::nullopt;
        };
        if (auto v = value("program"))
            current.program = *v;
        else if (auto v = value("commandline"))
            current.commandLine = *v;
        else if (auto v = value("parameters"))
            current.parameters = *v;
        else if (auto v = value("directory"))
            current.directory = *v;
        else if (auto v = value("pid"))
            current.pid = static_cast<DWORD>(std::stoul(*v));
        else if (line == "end") {
            launches.push_back(current);
            current = Launch{};
        }
    }
    return launches;
}

std::vector<Launch> LaunchesIn(const std::string& logPath)
{
    return ParseLaunches(test::ReadBytes(logPath));
}

std::string Narrow(const wchar_t* text)
{
    const int len = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(len), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, out.data(), len, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(len > 0 ? len - 1 : 0));
    return out;
}

// The arguments a C program would see, the program itself left out.
std::vector<std::string> Arguments(const std::string& commandLine)
{
    const int len = MultiByteToWideChar(CP_ACP, 0, commandLine.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(len), L'\0');
    MultiByteToWideChar(CP_ACP, 0, commandLine.c_str(), -1, wide.data(), len);
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(wide.c_str(), &count);
    REQUIRE(argv != nullptr);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(Narrow(argv[i]));
    LocalFree(argv);
    return arguments;
}

bool SamePath(const std::string& a, const std::string& b)
{
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

bool StillRunning(DWORD pid)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, pid);
    if (!process)
        return false;
    DWORD code = 0;
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT && GetExitCodeProcess(process, &code)
                         && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
}

const char* const kSettingNames[] = {"CloseOnRun", "NoSound", "LogFile", "RunYMod", "PrevYmod"};

// A game directory with the stand-in as game and editor, its YMods, the
// installation record pointing at it, a clean settings key, and the
// launcher's windows on top.
class Installation {
public:
    explicit Installation(const std::string& gameName = "Yorv HollowFen")
        : root_("launch"), gameDir_(root_ / gameName), logPath_(root_ / "standin.log")
    {
        test::MakeDir(gameDir_);
        SetEnvironmentVariableA("YORV_STANDIN_LOG", logPath_.c_str());
        SetEnvironmentVariableA("YORV_STANDIN_WAIT_MS", nullptr);
    }

    ~Installation()
    {
        windows_.reset();
        // The stand-ins must be gone before their directory can go.
        for (const Launch& launch : LaunchesIn(logPath_)) {
            HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, launch.pid);
            if (process) {
                WaitForSingleObject(process, 20000);
                CloseHandle(process);
            }
        }
        SetEnvironmentVariableA("YORV_STANDIN_LOG", nullptr);
        SetEnvironmentVariableA("YORV_STANDIN_WAIT_MS", nullptr);
    }

    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;

    const std::string& GameDir() const { return gameDir_; }
    const test::CleanKey& Key() const { return key_; }

    void InstallStandIn(const char* exeName) const
    {
        REQUIRE(CopyFileA(test::WinePath(YORV_STANDIN_EXE).c_str(), (gameDir_ + "\\" + exeName).c_str(), FALSE));
    }

    void AddYMod(const std::string& dirName, const std::string& description = {}) const
    {
        test::MakeDir(gameDir_ + "\\" + dirName);
        if (!description.empty())
            test::WriteBytes(gameDir_ + "\\" + dirName + "\\YMOD.DIZ", description);
    }

    // The program starts as the player would start it.
    void Open()
    {
        record_.emplace("[Yorv HollowFen]\r\n" + gameDir_ + "\r\n");
        windows_ = test::StartLauncher(key_.Name());
    }

    // The list position of the YMod in directory `dirName`.
    int PositionOf(const std::string& dirName) const
    {
        for (int slot = 0; slot < YModCount; ++slot) {
            if (YModDirs[static_cast<std::size_t>(slot)] == dirName)
                return slot;
        }
        FAIL("no YMod in " << dirName);
        return -1;
    }

    void Select(int position) const
    {
        SendMessageA(FrmMain->ComboYMod, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
        SendMessageA(FrmMain->Handle(), WM_COMMAND, MAKEWPARAM(IDC_COMBOYMOD, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(FrmMain->ComboYMod));
    }

    std::string ListText(int position) const
    {
        const LRESULT len = SendMessageA(FrmMain->ComboYMod, CB_GETLBTEXTLEN, static_cast<WPARAM>(position), 0);
        std::string text(static_cast<std::size_t>(len) + 1, '\0');
        SendMessageA(FrmMain->ComboYMod, CB_GETLBTEXT, static_cast<WPARAM>(position),
                     reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(len));
        return text;
    }

    void SetOptions(bool noSound, bool logFile, bool runYMod) const
    {
        SendMessageA(FrmMain->CBNoSound, BM_SETCHECK, noSound ? BST_CHECKED : BST_UNCHECKED, 0);
        SendMessageA(FrmMain->CBLogFile, BM_SETCHECK, logFile ? BST_CHECKED : BST_UNCHECKED, 0);
        SendMessageA(FrmMain->CBYmod, BM_SETCHECK, runYMod ? BST_CHECKED : BST_UNCHECKED, 0);
    }

    void SetCloseOnRun(bool checked) const
    {
        if (FrmMain->CloseOnRunChecked() != checked)
            SendMessageA(FrmMain->Handle(), WM_COMMAND, MAKEWPARAM(IDM_CLOSEONRUN1, 0), 0);
        REQUIRE(FrmMain->CloseOnRunChecked() == checked);
    }

    // A click on one of the main window's buttons, through its window
    // procedure; returns when the handler has run to its end.
    static void Click(const GlyphButton& button, int id)
    {
        SendMessageA(FrmMain->Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button.Handle()));
    }

    std::vector<Launch> Launches() const { return LaunchesIn(logPath_); }

    // Waits until the stand-in has recorded `count` starts in all.
    std::vector<Launch> WaitForLaunches(std::size_t count) const
    {
        const DWORD started = GetTickCount();
        std::vector<Launch> launches = Launches();
        while (launches.size() < count && GetTickCount() - started < static_cast<DWORD>(kRecordTimeoutMs)) {
            test::Pump(10);
            launches = Launches();
        }
        REQUIRE(launches.size() == count);
        return launches;
    }

    // Waits for the game and the editor, started back to back: each writes
    // its record when it gets to it, so the records may come in either
    // order. The game's comes first.
    std::vector<Launch> WaitForGameAndEditor() const
    {
        std::vector<Launch> launches = WaitForLaunches(2);
        if (launches[0].program.size() > launches[1].program.size())  // "...\yorvedit.exe" first
            std::swap(launches[0], launches[1]);
        return launches;
    }

    // Gives a wrongly started program time to show up, then checks that
    // none did.
    void CheckNothingStarted(std::size_t before) const
    {
        test::Pump(400);
        CHECK(Launches().size() == before);
    }

    void CheckNothingSaved() const
    {
        for (const char* name : kSettingNames) {
            CAPTURE(name);
            CHECK(key_.Get(name) == "<absent>");
        }
    }

private:
    test::TempDir root_;
    std::string gameDir_;
    std::string logPath_;
    test::CleanKey key_{kLaunchTestKey};
    std::optional<test::InstallationRecord> record_;
    std::unique_ptr<ProgramWindows> windows_;
};

void CheckStarted(const Launch& launch, const std::string& gameDir, const char* exeName,
                  const std::string& parameters, const std::vector<std::string>& arguments)
{
    CHECK(SamePath(launch.program, gameDir + "\\" + exeName));
    CHECK(launch.parameters == parameters);
    CHECK(SamePath(launch.directory, gameDir));
    CHECK(Arguments(launch.commandLine) == arguments);
}

}  // namespace


TEST_SUITE("launch")
{
    TEST_CASE("Play passes the chosen options in order and the YMod by its directory name")
    {
        Installation game;
        game.InstallStandIn("yorv.exe");
        game.InstallStandIn("yorvedit.exe");
        game.AddYMod("dm_castle", "The Castle of Doom 1.2\r\n(c) The Castle Team\r\n\r\nA long night.\r\n");
        game.AddYMod("My Fine Mod");
        game.Open();
        game.SetCloseOnRun(false);
        test::ModalWatcher watcher;

        const int castle = game.PositionOf("dm_castle");
        CHECK(game.ListText(castle) == "The Castle of Doom 1.2");

        struct Options {
            bool noSound, logFile, runYMod;
            const char* parameters;  // with the castle selected
            std::vector<std::string> arguments;
        };
        const Options combinations[] = {
            {false, false, false, "", {}},
            {true, false, false, "-nosound ", {"-nosound"}},
            {false, true, false, "-debug ", {"-debug"}},
            {true, true, false, "-nosound -debug ", {"-nosound", "-debug"}},
            {false, false, true, "-game dm_castle", {"-game", "dm_castle"}},
            {true, false, true, "-nosound -game dm_castle", {"-nosound", "-game", "dm_castle"}},
            {false, true, true, "-debug -game dm_castle", {"-debug", "-game", "dm_castle"}},
            {true, true, true, "-nosound -debug -game dm_castle", {"-nosound", "-debug", "-game", "dm_castle"}},
        };

        std::size_t started = 0;
        SUBCASE("a YMod selected")
        {
            game.Select(castle);
            for (const Options& o : combinations) {
                CAPTURE(o.parameters);
                game.SetOptions(o.noSound, o.logFile, o.runYMod);
                Installation::Click(FrmMain->CmdPlay, IDC_CMDPLAY);
                const Launch launch = game.WaitForLaunches(++started).back();
                CheckStarted(launch, game.GameDir(), "yorv.exe", o.parameters, o.arguments);
            }
        }
        SUBCASE("no YMod selected: never a -game switch")
        {
            game.Select(-1);
            for (const Options& o : combinations) {
                CAPTURE(o.parameters);
                game.SetOptions(o.noSound, o.logFile, o.runYMod);
                Installation::Click(FrmMain->CmdPlay, IDC_CMDPLAY);
                const Launch launch = game.WaitForLaunches(++started).back();
                std::string expected = o.parameters;
                expected = expected.substr(0, expected.find("-game "));
                std::vector<std::string> arguments = o.arguments;
                if (o.runYMod)
                    arguments.resize(arguments.size() - 2);
                CheckStarted(launch, game.GameDir(), "yorv.exe", expected, arguments);
            }
        }
        SUBCASE("a directory name with blanks goes unquoted, as it is")
        {
            game.Select(game.PositionOf("My Fine Mod"));
            game.SetOptions(false, false, true);
            Installation::Click(FrmMain->CmdPlay, IDC_CMDPLAY);
            const Launch launch = game.WaitForLaunches(1).back();
            CheckStarted(launch, game.GameDir(), "yorv.exe", "-game My Fine Mod", {"-game", "My", "Fine", "Mod"});
            CHECK(launch.commandLine.find("\"My Fine Mod\"") == std::string::npos);
        }

        // The launcher stays, as it was, and no message was shown.
        CHECK(watcher.Boxes().empty());
        CHECK_FALSE(Application::Terminated());
        CHECK(IsWindowVisible(FrmMain->Handle()));
        game.CheckNothingSaved();
    }

    TEST_CASE("long game directories and parameter strings are handed over whole")
    {
        const std::string longName = "Yorv HollowFen Collector's Edition with every expansion pack and bonus level";
        {
            Installation game(longName);
            const std::string longMod = "Campaign of the Ninety-Nine Bridges and the Long Road Home";
            game.InstallStandIn("yorv.exe");
            game.AddYMod(longMod);
            game.Open();
            game.SetCloseOnRun(false);
            REQUIRE(game.GameDir().size() > 79);

            game.SetOptions(true, true, true);
            game.Select(game.PositionOf(longMod));
            test::ModalWatcher watcher;
            Installation::Click(FrmMain->CmdPlay, IDC_CMDPLAY);
            const Launch launch = game.WaitForLaunches(1).back();
            const std::string parameters = "-nosound -debug -game " + longMod;
            REQUIRE(parameters.size() > 79);
            CheckStarted(launch, game.GameDir(), "yorv.exe", parameters,
                         {"-nosound", "-debug", "-game", "Campaign", "of", "the", "Ninety-Nine", "Bridges", "and",
                          "the", "Long", "Road", "Home"});
            CHECK(watcher.Boxes().empty());
        }
        {
            // "Run with the following YMod" with an empty list: the game
            // starts without a YMod.
            Installation game(longName);
            game.InstallStandIn("yorv.exe");
            game.Open();
            game.SetCloseOnRun(false);
            REQUIRE(YModCount == 0);
            game.SetOptions(false, true, true);
            Installation::Click(FrmMain->CmdPlay, IDC_CMDPLAY);
            CheckStarted(game.WaitForLaunches(1).back(), game.GameDir(), "yorv.exe", "-debug ", {"-debug"});
        }
    }

    TEST_CASE("a game directory whose name reads as an environment variable starts the game in it")
    {
        // The shell would expand the name and start the namesake in the
        // other directory, or report the game missing. Started without the
        // shell, a name with blanks must reach the game quoted.
        SetEnvironmentVariableA("YORVFEN", "Expanded");
        struct Case {
            std::string name;
            const char* namesake;  // the name expanded, where that can be a directory
        };
        for (const Case& c : {Case{"Yorv%YORVFEN%Fen", "YorvExpandedFen"}, Case{"Yorv %windir% Fen", nullptr}}) {
            CAPTURE(c.name);
            Installation game(c.name);
            game.InstallStandIn("yorv.exe");
            game.InstallStandIn("yorvedit.exe");
            if (c.namesake) {
                const std::string namesake = game.GameDir().substr(0, game.GameDir().rfind('\\') + 1) + c.namesake;
                test::MakeDir(namesake);
                for (const char* exe : {"yorv.exe", "yorvedit.exe"}) {
                    const std::string copy = namesake + "\\" + exe;
                    REQUIRE(CopyFileA(test::WinePath(YORV_STANDIN_EXE).c_str(), copy.c_str(), FALSE));
                }
            }
            game.AddYMod("Mod%YORVFEN%");
            game.Open();
            game.SetCloseOnRun(false);
            game.SetOptions(false, false, true);
            game.Select(game.PositionOf("Mod%YORVFEN%"));
            test::ModalWatcher watcher;
            Installation::Click(FrmMain->CmdPlay, IDC_CMDPLAY);
            Installation::Click(FrmMain->CmdEdit, IDC_CMDEDIT);
            const std::vector<Launch> launches = game.WaitForGameAndEditor();
            CHECK(watcher.Boxes().empty());
            const std::vector<std::string> arguments{"-game", "Mod%YORVFEN%"};
            CheckStarted(launches[0], game.GameDir(), "yorv.exe", "-game Mod%YORVFEN%", arguments);
            CheckStarted(launches[1], game.GameDir(), "yorvedit.exe", "-game Mod%YORVFEN%", arguments);
        }
        SetEnvironmentVariableA("YORVFEN", nullptr);
    }

    TEST_CASE("Edit starts the editor on the selected YMod, or asks for one")
    {
        Installation game;
        game.InstallStandIn("yorv.exe");
        game.InstallStandIn("yorvedit.exe");
        game.AddYMod("dm_castle", "The Castle of Doom 1.2\r\n");
        game.AddYMod("My Fine Mod");
        game.Open();
        game.SetCloseOnRun(false);
        REQUIRE(IsWindowEnabled(FrmMain->CmdEdit.Handle()));

        SUBCASE("the options do not matter to the editor")
        {
            game.SetOptions(true, true, false);
            game.Select(game.PositionOf("dm_castle"));
            test::ModalWatcher watcher;
            Installation::Click(FrmMain->CmdEdit, IDC_CMDEDIT);
            CheckStarted(game.WaitForLaunches(1).back(), game.GameDir(), "yorvedit.exe", "-game dm_castle",
                         {"-game", "dm_castle"});

            game.Select(game.PositionOf("My Fine Mod"));
            Installation::Click(FrmMain->CmdEdit, IDC_CMDEDIT);
            CheckStarted(game.WaitForLaunches(2).back(), game.GameDir(), "yorvedit.exe", "-game My Fine Mod",
                         {"-game", "My", "Fine", "Mod"});
            CHECK(watcher.Boxes().empty());
        }
        SUBCASE("without a selection")
        {
            game.SetOptions(false, false, true);
            game.Select(-1);
            test::ModalWatcher watcher;
            Installation::Click(FrmMain->CmdEdit, IDC_CMDEDIT);
            REQUIRE(watcher.Boxes().size() == 1);
            const test::ModalBox& box = watcher.Boxes()[0];
            CHECK(box.caption == "Ooops!");
            CHECK(box.text == "You must have a YMod selected to Edit it.");
            CHECK(box.icon == MB_ICONEXCLAMATION);
            CHECK(box.buttons == std::vector<int>{IDOK});
            CHECK(box.owner == Application::Window());
            CHECK_FALSE(box.mainWindowEnabled);
            game.CheckNothingStarted(0);
            CHECK(IsWindowEnabled(FrmMain->Handle()));
        }
        CHECK_FALSE(Application::Terminated());
        game.CheckNothingSaved();
    }

    TEST_CASE("Close on Run: on, the launcher saves and ends while the game runs on; off, it stays as it was")
    {
        Installation game;
        game.InstallStandIn("yorv.exe");
        game.InstallStandIn("yorvedit.exe");
        game.AddYMod("dm_castle", "The Castle of Doom 1.2\r\n");
        game.AddYMod("My Fine Mod");
        game.Open();
        const int castle = game.PositionOf("dm_castle");
        game.SetOptions(true, false, true);
        game.Select(castle);
        test::ModalWatcher watcher;

        SUBCASE("on, Play")
        {
            SetEnvironmentVariableA("YORV_STANDIN_WAIT_MS", "4000");
            REQUIRE(FrmMain->CloseOnRunChecked());
            FrmMain->CmdPlayClick();
            // The handler has returned; the game it started is still running.
            const Launch launch = game.WaitForLaunches(1).back();
            CHECK(StillRunning(launch.pid));
            CheckStarted(launch, game.GameDir(), "yorv.exe", "-nosound -game dm_castle",
                         {"-nosound", "-game", "dm_castle"});
            CHECK(Application::Terminated());
            CHECK(game.Key().Get("CloseOnRun") == "1");
            CHECK(game.Key().Get("NoSound") == "1");
            CHECK(game.Key().Get("LogFile") == "0");
            CHECK(game.Key().Get("RunYMod") == "1");
            CHECK(game.Key().Get("PrevYmod") == std::to_string(castle));
        }
        SUBCASE("on, Edit")
        {
            SetEnvironmentVariableA("YORV_STANDIN_WAIT_MS", "4000");
            const int other = game.PositionOf("My Fine Mod");
            game.Select(other);
            SendMessageA(FrmMain->CBNoSound, BM_SETCHECK, BST_UNCHECKED, 0);
            FrmMain->CmdEditClick();
            const Launch launch = game.WaitForLaunches(1).back();
            CHECK(StillRunning(launch.pid));
            CheckStarted(launch, game.GameDir(), "yorvedit.exe", "-game My Fine Mod", {"-game", "My", "Fine", "Mod"});
            CHECK(Application::Terminated());
            CHECK(game.Key().Get("CloseOnRun") == "1");
            CHECK(game.Key().Get("NoSound") == "0");
            CHECK(game.Key().Get("PrevYmod") == std::to_string(other));
        }
        SUBCASE("off")
        {
            game.SetCloseOnRun(false);
            FrmMain->CmdPlayClick();
            FrmMain->CmdEditClick();
            const std::vector<Launch> launches = game.WaitForGameAndEditor();
            CHECK(SamePath(launches[0].program, game.GameDir() + "\\yorv.exe"));
            CHECK(SamePath(launches[1].program, game.GameDir() + "\\yorvedit.exe"));
            CHECK_FALSE(Application::Terminated());
            game.CheckNothingSaved();
            CHECK(IsWindowVisible(FrmMain->Handle()));
            CHECK(IsWindowEnabled(FrmMain->Handle()));
            CHECK_FALSE(FrmMain->CloseOnRunChecked());
            CHECK(SendMessageA(FrmMain->CBNoSound, BM_GETCHECK, 0, 0) == BST_CHECKED);
            CHECK(SendMessageA(FrmMain->CBLogFile, BM_GETCHECK, 0, 0) == BST_UNCHECKED);
            CHECK(SendMessageA(FrmMain->CBYmod, BM_GETCHECK, 0, 0) == BST_CHECKED);
            CHECK(FrmMain->SelectedPosition() == castle);
        }
        CHECK(watcher.Boxes().empty());
    }

    TEST_CASE("nothing starts without the game, and a game that cannot start is reported")
    {
        SUBCASE("no yorv.exe in the game directory")
        {
            Installation game;
            game.InstallStandIn("yorvedit.exe");
            test::MakeDir(game.GameDir() + "\\yorv.exe");  // a directory is no program file
            game.Open();
            REQUIRE(FrmMain->CloseOnRunChecked());
            test::ModalWatcher watcher;
            Installation::Click(FrmMain->CmdPlay, IDC_CMDPLAY);
            REQUIRE(watcher.Boxes().size() == 1);
            const test::ModalBox& box = watcher.Boxes()[0];
            CHECK(box.caption == "Setup not Completed");
            CHECK(box.text
                  == "Could not find the Yorv Hollowfen EXE file.\r\n\r\n"
                     "Please make sure Yorv HollowFen is setup correctly.");
            CHECK(box.icon == MB_ICONEXCLAMATION);
            CHECK(box.buttons == std::vector<int>{IDOK});
            CHECK(box.owner == Application::Window());
            CHECK_FALSE(box.mainWindowEnabled);
            game.CheckNothingStarted(0);
            CHECK_FALSE(Application::Terminated());
            game.CheckNothingSaved();
            CHECK(IsWindowEnabled(FrmMain->Handle()));
        }
        SUBCASE("no installation record: the game is looked for at the root")
        {
            test::InstallationRecord none;
            test::CleanKey key(kLaunchTestKey);
            const auto windows = test::StartLauncher(key.Name());
            REQUIRE(yorv::GameDir.empty());
            REQUIRE(GetFileAttributesA("\\yorv.exe") == INVALID_FILE_ATTRIBUTES);
            test::ModalWatcher watcher;
            FrmMain->CmdPlayClick();
            REQUIRE(watcher.Boxes().size() == 1);
            CHECK(watcher.Boxes()[0].caption == "Setup not Completed");
            CHECK_FALSE(Application::Terminated());
        }
        SUBCASE("no installation record, a game at the root: that game starts, from the root")
        {
            // On the test's own drive, with a namesake in the current
            // directory, where the shell would look first for a bare name.
            char previous[MAX_PATH * 2] = {};
            GetCurrentDirectoryA(sizeof previous, previous);
            test::TempDir current("launch-current");
            REQUIRE(SetCurrentDirectoryA(current.Path().c_str()));
            const std::string rootGame = current.Path().substr(0, 3) + "yorv.exe";
            const std::string log = current / "standin.log";
            SetEnvironmentVariableA("YORV_STANDIN_LOG", log.c_str());
            REQUIRE(CopyFileA(test::WinePath(YORV_STANDIN_EXE).c_str(), rootGame.c_str(), FALSE));
            REQUIRE(CopyFileA(test::WinePath(YORV_STANDIN_EXE).c_str(), (current / "yorv.exe").c_str(), FALSE));
            std::vector<Launch> launches;
            {
                test::InstallationRecord none;
                test::CleanKey key(kLaunchTestKey);
                const auto windows = test::StartLauncher(key.Name());
                REQUIRE(yorv::GameDir.empty());
                test::ModalWatcher watcher;
                FrmMain->CmdPlayClick();
                for (int i = 0; i < 300 && launches.empty(); ++i) {
                    test::Pump(20);
                    launches = LaunchesIn(log);
                }
                CHECK(watcher.Boxes().empty());
            }
            REQUIRE(launches.size() == 1);
            CHECK(SamePath(launches[0].program, rootGame));
            CHECK(SamePath(launches[0].directory, current.Path().substr(0, 3)));
            HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, launches[0].pid);
            if (process) {
                WaitForSingleObject(process, 20000);
                CloseHandle(process);
            }
            DeleteFileA(rootGame.c_str());
            SetEnvironmentVariableA("YORV_STANDIN_LOG", nullptr);
            SetCurrentDirectoryA(previous);
        }
        SUBCASE("yorv.exe and yorvedit.exe that are no programs")
        {
            Installation game;
            test::WriteBytes(game.GameDir() + "\\yorv.exe", "This is not a program.\r\n");
            test::WriteBytes(game.GameDir() + "\\yorvedit.exe", "Nor is this.\r\n");
            game.AddYMod("dm_castle");
            game.Open();
            game.Select(game.PositionOf("dm_castle"));
            game.SetOptions(true, true, true);
            REQUIRE(FrmMain->CloseOnRunChecked());

            test::ModalWatcher watcher;
            Installation::Click(FrmMain->CmdPlay, IDC_CMDPLAY);
            Installation::Click(FrmMain->CmdEdit, IDC_CMDEDIT);
            REQUIRE(watcher.Boxes().size() == 2);
            const char* const programs[] = {"yorv.exe", "yorvedit.exe"};
            for (int i = 0; i < 2; ++i) {
                const test::ModalBox& box = watcher.Boxes()[static_cast<std::size_t>(i)];
                CAPTURE(box.text);
                CHECK(box.caption == "Yorv HollowFen FrontEnd");
                CHECK(box.text
                      == "Could not start " + game.GameDir() + "\\" + programs[i]
                             + ".\r\n\r\nThe file is not a program that Windows can run.");
                CHECK(box.icon == MB_ICONEXCLAMATION);
                CHECK(box.buttons == std::vector<int>{IDOK});
                CHECK(box.owner == Application::Window());
            }
            game.CheckNothingStarted(0);
            CHECK_FALSE(Application::Terminated());
            game.CheckNothingSaved();
            CHECK(IsWindowVisible(FrmMain->Handle()));
            CHECK(IsWindowEnabled(FrmMain->Handle()));
        }
    }

    TEST_CASE("RunProgram names the program and the shell's reason when nothing starts")
    {
        test::TempDir dir("launch-shell");
        SetEnvironmentVariableA("YORV_STANDIN_LOG", (dir / "standin.log").c_str());
        struct Case {
            std::string directory;
            std::string file;
            unsigned code;
            const char* reason;
        };
        test::WriteBytes(dir / "notes.exe", "plain text\r\n");
        // Started directly, not by the shell: the same reasons.
        SetEnvironmentVariableA("YORVFEN", "Expanded");
        const std::string percent = dir / "Yorv%YORVFEN%Fen";
        test::MakeDir(percent);
        test::WriteBytes(percent + "\\notes.exe", "plain text\r\n");
        const Case cases[] = {
            {dir.Path(), "missing.exe", ERROR_FILE_NOT_FOUND, "The file was not found."},
            {dir.Path(), "notes.exe", ERROR_BAD_FORMAT, "The file is not a program that Windows can run."},
            {percent, "missing.exe", ERROR_FILE_NOT_FOUND, "The file was not found."},
            {percent, "notes.exe", ERROR_BAD_FORMAT, "The file is not a program that Windows can run."},
        };
        for (const Case& c : cases) {
            CAPTURE(c.file);
            try {
                RunProgram(nullptr, c.file, "-debug ", c.directory, SW_SHOW);
                FAIL("the shell started " << c.file);
            } catch (const LaunchError& error) {
                CHECK(error.Code() == c.code);
                CHECK(error.Program() == c.directory + "\\" + c.file);
                CHECK(error.Reason() == c.reason);
                CHECK(std::string(error.what())
                      == "Could not start " + c.directory + "\\" + c.file + ".\r\n\r\n" + c.reason);
            }
        }
        CHECK(test::ReadBytes(dir / "standin.log").empty());
        SetEnvironmentVariableA("YORV_STANDIN_LOG", nullptr);
        SetEnvironmentVariableA("YORVFEN", nullptr);
    }
}
