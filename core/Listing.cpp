#include "core/Listing.h"

#include "core/Handle.h"

#include <type_traits>

namespace yorv {

namespace {

HANDLE FindFirst(const std::string& pattern, WIN32_FIND_DATAA& found)
{
    return ::FindFirstFileA(pattern.c_str(), &found);
}

HANDLE FindFirst(const std::wstring& pattern, WIN32_FIND_DATAW& found)
{
    return ::FindFirstFileW(pattern.c_str(), &found);
}

bool FindNext(HANDLE find, WIN32_FIND_DATAA& found)
{
    return ::FindNextFileA(find, &found) != FALSE;
}

bool FindNext(HANDLE find, WIN32_FIND_DATAW& found)
{
    return ::FindNextFileW(find, &found) != FALSE;
}

// The entries that match `pattern`, "." and ".." passed over. Wine leaves
// the reparse tag unwritten: it reads as none, not as whatever the entry
// before or the stack held.
template <typename Char>
std::vector<DirectoryEntry<Char>> Matches(const std::basic_string<Char>& pattern)
{
    std::conditional_t<std::is_same_v<Char, char>, WIN32_FIND_DATAA, WIN32_FIND_DATAW> found{};
    std::vector<DirectoryEntry<Char>> entries;
    const UniqueFind find(FindFirst(pattern, found));
    for (bool more = static_cast<bool>(find); more; more = FindNext(find.Get(), found)) {
        if (!IsDotEntry(std::basic_string_view<Char>(found.cFileName)))
            entries.push_back({found.cFileName, found.dwFileAttributes, found.dwReserved0});
        found.dwReserved0 = 0;
    }
    return entries;
}

}  // namespace

std::vector<DirectoryEntry<char>> ListDirectory(const std::string& dir)
{
    return Matches(JoinPath(dir, "*.*"));
}

std::vector<DirectoryEntry<wchar_t>> ListDirectory(const std::wstring& dir)
{
    return Matches(JoinPath(dir, L"*.*"));
}

std::optional<DirectoryEntry<wchar_t>> FindEntry(const std::wstring& path)
{
    std::vector<DirectoryEntry<wchar_t>> found = Matches(path);
    if (found.empty())
        return std::nullopt;
    return std::move(found.front());
}

}  // namespace yorv
