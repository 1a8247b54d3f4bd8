#include "core/CatalogueRules.h"

namespace yorv {

bool IsExcludedYModName(std::string_view name)
{
    std::string upper(name);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return upper == "YORV" || upper == "AVI" || upper == "SOURCE";
}

std::string YModListText(const std::string& title, bool titleCut, const std::string& dirName)
{
    // The list shows a text up to its first zero byte: a title that would
    // show as nothing is no title, or its YMod could never be chosen.
    const std::size_t shownLength = LengthUpToZero(title);
    if (shownLength == 0)
        return dirName;
    if (shownLength < title.size())
        return title.substr(0, shownLength);
    if (titleCut)
        return title + "...";
    return title;
}

}  // namespace yorv
