// Where a path really leads: links, mounts and short names resolved, and
// names compared as the file systems compare them. The removal asks this of
// every directory it enters and every file it hands to the recycle bin.
#pragma once

#include "core/Handle.h"

#include <windows.h>

#include <optional>
#include <string>

namespace yorv {

inline constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Paths are compared as the file systems compare names: character by
// character, case ignored; in UTF-16, so that the second byte of a
// double-byte character is never taken for a letter.
bool SamePath(const std::string& a, const std::string& b);

// Where the last path separator of an ANSI path stands, or npos: in a
// double-byte code page the second byte of a character can be the byte of
// a backslash, and is no separator.
std::size_t LastSeparator(const std::string& path);

// A name's place in a folder's final path; a drive's root ends in its own
// backslash already.
std::string PlaceIn(const std::string& folderFinal, const std::string& name);

// Where a handle really leads, links and mounts resolved: "\\?\C:\...".
std::optional<std::string> FinalPathOf(HANDLE handle);

// Where a directory really lies: in full, every name in its long form, to
// compare with its parent's; and, for its files, as it was opened, spelled
// as their paths will be, with the separator that comes before their
// names. Files are asked only the second, the question about a file that
// costs least; asked the same way, a path written with short names or in
// another case compares alike on both sides. In UTF-16, as it is asked
// and compared.
struct Place {
    std::string full;
    std::wstring filesPrefix;
};
std::optional<Place> FinalPlace(const std::string& path);

// Where `path` really leads, as FinalPathOf gives it.
std::optional<std::string> FinalPath(const std::string& path);

// The full path of `path`, however long; empty when it cannot be formed.
std::string FullPath(const std::string& path);

// Whether the file `path`, listed as `name` in a folder that lies at
// `folder`, really lies there: no link on the way leads elsewhere.
bool LiesIn(const std::string& path, const std::string& name, const Place& folder);

}  // namespace yorv
