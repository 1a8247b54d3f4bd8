// The rules that decide which directories are YMods and what the list shows.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace yorv {

// The list shows at most this many characters of a title, then "...".
// More is never visible in the box, and the system list control is not
// safe with items of many hundreds of characters (seen faulting in Wine).
inline constexpr std::size_t kTitleShownChars = 255;

// How much of a text the system reads: up to its first zero byte.
inline std::size_t LengthUpToZero(const std::string& text)
{
    const std::size_t zero = text.find('\0');
    return zero == std::string::npos ? text.size() : zero;
}

// Directories of the game itself, never offered as YMods (any mix of case).
bool IsExcludedYModName(std::string_view name);

// The text that stands for a YMod in the list: its title, cut to
// kTitleShownChars with "..." when `titleCut`, or its directory name when
// the title is empty. A title ends at a zero byte, as the list shows it.
std::string YModListText(const std::string& title, bool titleCut, const std::string& dirName);

}  // namespace yorv
