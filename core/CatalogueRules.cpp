#include "CatalogueRules.h"

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

bool IsDotEntry(std::string_view name)
{
    return name == "." || name == "..";
}

std::string YModListText(const std::string& title, bool titleCut, const std::string& dirName)
{
    if (title.empty())
        return dirName;
    if (titleCut)
        return title + "...";
    return title;
}

}  // namespace yorv
