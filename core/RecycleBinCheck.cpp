#include "core/RecycleBinCheck.h"

#include "core/FileSystem.h"

namespace yorv {

namespace {

const std::string kNothingRemoved = "\r\n\r\nNothing was removed.";
const std::string kBinCannotTake =
    "The recycle bin cannot take the files of this Y-Mod: they would be deleted for good." + kNothingRemoved;

// The check's own file: a name the bin shows as it stands (no extension a
// view could hide), and a text by which it is known again when back.
struct Probe {
    std::wstring name;
    std::wstring path;
    std::string text;
};

// Deletes the check's file where it stands, once it is known by its text.
bool DeleteProbe(const Probe& probe)
{
    const UniqueFile file(::CreateFileW(probe.path.c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    std::string text(probe.text.size() + 1, '\0');
    DWORD read = 0;
    if (!file || !::ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr))
        return false;
    text.resize(read);
    return text == probe.text && DeleteByHandle(file.Get());
}

// Waits a second at most for the check's file to be back in its folder: a
// shell that restores in the background has it back shortly; one that
// could not, never. The window thread paints meanwhile.
bool ComesBack(const Probe& probe)
{
    for (int waited = 0; waited < 1000 && !FileExists(probe.path); waited += 20)
        ::Sleep(20);
    return FileExists(probe.path);
}

// What became of the check's file, sent to the bin and, where the bin
// offers it, restored. Nothing is deleted here.
enum class Fate {
    Stayed,     // the bin did not take it: still in its folder
    Lost,       // gone, and not in the bin: deleted for good
    Kept,       // in the bin, and no restore was started
    Back,       // restored to its folder
    Unsettled,  // a restore was started and has not brought it back
};

Fate Follow(const Probe& probe, RecycleBin& bin)
{
    const bool sent = bin.Send(probe.path);
    if (FileExists(probe.path))
        return Fate::Stayed;
    if (!sent || !bin.Find(probe.name))
        return Fate::Lost;
    const std::optional<unsigned> restore = RestoreCommand(bin.Commands());
    if (!restore || !bin.Run(*restore))
        return bin.Find(probe.name) ? Fate::Kept : Fate::Unsettled;
    return ComesBack(probe) ? Fate::Back : Fate::Unsettled;
}

// The system's own words for an error, in the player's language.
std::string Reason(DWORD error)
{
    char text[512] = {};
    std::string reason = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                          text, sizeof text, nullptr)
                             ? text
                             : "error " + std::to_string(error) + ".";
    while (!reason.empty() && static_cast<unsigned char>(reason.back()) <= ' ')
        reason.pop_back();
    return reason;
}

}  // namespace

// The check restores rather than erases: Wine's bin asks before it erases,
// and a restore destroys nothing, whatever item it were given.
std::optional<unsigned> RestoreCommand(const std::vector<RecycleBin::Command>& commands)
{
    std::optional<unsigned> byCaption;
    for (const RecycleBin::Command& command : commands) {
        if (command.verb && ::lstrcmpiA(command.verb->c_str(), "undelete") == 0)
            return command.id;
        if (!command.verb && command.readsRestore && !byCaption)
            byCaption = command.id;
    }
    return byCaption;
}

DWORD WriteNewFile(const std::wstring& path, std::string_view text)
{
    // CREATE_NEW never replaces a file of the player's.
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return ::GetLastError();
    DWORD written = 0;
    const bool wrote = ::WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    const DWORD error = !wrote ? ::GetLastError() : written != text.size() ? ERROR_DISK_FULL : 0;
    if (error) {
        file.Reset();
        ::DeleteFileW(path.c_str());
    }
    return error;
}

BinCheck CheckRecycleBin(const std::string& directory)
{
    const std::optional<std::wstring> wide = WideFromAnsi(directory);
    const std::wstring folder = wide ? FullPath(*wide) : std::wstring();
    if (folder.empty())
        return {false, kBinCannotTake};
    ShellRecycleBin bin(folder);
    return CheckRecycleBin(folder, bin);
}

BinCheck CheckRecycleBin(const std::wstring& folder, RecycleBin& bin, NewFileWriter write)
{
    // A short name, seven letters and digits, fits wherever a file of the
    // YMod's would; the text tells the file apart for certain.
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    const unsigned long long stamp = static_cast<unsigned long long>(now.QuadPart) ^ (0x9E3779B9ULL * ::GetCurrentProcessId());
    Probe probe{{}, {}, "Yorv HollowFen FrontEnd recycle bin check " + std::to_string(stamp)};
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 16 && (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS); ++attempt) {
        probe.name = L"~";
        for (unsigned long long rest = stamp + attempt, i = 0; i < 7; ++i, rest /= 36)
            probe.name += L"0123456789abcdefghijklmnopqrstuvwxyz"[rest % 36];
        probe.path = JoinPath(folder, probe.name);
        error = write(probe.path, probe.text);
    }
    if (error)
        return {false, "The Y-Mod's directory cannot be changed: " + Reason(error) + kNothingRemoved};

    const Fate fate = Follow(probe, bin);
    // Taken away only where it stands in the folder again, known by its text.
    bool takenAway = false;
    if (fate == Fate::Stayed || fate == Fate::Back)
        takenAway = DeleteProbe(probe);
    const std::string name = AnsiForDisplay(probe.name);
    switch (fate) {
    case Fate::Stayed:
    case Fate::Lost:
        return {false, kBinCannotTake};
    case Fate::Kept:
        return {true, "The recycle bin keeps a file of the launcher's own, \"" + name
                          + "\", from its check that the bin takes the Y-Mod's files. It can be deleted from "
                            "the recycle bin."};
    case Fate::Back:  // done only where it was taken away again
    case Fate::Unsettled:
        if (takenAway)
            return {true, {}};
    }
    // A restore not ended where it began: the file may yet turn up, never to go as a player's.
    return {false, "The launcher's recycle bin check could not take its own file, \"" + name
                       + "\", away again: it may turn up in the Y-Mod's directory." + kNothingRemoved};
}

}  // namespace yorv
