// The recycle bin: sending a file there through the shell, and making sure,
// before a YMod's files go, that the bin keeps what it is sent from a
// folder rather than deleting it for good.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace yorv {

// Hands one file, named by its full path, to the shell to be sent to the
// recycle bin (FOF_ALLOWUNDO), with `flags` besides. True when the shell
// reports it done and the player declined nothing.
bool SendToRecycleBin(const std::string& fullPath, FILEOP_FLAGS flags, HWND owner);

// True when the recycle bin is seen to take a file from `directory` and
// keep it: a file of its own is sent there and found among the bin's items.
// It is then taken back out of the bin, where the shell can do that.
bool RecycleBinTakesFilesFrom(const std::string& directory);

}  // namespace yorv
