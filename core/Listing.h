// The one loop that lists a directory, in UTF-16: the scan reads the game
// directory through it, the removal its folders.
#pragma once

#include "core/Path.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace yorv {

template <typename Char>
struct DirectoryEntry {
    std::basic_string<Char> name;
    DWORD attributes = 0;
    DWORD reparseTag = 0;               // where the attributes name a reparse point
    std::basic_string<Char> shortName{};  // the 8.3 name, where the file system gives one

    bool IsDirectory() const { return attributes & FILE_ATTRIBUTE_DIRECTORY; }
};

// The entries of `dir` ("dir\*.*"), every attribute admitted, in the order
// the file system returns them, "." and ".." passed over: read in full, so
// that nothing changes a listing under the feet of what walks it.
std::vector<DirectoryEntry<wchar_t>> ListDirectory(const std::wstring& dir);

// The entry `path` names, as its folder's listing gives it; `path` must
// hold no wildcard.
std::optional<DirectoryEntry<wchar_t>> FindEntry(const std::wstring& path);

}  // namespace yorv
