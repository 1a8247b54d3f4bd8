// The one loop that lists a directory: the scan, the removal's walk and its
// look ahead all read directories through it.
#pragma once

#include "core/Path.h"

#include <windows.h>

#include <string>
#include <vector>

namespace yorv {

struct DirectoryEntry {
    std::string name;
    DWORD attributes = 0;
    DWORD reparseTag = 0;  // where the attributes name a reparse point

    bool IsDirectory() const { return attributes & FILE_ATTRIBUTE_DIRECTORY; }
    bool IsLink() const { return IsLinkEntry(attributes, reparseTag); }
};

// The entries of `dir` ("dir\*.*"), every attribute admitted, in the order
// the file system returns them, "." and ".." passed over: read in full, so
// that nothing changes a listing under the feet of what walks it.
std::vector<DirectoryEntry> ListDirectory(const std::string& dir);

// What a removal does with each entry of a folder it empties; the walk, the
// files it has checked ahead and the look for files all go by it.
enum class RemovalStep {
    PassOver,    // a name the system reads as another place: nothing is done through it
    RemoveLink,  // a link: removed itself, never entered nor followed
    Enter,       // a folder: emptied and removed, if it lies at its own place
    Recycle,     // a file: sent to the recycle bin, if it lies at its own place
};
RemovalStep StepFor(const DirectoryEntry& entry);

}  // namespace yorv
