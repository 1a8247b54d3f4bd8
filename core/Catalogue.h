// The game directory and the YMods installed in it.
#pragma once

#include <string>
#include <vector>

namespace yorv {

// The game directory, line 2 of the installation record; empty without one.
extern std::string GameDir;

// YMod directory names in scan order. Holds at least 50 slots; a scan
// writes slots 0 to YModCount - 1 and leaves the rest as they were.
extern std::vector<std::string> YModDirs;
extern int YModCount;

// The list position loaded from the settings, used once at start-up.
extern int PrevIndex;

inline constexpr std::size_t kYModSlots = 50;

// "<Windows directory>\yorvhollowfen.ini".
std::string InstallationRecordPath();

// Line 2 of the installation record, or empty when there is none.
std::string ReadInstallationRecord();

// Fills YModDirs and YModCount with the qualifying directories of GameDir.
void ScanYModDirs();

// GameDir\<dir>\YMOD.DIZ
std::string DescriptionFilePath(const std::string& dirName);

// The text the list shows for YMod `slot`: the first line of its
// description file, or its directory name. Raises IoError when the file
// exists but cannot be read.
std::string YModListTextForSlot(int slot);

// True when `position` is a list position that names a filled slot.
bool IsYModPosition(int position);

}  // namespace yorv
