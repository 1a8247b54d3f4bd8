// Path joining and the two existence tests every part of the launcher uses.
#pragma once

#include <string>

namespace yorv {

// Paths are built by joining with a backslash and nothing else.
inline std::string JoinPath(const std::string& dir, const std::string& name)
{
    return dir + "\\" + name;
}

// The name is found and is not a directory.
bool FileExists(const std::string& path);

// The attributes can be read and carry the directory attribute.
bool DirectoryExists(const std::string& path);

// Whether a name from a directory listing, in the ANSI form the listing
// gives, names that entry and nothing else once joined to its folder's
// path (see IsPlainEntryName).
bool IsPlainName(const std::string& name);

// An ANSI text in UTF-16, as the system reads it; empty when it cannot be
// converted.
std::wstring WideFromAnsi(const std::string& text);
// And back; empty when it cannot be converted.
std::string AnsiFromWide(const std::wstring& text);

// A text cut after a number of bytes may end in the first byte of a
// double-byte character, which would then pair with whatever follows it:
// that byte is dropped.
void DropSplitCharacter(std::string& cutText);

}  // namespace yorv
