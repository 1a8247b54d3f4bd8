// Removing a YMod's directory tree: files to the recycle bin one at a time,
// directories deleted depth first. Every entry, the top directory too, goes
// by one rule (Judge): links are never followed, and nothing is entered,
// recycled or deleted unless it lies at its own place in the tree. Inside
// the removal paths are UTF-16, so that files of any name reach the bin;
// the YMod's path is converted once, and only a directory left in place is
// named in ANSI again.
#pragma once

#include "core/FileSystem.h"
#include "core/Listing.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace yorv {

// Told about every directory that is left in place, innermost first. The
// removal goes on with the remaining entries when it returns.
using DirectoryNotRemoved = std::function<void(const std::string& directory)>;

// Sends every file under `directory` to the recycle bin and deletes the
// emptied directories, depth first, `directory` itself last. `shellOwner`
// owns what the shell shows while it recycles a file (its warning before a
// file would be deleted for good); it may be null.
void RemoveTree(const std::string& directory, const DirectoryNotRemoved& onNotRemoved, HWND shellOwner = nullptr);

// Sends one file to the recycle bin, named by its full path, and asks the
// shell to warn before it would delete it for good instead. True when the
// shell reports it done; false when `file` is not an existing file, the
// shell refused, or the player declined a permanent deletion.
bool RecycleFile(const std::wstring& file, HWND shellOwner = nullptr);

// True when the tree holds anything that RemoveTree would send to the bin.
bool TreeHoldsFiles(const std::string& directory);

// What the removal does with an entry of a folder it empties.
enum class Step {
    Enter,       // a folder at its own place: emptied and removed
    RemoveLink,  // a link at its own place: removed itself, never entered nor followed
    Recycle,     // a file at its own place: sent to the recycle bin
    Leave,       // anything else: left alone; a folder left says so
};

struct Judgement {
    Step step = Step::Leave;
    Place place;      // where it lies, when it is entered
    UniqueFile link;  // the link opened for its removal
};

// The one rule: what the removal does with the entry `entry` of the folder
// that lies at `folder`, reached by `path`. The entry is opened as itself,
// just before anything is done with it, and must be found at its own place.
Judgement Judge(const std::wstring& path, const DirectoryEntry<wchar_t>& entry, std::wstring_view folder);

// A directory as the file system knows it, apart from the path that finds
// it: asked later, another directory that the same path then finds (a twin
// whose name differs only in case, on a file system that tells them apart)
// is not it.
class DirectoryIdentity {
public:
    explicit DirectoryIdentity(const std::string& path);
    bool StillThere() const;

    struct Id {
        DWORD volume;
        ULONGLONG index;
    };

private:
    std::string path_;
    std::optional<Id> id_;
};

}  // namespace yorv
