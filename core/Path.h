// Paths as the launcher builds them (joined with a backslash and nothing
// else) and takes them apart (in UTF-16 only: in a double-byte code page the
// second byte of a character can be a backslash's). Pure logic, built and
// tested everywhere.
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

// Whether a listed name (UTF-16) names that entry when joined to its
// folder's path, and nothing else: not empty, no separator, colon, wildcard
// or other character Windows forbids, no trailing dot or blank (which it
// drops). Other file systems hold such names, and an ANSI form can become
// one (a full-width backslash turns "\"); they lead elsewhere, such as to
// the folder itself or its parent.
bool IsPlainEntryName(std::wstring_view name);

// Whether an entry is a link (symbolic link, junction, mount), which leads
// to what is not the YMod's own: never entered nor followed, only removed
// itself. Other reparse points (compressed, deduplicated, cloud) hold the
// player's data. `reparseTag` as a listing gives it: Wine gives its links
// (Unix symbolic links) none, Windows tags every reparse point.
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

// Whether `path` is the entry `name` directly inside `folder`: the folder,
// a separator (a drive's root ends in one already) and the name, compared
// whole as `same` compares names, whatever the name holds (a Linux disk
// can give it a backslash).
template <typename Char, typename Same>
bool IsEntryPath(std::basic_string_view<Char> path, std::basic_string_view<Char> folder,
                 std::basic_string_view<Char> name, Same same)
{
    if (folder.empty() || name.empty() || path.size() <= name.size())
        return false;
    const std::basic_string_view<Char> head = path.substr(0, path.size() - name.size());
    return IsSeparator(head.back()) && same(path.substr(head.size()), name)
           && same(IsSeparator(folder.back()) ? head : head.substr(0, head.size() - 1), folder);
}

// Whether a name is one Win32 keeps for a device (CON, PRN, AUX, NUL, COM1-9,
// LPT1-9), any extension and case: a plain path ending in it opens the device.
bool IsDeviceName(std::wstring_view name);

}  // namespace yorv
