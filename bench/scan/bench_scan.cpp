// The YMod scan on a big game directory: 2,000 sub-directories, 200 with a
// description file, one of them 64 MB with LF-only line ends. FillYModList
// against a bare enumeration that tests each entry and reads each first
// line up to 1 KB, alternating, in one run.
#include "Main/Main.h"
#include "Main/Program.h"
#include "bench/BenchTiming.h"
#include "core/Catalogue.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const std::string kGame = "C:\\yorvbench\\scan";

void MakeTree()
{
    CreateDirectoryA("C:\\yorvbench", nullptr);
    if (GetFileAttributesA((kGame + "\\mod1999").c_str()) != INVALID_FILE_ATTRIBUTES)
        return;
    CreateDirectoryA(kGame.c_str(), nullptr);
    for (int i = 0; i < 2000; ++i) {
        const std::string dir = kGame + "\\mod" + std::to_string(i);
        CreateDirectoryA(dir.c_str(), nullptr);
        if (i % 10 != 0)
            continue;
        HANDLE file = CreateFileA((dir + "\\YMOD.DIZ").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        if (i == 0) {
            std::string chunk;
            for (int line = 0; line < 1024; ++line)
                chunk += "A line of a description file with LF-only line ends, long enough.\n";
            chunk.resize(1 << 16, 'x');
            for (int n = 0; n < 1024; ++n)
                WriteFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &written, nullptr);
        } else {
            const std::string text = "Mod number " + std::to_string(i) + "\r\nby someone\r\nA description.\r\n";
            WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        }
        CloseHandle(file);
    }
}

// The floor: enumerate, test each entry, read the first KB of each description.
int BareScan()
{
    int found = 0;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((kGame + "\\*.*").c_str(), &entry);
    do {
        const std::string dir = kGame + "\\" + entry.cFileName;
        const DWORD attributes = GetFileAttributesA(dir.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        ++found;
        HANDLE file = CreateFileA((dir + "\\YMOD.DIZ").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                  nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            char buffer[1024];
            DWORD got = 0;
            ReadFile(file, buffer, sizeof buffer, &got, nullptr);
            CloseHandle(file);
        }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return found;
}

}  // namespace

int main()
{
    MakeTree();
    // The launcher's windows, with the game directory set by hand.
    yorv::ProgramWindows windows(GetModuleHandleA(nullptr), "YorvFrontEndBench");
    yorv::GameDir = kGame;
    std::vector<double> fill, bare;
    for (int i = 0; i < 11; ++i) {
        double t = bench::Milliseconds();
        yorv::FrmMain->FillYModList();
        fill.push_back(bench::Milliseconds() - t);
        t = bench::Milliseconds();
        BareScan();
        bare.push_back(bench::Milliseconds() - t);
    }
    const int items = static_cast<int>(SendMessageA(yorv::FrmMain->ComboYMod, CB_GETCOUNT, 0, 0));
    const double f = bench::Median(fill), b = bench::Median(bare);
    std::printf("scan of 2,000 directories (%d listed): FillYModList %.1f ms, bare enumeration %.1f ms, ratio %.2f (target <= 1.5)\n",
                items, f, b, f / b);
    RegDeleteTreeA(HKEY_CURRENT_USER, "YorvFrontEndBench");
    RegDeleteKeyA(HKEY_CURRENT_USER, "YorvFrontEndBench");
    return 0;
}
