// The release archive as a player unpacks it: the launcher, the example
// description file and the read-me; the example lists and shows as the help
// text says it will once it is put into a YMod's directory.
#include "tests/wine/about/AboutWatch.h"

#include "core/Catalogue.h"

#include "tests/Printable.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace yorv;

namespace {

// True when every line of `text` ends in CR LF: no lone CR or LF anywhere.
bool AllLinesEndInCrLf(const std::string& text)
{
    if (text.size() < 2 || text.substr(text.size() - 2) != "\r\n")
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))
            return false;
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            return false;
    }
    return true;
}

}  // namespace

TEST_SUITE("about_release")
{
    TEST_CASE("the release archive holds the launcher, an example YMOD.DIZ and the read-me, and the example works")
    {
        YORV_NEEDS_WINE("the archive is made and unpacked on Linux, by tools/make-release.sh");
        const std::string unpacked = test::WinePath(YORV_RELEASE_UNPACKED);
        REQUIRE(test::NamesIn(unpacked) == std::vector<std::string>{"ReadMe.txt", "YMOD.DIZ", "YorvFrontEnd.exe"});
        CHECK(test::ReadBytes(unpacked + "\\YorvFrontEnd.exe") == test::ReadBytes(test::WinePath(YORV_LAUNCHER_EXE)));

        const std::string readMe = test::ReadBytes(unpacked + "\\ReadMe.txt");
        CHECK(AllLinesEndInCrLf(readMe));
        CHECK(readMe.find("YMOD.DIZ") != std::string::npos);

        // The example follows the format the help text describes: title,
        // two lines of copyright and support, then the description with
        // blank lines among it.
        const std::string diz = test::ReadBytes(unpacked + "\\YMOD.DIZ");
        REQUIRE(AllLinesEndInCrLf(diz));
        CHECK(diz.find('\x1A') == std::string::npos);
        std::vector<std::string> lines = test::SplitCrLf(diz);
        lines.pop_back();  // after the last line end
        REQUIRE(lines.size() > 4);
        CHECK(!lines[0].empty());
        CHECK(!lines[1].empty());
        CHECK(!lines[2].empty());
        CHECK(std::count(lines.begin() + 3, lines.end(), std::string()) > 0);

        // Put into a YMod's directory as an author would.
        test::TempDir game("about_release");
        test::MakeDir(game / "LanternMarsh");
        test::WriteBytes(game / "LanternMarsh\\YMOD.DIZ", diz);
        test::MakeDir(game / "Plain");
        test::Launcher launcher(game.Path(), "YorvAboutReleaseTest");
        const int position = launcher.PositionOf("LanternMarsh");
        REQUIRE(position >= 0);
        CHECK(YModListTextForSlot(position) == lines[0]);
        CHECK(launcher.ListText(position) == lines[0]);

        launcher.Select(position);
        test::AboutWatcher watcher;
        launcher.PressAbout();
        REQUIRE(watcher.Count() == 1);
        const test::AboutShown& shown = watcher.Shows().front();
        CHECK(shown.label1 == lines[0]);
        CHECK(shown.label2 == lines[1]);
        CHECK(shown.label3 == lines[2]);
        CHECK(test::SplitCrLf(shown.memo) == std::vector<std::string>(lines.begin() + 3, lines.end()));
        // The title fits its label, so an author sees how it looks.
        HDC dc = GetDC(About->Label1);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(About->Label1, WM_GETFONT, 0, 0)));
        for (int i = 0; i < 3; ++i) {
            SIZE size{};
            GetTextExtentPoint32A(dc, lines[static_cast<std::size_t>(i)].c_str(),
                                  static_cast<int>(lines[static_cast<std::size_t>(i)].size()), &size);
            CHECK(size.cx <= Application::Scale(240));
        }
        SelectObject(dc, old);
        ReleaseDC(About->Label1, dc);
    }
}
