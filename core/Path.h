// Paths as the launcher builds them and takes them apart. A path is built
// by joining with a backslash and nothing else. Paths are taken apart in
// UTF-16 only: in a double-byte code page the second byte of a character
// can be the byte of a backslash. Pure logic: it builds and is tested
// everywhere.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace yorv {

// Whether a byte is the first of a double-byte character.
using LeadByteTest = bool (*)(unsigned char byte);
inline bool NoLeadBytes(unsigned char)
{
    return false;
}

std::string JoinPath(std::string_view dir, std::string_view name);
std::wstring JoinPath(std::wstring_view dir, std::wstring_view name);

template <typename Char>
constexpr bool IsSeparator(Char c)
{
    return c == Char('\\') || c == Char('/');
}

// The folder that holds `path` and the last name in it. A folder that is a
// drive's root keeps its backslash; a path without a separator lies in ".".
// In UTF-16, where no part of a character is ever read as a separator.
struct PathParts {
    std::wstring folder;
    std::wstring name;
};
PathParts SplitPath(std::wstring_view path);

// A text cut after a number of bytes may end in the first byte of a
// double-byte character, which would then pair with whatever follows it:
// that byte is dropped.
void DropSplitCharacter(std::string& cutText, LeadByteTest isLead);

// "." and "..", which every listing returns.
bool IsDotEntry(std::string_view name);
bool IsDotEntry(std::wstring_view name);

// Whether a name as a directory listing gives it (in UTF-16) names that
// entry when joined to its folder's path, and nothing else: not empty, no
// separator, colon, wildcard or other character Windows forbids in a name,
// and no trailing dot or blank, which Windows drops. Other file systems can
// hold such names, and the ANSI form of a name can turn into one (a
// full-width backslash becomes "\"); joined to a path, they lead elsewhere,
// such as to the folder itself or its parent.
bool IsPlainEntryName(std::wstring_view name);

// Whether an entry is a link: a symbolic link, a junction or a mount leads
// to something that is not the YMod's own, so such an entry is never
// entered nor followed, only removed itself. Other reparse points
// (compressed, deduplicated or cloud files and folders) hold the player's
// data like any file or folder. `reparseTag` as a directory listing gives
// it; Wine gives its links (Unix symbolic links) no tag at all, Windows
// always tags a reparse point.
constexpr bool IsLinkEntry(std::uint32_t attributes, std::uint32_t reparseTag)
{
    constexpr std::uint32_t kReparsePoint = 0x400;    // FILE_ATTRIBUTE_REPARSE_POINT
    constexpr std::uint32_t kNameSurrogate = 0x20000000;  // the tag names another entity
    return (attributes & kReparsePoint) && (reparseTag == 0 || (reparseTag & kNameSurrogate));
}

// A text as a view shows it, without the marks of writing direction
// (U+200E, U+200F, U+202A to U+202E) that Windows puts around a path.
template <typename Char>
std::basic_string<Char> WithoutDirectionMarks(std::basic_string_view<Char> text)
{
    std::basic_string<Char> plain;
    for (const Char c : text) {
        if (c != 0x200E && c != 0x200F && (c < 0x202A || c > 0x202E))
            plain += c;
    }
    return plain;
}

// The name of the entry that `path` names directly inside `folder` (the
// folder, the separator after it, which a drive's root ends in already,
// and one name), or empty when `path` lies anywhere else. `same` compares
// the folder's part as the file system compares names.
template <typename Char, typename Same>
std::basic_string_view<Char> EntryNameIn(std::basic_string_view<Char> path, std::basic_string_view<Char> folder,
                                         Same same)
{
    if (folder.empty() || path.size() <= folder.size())
        return {};
    std::size_t start = folder.size();
    if (!IsSeparator(folder.back()) && !IsSeparator(path[start++]))
        return {};
    const std::basic_string_view<Char> name = path.substr(start);
    for (const Char c : name) {
        if (IsSeparator(c))
            return {};
    }
    return !name.empty() && same(path.substr(0, folder.size()), folder) ? name : std::basic_string_view<Char>();
}

}  // namespace yorv
