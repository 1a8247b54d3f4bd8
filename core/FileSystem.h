// Paths as the system reads them: the existence tests, conversions between
// the ANSI code page and UTF-16 that never turn a name into another, full
// paths, and where a path really leads, links, mounts and short names
// resolved, which the removal asks of everything it touches.
#pragma once

#include "core/Path.h"

#include <windows.h>

#include <optional>
#include <string>

namespace yorv {

inline constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The name is found and is not a directory.
bool FileExists(const std::string& path);

// The attributes can be read and carry the directory attribute.
bool DirectoryExists(const std::string& path);

// The system code page's lead-byte test, for the path rules.
bool IsLeadByte(unsigned char byte);

// An ANSI text in UTF-16, and back. Nothing when a character has no exact
// counterpart: a name the code page cannot hold is never read as another.
std::optional<std::wstring> WideFromAnsi(std::string_view text);
std::optional<std::string> AnsiFromWide(std::wstring_view text);

// Whether a name from a directory listing, in the ANSI form the listing
// gives, names that entry and nothing else once joined to its folder's
// path (see IsPlainEntryName).
bool IsPlainName(const std::string& name);

// The full path of `path`, however long; empty when it cannot be formed.
std::string FullPath(const std::string& path);

// Where a path really leads: its final path, as the handle it is opened by
// names it ("\\?\C:\..."). Asked the same way of a folder and of the
// entries in it, a path written with short names or in another case
// compares alike on both sides; that costs least. Two spellings of one
// place are compared in their `FILE_NAME_NORMALIZED` form, every name in
// full. In UTF-16, as the system answers it.
using Place = std::wstring;
std::optional<Place> PlaceOf(const std::string& path, DWORD form = FILE_NAME_OPENED);
std::optional<Place> PlaceOf(HANDLE handle, DWORD form = FILE_NAME_OPENED);

// Paths compared as the file systems compare names: case ignored.
bool SamePlace(std::wstring_view a, std::wstring_view b);

// Whether `place` is the entry `name`, as a listing gives it, directly
// inside the folder at `folder`: no link on the way, nor a name the system
// reads otherwise, leads it elsewhere.
bool IsEntryAt(std::wstring_view place, const Place& folder, const std::string& name);

// The same for the file at `path`, asked without throwing (the removal's
// checking thread asks it); false whenever it cannot be told.
bool LiesAt(const std::string& path, const Place& folder, const std::string& name) noexcept;

}  // namespace yorv
