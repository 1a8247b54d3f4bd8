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

// Opened for no access at all, so that a file another program holds open
// without sharing still answers.
UniqueFile OpenToLook(const std::string& path);

// Where a handle really leads, links and mounts resolved: "\\?\C:\...".
std::optional<std::string> FinalPathOf(HANDLE handle);

// Where an open file or directory really lies ("\\?\C:\Games\..."), spelled
// as it was opened, after any link on the way was resolved.
std::optional<std::string> OpenedPathOf(HANDLE handle);

// Where a directory really lies: in full, every name in its long form, to
// compare with its parent's; and as it was opened, spelled as its files
// will be, to compare with theirs. Files are asked only the second,
// the question about a file that costs least; asked the same way, a path
// written with short names or in another case compares alike on both sides.
struct Place {
    std::string full;
    std::string opened;
};
std::optional<Place> FinalPlace(const std::string& path);

// Where `path` really leads, as FinalPathOf gives it.
std::optional<std::string> FinalPath(const std::string& path);

// The full path of `path`, however long; empty when it cannot be formed.
std::string FullPath(const std::string& path);

// Whether the file `path` really lies at `expected` (a folder's
// Place::opened joined to the file's name by PlaceIn).
bool LiesAt(const std::string& path, const std::string& expected);

}  // namespace yorv
