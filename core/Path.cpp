#include "core/Path.h"

namespace yorv {

std::string JoinPath(std::string_view dir, std::string_view name)
{
    return std::string(dir).append(1, '\\').append(name);
}

namespace {

// Calls `at` with where each character of an ANSI text starts; a lead byte
// at the very end stands alone.
template <typename At>
void ForEachCharacter(std::string_view text, LeadByteTest isLead, At at)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        at(i);
        if (isLead(static_cast<unsigned char>(text[i])))
            ++i;  // its second byte, if there is one
    }
}

}  // namespace

std::size_t LastSeparator(std::string_view path, LeadByteTest isLead)
{
    std::size_t last = std::string_view::npos;
    ForEachCharacter(path, isLead, [&](std::size_t i) {
        if (IsSeparator(path[i]))
            last = i;
    });
    return last;
}

PathParts SplitPath(std::string_view path, LeadByteTest isLead)
{
    const std::size_t slash = LastSeparator(path, isLead);
    if (slash == std::string_view::npos)
        return {".", std::string(path)};
    PathParts parts{std::string(path.substr(0, slash)), std::string(path.substr(slash + 1))};
    if (parts.folder.empty() || parts.folder.back() == ':')
        parts.folder += '\\';
    return parts;
}

void DropSplitCharacter(std::string& cutText, LeadByteTest isLead)
{
    std::size_t lastStart = 0;
    ForEachCharacter(cutText, isLead, [&](std::size_t i) { lastStart = i; });
    if (!cutText.empty() && lastStart + 1 == cutText.size() && isLead(static_cast<unsigned char>(cutText.back())))
        cutText.pop_back();
}

bool IsDotEntry(std::string_view name)
{
    return name == "." || name == "..";
}

bool IsPlainEntryName(std::u16string_view name)
{
    if (name.empty() || name.back() == u'.' || name.back() == u' ')
        return false;
    constexpr std::u16string_view kForbidden = u"\\/:*?\"<>|";
    for (const char16_t c : name) {
        if (c < 0x20 || kForbidden.find(c) != std::u16string_view::npos)
            return false;
    }
    return true;
}

}  // namespace yorv
