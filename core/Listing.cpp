#include "core/Listing.h"

#include "core/Handle.h"

namespace yorv {

namespace {

// The system's ANSI and UTF-16 forms of the listing.
template <typename Char>
struct Find;
template <>
struct Find<char> {
    using Data = WIN32_FIND_DATAA;
    static HANDLE First(const char* pattern, Data& found) { return ::FindFirstFileA(pattern, &found); }
    static bool Next(HANDLE find, Data& found) { return ::FindNextFileA(find, &found) != FALSE; }
};
template <>
struct Find<wchar_t> {
    using Data = WIN32_FIND_DATAW;
    static HANDLE First(const wchar_t* pattern, Data& found) { return ::FindFirstFileW(pattern, &found); }
    static bool Next(HANDLE find, Data& found) { return ::FindNextFileW(find, &found) != FALSE; }
};

// The entries that match `pattern`, "." and ".." passed over. Wine leaves
// the reparse tag unwritten: it reads as none, not as whatever the entry
// before or the stack held.
template <typename Char>
std::vector<DirectoryEntry<Char>> Matches(const std::basic_string<Char>& pattern)
{
    typename Find<Char>::Data found{};
    std::vector<DirectoryEntry<Char>> entries;
    const UniqueFind find(Find<Char>::First(pattern.c_str(), found));
    for (bool more = static_cast<bool>(find); more; more = Find<Char>::Next(find.Get(), found)) {
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
    return found.empty() ? std::nullopt : std::optional(std::move(found.front()));
}

}  // namespace yorv
