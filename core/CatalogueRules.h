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

// Directories of the game itself, never offered as YMods (any mix of case).
bool IsExcludedYModName(std::string_view name);

// "." and "..", which every enumeration returns.
bool IsDotEntry(std::string_view name);

// The text that stands for a YMod in the list: its title, cut to
// kTitleShownChars with "..." when `titleCut`, or its directory name when
// the title is empty.
std::string YModListText(const std::string& title, bool titleCut, const std::string& dirName);

}  // namespace yorv
