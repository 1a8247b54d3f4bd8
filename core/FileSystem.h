// Paths as the system reads them: the existence tests, conversions between
// the ANSI code page and UTF-16, full paths, and where an entry really lies,
// which the removal asks of everything it touches.
#pragma once

#include "core/Handle.h"
#include "core/Path.h"

#include <windows.h>

#include <optional>
#include <string>

namespace yorv {

// The name is found and is not a directory; the attributes can be read and
// carry the directory attribute.
bool FileExists(const std::string& path);
bool FileExists(const std::wstring& path);
bool DirectoryExists(const std::string& path);

// The system code page's lead-byte test, for the text rules.
bool IsLeadByte(unsigned char byte);

// An ANSI text in UTF-16; nothing when a byte is no character of the code
// page, so that a name is never read as another.
std::optional<std::wstring> WideFromAnsi(std::string_view text);

// A UTF-16 text to be shown: a character the code page lacks shows as the
// code page's default character.
std::string AnsiForDisplay(std::wstring_view text);

// The full path of `path`, however long; empty when it cannot be formed.
std::wstring FullPath(const std::wstring& path);

// An entry opened for `access`, sharing everything, as itself unless not
// `asItself`: no link followed where the system allows (Wine follows Unix links).
UniqueFile OpenEntry(const std::wstring& path, DWORD access = 0, bool asItself = true);

// Deletes what `handle` was opened to, for DELETE access, once it is closed.
bool DeleteByHandle(HANDLE handle);

// Where an opened entry really lies: its final path as the handle names it
// ("\\?\C:\..."), asked alike of a folder and its entries, so that short
// names or another case compare alike on both sides.
using Place = std::wstring;
std::optional<Place> PlaceOf(HANDLE handle);

// Whether `place` is the entry `name` directly inside the folder at
// `folder`, names compared as the file systems compare them: no link on the
// way, nor a name the system reads otherwise, leads it elsewhere.
bool IsEntryAt(std::wstring_view place, std::wstring_view folder, std::wstring_view name);

}  // namespace yorv
