// How long the launcher takes to remove a YMod of 2,000 files in 100
// directories (the bin check, the walk with its link guards, one shell call
// per file, the directories), against a bare loop that sends the same
// files to the recycle bin one SHFileOperationA call each and removes the
// directories, in the same run on the same machine. Each round removes a
// fresh tree both ways, a top directory at a time, the two ways taking
// turns, so that a spell of a slower machine (these share their cores)
// weighs on both alike; the trash is emptied of the bench's files between
// rounds so that every round meets a bin of the same size.
//
// Then what each step of the walk costs a file (the launcher checks where
// each file lies just before it goes to the shell), and what the recycle-bin
// check costs when the bin already holds 12,000 items, against the check
// by the bin's item count that it replaced (the count read before and
// after sending a file), measured in the same run.
#include "bench/BenchTiming.h"
#include "core/FileSystem.h"
#include "core/RecycleBinCheck.h"
#include "core/Removal.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <utility>
#include <string>
#include <vector>

namespace {

constexpr int kTopDirs = 10;
constexpr int kSubDirs = 9;        // 10 + 10 x 9 = 100 directories
constexpr int kFilesPerDir = 20;   // 2,000 files
const std::string kRoot = "C:\\yorvbench";

void WriteText(const std::string& path, const std::string& text)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

void WriteFile(const std::string& path, int n)
{
    WriteText(path, "YMod data file " + std::to_string(n) + "\r\n" + std::string(100, 'x'));
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

// The launcher's way, as the Remove command runs it: the recycle-bin check
// on the YMod first (here), then the walk (LauncherRemove). `binCheck` gets
// the seconds the check took: it looks through the bin's items, which costs
// more the more the bin holds.
void LauncherCheck(const std::string& mod, double& binCheck)
{
    const double start = bench::Seconds();
    const bool binTakesFiles = !yorv::TreeHoldsFiles(mod) || yorv::CheckRecycleBin(mod).goOn;
    binCheck = bench::Seconds() - start;
    if (!binTakesFiles) {
        std::fprintf(stderr, "the recycle bin cannot take the files\n");
        std::exit(1);
    }
}

// The walk of `dir`, the YMod or one of its top directories.
void LauncherRemove(const std::string& dir)
{
    int notRemoved = 0;
    yorv::RemoveTree(dir, [&](const std::string&) { ++notRemoved; });
    if (notRemoved || yorv::DirectoryExists(dir)) {
        std::fprintf(stderr, "%s was not removed\n", dir.c_str());
        std::exit(1);
    }
}

// The trash of the bench's HOME, where Wine's recycle bin keeps its items.
std::string TrashDir()
{
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (!dataHome)
        return std::string();
    std::string trash = std::string("Z:") + dataHome + "/Trash";
    std::replace(trash.begin(), trash.end(), '/', '\\');
    return trash;
}

// Takes the bench's files out of the trash again.
void EmptyBenchTrash()
{
    const std::string trash = TrashDir();
    if (trash.empty())
        return;
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

// The files of a tree, by directory.
std::vector<std::pair<std::string, std::vector<std::string>>> ListTree(const std::string& dir)
{
    std::vector<std::pair<std::string, std::vector<std::string>>> tree{{dir, {}}};
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((dir + "\\*.*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return tree;
    std::vector<std::string> subdirs;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..")
            continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            subdirs.push_back(dir + "\\" + name);
        else
            tree.front().second.push_back(name);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    for (const std::string& sub : subdirs) {
        auto below = ListTree(sub);
        tree.insert(tree.end(), below.begin(), below.end());
    }
    return tree;
}

// What each step of the launcher's walk costs a file, on a fresh tree:
// listing it, judging each file (opening it to see where it really lies),
// and the shell call that sends the file to the bin.
void StepCosts()
{
    const std::string mod = MakeYMod("StepsMod");
    const int files = kTopDirs * (kSubDirs + 1) * kFilesPerDir;
    double start = bench::Seconds();
    const auto tree = ListTree(mod);
    const double listing = bench::Seconds() - start;

    start = bench::Seconds();
    int lying = 0;
    for (const auto& [dir, names] : tree) {
        const std::wstring wideDir = yorv::WideFromAnsi(dir).value();
        const yorv::UniqueFile folder = yorv::OpenEntry(wideDir);
        const yorv::Place place = yorv::PlaceOf(folder.Get()).value_or(L"");
        for (const std::string& name : names) {
            const std::wstring wideName = yorv::WideFromAnsi(name).value();
            lying += yorv::Judge(yorv::JoinPath(wideDir, wideName), {wideName, FILE_ATTRIBUTE_ARCHIVE, 0}, place).step
                     == yorv::Step::Recycle;
        }
    }
    const double judging = bench::Seconds() - start;

    start = bench::Seconds();
    for (const auto& [dir, names] : tree) {
        for (const std::string& name : names) {
            const std::wstring names0 = yorv::FullPath(yorv::WideFromAnsi(dir + "\\" + name).value()) + L'\0';
            SHFILEOPSTRUCTW request{};
            request.wFunc = FO_DELETE;
            request.pFrom = names0.c_str();
            request.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING;
            SHFileOperationW(&request);
        }
    }
    const double shell = bench::Seconds() - start;
    for (auto it = tree.rbegin(); it != tree.rend(); ++it)
        RemoveDirectoryA(it->first.c_str());
    EmptyBenchTrash();
    if (lying != files || yorv::DirectoryExists(mod)) {
        std::fprintf(stderr, "the steps' tree was not walked as the launcher walks it\n");
        std::exit(1);
    }
    const auto perFile = [&](double seconds) { return seconds * 1000.0 / files; };
    std::printf("each step, per file (%d files):\n", files);
    std::printf("  listing                 %.4f ms\n", perFile(listing));
    std::printf("  judging where it lies   %.4f ms\n", perFile(judging));
    std::printf("  the shell call          %.4f ms\n", perFile(shell));
}

// How many files of the bin check's own the trash holds.
std::size_t CheckFilesInBin(const std::string& trash)
{
    std::size_t count = 0;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((trash + "\\files\\*YorvFrontEnd*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        ++count;
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return count;
}

// The recycle-bin check with 12,000 items already in the bin, against the
// check by the item count it replaced: SHQueryRecycleBinA before and after
// sending a file, in alternating rounds.
void BinCheckInFullBin()
{
    constexpr int kItems = 12000;
    const std::string trash = TrashDir();
    if (trash.empty())
        return;
    CreateDirectoryA(trash.c_str(), nullptr);
    CreateDirectoryA((trash + "\\files").c_str(), nullptr);
    CreateDirectoryA((trash + "\\info").c_str(), nullptr);
    const auto fillerName = [](int i) { return "bench filler " + std::to_string(i); };
    for (int i = 0; i < kItems; ++i) {
        WriteFile(trash + "\\files\\" + fillerName(i), i);
        WriteText(trash + "\\info\\" + fillerName(i) + ".trashinfo",
                  "[Trash Info]\nPath=/yorvbench-filler/" + std::to_string(i) + "\nDeletionDate=2026-01-02T03:04:05\n");
    }
    const std::string mod = kRoot + "\\FullBinMod";
    CreateDirectoryA(mod.c_str(), nullptr);
    const std::size_t checkFilesBefore = CheckFilesInBin(trash);
    std::vector<double> check;
    std::vector<double> byCount;
    for (int round = 0; round < 5; ++round) {
        double start = bench::Seconds();
        const bool takes = yorv::CheckRecycleBin(mod).goOn;
        check.push_back(bench::Seconds() - start);
        if (!takes) {
            std::fprintf(stderr, "the bin check refused a bin that takes files\n");
            std::exit(1);
        }
        start = bench::Seconds();
        SHQUERYRBINFO before{sizeof before, 0, 0};
        SHQueryRecycleBinA(nullptr, &before);
        WriteFile(mod + "\\counted.tmp", round);
        const std::string names = mod + "\\counted.tmp" + '\0';
        SHFILEOPSTRUCTA request{};
        request.wFunc = FO_DELETE;
        request.pFrom = names.c_str();
        request.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
        SHFileOperationA(&request);
        SHQUERYRBINFO after{sizeof after, 0, 0};
        SHQueryRecycleBinA(nullptr, &after);
        byCount.push_back(bench::Seconds() - start);
    }
    const std::size_t checkFilesAfter = CheckFilesInBin(trash);
    RemoveDirectoryA(mod.c_str());
    EmptyBenchTrash();
    for (int i = 0; i < kItems; ++i) {
        DeleteFileA((trash + "\\files\\" + fillerName(i)).c_str());
        DeleteFileA((trash + "\\info\\" + fillerName(i) + ".trashinfo").c_str());
    }
    const double c = bench::Median(check);
    const double n = bench::Median(byCount);
    std::printf("the recycle-bin check with %d items in the bin (median of 5):\n", kItems);
    std::printf("  by finding its own item %.1f ms, by the item count %.1f ms: ratio %.2f (target at most 1)\n",
                c * 1000.0, n * 1000.0, c / n);
    std::printf("  check files left in the bin by the 5 checks: %zu\n", checkFilesAfter - checkFilesBefore);
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
    std::vector<double> ratios;  // each round's pair ran side by side
    for (int round = 0; round < rounds; ++round) {
        const std::string mods[2] = {MakeYMod("LauncherMod"), MakeYMod("BareMod")};
        double seconds[2] = {};
        const auto timed = [&](int way, const auto& remove) {
            const double start = bench::Seconds();
            remove();
            seconds[way] += bench::Seconds() - start;
        };
        binChecks.push_back(0);
        timed(0, [&] { LauncherCheck(mods[0], binChecks.back()); });
        // The top directories in turn, each way first in every other turn,
        // then the emptied YMods themselves.
        for (int t = 0; t <= kTopDirs; ++t) {
            for (int way : {(round + t) % 2, 1 - (round + t) % 2}) {
                const std::string dir = t < kTopDirs ? mods[way] + "\\dir" + std::to_string(t) : mods[way];
                timed(way, [&] { way == 0 ? LauncherRemove(dir) : BareRemove(dir); });
            }
        }
        EmptyBenchTrash();
        if (yorv::DirectoryExists(mods[1])) {
            std::fprintf(stderr, "%s was not removed\n", mods[1].c_str());
            return 1;
        }
        launcher.push_back(seconds[0]);
        bare.push_back(seconds[1]);
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
    std::printf("  ratio     %.3f of the medians, %.3f the median of the rounds' ratios (target at most 1.3)\n", l / b,
                bench::Median(ratios));
    std::printf("  of the launcher's time, the recycle-bin check took %.1f ms (median)\n", bench::Median(binChecks) * 1000.0);
    CreateDirectoryA(kRoot.c_str(), nullptr);
    StepCosts();
    BinCheckInFullBin();
    RemoveDirectoryA(kRoot.c_str());
    return 0;
}
