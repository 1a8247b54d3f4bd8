// The installation record, description files and the directory scan, on
// real files.
#include "tests/wine/TestSupport.h"

#include "Main/Main.h"
#include "Main/Program.h"
#include "core/Catalogue.h"
#include "core/CatalogueRules.h"
#include "core/Errors.h"
#include "core/TextFile.h"

#include "tests/Printable.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace yorv;

namespace {

std::vector<std::string> FileLines(const std::string& path)
{
    TextFile file(path);
    std::vector<std::string> lines;
    while (!file.AtEnd())
        lines.push_back(file.ReadLine());
    return lines;
}

std::vector<std::string> ScannedDirs()
{
    ScanYModDirs();
    return std::vector<std::string>(YModDirs.begin(), YModDirs.begin() + YModCount);
}

bool Contains(const std::vector<std::string>& list, const std::string& name)
{
    for (const std::string& item : list) {
        if (item == name)
            return true;
    }
    return false;
}

}  // namespace

TEST_SUITE("files")
{
    TEST_CASE("text files read line by line by the game's rules, and stay shared")
    {
        test::TempDir dir("textfiles");
        test::WriteBytes(dir / "mixed.txt", "one\r\ntwo\rthree\nstill three\r\n\r\nlast\x1A" "gone\r\n");
        CHECK(FileLines(dir / "mixed.txt")
              == std::vector<std::string>{"one", "two", "three\nstill three", "", "last"});

        // Another reader may have the file open at the same time.
        HANDLE reader = CreateFileA((dir / "mixed.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        REQUIRE(reader != INVALID_HANDLE_VALUE);
        CHECK(FileLines(dir / "mixed.txt").size() == 5);
        CloseHandle(reader);

        // Reading leaves no handle behind: the file can be deleted at once.
        CHECK(DeleteFileA((dir / "mixed.txt").c_str()));
    }

    TEST_CASE("unreadable files raise I/O errors with their messages")
    {
        test::TempDir dir("ioerrors");
        try {
            TextFile missing(dir / "nothing.txt");
            FAIL("a missing file opened");
        } catch (const IoError& error) {
            CHECK(error.Code() == 2);
            CHECK(std::string(error.what()) == "File not found");
        }

        // A file another program holds open for writing is a sharing violation.
        test::WriteBytes(dir / "locked.txt", "locked\r\n");
        HANDLE writer = CreateFileA((dir / "locked.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
        REQUIRE(writer != INVALID_HANDLE_VALUE);
        try {
            TextFile locked(dir / "locked.txt");
            FAIL("a file open for writing was opened");
        } catch (const IoError& error) {
            CHECK(error.Code() == 32);
            CHECK(ErrorReportText(error.what()) == "I/O error 32.");
        }
        CloseHandle(writer);
        CHECK(FileLines(dir / "locked.txt") == std::vector<std::string>{"locked"});
    }

    TEST_CASE("the installation record's second line is the game directory, unchanged")
    {
        struct Case {
            std::string contents;
            std::string gameDir;
        };
        const Case cases[] = {
            {"[Yorv]\r\nC:\\Games\\Yorv\r\nmore\r\n", "C:\\Games\\Yorv"},
            {"x\r\n  C:\\Spaced Dir\\  \r\n", "  C:\\Spaced Dir\\  "},
            {"only one line\r\n", ""},
            {"", ""},
            {"a\nb\r\nc\r\n", "c"},          // a lone LF does not end line 1
            {"a\rD:\\Yorv\x1A", "D:\\Yorv"},
            {"a\r\n\x1A" "D:\\Yorv\r\n", ""},
            // Up to a zero byte, where every call that takes the path stops.
            {std::string("a\r\nC:\\Games\\Yorv\0\0\0\0\r\n", 22), "C:\\Games\\Yorv"},
        };
        for (const Case& c : cases) {
            CAPTURE(c.contents);
            test::InstallationRecord record(c.contents);
            CHECK(ReadInstallationRecord() == c.gameDir);
        }
        test::InstallationRecord none;
        CHECK(ReadInstallationRecord().empty());
    }

    TEST_CASE("the scan lists qualifying directories only")
    {
        test::TempDir game("scan");
        GameDir = game.Path();
        for (const char* name : {"Alpha", "yorv", "Yorv2", "AVI2", "avi", "SoUrCe", "Sources", "With Blanks",
                                 "\xC9t\xE9 Mod", "Hidden", "System", "YMOD.DIZ-dir", "Mod"})
            test::MakeDir(game / name);
        test::WriteBytes(game / "file.txt", "not a directory");
        SetFileAttributesA((game / "Hidden").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
        SetFileAttributesA((game / "System").c_str(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY);
        // A look-alike beside its namesake, which the code page shows as "Mod"
        // too (and an ANSI clean-up leaves behind).
        REQUIRE((CreateDirectoryW(L"C:\\yorvtests\\scan\\\xFF2Dod", nullptr) || GetLastError() == ERROR_ALREADY_EXISTS));

        const std::vector<std::string> dirs = ScannedDirs();
        for (const char* listed : {"Alpha", "Yorv2", "AVI2", "Sources", "With Blanks", "\xC9t\xE9 Mod", "YMOD.DIZ-dir"})
            CHECK_MESSAGE(Contains(dirs, listed), listed);
        CHECK(std::count(dirs.begin(), dirs.end(), "Mod") == 1);
        for (const char* skipped : {"yorv", "avi", "SoUrCe", "Hidden", "System", "file.txt", ".", ".."})
            CHECK_MESSAGE(!Contains(dirs, skipped), skipped);
        CHECK(dirs.size() == 8);

        // A game directory that does not exist lists nothing.
        GameDir = game / "missing";
        CHECK(ScannedDirs().empty());
    }

    TEST_CASE("the table's 50 YMods and any beyond are all listed, and older slots survive a shorter scan")
    {
        test::TempDir game("many");
        GameDir = game.Path();
        std::vector<std::string> made;
        for (const std::size_t count : {std::size_t{50}, std::size_t{51}, std::size_t{120}}) {
            CAPTURE(count);
            while (made.size() < count) {
                made.push_back("mod" + std::to_string(made.size()));
                test::MakeDir(game / made.back());
            }
            std::vector<std::string> dirs = ScannedDirs();
            CHECK(YModDirs.size() >= count);
            std::sort(dirs.begin(), dirs.end());
            std::vector<std::string> expected = made;
            std::sort(expected.begin(), expected.end());
            CHECK(dirs == expected);
            // And the main window's list shows every one of them.
            const test::CleanKey key("YorvFilesTest");
            const test::InstallationRecord record("x\r\n" + game.Path() + "\r\n");
            const auto windows = test::StartLauncher(key.Name());
            CHECK(SendMessageA(FrmMain->ComboYMod, CB_GETCOUNT, 0, 0) == static_cast<LRESULT>(count));
        }
        GameDir = game.Path();

        const std::string slot100 = YModDirs[100];
        for (int i = 0; i < 120; i += 2)
            test::RemoveTreeForTest(game / ("mod" + std::to_string(i)));
        CHECK(ScannedDirs().size() == 60);
        CHECK(YModDirs[100] == slot100);
    }

    TEST_CASE("a YMod's list text is its title, or its directory name")
    {
        test::TempDir game("titles");
        GameDir = game.Path();
        struct Case {
            std::string dir;
            std::string description;  // "" = no file
            std::string shown;
        };
        const std::string longTitle(70000, 'L');
        const Case cases[] = {
            {"plain", "", "plain"},
            {"titled", "Fen Raiders 1.2\r\nline 2\r\n", "Fen Raiders 1.2"},
            {"emptyfile", "\x01", "emptyfile"},  // replaced below by an empty file
            {"emptyfirst", "\r\nline 2\r\n", "emptyfirst"},
            {"blanks", "   \r\n", "   "},
            {"lfonly", "one\ntwo\nthree\n", "one\ntwo\nthree\n"},
            {"ctrlz", "\x1A" "Title\r\n", "ctrlz"},
            {"amp", "Tide & Sluice\r\n", "Tide & Sluice"},
            {"long", longTitle + "\r\n", std::string(kTitleShownChars, 'L') + "..."},
        };
        for (const Case& c : cases) {
            test::MakeDir(game / c.dir);
            if (!c.description.empty())
                test::WriteBytes(game / c.dir + "\\YMOD.DIZ", c.dir == "emptyfile" ? "" : c.description);
        }
        // Lower case is found as well; a directory of that name is no file.
        test::MakeDir(game / "lower");
        test::WriteBytes(game / "lower\\ymod.diz", "Lower Case\r\n");
        test::MakeDir(game / "dirdiz");
        test::MakeDir(game / "dirdiz\\YMOD.DIZ");

        ScannedDirs();
        for (int slot = 0; slot < YModCount; ++slot) {
            const std::string dir = YModDirs[static_cast<std::size_t>(slot)];
            CAPTURE(dir);
            const std::string shown = YModListTextForSlot(slot);
            if (dir == "lower")
                CHECK(shown == "Lower Case");
            else if (dir == "dirdiz")
                CHECK(shown == "dirdiz");
            for (const Case& c : cases) {
                if (c.dir == dir)
                    CHECK(shown == c.shown);
            }
        }
    }

    TEST_CASE("a locked description file stops the title read with I/O error 32")
    {
        test::TempDir game("lockeddiz");
        GameDir = game.Path();
        test::MakeDir(game / "locked");
        test::WriteBytes(game / "locked\\YMOD.DIZ", "Locked\r\n");
        HANDLE writer = CreateFileA((game / "locked\\YMOD.DIZ").c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        REQUIRE(writer != INVALID_HANDLE_VALUE);
        ScannedDirs();
        REQUIRE(YModCount == 1);
        CHECK_THROWS_WITH_AS(YModListTextForSlot(0), "I/O error 32", IoError);
        CloseHandle(writer);
        CHECK(YModListTextForSlot(0) == "Locked");
    }
}
