#include "core/Catalogue.h"

#include "core/CatalogueRules.h"
#include "core/FileSystem.h"
#include "core/Listing.h"
#include "core/TextFile.h"

#include <windows.h>

namespace yorv {

std::string GameDir;
std::vector<std::string> YModDirs(kYModSlots);
int YModCount = 0;
int PrevIndex = -1;

namespace {
// Titles and the installation record need only the start of a file.
constexpr std::size_t kHeadChunk = 4096;
}  // namespace

std::string InstallationRecordPath()
{
    char windowsDir[255];
    const UINT len = ::GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
    std::string dir = len < sizeof windowsDir ? std::string(windowsDir, len) : std::string();
    return dir + "\\yorvhollowfen.ini";
}

std::string ReadInstallationRecord()
{
    const std::string path = InstallationRecordPath();
    if (!FileExists(path))
        return std::string();
    TextFile record(path, kHeadChunk);
    record.ReadLine();
    std::string gameDir = record.ReadLine();
    // Every call that takes the path reads it up to a zero byte; what
    // follows one would only lead the paths built on it astray.
    gameDir.resize(LengthUpToZero(gameDir));
    return gameDir;
}

void ScanYModDirs()
{
    YModCount = 0;
    // A game directory whose path is no text of the code page lists nothing.
    const std::optional<std::wstring> gameDir = WideFromAnsi(GameDir);
    if (!gameDir)
        return;
    for (const DirectoryEntry<wchar_t>& entry : ListDirectory(*gameDir)) {
        // Hidden and system entries are not offered, as the shell hides them.
        if (entry.attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
            continue;
        // Only a name that leads back to its own folder is a YMod: others lead
        // to the game directory, its parent, a twin or a device, or their ANSI
        // form is another name (a look-alike, the code page's default
        // character), and every command would act on that other place.
        std::string name = AnsiForDisplay(entry.name);
        if (!IsPlainEntryName(entry.name) || IsDeviceName(entry.name) || WideFromAnsi(name) != entry.name)
            continue;
        if (!DirectoryExists(JoinPath(GameDir, name)) || IsExcludedYModName(name))
            continue;
        if (static_cast<std::size_t>(YModCount) == YModDirs.size())
            YModDirs.emplace_back();
        YModDirs[static_cast<std::size_t>(YModCount++)] = std::move(name);
    }
}

std::string DescriptionFilePath(const std::string& dirName)
{
    return JoinPath(JoinPath(GameDir, dirName), "YMOD.DIZ");
}

std::string YModListTextForSlot(int slot)
{
    const std::string& dirName = YModDirs[static_cast<std::size_t>(slot)];
    const std::string path = DescriptionFilePath(dirName);
    std::string title;
    bool cut = false;
    if (FileExists(path)) {
        TextFile description(path, kHeadChunk);
        if (!description.AtEnd())
            title = description.ReadLine(kTitleShownChars, &cut);
        if (cut)
            DropSplitCharacter(title, IsLeadByte);
    }
    return YModListText(title, cut, dirName);
}

bool IsYModPosition(int position)
{
    return position >= 0 && position < YModCount;
}

}  // namespace yorv
