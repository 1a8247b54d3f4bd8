// Removing a YMod's directory tree: files to the recycle bin one at a time,
// directories deleted depth first. Links are never followed, and nothing is
// entered, recycled or deleted unless it lies at its own place inside the
// tree being removed.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace yorv {

// Told about every directory that is left in place, innermost first. The
// removal goes on with the remaining entries when it returns.
using DirectoryNotRemoved = std::function<void(const std::string& directory)>;

// Sends every file under `directory` to the recycle bin and deletes the
// emptied directories, depth first, `directory` itself last. A `directory`
// that does not lead to the entry its last name names (a name the system
// reads as another place) is left alone and reported. `shellOwner`
// owns what the shell shows while it recycles a file (its warning before a
// file would be deleted for good); it may be null. While it runs, input
// the player gave is dropped whenever a box comes up, the shell's or
// `onNotRemoved`'s, so that it answers none of them unseen.
void RemoveTree(const std::string& directory, const DirectoryNotRemoved& onNotRemoved, HWND shellOwner = nullptr);

// Sends one file to the recycle bin, named by its full path, and asks the
// shell to warn before it would delete it for good instead. True when the
// shell reports it done; false when `file` is not an existing file, the
// shell refused, or the player declined a permanent deletion. Input waiting
// in the queue is dropped first, unless a box that comes up drops it.
bool RecycleFile(const std::string& file, HWND shellOwner = nullptr);

// True when the tree holds anything that RemoveTree would hand to the
// recycle bin.
bool TreeHoldsFiles(const std::string& directory);

}  // namespace yorv
