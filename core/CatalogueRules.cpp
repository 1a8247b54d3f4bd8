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

bool IsDotEntry(std::string_view name)
{
    return name == "." || name == "..";
}

namespace {

template <typename Char>
bool IsPlainName(std::basic_string_view<Char> name)
{
    if (name.empty() || name.back() == Char('.') || name.back() == Char(' '))
        return false;
    constexpr std::string_view kForbidden = "\\/:*?\"<>|";
    for (const Char c : name) {
        if (static_cast<unsigned>(c) < 0x20
            || (static_cast<unsigned>(c) < 0x80 && kForbidden.find(static_cast<char>(c)) != std::string_view::npos))
            return false;
    }
    return true;
}

}  // namespace

bool IsPlainEntryName(std::u16string_view name)
{
    return IsPlainName(name);
}

bool IsPlainEntryName(std::string_view asciiName)
{
    return IsPlainName(asciiName);
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
