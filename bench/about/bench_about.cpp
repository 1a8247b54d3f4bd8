// The About box of a YMod whose description file is 10 MB in 200,000
// lines, against the floor: read the same file in one go and set the text
// of a text box like the dialog's once. Alternating, in one run; medians.
#include "AboutBox/AboutBox.h"
#include "Main/Main.h"
#include "Main/Program.h"
#include "bench/BenchTiming.h"
#include "core/Catalogue.h"
#include "ui/Application.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const std::string kGame = "C:\\yorvbench\\about";
const std::string kFile = kGame + "\\Big\\YMOD.DIZ";
constexpr int kLines = 200000;

void MakeFile()
{
    CreateDirectoryA("C:\\yorvbench", nullptr);
    CreateDirectoryA(kGame.c_str(), nullptr);
    CreateDirectoryA((kGame + "\\Big").c_str(), nullptr);
    std::string text = "Big Description 1.0\r\nCopyright 1998 Nobody\r\nbig@example.com\r\n";
    const char* words[] = {"fen", "reed", "lantern", "punt", "mist", "bell", "eel", "causeway", "sluice", "marsh"};
    for (int i = 3; i < kLines; ++i) {
        std::string line = "Line " + std::to_string(i) + ":";
        for (int w = 0; line.size() < 50; ++w)
            line += std::string(" ") + words[(i + w * 7) % 10];
        line.resize(50);
        text += line + "\r\n";
    }
    HANDLE file = CreateFileA(kFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ReadWhole(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::string data(GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    ReadFile(file, data.data(), static_cast<DWORD>(data.size()), &got, nullptr);
    CloseHandle(file);
    data.resize(got);
    return data;
}

// A text box like the dialog's: same style, size, font and limit.
HWND MakeFloorBox(HWND& frame)
{
    frame = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    RECT rc;
    GetWindowRect(yorv::About->Memo1, &rc);
    HWND box = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                               WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, 0, 0,
                               rc.right - rc.left, rc.bottom - rc.top, frame, nullptr, nullptr, nullptr);
    SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(yorv::Application::DefaultFont()), FALSE);
    SendMessageA(box, EM_SETLIMITTEXT, 0, 0);
    return box;
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    MakeFile();
    yorv::ProgramWindows windows(GetModuleHandleA(nullptr), "YorvFrontEndBenchAbout");
    yorv::GameDir = kGame;
    yorv::YModDirs[0] = "Big";
    yorv::YModCount = 1;
    HWND frame = nullptr;
    HWND floorBox = MakeFloorBox(frame);

    std::vector<double> about, floor;
    std::size_t aboutChars = 0, floorChars = 0;
    for (int i = 0; i < rounds; ++i) {
        // The dialog comes up and is closed by OK waiting in its queue.
        PostMessageA(yorv::About->Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        double t = bench::Milliseconds();
        yorv::About->ShowYModAbout(0);
        about.push_back(bench::Milliseconds() - t);
        aboutChars = static_cast<std::size_t>(GetWindowTextLengthA(yorv::About->Memo1));

        SendMessageA(floorBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        t = bench::Milliseconds();
        const std::string whole = ReadWhole(kFile);
        SendMessageA(floorBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(whole.c_str()));
        floor.push_back(bench::Milliseconds() - t);
        floorChars = static_cast<std::size_t>(GetWindowTextLengthA(floorBox));
    }

    // For comparison: adding lines one at a time at the end of the box, as
    // a line-by-line fill would, for the first 10,000 lines only.
    SendMessageA(floorBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    const std::string whole = ReadWhole(kFile);
    double t = bench::Milliseconds();
    std::size_t pos = 0;
    for (int line = 0; line < 10000; ++line) {
        const std::size_t end = whole.find("\r\n", pos);
        const std::string text = (line ? "\r\n" : "") + whole.substr(pos, end - pos);
        const LRESULT length = SendMessageA(floorBox, WM_GETTEXTLENGTH, 0, 0);
        SendMessageA(floorBox, EM_SETSEL, length, length);
        SendMessageA(floorBox, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
        pos = end + 2;
    }
    const double appended = bench::Milliseconds() - t;

    const double a = bench::Median(about), f = bench::Median(floor);
    std::printf("About on a %.1f MB, %d-line description (%zu characters in the box; floor box %zu): "
                "About %.1f ms, read + set text once %.1f ms, ratio %.2f (target <= 1.5)\n",
                static_cast<double>(whole.size()) / (1024.0 * 1024.0), kLines, aboutChars, floorChars, a, f, a / f);
    std::printf("for comparison, appending the first 10,000 lines one at a time: %.1f ms\n", appended);
    DestroyWindow(frame);
    RegDeleteTreeA(HKEY_CURRENT_USER, "YorvFrontEndBenchAbout");
    RegDeleteKeyA(HKEY_CURRENT_USER, "YorvFrontEndBenchAbout");
    return 0;
}
