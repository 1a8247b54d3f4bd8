#include "core/Path.h"

namespace yorv {

namespace {

template <typename Char>
std::basic_string<Char> Join(std::basic_string_view<Char> dir, std::basic_string_view<Char> name)
{
    return std::basic_string<Char>(dir).append(1, Char('\\')).append(name);
}

}  // namespace

std::string JoinPath(std::string_view dir, std::string_view name)
{
    return Join(dir, name);
}

std::wstring JoinPath(std::wstring_view dir, std::wstring_view name)
{
    return Join(dir, name);
}

PathParts SplitPath(std::wstring_view path)
{
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring_view::npos)
        return {L".", std::wstring(path)};
    PathParts parts{std::wstring(path.substr(0, slash)), std::wstring(path.substr(slash + 1))};
    if (parts.folder.empty() || parts.folder.back() == L':')
        parts.folder += L'\\';
    return parts;
}

void DropSplitCharacter(std::string& cutText, LeadByteTest isLead)
{
    // Where the last character starts; a lead byte at the very end stands alone.
    std::size_t lastStart = 0;
    for (std::size_t i = 0; i < cutText.size(); ++i) {
        lastStart = i;
        if (isLead(static_cast<unsigned char>(cutText[i])))
            ++i;
    }
    if (!cutText.empty() && lastStart + 1 == cutText.size() && isLead(static_cast<unsigned char>(cutText.back())))
        cutText.pop_back();
}

bool IsDotEntry(std::string_view name)
{
    return name == "." || name == "..";
}

bool IsDotEntry(std::wstring_view name)
{
    return name == L"." || name == L"..";
}

bool IsPlainEntryName(std::wstring_view name)
{
    if (name.empty() || name.back() == L'.' || name.back() == L' ')
        return false;
    constexpr std::wstring_view kForbidden = L"\\/:*?\"<>|";
    for (const wchar_t c : name) {
        if (c < 0x20 || kForbidden.find(c) != std::wstring_view::npos)
            return false;
    }
    return true;
}

bool IsDeviceName(std::wstring_view name)
{
    std::wstring base(name.substr(0, name.find_first_of(L".:")));
    while (!base.empty() && base.back() == L' ')
        base.pop_back();
    for (wchar_t& c : base)
        c = c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
    const bool numbered = base.size() == 4 && base[3] >= L'1' && base[3] <= L'9';
    return base == L"CON" || base == L"PRN" || base == L"AUX" || base == L"NUL"
           || (numbered && (base.starts_with(L"COM") || base.starts_with(L"LPT")));
}

}  // namespace yorv
