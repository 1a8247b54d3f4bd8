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

bool IsPlainEntryName(std::u16string_view name)
{
    if (name.empty() || name.back() == u'.' || name.back() == u' ')
        return false;
    for (const char16_t c : name) {
        if (c < 0x20 || std::u16string_view(u"\\/:*?\"<>|").find(c) != std::u16string_view::npos)
            return false;
    }
    return true;
}

std::string YModListText(const std::string& title, bool titleCut, const std::string& dirName)
{
    // The list shows a text up to its first zero byte: a title that would
    // show as nothing is no title, or its YMod could never be chosen.
    const std::size_t shownLength = title.find('\0');
    if (shownLength == 0 || title.empty())
        return dirName;
    if (shownLength != std::string::npos)
        return title.substr(0, shownLength);
    if (titleCut)
        return title + "...";
    return title;
}

}  // namespace yorv
