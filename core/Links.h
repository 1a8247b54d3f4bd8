// Which directory entries are links: a symbolic link, a junction or a
// mount leads to something that is not the YMod's own, so such an entry is
// never entered nor followed, only removed itself. Other reparse points
// (compressed, deduplicated or cloud files and folders) hold the player's
// data like any file or folder and are treated as such.
#pragma once

#include <cstdint>

namespace yorv {

inline constexpr std::uint32_t kReparsePointAttribute = 0x400;  // FILE_ATTRIBUTE_REPARSE_POINT
inline constexpr std::uint32_t kNameSurrogateTagBit = 0x20000000;  // the tag names another entity

// `reparseTag` as the directory listing gives it (WIN32_FIND_DATA's
// dwReserved0). Wine gives its links (Unix symbolic links) no tag at all;
// Windows always tags a reparse point.
constexpr bool IsLinkEntry(std::uint32_t attributes, std::uint32_t reparseTag)
{
    return (attributes & kReparsePointAttribute) && (reparseTag == 0 || (reparseTag & kNameSurrogateTagBit));
}

}  // namespace yorv
