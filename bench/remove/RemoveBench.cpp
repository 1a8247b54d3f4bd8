// How long the launcher takes to remove a YMod of 2,000 files in 100
// directories (the bin check, the walk with its link guards, one shell call
// per file, the directories), against a bare loop that sends the same
// files to the recycle bin one SHFileOperationA call each and removes the
// directories, in the same run on the same machine. Rounds alternate, each
// on a fresh tree; the trash is emptied of the bench's files between rounds
// so that every round meets a bin of the same size.
#include "bench/BenchTiming.h"
#include "core/FileSystem.h"
#include "core/Removal.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kTopDirs = 10;
constexpr int kSubDirs = 9;        // 10 + 10 x 9 = 100 directories
constexpr int kFilesPerDir = 20;   // 2,000 files
const std::string kRoot = "C:\\yorvbench";

void WriteFile(const std::string& path, int n)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
    const std::string text = "YMod data file " + std::to_string(n) + "\r\n" + std::string(100, 'x');
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

// The YMod: 10 directories, each with 9 subdirectories, 20 files in each of the 100.
std::string MakeYMod(const std::string& name)
{
    const std::string mod = kRoot + "\\" + name;
    CreateDirectoryA(mod.c_str(), nullptr);
    int n = 0;
    for (int t = 0; t < kTopDirs; ++t) {
        const std::string top = mod + "\\dir" + std::to_string(t);
        CreateDirectoryA(top.c_str(), nullptr);
        std::vector<std::string> dirs{top};
        for (int s = 0; s < kSubDirs; ++s) {
            dirs.push_back(top + "\\sub" + std::to_string(s));
            CreateDirectoryA(dirs.back().c_str(), nullptr);
        }
        for (const std::string& dir : dirs) {
            for (int f = 0; f < kFilesPerDir; ++f)
                WriteFile(dir + "\\file" + std::to_string(f) + ".dat", n++);
        }
    }
    return mod;
}

// The bare way: every file to the bin with one call, then the directory.
void BareRemove(const std::string& dir)
{
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((dir + "\\*.*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = dir + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                BareRemove(path);
            } else {
                char full[MAX_PATH + 2] = {};
                GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
                SHFILEOPSTRUCTA request{};
                request.wFunc = FO_DELETE;
                request.pFrom = full;
                request.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION;
                SHFileOperationA(&request);
            }
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(dir.c_str());
}

// The launcher's way, as the Remove command runs it. `binCheck` gets the
// seconds the recycle-bin check took: it reads the bin's item count, which
// costs more the more the bin holds.
void LauncherRemove(const std::string& dir, double& binCheck)
{
    int notRemoved = 0;
    const double start = bench::Seconds();
    const bool holdsFiles = yorv::DirectoryExists(dir) && yorv::TreeHoldsFiles(dir);
    const bool binTakesFiles = !holdsFiles || yorv::RecycleBinTakesFilesFrom(dir);
    binCheck = bench::Seconds() - start;
    if (!binTakesFiles) {
        std::fprintf(stderr, "the recycle bin cannot take the files\n");
        std::exit(1);
    }
    yorv::RemoveTree(dir, [&](const std::string&) { ++notRemoved; });
    if (notRemoved || yorv::DirectoryExists(dir)) {
        std::fprintf(stderr, "the YMod was not removed\n");
        std::exit(1);
    }
}

// Takes the bench's files out of the trash again.
void EmptyBenchTrash()
{
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (!dataHome)
        return;
    std::string trash = std::string("Z:") + dataHome + "/Trash";
    std::replace(trash.begin(), trash.end(), '/', '\\');
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((trash + "\\info\\*.trashinfo").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return;
    std::vector<std::string> names;
    do {
        names.push_back(entry.cFileName);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    for (const std::string& info : names) {
        HANDLE file = CreateFileA((trash + "\\info\\" + info).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        char text[2048] = {};
        DWORD got = 0;
        ReadFile(file, text, sizeof text - 1, &got, nullptr);
        CloseHandle(file);
        if (!std::strstr(text, "/yorvbench/"))
            continue;
        DeleteFileA((trash + "\\files\\" + info.substr(0, info.size() - 10)).c_str());
        DeleteFileA((trash + "\\info\\" + info).c_str());
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    CreateDirectoryA(kRoot.c_str(), nullptr);
    EmptyBenchTrash();
    std::vector<double> launcher;
    std::vector<double> bare;
    std::vector<double> binChecks;
    std::vector<double> ratios;  // each round's pair ran back to back
    for (int round = 0; round < rounds; ++round) {
        for (int way = 0; way < 2; ++way) {
            // Alternate which goes first, so neither always meets a warm cache.
            const bool launcherWay = (way == 0) == (round % 2 == 0);
            const std::string mod = MakeYMod(launcherWay ? "LauncherMod" : "BareMod");
            const double start = bench::Seconds();
            if (launcherWay) {
                binChecks.push_back(0);
                LauncherRemove(mod, binChecks.back());
            } else {
                BareRemove(mod);
            }
            const double seconds = bench::Seconds() - start;
            (launcherWay ? launcher : bare).push_back(seconds);
            EmptyBenchTrash();
            if (yorv::DirectoryExists(mod)) {
                std::fprintf(stderr, "%s was not removed\n", mod.c_str());
                return 1;
            }
        }
        ratios.push_back(launcher.back() / bare.back());
        std::printf("round %d: launcher %.3f s, bare loop %.3f s, ratio %.3f\n", round + 1, launcher.back(), bare.back(),
                    ratios.back());
    }
    RemoveDirectoryA(kRoot.c_str());
    const double l = bench::Median(launcher);
    const double b = bench::Median(bare);
    std::printf("remove a YMod of %d files in %d directories (median of %d rounds):\n",
                kTopDirs * (kSubDirs + 1) * kFilesPerDir, kTopDirs * (kSubDirs + 1), rounds);
    std::printf("  launcher  %.3f s (%.2f ms a file)\n", l, l * 1000.0 / (kTopDirs * (kSubDirs + 1) * kFilesPerDir));
    std::printf("  bare loop %.3f s (%.2f ms a file)\n", b, b * 1000.0 / (kTopDirs * (kSubDirs + 1) * kFilesPerDir));
    std::printf("  ratio     %.3f of the medians, %.3f the median of the rounds' ratios (target at most 1.2)\n", l / b,
                bench::Median(ratios));
    std::printf("  of the launcher's time, the recycle-bin check took %.1f ms (median)\n", bench::Median(binChecks) * 1000.0);
    return 0;
}
